// The text of a ptgTbl token: the data table (TABLE record) of the
// worksheet whose range starts at the token's cell, as the spreadsheet
// shows its cells: {=TABLE(B1,)} for a row input, {=TABLE(,B1)} for a
// column input, {=TABLE(B1,C1)} for two inputs. Display text only: the
// table fills its cells itself, so no writer may store it as a formula.
#pragma once

#include <cstdint>
#include <string>

class CExcelSheetFormulas;

class CExcelFormulaTableText {
public:
    // The first TABLE record of worksheet, in list order, whose first row is
    // row and whose first column is column. Empty text when there is none
    // (or no worksheet) and for a table with only the two-input bit set.
    static std::u16string Text(const CExcelSheetFormulas* worksheet, std::uint16_t row,
                               std::uint16_t column);
};
