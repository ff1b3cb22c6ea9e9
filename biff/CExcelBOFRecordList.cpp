#include "biff/CExcelBOFRecordList.h"

#include <string>

#include "biff/CExcelWorkSheet.h"
#include "platform/TextConversion.h"

void CExcelBOFRecordList::Add(const CExcelBOFRecord& entry) {
    m_entries.Add(new CExcelBOFRecord(entry));
}

std::unique_ptr<CExcelWorkSheet> CExcelBOFRecordList::MakeWorksheetFromBOF(
    std::uint32_t n, std::uint32_t k) const {
    // The workbook counter starts below the first workbook: worksheet entries
    // before any globals entry (which the search never produces) belong to
    // no workbook.
    std::int64_t workbook = -1;
    std::uint32_t inWorkbook = 0;
    std::uint32_t total = 0;
    for (const CExcelBOFRecord& entry : m_entries) {
        if (entry.IsGlobals()) {
            ++workbook;
            inWorkbook = 0;
            continue;
        }
        if (!entry.IsWorksheet()) continue;
        if (workbook == k && inWorkbook == n) {
            auto sheet = std::make_unique<CExcelWorkSheet>();
            sheet->SetStart(entry.GetStart());
            sheet->SetEnd(entry.GetEnd());
            sheet->SetName(FromUtf8("unknown" + std::to_string(total)));
            return sheet;
        }
        ++inWorkbook;
        ++total;
    }
    return nullptr;
}
