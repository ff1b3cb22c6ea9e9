// Whether a numeric cell shows a date or a time: the test behind the "date"
// and "formula-date" cell types of the recovered-cell view.
//
// A cell is a date cell when the number format its XF selects shows numbers
// as dates or times: its first section holds date or time codes (d, m, y,
// h, s, AM/PM, [h] ...; quoted text, escaped characters and brackets other
// than elapsed-time ones do not count). The built-in formats of other
// locales (indices 27-36 and 50-58, East Asian dates; 71-81, Thai dates)
// have no code text here and are date formats by their index alone.
//
// One object per workbook caches the answer per XF index, so that a sheet
// of many thousands of cells parses each format code once. The workbook is
// borrowed and must outlive the object; its lists must not change while
// the object is used.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>

class CExcelWorkbookGlobals;

class CDateFormatTest {
public:
    explicit CDateFormatTest(const CExcelWorkbookGlobals& workbook) : m_workbook(workbook) {}

    // The format code of formatIndex (empty when the workbook has none for
    // it) shows dates or times.
    static bool IsDateFormat(std::uint32_t formatIndex, std::u16string_view code);
    // A built-in index whose code belongs to another locale's dates.
    static bool IsForeignDateIndex(std::uint32_t formatIndex);

    // The cell format at 0-based position xfIndex of the workbook's XF list
    // selects a date or time format. An index past the list is General, not
    // a date.
    bool IsDateXF(std::uint32_t xfIndex);

private:
    const CExcelWorkbookGlobals& m_workbook;
    std::unordered_map<std::uint32_t, bool> m_byXF;
};
