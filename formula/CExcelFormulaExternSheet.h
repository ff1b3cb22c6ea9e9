// The sheet part of a 3-D reference's text, from its EXTERNSHEET index:
// the REF entry at that index (counted over all EXTERNSHEET records of the
// workbook in order), the SUPBOOK it names and the sheets it spans.
#pragma once

#include <cstdint>
#include <string>

class CExcelWorkBook;

class CExcelFormulaExternSheet {
public:
    enum EResult {
        NoTable,     // no workbook, or a workbook without EXTERNSHEET records
        Resolved,    // sheets of this workbook; prefix is their quoted names and "!"
        Deleted,     // this workbook, a sheet since deleted: the reference is #REF!
        Unresolved,  // missing entry or SUPBOOK, another file, an add-in, a sheet not in the list
    };

    // Sets prefix to "Sheet2!", "'Q1 2009'!" or "Jan:Mar!" when Resolved,
    // else to the bare "!" (the sheet part left empty).
    static EResult Prefix(const CExcelWorkBook* workbook, std::uint16_t index,
                          std::u16string& prefix);
};
