// Carries the formatting of one XF record (fill, font, borders) onto a cell,
// a row or a run of columns of the active worksheet through the automation
// facade. All positions are 1-based, as the facade takes them.
//
// A cell's XF index n is the XF record at position n of the workbook's list;
// the XF's font index f is the FONT record at position f below 4 and f - 1
// from 4 on (the font table has no entry 4). A missing XF or FONT record is
// not an error: the part that needs it is skipped quietly. Failed facade
// calls are not reported; the save goes on with the cell as the server left
// it.
#pragma once

#include <cstdint>
#include <vector>

class CXLEzAutomation;
class CExcelWorkBook;
class CExcelRecordWBFONT;
class CExcelRecordWBXF;

class CSaveCellFormatter {
public:
    // The last column and row a BIFF8 sheet holds (1-based). Row formats
    // cover the whole row (columns 1..256), column formats the whole column
    // (rows 1..65536), as the ROW and COLINFO records they come from do.
    static constexpr std::int32_t kLastColumn = 256;
    static constexpr std::int32_t kLastRow = 65536;

    // Holds both by reference; they must outlive the formatter, and the
    // workbook's XF and FONT lists must not change while it is used (it
    // indexes them once, here).
    CSaveCellFormatter(CXLEzAutomation& automation, const CExcelWorkBook& workbook);

    // Fill, font (when the XF sets its own font, or forceFont, and the font
    // has a name) and borders of one cell.
    void ApplyCellFormat(std::int32_t row, std::int32_t column, std::uint32_t xfIndex,
                         bool forceFont);
    // The XF's fill, font (without the name test) and borders on the whole
    // row.
    void ApplyRowFormat(std::int32_t row, std::uint32_t xfIndex);
    // Fill, font and borders of the whole columns first..last (their widths
    // are CSaveSheetLayoutWriter's). Columns past the sheet's last column
    // are not touched.
    void ApplyColumnInfo(std::int32_t first, std::int32_t last, std::uint32_t xfIndex);

private:
    struct Range {
        std::int32_t c1, r1, c2, r2;
    };

    const CExcelRecordWBXF* FindXF(std::uint32_t xfIndex) const;
    const CExcelRecordWBFONT* FindFont(const CExcelRecordWBXF& xf) const;
    // requireName: a font with an empty name is left out (cells only).
    void ApplyFont(const Range& range, const CExcelRecordWBXF& xf, bool requireName);
    void ApplyBorders(const Range& range, const CExcelRecordWBXF& xf);

    CXLEzAutomation& m_automation;
    const CExcelWorkBook& m_workbook;
    std::vector<const CExcelRecordWBXF*> m_xfs;
    std::vector<const CExcelRecordWBFONT*> m_fonts;
};
