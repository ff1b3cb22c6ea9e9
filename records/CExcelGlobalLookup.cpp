#include "records/CExcelGlobalLookup.h"

#include "biff/CExcelWorkBook.h"
#include "records/CExcelRecordGWBEXTERNSHEET.h"
#include "records/CExcelRecordGWBSUPBOOK.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBXF.h"
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

bool CExcelGlobalLookup::GetInternalSheet(const CTList<CExcelRecordGWBEXTERNSHEET>& externSheets,
                                          const CTList<CExcelRecordGWBSUPBOOK>& supBooks,
                                          std::uint32_t refIndex, std::uint16_t& sheet) {
    const CExcelRecordGWBEXTERNSHEET_REFData* entry = nullptr;
    std::uint32_t skipped = 0;
    for (const CExcelRecordGWBEXTERNSHEET& record : externSheets) {
        const std::uint32_t count = record.GetEntries().GetCount();
        if (refIndex - skipped < count) {
            entry = record.GetEntry(refIndex - skipped);
            break;
        }
        skipped += count;
    }
    if (!entry) return false;
    const CExcelRecordGWBSUPBOOK* book = supBooks.GetAt(entry->GetSupBookIndex());
    if (!book || !book->IsSelf()) return false;
    sheet = entry->GetFirstSheet();
    return true;
}

std::u16string CExcelGlobalLookup::GetExternSheetName(const CExcelWorkBook& workbook,
                                                      std::uint32_t refIndex) {
    std::uint16_t sheet = 0;
    if (!GetInternalSheet(workbook.GetExternSheets(), workbook.GetSupBooks(), refIndex, sheet))
        return {};
    return workbook.GetWorksheets().GetSheetName(sheet);
}
