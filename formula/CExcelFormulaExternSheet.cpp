#include "formula/CExcelFormulaExternSheet.h"

#include "formula/CExcelFormulaSheetName.h"
#include "formula/CExcelFormulaWorkbook.h"
#include "records/CExcelEncodedFileName.h"
#include "records/CExcelGlobalLookup.h"
#include "records/CExcelRecordGWBEXTERNSHEET.h"
#include "records/CExcelRecordGWBSUPBOOK.h"

namespace {

// A sheet deleted after the formula was written is stored as sheet 0xFFFF;
// 0xFFFE stands for the whole workbook and belongs to names, not to cells.
constexpr std::uint16_t kDeletedSheet = 0xFFFF;
constexpr std::uint16_t kWholeBook = 0xFFFE;
constexpr std::u16string_view kDeletedOtherSheet = u"#REF";

CExcelFormulaExternSheet::EResult OwnSheets(const CExcelFormulaWorkbook& workbook,
                                            std::uint16_t first, std::uint16_t last,
                                            std::u16string& prefix) {
    if (first == kDeletedSheet) {
        // The spreadsheet shows such a reference as #REF!A1 and computes it
        // to #REF!.
        prefix = u"#REF!";
        return CExcelFormulaExternSheet::Deleted;
    }
    if (last < first) return CExcelFormulaExternSheet::Unresolved;
    const std::u16string firstName = workbook.GetSheetName(first);
    const std::u16string lastName = workbook.GetSheetName(last);
    if (firstName.empty() || lastName.empty()) return CExcelFormulaExternSheet::Unresolved;
    prefix = CExcelFormulaSheetName::Prefix(firstName, lastName);
    return CExcelFormulaExternSheet::Resolved;
}

CExcelFormulaExternSheet::EResult OtherSheets(const CExcelRecordGWBSUPBOOK& book,
                                              std::uint16_t first, std::uint16_t last,
                                              std::u16string& prefix) {
    if (first == kDeletedSheet && last == kDeletedSheet) {
        // A sheet of that workbook that is gone: the spreadsheet shows
        // '[book.xls]#REF'!A1 and computes it to #REF!.
        return CExcelFormulaExternSheet::BookPrefix(book, kDeletedOtherSheet, kDeletedOtherSheet,
                                                    prefix)
                   ? CExcelFormulaExternSheet::Deleted
                   : CExcelFormulaExternSheet::Unresolved;
    }
    if (first >= kWholeBook || last >= kWholeBook || last < first)
        return CExcelFormulaExternSheet::Unresolved;
    const std::u16string firstName = book.GetSheetName(first);
    const std::u16string lastName = book.GetSheetName(last);
    if (firstName.empty() || lastName.empty() ||
        !CExcelFormulaExternSheet::BookPrefix(book, firstName, lastName, prefix))
        return CExcelFormulaExternSheet::Unresolved;
    return CExcelFormulaExternSheet::Resolved;
}

}  // namespace

CExcelFormulaExternSheet::EResult CExcelFormulaExternSheet::Prefix(
    const CExcelFormulaWorkbook* workbook, std::uint16_t index, std::u16string& prefix) {
    prefix.assign(1, u'!');
    if (!workbook || workbook->GetExternSheets().IsEmpty()) return NoTable;
    const CExcelRecordGWBEXTERNSHEET_REFData* entry =
        CExcelGlobalLookup::GetRefEntry(workbook->GetExternSheets(), index);
    if (!entry) return Unresolved;
    const CExcelRecordGWBSUPBOOK* book = workbook->GetSupBooks().GetAt(entry->GetSupBookIndex());
    if (!book) return Unresolved;
    switch (book->GetKind()) {
        case CExcelRecordGWBSUPBOOK::KindSelf:
            return OwnSheets(*workbook, entry->GetFirstSheet(), entry->GetLastSheet(), prefix);
        case CExcelRecordGWBSUPBOOK::KindOther:
            return OtherSheets(*book, entry->GetFirstSheet(), entry->GetLastSheet(), prefix);
        default:
            // An add-in has no sheets; an unused SUPBOOK no longer names its
            // workbook; a same-sheet SUPBOOK belongs to macro sheets.
            return Unresolved;
    }
}

bool CExcelFormulaExternSheet::BookPrefix(const CExcelRecordGWBSUPBOOK& book,
                                          std::u16string_view first, std::u16string_view last,
                                          std::u16string& prefix) {
    std::u16string path;
    std::u16string directory;
    std::u16string file;
    if (!CExcelEncodedFileName::Decode(book.GetFileName(), path) ||
        !CExcelEncodedFileName::Split(path, directory, file))
        return false;
    prefix = CExcelFormulaSheetName::BookPrefix(directory, file, first, last);
    return true;
}
