#include "save/CSaveProgress.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "model/CExcelData.h"
#include "model/CExcelWorkSheet.h"
#include "platform/ProgressTarget.h"
#include "platform/RunState.h"
#include "records/CExcelCommentList.h"

namespace {

std::uint64_t SheetRecords(const CExcelWorkSheet& sheet) {
    // Inline LABEL texts are written with the shared-string texts and step
    // the progress like them.
    return std::uint64_t{sheet.GetNumbers().GetCount()} + sheet.GetRKValues().GetCount() +
           sheet.GetFormulas().GetCount() + sheet.GetXFs().GetCount() +
           sheet.GetBlanks().GetCount() + sheet.GetMulBlanks().GetCount() +
           sheet.GetBoolErrs().GetCount() + sheet.GetColInfos().GetCount() +
           sheet.GetRows().GetCount() + sheet.GetQuickTips().GetCount() +
           sheet.GetMergedCells().GetCount() + sheet.GetLabelSSTs().GetCount() +
           sheet.GetLabels().GetCount() + sheet.GetComments().GetCount() +
           sheet.GetHyperlinks().GetCount() + sheet.GetValidations().GetCount() +
           sheet.GetConditionalFormats().GetCount();
}

}  // namespace

CSaveProgress::CSaveProgress(ProgressTarget* target) : m_target(target) {}

std::uint32_t CSaveProgress::Total(const CExcelData& data) {
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t total = 0;
    for (const CExcelWorkBook& workbook : data.GetWorkbooks()) {
        total += 1;
        for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) total += SheetRecords(sheet);
        total = std::min(total, kMax);
    }
    return static_cast<std::uint32_t>(total);
}

void CSaveProgress::Start(std::uint32_t total) {
    if (m_target != nullptr) m_target->SetRange(0, total);
    Set(1);
}

void CSaveProgress::SetText(std::u16string text) {
    m_text = std::move(text);
    SaveProgressText.Set(m_text);
}

void CSaveProgress::AppendText(std::u16string_view text) {
    m_text.append(text);
    SaveProgressText.Set(m_text);
}

void CSaveProgress::Set(std::uint32_t position) {
    m_position = position;
    SaveProgress.store(position);
    if (m_target != nullptr) m_target->SetPosition(position);
}

void CSaveProgress::Add(std::uint32_t count) {
    Set(m_position + count);
}
