#include "formula/CExcelFormulaExternName.h"

#include "formula/CExcelFormulaExternSheet.h"
#include "formula/CExcelFormulaNameText.h"
#include "formula/CExcelFormulaWorkbook.h"
#include "records/CExcelGlobalLookup.h"
#include "records/CExcelRecordEXTERNNAME.h"
#include "records/CExcelRecordGWBEXTERNSHEET.h"
#include "records/CExcelRecordGWBSUPBOOK.h"

namespace {

// A name of another workbook: whole, not a built-in code, and of a sheet
// that the SUPBOOK names (or of the whole workbook).
bool OtherBookText(const CExcelRecordGWBSUPBOOK& book, const CExcelRecordEXTERNNAME& name,
                   std::u16string& text) {
    if (!name.IsComplete() || (name.GetOptionFlags() & CExcelRecordEXTERNNAME::kBuiltIn) != 0)
        return false;
    std::u16string sheet;
    if (name.GetSheetIndex() != 0) {
        sheet = book.GetSheetName(name.GetSheetIndex() - 1u);
        if (sheet.empty()) return false;
    }
    std::u16string prefix;
    if (!CExcelFormulaExternSheet::BookPrefix(book, sheet, sheet, prefix)) return false;
    text = prefix + name.GetNameText();
    return true;
}

}  // namespace

CExcelFormulaExternName::EResult CExcelFormulaExternName::Text(
    const CExcelFormulaWorkbook* workbook, const CExcelSheetFormulas* worksheet,
    std::uint16_t refIndex, std::uint16_t nameIndex, std::u16string& text) {
    text.clear();
    if (!workbook || nameIndex == 0) return Unresolved;
    const CExcelRecordGWBEXTERNSHEET_REFData* entry =
        CExcelGlobalLookup::GetRefEntry(workbook->GetExternSheets(), refIndex);
    if (!entry) return Unresolved;
    const std::uint32_t bookIndex = entry->GetSupBookIndex();
    const CExcelRecordGWBSUPBOOK* book = workbook->GetSupBooks().GetAt(bookIndex);
    if (!book) return Unresolved;
    if (book->GetKind() == CExcelRecordGWBSUPBOOK::KindSelf) {
        return CExcelFormulaNameText::Resolve(workbook, worksheet, nameIndex, text) ? OwnName
                                                                                    : Unresolved;
    }
    const CExcelRecordEXTERNNAME* name =
        CExcelGlobalLookup::GetExternNameRecord(*workbook, bookIndex, nameIndex);
    if (!name || name->GetNameText().empty()) return Unresolved;
    switch (book->GetKind()) {
        case CExcelRecordGWBSUPBOOK::KindAddIn:
            text = name->GetNameText();
            return AddInFunction;
        case CExcelRecordGWBSUPBOOK::KindOther:
            if (OtherBookText(*book, *name, text)) return OtherBookName;
            break;
        default:
            break;
    }
    text = name->GetNameText();
    return Unresolved;
}
