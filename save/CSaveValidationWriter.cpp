#include "save/CSaveValidationWriter.h"

#include <algorithm>

#include "model/CExcelWorkSheet.h"
#include "platform/SaveStopCheck.h"
#include "records/CExcelRecordDV.h"
#include "save/CSaveProgress.h"
#include "save/CSaveRuleFormula.h"
#include "save/CXLEzAutomation.h"
#include "save/CXLValidationRule.h"

namespace {

// The last column a worksheet has (IV, 0-based).
constexpr std::uint32_t kLastColumn = 255;

std::int32_t OneBased(std::uint32_t position) {
    return static_cast<std::int32_t>(position) + 1;
}

}  // namespace

CSaveValidationWriter::CSaveValidationWriter(CXLEzAutomation& automation,
                                             const CExcelWorkBook& workbook,
                                             const CExcelWorkSheet& worksheet,
                                             CSaveProgress& progress)
    : m_automation(automation),
      m_workbook(workbook),
      m_worksheet(worksheet),
      m_progress(progress) {}

bool CSaveValidationWriter::MakeRule(const CExcelRecordDV& record, std::uint32_t row,
                                     std::uint32_t column, CXLValidationRule& rule) const {
    // The object model counts styles and operators from 1.
    rule.type = static_cast<std::int16_t>(record.GetType());
    rule.alertStyle = static_cast<std::int16_t>(record.GetErrorStyle() + 1);
    rule.op = static_cast<std::int16_t>(record.GetOperator() + 1);
    rule.ignoreBlank = record.AllowsBlank();
    rule.inCellDropdown = !record.HidesDropDown();
    rule.showInput = record.ShowsPrompt();
    rule.showError = record.ShowsError();
    rule.inputTitle = record.GetPromptTitle();
    rule.errorTitle = record.GetErrorTitle();
    rule.inputMessage = record.GetPrompt();
    rule.errorMessage = record.GetError();

    std::u16string items;
    if (record.GetListItems(items)) {
        if (items.find(u',') != std::u16string::npos) return false;
        std::replace(items.begin(), items.end(), u'\0', u',');
        rule.formula1 = std::move(items);
    } else if (!CSaveRuleFormula::Text(record.GetFormula1(), row, column, m_workbook, m_worksheet,
                                       rule.formula1)) {
        return false;
    }
    return CSaveRuleFormula::Text(record.GetFormula2(), row, column, m_workbook, m_worksheet,
                                  rule.formula2);
}

bool CSaveValidationWriter::Write() {
    if (SaveStopCheck()) return false;
    for (const CExcelRecordDV& record : m_worksheet.GetValidations()) {
        if (SaveStopCheck()) return false;
        m_progress.Step();
        for (const CExcelCellRect& rect : record.GetRects()) {
            const std::uint32_t lastColumn = std::min<std::uint32_t>(rect.lastColumn, kLastColumn);
            if (rect.firstColumn > lastColumn || rect.firstRow > rect.lastRow) continue;
            CXLValidationRule rule;
            const bool added =
                MakeRule(record, rect.firstRow, rect.firstColumn, rule) &&
                m_automation.AddValidation(OneBased(rect.firstColumn), OneBased(rect.firstRow),
                                           OneBased(lastColumn), OneBased(rect.lastRow), rule);
            ++(added ? m_kept : m_leftOut);
        }
    }
    return true;
}
