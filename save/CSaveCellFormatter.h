// Carries the formatting of one XF record (fill, font, borders) onto a cell,
// a row or a run of columns of the active worksheet through the automation
// facade. All positions are 1-based, as the facade takes them.
//
// A missing XF or FONT record (an index past the workbook's lists) is not an
// error: the part that needs it is skipped quietly. Failed facade calls are
// not reported; the save goes on with the cell as the server left it.
#pragma once

#include <cstdint>

class CXLEzAutomation;
class CExcelWorkBook;
class CExcelRecordCOLINFO;

class CSaveCellFormatter {
public:
    // Holds both by reference; they must outlive the formatter.
    CSaveCellFormatter(CXLEzAutomation& automation, const CExcelWorkBook& workbook);

    // Fill, font (when the XF uses its own font and the font has a name, or
    // forceFont) and borders of one cell.
    void ApplyCellFormat(std::int32_t row, std::int32_t column, std::uint32_t xfIndex,
                         bool forceFont);
    // The XF's fill over the whole row.
    void ApplyRowFormat(std::int32_t row, std::uint32_t xfIndex);
    // Width, fill, font and borders of the columns first..last.
    void ApplyColumnInfo(std::int32_t first, std::int32_t last, std::uint32_t xfIndex,
                         const CExcelRecordCOLINFO& record);

private:
    CXLEzAutomation& m_automation;
    const CExcelWorkBook& m_workbook;
};
