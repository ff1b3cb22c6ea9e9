#include "save/CSaveConditionalFormatWriter.h"

#include <algorithm>
#include <string>

#include "model/CExcelWorkSheet.h"
#include "platform/SaveStopCheck.h"
#include "records/CExcelRecordCONDFMT.h"
#include "save/CSaveProgress.h"
#include "save/CSaveRuleFormula.h"
#include "save/CXLConditionRule.h"
#include "save/CXLEzAutomation.h"

namespace {

// The last column a worksheet has (IV, 0-based).
constexpr std::uint32_t kLastColumn = 255;
constexpr std::int16_t kAutomatic = -4105;
constexpr std::uint8_t kLastLineStyle = 13;
constexpr std::uint8_t kLastPattern = 18;
constexpr double kMinTwips = 20.0;
constexpr double kMaxTwips = 409.0 * 20.0;

std::int32_t OneBased(std::uint32_t position) {
    return static_cast<std::int32_t>(position) + 1;
}

std::int16_t ColorIndex(std::uint32_t fileColor) {
    if (fileColor >= 8 && fileColor <= 63) return static_cast<std::int16_t>(fileColor - 7);
    if (fileColor < 8) return static_cast<std::int16_t>(fileColor + 1);
    return kAutomatic;
}

struct Underline {
    std::uint8_t kind;   // as the FONT record stores it
    std::int16_t style;  // as Font.Underline takes it
};

constexpr Underline kUnderlines[] = {
    {0x00, -4142}, {0x01, 2}, {0x02, -4119}, {0x21, 4}, {0x22, 5},
};

}  // namespace

CSaveConditionalFormatWriter::CSaveConditionalFormatWriter(CXLEzAutomation& automation,
                                                           const CExcelWorkBook& workbook,
                                                           const CExcelWorkSheet& worksheet,
                                                           CSaveProgress& progress)
    : m_automation(automation),
      m_workbook(workbook),
      m_worksheet(worksheet),
      m_progress(progress) {}

bool CSaveConditionalFormatWriter::MakeRule(const CExcelRecordCF& condition, std::uint32_t row,
                                            std::uint32_t column, CXLConditionRule& rule) const {
    rule.type = condition.GetKind();
    rule.op = condition.GetOperator();
    if (!CSaveRuleFormula::Text(condition.GetFormula1(), row, column, m_workbook, m_worksheet,
                                rule.formula1) ||
        rule.formula1.empty() ||
        !CSaveRuleFormula::Text(condition.GetFormula2(), row, column, m_workbook, m_worksheet,
                                rule.formula2))
        return false;

    const CExcelDifferentialFormat& f = condition.GetFormat();
    rule.bold = f.bold;
    rule.italic = f.italic;
    rule.strikethrough = f.strikeOut;
    for (const Underline& entry : kUnderlines) {
        if (f.underline == entry.kind) rule.underline = entry.style;
    }
    if (f.fontColor) rule.fontColorIndex = ColorIndex(*f.fontColor);
    if (f.fontHeight && *f.fontHeight >= kMinTwips && *f.fontHeight <= kMaxTwips)
        rule.fontSize = *f.fontHeight / 20.0;
    for (std::size_t side = 0; side < rule.lines.size(); ++side) {
        const auto& line = f.lines[side];
        if (line && line->style <= kLastLineStyle)
            rule.lines[side] = CXLConditionRule::Line{line->style, ColorIndex(line->color)};
    }
    if (f.fillColor) rule.fillColorIndex = ColorIndex(*f.fillColor);
    if (f.pattern && *f.pattern <= kLastPattern) rule.pattern = *f.pattern;
    if (f.patternColor) rule.patternColorIndex = ColorIndex(*f.patternColor);
    return true;
}

bool CSaveConditionalFormatWriter::MakeRules(const CExcelRecordCONDFMT& record, std::uint32_t row,
                                             std::uint32_t column,
                                             std::vector<CXLConditionRule>& rules) const {
    rules.assign(record.GetConditions().size(), CXLConditionRule{});
    for (std::size_t i = 0; i < rules.size(); ++i) {
        if (!MakeRule(record.GetConditions()[i], row, column, rules[i])) return false;
    }
    return true;
}

bool CSaveConditionalFormatWriter::Write() {
    if (SaveStopCheck()) return false;
    for (const CExcelRecordCONDFMT& record : m_worksheet.GetConditionalFormats()) {
        if (SaveStopCheck()) return false;
        m_progress.Step();
        for (const CExcelCellRect& rect : record.GetRects()) {
            const std::uint32_t lastColumn = std::min<std::uint32_t>(rect.lastColumn, kLastColumn);
            if (rect.firstColumn > lastColumn || rect.firstRow > rect.lastRow) continue;
            const std::int32_t c1 = OneBased(rect.firstColumn);
            const std::int32_t r1 = OneBased(rect.firstRow);
            const std::int32_t c2 = OneBased(lastColumn);
            const std::int32_t r2 = OneBased(rect.lastRow);
            std::vector<CXLConditionRule> rules;
            bool whole = MakeRules(record, rect.firstRow, rect.firstColumn, rules);
            std::size_t added = 0;
            while (whole && added < rules.size()) {
                whole = m_automation.AddFormatCondition(c1, r1, c2, r2, rules[added]);
                if (whole) ++added;
            }
            if (!whole && added > 0) m_automation.DeleteFormatConditions(c1, r1, c2, r2);
            ++(whole ? m_kept : m_leftOut);
        }
    }
    return true;
}
