// Everything that formats one cell: the number format text, the font, the
// fill, the border lines, the alignment and the protection, the named style
// the cell is in, and which attribute groups were put on the cell itself
// rather than taken from that style. A plain value; the workbook keeps each
// distinct one once (CXlsFormatPool) and cells refer to it by id. Two
// formats that show alike but differ in style or own groups stay two XFs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "server/CXlsAlignment.h"
#include "server/CXlsBorders.h"
#include "server/CXlsFont.h"
#include "server/CXlsInterior.h"

class CXlsCellFormat {
public:
    static constexpr std::size_t kMaxNumberFormatLength = 255;

    // Attribute groups, with the bits an XF's used-attribute byte gives them.
    enum EGroup : std::uint8_t {
        kGroupNumber = 0x04,
        kGroupFont = 0x08,
        kGroupAlignment = 0x10,
        kGroupBorder = 0x20,
        kGroupPattern = 0x40,
        kGroupProtection = 0x80,
    };
    static constexpr std::uint8_t kAllGroups = 0xFC;

    // "General", the default font, no fill, no lines, general / bottom
    // alignment, locked and formula shown.
    CXlsCellFormat() = default;

    const std::u16string& NumberFormat() const { return m_numberFormat; }
    // Up to 255 characters; an empty text means "General".
    bool SetNumberFormat(std::u16string_view text);

    const CXlsFont& Font() const { return m_font; }
    CXlsFont& Font() { return m_font; }
    const CXlsInterior& Interior() const { return m_interior; }
    CXlsInterior& Interior() { return m_interior; }
    const CXlsBorders& Borders() const { return m_borders; }
    CXlsBorders& Borders() { return m_borders; }
    const CXlsAlignment& Alignment() const { return m_alignment; }
    CXlsAlignment& Alignment() { return m_alignment; }

    // Protection, in effect once the sheet is protected.
    bool Locked() const { return m_locked; }
    void SetLocked(bool locked) { m_locked = locked; }
    bool FormulaHidden() const { return m_formulaHidden; }
    void SetFormulaHidden(bool hidden) { m_formulaHidden = hidden; }

    // The named style (a position in the workbook's CXlsStyles; 0 is Normal).
    std::uint16_t Style() const { return m_style; }
    void SetStyle(std::uint16_t style) { m_style = style; }
    // The groups put on the cell itself (EGroup bits).
    std::uint8_t OwnGroups() const { return m_ownGroups; }
    void MarkOwn(std::uint8_t groups) {
        m_ownGroups |= static_cast<std::uint8_t>(groups & kAllGroups);
    }
    void ClearOwn(std::uint8_t groups) { m_ownGroups &= static_cast<std::uint8_t>(~groups); }

    bool operator==(const CXlsCellFormat& other) const = default;
    std::size_t Hash() const;

private:
    std::u16string m_numberFormat = u"General";
    CXlsFont m_font;
    CXlsInterior m_interior;
    CXlsBorders m_borders;
    CXlsAlignment m_alignment;
    bool m_locked = true;
    bool m_formulaHidden = false;
    std::uint16_t m_style = 0;
    std::uint8_t m_ownGroups = 0;
};
