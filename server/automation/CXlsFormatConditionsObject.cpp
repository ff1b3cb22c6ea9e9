#include "server/automation/CXlsFormatConditionsObject.h"

#include "server/automation/CXlsFormatConditionObject.h"
#include "server/automation/CXlsRuleFormula.h"
#include "server/automation/XlsAutomationConstants.h"

namespace {

// Positions of Add's parameters.
constexpr std::size_t kType = 0;
constexpr std::size_t kOperator = 1;
constexpr std::size_t kFormula1 = 2;
constexpr std::size_t kFormula2 = 3;

}  // namespace

CXlsFormatConditionsObject::CXlsFormatConditionsObject(CXlsRangeTarget target)
    : CTXlsServerObject(kMembers), m_target(std::move(target)) {}

HRESULT CXlsFormatConditionsObject::Add(CDispatchCall& call) {
    std::int32_t type = 0;
    std::int32_t op = kBetween;
    if (HRESULT status = call.ArgLong(kType, type); Failed(status)) return status;
    if (call.Has(kOperator)) {
        if (HRESULT status = call.ArgLong(kOperator, op); Failed(status)) return status;
    }
    // An expression takes no operator; whatever comes is ignored.
    if ((type != kCellValue && type != kExpression) ||
        (type == kCellValue && (op < kBetween || op > kLessEqual))) {
        return call.Raise(xlauto::kRefusedCall, u"Type is 1 or 2 and Operator 1 to 8.");
    }
    CXlsCondition condition;
    condition.kind = static_cast<std::uint8_t>(type);
    if (type == kCellValue) condition.op = static_cast<std::uint8_t>(op);
    if (HRESULT status =
            CXlsRuleFormula::Compile(call, kFormula1, m_target, false, condition.formula1);
        Failed(status)) {
        return status;
    }
    if (type == kCellValue && (op == kBetween || op == kNotBetween)) {
        if (HRESULT status =
                CXlsRuleFormula::Compile(call, kFormula2, m_target, false, condition.formula2);
            Failed(status)) {
            return status;
        }
    }
    const int index =
        m_target.sheet->ConditionalFormats().Add(m_target.range, std::move(condition));
    if (index < 0) {
        return call.Raise(xlauto::kRefusedCall, u"The sheet holds too many format conditions.");
    }
    call.SetResult(CVariant::AdoptObject(new CXlsFormatConditionObject(
        CXlsConditionTarget(m_target, static_cast<std::size_t>(index)))));
    return S_OK;
}

HRESULT CXlsFormatConditionsObject::Count(CDispatchCall& call) {
    const CXlsConditionalFormat* format = m_target.sheet->ConditionalFormats().Find(m_target.range);
    call.SetResult(
        CVariant::Long(format ? static_cast<std::int32_t>(format->conditions.size()) : 0));
    return S_OK;
}

HRESULT CXlsFormatConditionsObject::Item(CDispatchCall& call) {
    std::int32_t index = 0;
    if (HRESULT status = call.ArgLong(0, index); Failed(status)) return status;
    const CXlsConditionalFormat* format = m_target.sheet->ConditionalFormats().Find(m_target.range);
    if (format == nullptr || index < 1 ||
        static_cast<std::size_t>(index) > format->conditions.size()) {
        return call.ArgumentError(0, DISP_E_BADINDEX);
    }
    call.SetResult(CVariant::AdoptObject(new CXlsFormatConditionObject(
        CXlsConditionTarget(m_target, static_cast<std::size_t>(index) - 1))));
    return S_OK;
}

HRESULT CXlsFormatConditionsObject::Delete(CDispatchCall& /*call*/) {
    m_target.sheet->ConditionalFormats().RemoveInside(m_target.range);
    return S_OK;
}
