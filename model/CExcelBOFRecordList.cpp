#include "model/CExcelBOFRecordList.h"

#include <string>

#include "model/CExcelWorkSheet.h"
#include "platform/TextConversion.h"

void CExcelBOFRecordList::Add(const CExcelBOFRecord& entry) {
    m_entries.Add(new CExcelBOFRecord(entry));
}

std::unique_ptr<CExcelWorkSheet> CExcelBOFRecordList::MakeWorksheet(
    const WorksheetEntry& worksheet) {
    auto sheet = std::make_unique<CExcelWorkSheet>();
    sheet->SetStart(worksheet.entry->GetStart());
    sheet->SetEnd(worksheet.entry->GetEnd());
    sheet->SetName(FromUtf8("unknown" + std::to_string(worksheet.number)));
    return sheet;
}

std::unique_ptr<CExcelWorkSheet> CExcelBOFRecordList::MakeWorksheetFromBOF(std::uint32_t n,
                                                                           std::uint32_t k) const {
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
        if (workbook == k && inWorkbook == n) return MakeWorksheet({&entry, total});
        ++inWorkbook;
        ++total;
    }
    return nullptr;
}

std::vector<std::vector<CExcelBOFRecordList::WorksheetEntry>> CExcelBOFRecordList::GroupWorksheets()
    const {
    std::vector<std::vector<WorksheetEntry>> groups;
    std::uint32_t total = 0;
    for (const CExcelBOFRecord& entry : m_entries) {
        if (entry.IsGlobals()) {
            groups.emplace_back();
            continue;
        }
        if (!entry.IsWorksheet()) continue;
        if (!groups.empty()) groups.back().push_back({&entry, total});
        ++total;
    }
    return groups;
}
