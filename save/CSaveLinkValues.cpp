#include "save/CSaveLinkValues.h"

#include <string>

#include "model/CExcelWorkBook.h"
#include "platform/SaveStopCheck.h"
#include "platform/automation/CVariant.h"
#include "records/CExcelEncodedFileName.h"
#include "records/CExcelExternalCache.h"
#include "records/CExcelRecordGWBSUPBOOK.h"
#include "save/CXLEzAutomation.h"

namespace {

CVariant VariantOf(const CExcelExternalCache::Cell& cell) {
    using EKind = CExcelExternalCache::EKind;
    switch (cell.kind) {
        case EKind::Number:
            return CVariant::Double(cell.number);
        case EKind::Text:
            return CVariant::Text(cell.text);
        case EKind::Boolean:
            return CVariant::Bool(cell.code != 0);
        case EKind::Error:
            return CVariant::SheetError(cell.code);
        case EKind::Empty:
            break;
    }
    return CVariant();
}

}  // namespace

bool CSaveLinkValues::Write(CXLEzAutomation& automation, const CExcelWorkBook& workbook) {
    for (const CExcelExternalCache& cache : workbook.GetExternalCaches()) {
        const CExcelRecordGWBSUPBOOK* book = workbook.GetSupBooks().GetAt(cache.GetSupBookIndex());
        if (book == nullptr || book->GetKind() != CExcelRecordGWBSUPBOOK::KindOther) continue;
        std::u16string path;
        if (!CExcelEncodedFileName::Decode(book->GetFileName(), path) || path.empty()) continue;
        const std::u16string sheet = book->GetSheetName(cache.GetSheetIndex());
        if (sheet.empty()) continue;
        for (const CExcelExternalCache::Cell& cell : cache.GetCells()) {
            if (SaveStopCheck()) return false;
            const CVariant value = VariantOf(cell);
            // An empty cell of the cache is what no cache says, too.
            if (value.Type() == VT_EMPTY) continue;
            if (automation.SetLinkValue(path, sheet, cell.row + 1, cell.column + 1, value)) {
                ++m_written;
            } else {
                ++m_refused;
            }
        }
    }
    return true;
}
