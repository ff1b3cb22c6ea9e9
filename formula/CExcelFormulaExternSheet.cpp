#include "formula/CExcelFormulaExternSheet.h"

#include "biff/CExcelWorkBook.h"
#include "formula/CExcelFormulaSheetName.h"
#include "records/CExcelRecordGWBEXTERNSHEET.h"
#include "records/CExcelRecordGWBSUPBOOK.h"

namespace {

constexpr std::uint16_t kDeletedSheet = 0xFFFF;

const CExcelRecordGWBEXTERNSHEET_REFData* FindEntry(const CExcelWorkBook& workbook,
                                                    std::uint32_t index) {
    std::uint32_t skipped = 0;
    for (const CExcelRecordGWBEXTERNSHEET& record : workbook.GetExternSheets()) {
        const std::uint32_t count = record.GetEntries().GetCount();
        if (index - skipped < count) return record.GetEntry(index - skipped);
        skipped += count;
    }
    return nullptr;
}

}  // namespace

CExcelFormulaExternSheet::EResult CExcelFormulaExternSheet::Prefix(const CExcelWorkBook* workbook,
                                                                   std::uint16_t index,
                                                                   std::u16string& prefix) {
    prefix.assign(1, u'!');
    if (!workbook || workbook->GetExternSheets().IsEmpty()) return NoTable;
    const CExcelRecordGWBEXTERNSHEET_REFData* entry = FindEntry(*workbook, index);
    if (!entry) return Unresolved;
    const CExcelRecordGWBSUPBOOK* book = workbook->GetSupBooks().GetAt(entry->GetSupBookIndex());
    if (!book || !book->IsSelf()) return Unresolved;
    // A sheet deleted after the formula was written is stored as sheet
    // 0xFFFF; the spreadsheet evaluates such a reference to #REF!. (0xFFFE,
    // the whole book, belongs to defined names and stays unresolved.)
    if (entry->GetFirstSheet() == kDeletedSheet) return Deleted;
    if (entry->GetLastSheet() < entry->GetFirstSheet()) return Unresolved;
    const std::u16string first = workbook->GetWorksheets().GetSheetName(entry->GetFirstSheet());
    const std::u16string last = workbook->GetWorksheets().GetSheetName(entry->GetLastSheet());
    if (first.empty() || last.empty()) return Unresolved;
    prefix = CExcelFormulaSheetName::Prefix(first, last);
    return Resolved;
}
