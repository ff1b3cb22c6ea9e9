#include "server/automation/CXlsConditionInteriorObject.h"

#include "server/CXlsInterior.h"
#include "server/automation/XlsAutomationConstants.h"

namespace {

constexpr std::uint16_t kAutomaticPatternColor = 64;
constexpr std::uint16_t kAutomaticFillColor = 65;

}  // namespace

CXlsConditionInteriorObject::CXlsConditionInteriorObject(CXlsConditionTarget target)
    : CTXlsServerObject(kMembers), m_target(std::move(target)) {}

HRESULT CXlsConditionInteriorObject::Color(CDispatchCall& call,
                                           std::optional<std::uint8_t> CXlsConditionFormat::*field,
                                           std::uint16_t automatic) {
    CXlsCondition* condition = m_target.Find(call);
    if (condition == nullptr) return DISP_E_EXCEPTION;
    std::optional<std::uint8_t>& color = condition->format.*field;
    if (!call.IsPut()) {
        call.SetResult(color ? CVariant::Long(CXlsConditionTarget::FromFileColor(*color))
                             : CVariant::Null());
        return S_OK;
    }
    std::int32_t colorIndex = 0;
    std::uint16_t file = 0;
    if (HRESULT status = call.PutLong(colorIndex); Failed(status)) return status;
    if (!CXlsConditionTarget::ToFileColor(colorIndex, automatic, file)) {
        return call.Raise(xlauto::kRefusedCall, u"A colour index is 1 to 56 or -4105 (automatic).");
    }
    color = static_cast<std::uint8_t>(file);
    return S_OK;
}

HRESULT CXlsConditionInteriorObject::ColorIndex(CDispatchCall& call) {
    return Color(call, &CXlsConditionFormat::fillColor, kAutomaticFillColor);
}

HRESULT CXlsConditionInteriorObject::PatternColorIndex(CDispatchCall& call) {
    return Color(call, &CXlsConditionFormat::patternColor, kAutomaticPatternColor);
}

HRESULT CXlsConditionInteriorObject::Pattern(CDispatchCall& call) {
    CXlsCondition* condition = m_target.Find(call);
    if (condition == nullptr) return DISP_E_EXCEPTION;
    std::optional<std::uint8_t>& pattern = condition->format.pattern;
    if (!call.IsPut()) {
        call.SetResult(pattern ? CVariant::Long(*pattern) : CVariant::Null());
        return S_OK;
    }
    std::int32_t value = 0;
    if (HRESULT status = call.PutLong(value); Failed(status)) return status;
    if (value == xlauto::kNone) value = CXlsInterior::kPatternNone;
    if (value < CXlsInterior::kPatternNone || value > CXlsInterior::kLastPattern) {
        return call.Raise(xlauto::kRefusedCall, u"A fill pattern is 0 to 18.");
    }
    pattern = static_cast<std::uint8_t>(value);
    return S_OK;
}
