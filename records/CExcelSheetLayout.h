// What a worksheet keeps about its layout and window outside the COLINFO
// and ROW records: DEFCOLWIDTH, STANDARDWIDTH, DEFAULTROWHEIGHT, WINDOW2,
// PANE, SCL, SELECTION and SHEETEXT (the tab colour), each decoded as the worksheet parser meets it
// (a later record of a kind replaces an earlier one). A record that is too
// short for its fixed fields, or whose values no sheet can have (a zoom
// outside 10-400 %, a denominator of 0), is dropped and counted in
// Dropped(); Has...() tells whether a sound one was found.
//
// Rows and columns are 0-based as the records store them; the caller
// checks them against the sheet's size.
#pragma once

#include <array>
#include <cstdint>

class IExcelStreamReader;

class CExcelSheetLayout {
public:
    struct Window {
        std::uint16_t flags = 0;  // WINDOW2 option flags
        std::uint16_t topRow = 0;
        std::uint16_t leftColumn = 0;
        // icvHdr, the gridline and heading colour index; only when the
        // record holds it (8 bytes or more), and used only when
        // kDefaultGridlineColor is clear.
        bool hasGridlineColor = false;
        std::uint16_t gridlineColor = 0;
    };
    struct Pane {
        std::uint16_t x = 0;  // frozen: columns left of the split; else twips
        std::uint16_t y = 0;  // frozen: rows above the split; else twips
        std::uint16_t topRow = 0;
        std::uint16_t leftColumn = 0;
        std::uint8_t active = 3;
    };
    struct Selection {
        std::uint16_t activeRow = 0;
        std::uint16_t activeColumn = 0;
        // The active range (the first when the index is damaged).
        std::uint16_t firstRow = 0;
        std::uint16_t lastRow = 0;
        std::uint8_t firstColumn = 0;
        std::uint8_t lastColumn = 0;
    };

    // WINDOW2 flags.
    static constexpr std::uint16_t kShowGridlines = 0x0002;
    static constexpr std::uint16_t kShowHeadings = 0x0004;
    static constexpr std::uint16_t kFrozen = 0x0008;
    static constexpr std::uint16_t kDefaultGridlineColor = 0x0020;
    // SHEETEXT tab colour: a palette index 8-63, or 0x7F for none.
    static constexpr std::uint8_t kFirstTabColor = 8;
    static constexpr std::uint8_t kLastTabColor = 63;
    static constexpr std::uint8_t kNoTabColor = 0x7F;
    // Panes: 0 bottom right, 1 top right, 2 bottom left, 3 top left.
    static constexpr std::uint8_t kPanes = 4;
    static constexpr std::uint16_t kMinZoom = 10;
    static constexpr std::uint16_t kMaxZoom = 400;

    // Decodes a record of one of the kinds above that starts at `position`
    // (its header) with `size` payload bytes; false for any other type, or
    // when the record is dropped.
    bool Decode(std::uint16_t type, IExcelStreamReader& reader, std::uint32_t size,
                std::uint32_t position);
    // Whether Decode takes records of this type.
    static bool Takes(std::uint16_t type);

    bool HasDefaultColumnWidth() const { return m_hasDefColWidth; }
    std::uint16_t DefaultColumnWidth() const { return m_defColWidth; }  // characters
    bool HasStandardWidth() const { return m_hasStandardWidth; }
    std::uint16_t StandardWidth() const { return m_standardWidth; }  // 1/256 character
    bool HasDefaultRowHeight() const { return m_hasDefaultRowHeight; }
    std::uint16_t DefaultRowHeight() const { return m_defaultRowHeight; }  // twips
    bool HasWindow() const { return m_hasWindow; }
    const Window& GetWindow() const { return m_window; }
    bool HasPane() const { return m_hasPane; }
    const Pane& GetPane() const { return m_pane; }
    bool HasZoom() const { return m_hasZoom; }
    std::uint16_t Zoom() const { return m_zoom; }  // percent
    // The selection of a pane, or null when the sheet has none for it.
    const Selection* GetSelection(std::uint8_t pane) const {
        return pane < kPanes && m_hasSelection[pane] ? &m_selections[pane] : nullptr;
    }
    // The tab colour's palette index (8-63), when SHEETEXT gives one; a
    // SHEETEXT of 0x7F is sound but gives none.
    bool HasTabColor() const { return m_hasTabColor; }
    std::uint8_t TabColor() const { return m_tabColor; }
    std::uint32_t Dropped() const { return m_dropped; }

private:
    // One decoder per record type; each gets at least minSize bytes.
    using Decoder = bool (CExcelSheetLayout::*)(const std::uint8_t* payload, std::uint32_t size);
    struct Entry {
        std::uint16_t type;
        std::uint32_t minSize;
        Decoder decode;
    };
    static const Entry kEntries[];
    static const Entry* Find(std::uint16_t type);

    bool DecodeDefColWidth(const std::uint8_t* payload, std::uint32_t size);
    bool DecodeStandardWidth(const std::uint8_t* payload, std::uint32_t size);
    bool DecodeDefaultRowHeight(const std::uint8_t* payload, std::uint32_t size);
    bool DecodeWindow2(const std::uint8_t* payload, std::uint32_t size);
    bool DecodePane(const std::uint8_t* payload, std::uint32_t size);
    bool DecodeScl(const std::uint8_t* payload, std::uint32_t size);
    bool DecodeSelection(const std::uint8_t* payload, std::uint32_t size);
    bool DecodeSheetExt(const std::uint8_t* payload, std::uint32_t size);

    std::array<Selection, kPanes> m_selections{};
    std::array<bool, kPanes> m_hasSelection{};
    Window m_window;
    Pane m_pane;
    std::uint32_t m_dropped = 0;
    std::uint16_t m_defColWidth = 0;
    std::uint16_t m_standardWidth = 0;
    std::uint16_t m_defaultRowHeight = 0;
    std::uint16_t m_zoom = 100;
    std::uint8_t m_tabColor = kNoTabColor;
    bool m_hasDefColWidth = false;
    bool m_hasStandardWidth = false;
    bool m_hasDefaultRowHeight = false;
    bool m_hasWindow = false;
    bool m_hasPane = false;
    bool m_hasZoom = false;
    bool m_hasTabColor = false;
};
