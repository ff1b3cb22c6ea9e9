#include "server/automation/CXlsConditionFontObject.h"

#include <cmath>

#include "server/automation/CXlsUnderlineStyle.h"
#include "server/automation/XlsAutomationConstants.h"

namespace {

constexpr std::uint16_t kAutomaticFontColor = 0x7FFF;
constexpr double kTwipsPerPoint = 20.0;
constexpr double kMinPoints = 1.0;
constexpr double kMaxPoints = 409.0;

}  // namespace

CXlsConditionFontObject::CXlsConditionFontObject(CXlsConditionTarget target)
    : CTXlsServerObject(kMembers), m_target(std::move(target)) {}

HRESULT CXlsConditionFontObject::Flag(CDispatchCall& call,
                                      std::optional<bool> CXlsConditionFormat::*field) {
    CXlsCondition* condition = m_target.Find(call);
    if (condition == nullptr) return DISP_E_EXCEPTION;
    std::optional<bool>& value = condition->format.*field;
    if (!call.IsPut()) {
        call.SetResult(value ? CVariant::Bool(*value) : CVariant::Null());
        return S_OK;
    }
    bool on = false;
    if (HRESULT status = call.PutBool(on); Failed(status)) return status;
    value = on;
    return S_OK;
}

HRESULT CXlsConditionFontObject::Bold(CDispatchCall& call) {
    return Flag(call, &CXlsConditionFormat::bold);
}

HRESULT CXlsConditionFontObject::Italic(CDispatchCall& call) {
    return Flag(call, &CXlsConditionFormat::italic);
}

HRESULT CXlsConditionFontObject::Strikethrough(CDispatchCall& call) {
    return Flag(call, &CXlsConditionFormat::strikeOut);
}

HRESULT CXlsConditionFontObject::Underline(CDispatchCall& call) {
    CXlsCondition* condition = m_target.Find(call);
    if (condition == nullptr) return DISP_E_EXCEPTION;
    std::optional<std::uint8_t>& underline = condition->format.underline;
    if (!call.IsPut()) {
        call.SetResult(underline ? CVariant::Long(CXlsUnderlineStyle::ToStyle(*underline))
                                 : CVariant::Null());
        return S_OK;
    }
    std::int32_t style = 0;
    std::uint8_t kind = 0;
    if (HRESULT status = call.PutLong(style); Failed(status)) return status;
    if (!CXlsUnderlineStyle::ToKind(style, kind)) {
        return call.Raise(xlauto::kRefusedCall, u"Unknown underline style.");
    }
    underline = kind;
    return S_OK;
}

HRESULT CXlsConditionFontObject::ColorIndex(CDispatchCall& call) {
    CXlsCondition* condition = m_target.Find(call);
    if (condition == nullptr) return DISP_E_EXCEPTION;
    std::optional<std::uint16_t>& color = condition->format.fontColor;
    if (!call.IsPut()) {
        call.SetResult(color ? CVariant::Long(CXlsConditionTarget::FromFileColor(*color))
                             : CVariant::Null());
        return S_OK;
    }
    std::int32_t colorIndex = 0;
    std::uint16_t file = 0;
    if (HRESULT status = call.PutLong(colorIndex); Failed(status)) return status;
    if (!CXlsConditionTarget::ToFileColor(colorIndex, kAutomaticFontColor, file)) {
        return call.Raise(xlauto::kRefusedCall, u"A colour index is 1 to 56 or -4105 (automatic).");
    }
    color = file;
    return S_OK;
}

HRESULT CXlsConditionFontObject::Size(CDispatchCall& call) {
    CXlsCondition* condition = m_target.Find(call);
    if (condition == nullptr) return DISP_E_EXCEPTION;
    std::optional<std::uint16_t>& height = condition->format.fontHeight;
    if (!call.IsPut()) {
        call.SetResult(height ? CVariant::Double(*height / kTwipsPerPoint) : CVariant::Null());
        return S_OK;
    }
    double points = 0.0;
    if (HRESULT status = call.PutDouble(points); Failed(status)) return status;
    if (!(points >= kMinPoints && points <= kMaxPoints)) {
        return call.Raise(xlauto::kRefusedCall, u"A font is 1 to 409 points high.");
    }
    height = static_cast<std::uint16_t>(std::lround(points * kTwipsPerPoint));
    return S_OK;
}
