// Writes the recovered cells of a repaired workbook as text, one line per
// cell, in the form of the corpus reference dumps:
//
//   sheet<TAB>name<TAB>row<TAB>col<TAB>type<TAB>value
//
//   sheet  0-based position of the sheet in the workbook's sheet list, every
//          kind of sheet counted (CBoundSheetOrder); the sheets of a second
//          workbook in the same file follow those of the first
//   name   the sheet name
//   row, col  0-based, as stored
//   type   number, date, text, bool, error, lost (a LABELSST cell whose
//          shared string is missing), or for a formula cell formula-number,
//          formula-date, formula-text, formula-bool, formula-error,
//          formula-empty by its cached result
//   value  numbers in the shortest form that reads back to the same double,
//          written the way Python's repr() writes a float (1.0, 0.1, 1e+20,
//          1e-05); texts as they are; TRUE or FALSE; error texts (#DIV/0!,
//          #N/A, ... and #ERR<code> for other codes); empty for formula-empty
//          and lost. With formula texts asked for, a formula cell whose
//          formula could be decoded shows "=" and its formula instead.
//
// In the name and value columns a backslash is written \\, a tab \t, a line
// feed \n and a carriage return \r; nothing else is escaped. Text is UTF-8.
// Lines end with a line feed, sheets follow the workbook's order, and cells
// within a sheet go by row, then column.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

class CDateFormatTest;
class CExcelData;
class CExcelWorkBook;
class CExcelWorkSheet;
class CRecoveredCells;
struct CRecoveredCell;

class CCellDumpWriter {
public:
    // out is borrowed and must outlive the writer.
    explicit CCellDumpWriter(std::ostream& out) : m_out(out) {}

    // Writes only the sheets of this name (every sheet when empty).
    void SetSheetFilter(std::u16string name) { m_sheetFilter = std::move(name); }
    // Formula cells show their formula text rather than their cached result.
    void SetFormulaTexts(bool formulaTexts) { m_formulaTexts = formulaTexts; }

    // Writes the cells of every sheet of every workbook of data. The sheet
    // positions are read from data's scan file, which must still exist.
    // Returns the number of lines written.
    std::size_t Write(const CExcelData& data);
    // Writes the cells of one sheet under the given position, whatever the
    // filter says.
    std::size_t WriteSheet(std::uint32_t position, const CExcelWorkBook& workbook,
                           const CExcelWorkSheet& sheet, const CRecoveredCells& cells);

    // Sheets whose cells were written by Write (the filter's matches).
    std::uint32_t GetSheetsWritten() const { return m_sheetsWritten; }

    // The line of one cell, without its line feed.
    std::string Line(std::uint32_t position, std::u16string_view sheetName,
                     const CRecoveredCell& cell, const CExcelWorkBook* workbook,
                     const CExcelWorkSheet* sheet) const;

    // The pieces of a line.
    static std::string FormatNumber(double value);
    static std::string Escape(std::u16string_view text);
    static std::string_view TypeName(const CRecoveredCell& cell);
    static std::string ErrorText(std::uint8_t code);
    // The value column of a cell as its cached value (never the formula).
    static std::string ValueText(const CRecoveredCell& cell);

private:
    std::ostream& m_out;
    std::u16string m_sheetFilter;
    bool m_formulaTexts = false;
    std::uint32_t m_sheetsWritten = 0;
};
