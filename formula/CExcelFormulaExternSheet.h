// The sheet part of a 3-D reference's text, from its EXTERNSHEET index:
// the REF entry at that index (counted over all EXTERNSHEET records of the
// workbook in order), the SUPBOOK it names and the sheets it spans.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CExcelRecordGWBSUPBOOK;
class CExcelFormulaWorkbook;

class CExcelFormulaExternSheet {
public:
    enum EResult {
        NoTable,     // no workbook, or a workbook without EXTERNSHEET records
        Resolved,    // sheets of this workbook or of another one, by name
        Deleted,     // a sheet since deleted, of this workbook or another one
        Unresolved,  // missing entry or SUPBOOK, an add-in or unused SUPBOOK,
                     // a sheet not in the list, an unreadable file name
    };

    // Sets prefix to "Sheet2!", "'Q1 2009'!", "Jan:Mar!" or, for another
    // workbook, "'C:\dir\[book.xls]Sheet1'!" when Resolved; to "#REF!" or,
    // for another workbook, "'C:\dir\[book.xls]#REF'!" when Deleted; else
    // to the bare "!" (the sheet part left empty).
    static EResult Prefix(const CExcelFormulaWorkbook* workbook, std::uint16_t index,
                          std::u16string& prefix);

    // The quoted prefix of another workbook's sheets first to last, or of
    // the whole workbook when first is empty ("'[book.xls]'!"). False,
    // prefix unchanged, when book's file name is not readable.
    static bool BookPrefix(const CExcelRecordGWBSUPBOOK& book, std::u16string_view first,
                           std::u16string_view last, std::u16string& prefix);
};
