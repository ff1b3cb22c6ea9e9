#include "save/CSaveCellFormatter.h"

#include <algorithm>

#include "model/CExcelWorkBook.h"
#include "records/CExcelGlobalLookup.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBXF.h"
#include "save/CSaveColorIndex.h"
#include "save/CXLEzAutomation.h"

namespace {

// The six edges the server's Borders takes by number, each with the XF
// fields that give its line style and colour and, for the diagonals, the
// flag that says whether the line is drawn at all.
struct BorderEdge {
    std::int16_t edge;
    std::uint8_t (CExcelRecordWBXF::*style)() const;
    std::uint8_t (CExcelRecordWBXF::*color)() const;
    bool (CExcelRecordWBXF::*drawn)() const;  // null: always drawn
};

constexpr BorderEdge kBorderEdges[] = {
    {1, &CExcelRecordWBXF::GetLeftBorderStyle, &CExcelRecordWBXF::GetLeftBorderColor, nullptr},
    {2, &CExcelRecordWBXF::GetRightBorderStyle, &CExcelRecordWBXF::GetRightBorderColor, nullptr},
    {3, &CExcelRecordWBXF::GetTopBorderStyle, &CExcelRecordWBXF::GetTopBorderColor, nullptr},
    {4, &CExcelRecordWBXF::GetBottomBorderStyle, &CExcelRecordWBXF::GetBottomBorderColor, nullptr},
    {5, &CExcelRecordWBXF::GetDiagonalStyle, &CExcelRecordWBXF::GetDiagonalColor,
     &CExcelRecordWBXF::IsDiagonalDown},
    {6, &CExcelRecordWBXF::GetDiagonalStyle, &CExcelRecordWBXF::GetDiagonalColor,
     &CExcelRecordWBXF::IsDiagonalUp},
};

}  // namespace

CSaveCellFormatter::CSaveCellFormatter(CXLEzAutomation& automation, const CExcelWorkBook& workbook)
    : m_automation(automation), m_workbook(workbook) {
    // The lists are linked; a cell format is looked up for nearly every cell,
    // so the records are indexed once instead of walked per cell.
    m_xfs.reserve(m_workbook.GetXFs().GetCount());
    for (const CExcelRecordWBXF* xf = m_workbook.GetXFs().GetHead(); xf; xf = xf->GetNext()) {
        m_xfs.push_back(xf);
    }
    m_fonts.reserve(m_workbook.GetFonts().GetCount());
    for (const CExcelRecordWBFONT* font = m_workbook.GetFonts().GetHead(); font;
         font = font->GetNext()) {
        m_fonts.push_back(font);
    }
}

const CExcelRecordWBXF* CSaveCellFormatter::FindXF(std::uint32_t xfIndex) const {
    return xfIndex < m_xfs.size() ? m_xfs[xfIndex] : nullptr;
}

const CExcelRecordWBFONT* CSaveCellFormatter::FindFont(const CExcelRecordWBXF& xf) const {
    const std::uint32_t position = CExcelGlobalLookup::FontPosition(xf.GetFontIndex());
    return position < m_fonts.size() ? m_fonts[position] : nullptr;
}

void CSaveCellFormatter::ApplyFont(const Range& range, const CExcelRecordWBXF& xf,
                                   bool requireName) {
    const CExcelRecordWBFONT* font = FindFont(xf);
    if (font == nullptr) return;
    const std::u16string name = font->GetName();
    if (requireName && name.empty()) return;
    m_automation.SetRangeFont(range.c1, range.r1, range.c2, range.r2, name, font->IsBold(),
                              font->IsItalic(), font->IsUnderlined(),
                              CSaveColorIndex::MapLine(font->GetColorIndex()));
    // A u16 height in twips is at most 3276 points: it fits the server's short.
    m_automation.SetRangeFontSize(range.c1, range.r1, range.c2, range.r2,
                                  static_cast<std::int16_t>(font->GetHeightPoints()));
}

void CSaveCellFormatter::ApplyBorders(const Range& range, const CExcelRecordWBXF& xf) {
    for (const BorderEdge& edge : kBorderEdges) {
        if (edge.drawn != nullptr && !(xf.*edge.drawn)()) continue;
        m_automation.SetRangeBorder(range.c1, range.r1, range.c2, range.r2, edge.edge,
                                    static_cast<std::int16_t>((xf.*edge.style)()),
                                    CSaveColorIndex::MapLine((xf.*edge.color)()));
    }
}

void CSaveCellFormatter::ApplyCellFormat(std::int32_t row, std::int32_t column,
                                         std::uint32_t xfIndex, bool forceFont) {
    const CExcelRecordWBXF* xf = FindXF(xfIndex);
    if (xf == nullptr) return;
    const Range cell{column, row, column, row};
    if (xf->IsPatternUsed()) {
        m_automation.SetCellFill(row, column, CSaveColorIndex::MapFill(xf->GetPatternColor()),
                                 xf->GetFillPattern());
    }
    if (xf->IsFontUsed() || forceFont) ApplyFont(cell, *xf, true);
    if (xf->IsBorderUsed()) ApplyBorders(cell, *xf);
}

void CSaveCellFormatter::ApplyRowFormat(std::int32_t row, std::uint32_t xfIndex) {
    const CExcelRecordWBXF* xf = FindXF(xfIndex);
    if (xf == nullptr) return;
    // The whole row, not columns 1..255: the server keeps a whole row's
    // format once, as the row's, where a shorter range needs a format on
    // every cell of it.
    const Range cells{1, row, kLastColumn, row};
    if (xf->IsPatternUsed()) {
        m_automation.SetRowFill(row, CSaveColorIndex::MapFill(xf->GetPatternColor()),
                                xf->GetFillPattern());
    }
    if (xf->IsFontUsed()) ApplyFont(cells, *xf, false);
    if (xf->IsBorderUsed()) ApplyBorders(cells, *xf);
}

void CSaveCellFormatter::ApplyColumnInfo(std::int32_t first, std::int32_t last,
                                         std::uint32_t xfIndex) {
    // Some writers put 256 (one past IV) as the last column of a run that
    // reaches the sheet's edge, and a damaged record may say anything up to
    // 65535: columns the sheet cannot hold are dropped so the rest of the run
    // keeps its format instead of the server refusing the range.
    first = std::max<std::int32_t>(first, 1);
    last = std::min(last, kLastColumn);
    if (first > last) return;

    const CExcelRecordWBXF* xf = FindXF(xfIndex);
    if (xf == nullptr) return;
    if (xf->IsPatternUsed()) {
        const std::int16_t color = CSaveColorIndex::MapFill(xf->GetPatternColor());
        for (std::int32_t column = first; column <= last; ++column) {
            m_automation.SetColumnFill(column, color, xf->GetFillPattern());
        }
    }
    // Whole columns, not rows 1..65535: a range one row short of the sheet
    // makes the server give each of its cells a format of its own (65,535
    // cells a column, each written to the file), where a whole column keeps
    // one column format.
    const Range cells{first, 1, last, kLastRow};
    if (xf->IsFontUsed()) ApplyFont(cells, *xf, false);
    if (xf->IsBorderUsed()) ApplyBorders(cells, *xf);
}
