#include "server/automation/CXlsInteriorObject.h"

#include "server/automation/XlsAutomationConstants.h"

namespace {

template <class Change>
HRESULT ChangeFill(const CXlsRangeTarget& target, CDispatchCall& call, Change change,
                   std::u16string_view refusal) {
    const bool changed =
        target.Modify(CXlsCellFormat::kGroupPattern,
                      [&change](CXlsCellFormat& format) { return change(format.Interior()); });
    return changed ? S_OK : call.Raise(xlauto::kRefusedCall, std::u16string(refusal));
}

}  // namespace

CXlsInteriorObject::CXlsInteriorObject(CXlsRangeTarget target)
    : CTXlsServerObject(kMembers), m_target(std::move(target)) {}

HRESULT CXlsInteriorObject::ColorIndex(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Long(m_target.TopLeftFormat().Interior().ColorIndex()));
        return S_OK;
    }
    std::int32_t colorIndex = 0;
    if (HRESULT status = call.PutLong(colorIndex); Failed(status)) return status;
    return ChangeFill(
        m_target, call, [colorIndex](CXlsInterior& fill) { return fill.SetColorIndex(colorIndex); },
        u"A colour index is 1 to 56, -4105 (automatic) or -4142 (none).");
}

HRESULT CXlsInteriorObject::Pattern(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Long(m_target.TopLeftFormat().Interior().Pattern()));
        return S_OK;
    }
    std::int32_t pattern = 0;
    if (HRESULT status = call.PutLong(pattern); Failed(status)) return status;
    if (pattern == xlauto::kNone) pattern = CXlsInterior::kPatternNone;
    return ChangeFill(
        m_target, call, [pattern](CXlsInterior& fill) { return fill.SetPattern(pattern); },
        u"A fill pattern is 0 to 18.");
}

HRESULT CXlsInteriorObject::PatternColorIndex(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Long(m_target.TopLeftFormat().Interior().PatternColorIndex()));
        return S_OK;
    }
    std::int32_t colorIndex = 0;
    if (HRESULT status = call.PutLong(colorIndex); Failed(status)) return status;
    return ChangeFill(
        m_target, call,
        [colorIndex](CXlsInterior& fill) { return fill.SetPatternColorIndex(colorIndex); },
        u"A pattern colour index is 1 to 56 or -4105 (automatic).");
}
