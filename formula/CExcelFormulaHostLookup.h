// Finds the FORMULA record that holds the tokens a ptgExp member refers to:
// the record that a SHRFMLA or ARRAY record followed (its host).
//
// In a shared-formula range every cell has its own FORMULA record whose
// tokens are a single ptgExp naming a cell. The spreadsheet names the
// range's first cell, and the SHRFMLA follows that cell's record. Other
// writers differ: Gnumeric lets the SHRFMLA follow the first formula cell
// of the range in stream order, which need not be the top-left cell, and
// some files name the top-left cell while the SHRFMLA follows a later one;
// ranges may also overlap. A member is therefore resolved against a host
// whose range holds the member itself, whatever cell its ptgExp names:
//   1. a host on the named cell whose range holds the member;
//   2. else the first host (stream order) whose range holds both the member
//      and the named cell;
//   3. else the first host whose range holds the member.
// A member outside every range has no host: its tokens cannot be known.
#pragma once

#include <cstdint>

class CExcelRecordFormula;
class CExcelSheetFormulas;

class CExcelFormulaHostLookup {
public:
    // The host for a member at (row, column) whose ptgExp names
    // (namedRow, namedColumn); null when none fits.
    static const CExcelRecordFormula* Find(const CExcelSheetFormulas& sheet, std::uint16_t row,
                                           std::uint16_t column, std::uint16_t namedRow,
                                           std::uint16_t namedColumn);

    // Whether the range of host's attached SHRFMLA or ARRAY record holds
    // the cell.
    static bool Covers(const CExcelRecordFormula& host, std::uint16_t row, std::uint16_t column);
};
