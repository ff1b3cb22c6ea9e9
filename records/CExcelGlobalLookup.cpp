#include "records/CExcelGlobalLookup.h"

#include "records/CExcelRecordEXTERNNAME.h"
#include "records/CExcelRecordGWBEXTERNSHEET.h"
#include "records/CExcelRecordGWBSUPBOOK.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBXF.h"
#include "records/CExcelWorkbookGlobals.h"
#include "records/RecordLayout.h"

const CExcelRecordWBXF* CExcelGlobalLookup::GetXF(const CTList<CExcelRecordWBXF>& xfs,
                                                  std::uint32_t xfIndex) {
    return xfs.GetAt(xfIndex);
}

std::uint32_t CExcelGlobalLookup::FontPosition(std::uint32_t fontIndex) {
    return fontIndex < biff8::kMissingFontIndex ? fontIndex : fontIndex - 1;
}

const CExcelRecordWBFONT* CExcelGlobalLookup::GetFont(const CTList<CExcelRecordWBFONT>& fonts,
                                                      std::uint32_t fontIndex) {
    return fonts.GetAt(FontPosition(fontIndex));
}

const CExcelRecordGWBEXTERNSHEET_REFData* CExcelGlobalLookup::GetRefEntry(
    const CTList<CExcelRecordGWBEXTERNSHEET>& externSheets, std::uint32_t refIndex) {
    std::uint32_t skipped = 0;
    for (const CExcelRecordGWBEXTERNSHEET& record : externSheets) {
        const std::uint32_t count = record.GetEntries().GetCount();
        if (refIndex - skipped < count) return record.GetEntry(refIndex - skipped);
        skipped += count;
    }
    return nullptr;
}

const CExcelRecordEXTERNNAME* CExcelGlobalLookup::GetExternNameRecord(
    const CExcelWorkbookGlobals& workbook, std::uint32_t supBookIndex, std::uint32_t nameIndex) {
    std::uint32_t position = 0;
    for (const CExcelRecordEXTERNNAME& externName : workbook.GetExternNames()) {
        if (externName.GetSupBookIndex() == supBookIndex && ++position == nameIndex)
            return &externName;
    }
    return nullptr;
}

bool CExcelGlobalLookup::GetInternalSheet(const CTList<CExcelRecordGWBEXTERNSHEET>& externSheets,
                                          const CTList<CExcelRecordGWBSUPBOOK>& supBooks,
                                          std::uint32_t refIndex, std::uint16_t& sheet) {
    const CExcelRecordGWBEXTERNSHEET_REFData* entry = GetRefEntry(externSheets, refIndex);
    if (!entry) return false;
    const CExcelRecordGWBSUPBOOK* book = supBooks.GetAt(entry->GetSupBookIndex());
    if (!book || !book->IsSelf()) return false;
    sheet = entry->GetFirstSheet();
    return true;
}

bool CExcelGlobalLookup::GetExternName(const CExcelWorkbookGlobals& workbook,
                                       std::uint32_t refIndex, std::uint32_t nameIndex,
                                       std::u16string& name, bool* addIn) {
    const CExcelRecordGWBEXTERNSHEET_REFData* entry =
        GetRefEntry(workbook.GetExternSheets(), refIndex);
    if (!entry || nameIndex == 0) return false;
    const std::uint32_t bookIndex = entry->GetSupBookIndex();
    const CExcelRecordGWBSUPBOOK* book = workbook.GetSupBooks().GetAt(bookIndex);
    if (!book) return false;
    const CExcelRecordEXTERNNAME* externName = GetExternNameRecord(workbook, bookIndex, nameIndex);
    if (!externName || externName->GetNameText().empty()) return false;
    name = externName->GetNameText();
    if (addIn) *addIn = book->IsAddIn();
    return true;
}

std::u16string CExcelGlobalLookup::GetExternSheetName(const CExcelWorkbookGlobals& workbook,
                                                      std::uint32_t refIndex) {
    std::uint16_t sheet = 0;
    if (!GetInternalSheet(workbook.GetExternSheets(), workbook.GetSupBooks(), refIndex, sheet))
        return {};
    return workbook.GetSheetName(sheet);
}
