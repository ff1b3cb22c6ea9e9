// The FONT, FORMAT, XF and STYLE records of a workbook, built from its
// named styles and the cell formats its cells, rows and columns use.
//
// XF 0-14 and 16-20 are the 21 style XFs every workbook has: Normal, the
// outline levels and the five number styles (the workbook's styles at
// positions 0-5); XF 15 is the default cell format. The workbook's other
// styles get style XFs from 21 on, and each other cell format in use one
// cell XF after them, whose parent is its style's XF and whose
// used-attribute bits mark the groups put on the cell itself or differing
// from that style. A style XF's bits mark the groups the style leaves out. Fonts 0-3 are the
// default font; index 4 is never written (readers skip it), so the other fonts take indices 5 on.
// Number formats that every reader knows are referred to by their built-in index; the others get
// FORMAT records from index 164 on.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "server/CBiffRecordWriter.h"
#include "server/CXlsFormatPool.h"
#include "server/CXlsStyles.h"

class CXlsStyleTable {
public:
    // The pool and the styles must outlive the table.
    CXlsStyleTable(const CXlsFormatPool& pool, const CXlsStyles& styles);

    // Marks a format id as used; then Assign once.
    void Use(std::uint32_t formatId);
    void Assign();

    // The XF index of a format id (15 for the default format and for formats
    // over the XF limit).
    std::uint16_t XfIndex(std::uint32_t formatId) const;
    // Writes FONT, FORMAT, XF and STYLE records, in that order.
    bool Write(CBiffRecordWriter& out) const;

    std::uint32_t FontCount() const;
    // Formats that found no room under the XF limit; their cells show the
    // default format.
    std::uint32_t DroppedFormats() const { return m_dropped; }

private:
    struct CellXf {
        std::uint32_t formatId;
        std::uint16_t font;
        std::uint16_t numberFormat;
    };
    struct NumberFormat {
        std::uint16_t index;
        std::u16string text;
    };
    struct FontHasher {
        std::size_t operator()(const CXlsFont& font) const { return font.Hash(); }
    };

    // The FONT and FORMAT indices of a format, adding records as needed.
    std::uint16_t FontIndex(const CXlsFont& font);
    std::uint16_t NumberFormatIndex(const std::u16string& text);
    std::uint16_t StyleXfIndex(std::uint16_t style) const;

    bool WriteFonts(CBiffRecordWriter& out) const;
    bool WriteNumberFormats(CBiffRecordWriter& out) const;
    bool WriteXfs(CBiffRecordWriter& out) const;
    bool WriteStyles(CBiffRecordWriter& out) const;

    const CXlsFormatPool& m_pool;
    const CXlsStyles& m_styles;
    std::vector<CellXf> m_styleXfs;  // by style position
    std::vector<bool> m_used;
    std::vector<std::uint16_t> m_xf;
    std::vector<CXlsFont> m_fonts;  // written after the four default fonts
    std::vector<NumberFormat> m_numberFormats;
    std::vector<CellXf> m_cellXfs;
    std::uint32_t m_dropped = 0;
    std::unordered_map<CXlsFont, std::uint16_t, FontHasher> m_fontIndices;
    std::unordered_map<std::u16string, std::uint16_t> m_customFormats;
    std::uint16_t m_nextCustom;
};
