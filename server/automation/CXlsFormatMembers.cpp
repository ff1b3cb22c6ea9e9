#include "server/automation/CXlsFormatMembers.h"

#include "server/automation/CXlsAlignmentStyle.h"
#include "server/automation/XlsAutomationConstants.h"

namespace {

// Applies one change of a group to the target; a change that refuses its
// value raises `refusal`.
HRESULT ChangeFormat(const CXlsRangeTarget& target, CDispatchCall& call, std::uint8_t group,
                     const CXlsWorksheet::FormatChange& change, std::u16string_view refusal) {
    if (!target.Modify(group, change)) {
        return call.Raise(xlauto::kRefusedCall, std::u16string(refusal));
    }
    return S_OK;
}

// The put of a Boolean format member.
HRESULT PutFormatFlag(const CXlsRangeTarget& target, CDispatchCall& call, std::uint8_t group,
                      void (*set)(CXlsCellFormat&, bool)) {
    bool flag = false;
    if (HRESULT status = call.PutBool(flag); Failed(status)) return status;
    return ChangeFormat(
        target, call, group,
        [set, flag](CXlsCellFormat& format) {
            set(format, flag);
            return true;
        },
        u"");
}

}  // namespace

HRESULT CXlsFormatMembers::NumberFormat(const CXlsRangeTarget& target, CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Text(target.TopLeftFormat().NumberFormat()));
        return S_OK;
    }
    std::u16string text;
    if (HRESULT status = call.PutText(text); Failed(status)) return status;
    const bool changed =
        target.Modify(CXlsCellFormat::kGroupNumber,
                      [&text](CXlsCellFormat& format) { return format.SetNumberFormat(text); });
    if (!changed) return call.Raise(xlauto::kRefusedCall, u"The number format is too long.");
    return S_OK;
}

HRESULT CXlsFormatMembers::HorizontalAlignment(const CXlsRangeTarget& target, CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Long(CXlsAlignmentStyle::HorizontalToStyle(
            target.TopLeftFormat().Alignment().Horizontal())));
        return S_OK;
    }
    std::int32_t style = 0;
    if (HRESULT status = call.PutLong(style); Failed(status)) return status;
    std::uint8_t value = 0;
    if (!CXlsAlignmentStyle::HorizontalToFile(style, value)) {
        return call.Raise(xlauto::kRefusedCall, u"Unknown horizontal alignment.");
    }
    return ChangeFormat(
        target, call, CXlsCellFormat::kGroupAlignment,
        [value](CXlsCellFormat& format) { return format.Alignment().SetHorizontal(value); }, u"");
}

HRESULT CXlsFormatMembers::VerticalAlignment(const CXlsRangeTarget& target, CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Long(
            CXlsAlignmentStyle::VerticalToStyle(target.TopLeftFormat().Alignment().Vertical())));
        return S_OK;
    }
    std::int32_t style = 0;
    if (HRESULT status = call.PutLong(style); Failed(status)) return status;
    std::uint8_t value = 0;
    if (!CXlsAlignmentStyle::VerticalToFile(style, value)) {
        return call.Raise(xlauto::kRefusedCall, u"Unknown vertical alignment.");
    }
    return ChangeFormat(
        target, call, CXlsCellFormat::kGroupAlignment,
        [value](CXlsCellFormat& format) { return format.Alignment().SetVertical(value); }, u"");
}

HRESULT CXlsFormatMembers::WrapText(const CXlsRangeTarget& target, CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool(target.TopLeftFormat().Alignment().Wrap()));
        return S_OK;
    }
    return PutFormatFlag(target, call, CXlsCellFormat::kGroupAlignment,
                         [](CXlsCellFormat& f, bool on) { f.Alignment().SetWrap(on); });
}

HRESULT CXlsFormatMembers::Orientation(const CXlsRangeTarget& target, CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Long(CXlsAlignmentStyle::RotationToOrientation(
            target.TopLeftFormat().Alignment().Rotation())));
        return S_OK;
    }
    std::int32_t orientation = 0;
    if (HRESULT status = call.PutLong(orientation); Failed(status)) return status;
    std::uint8_t rotation = 0;
    if (!CXlsAlignmentStyle::OrientationToRotation(orientation, rotation)) {
        return call.Raise(xlauto::kRefusedCall,
                          u"The orientation is -90 to 90 degrees or an orientation constant.");
    }
    return ChangeFormat(
        target, call, CXlsCellFormat::kGroupAlignment,
        [rotation](CXlsCellFormat& format) { return format.Alignment().SetRotation(rotation); },
        u"");
}

HRESULT CXlsFormatMembers::IndentLevel(const CXlsRangeTarget& target, CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Long(target.TopLeftFormat().Alignment().Indent()));
        return S_OK;
    }
    std::int32_t indent = 0;
    if (HRESULT status = call.PutLong(indent); Failed(status)) return status;
    return ChangeFormat(
        target, call, CXlsCellFormat::kGroupAlignment,
        [indent](CXlsCellFormat& format) { return format.Alignment().SetIndent(indent); },
        u"The indent level is 0 to 15.");
}

HRESULT CXlsFormatMembers::ShrinkToFit(const CXlsRangeTarget& target, CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool(target.TopLeftFormat().Alignment().ShrinkToFit()));
        return S_OK;
    }
    return PutFormatFlag(target, call, CXlsCellFormat::kGroupAlignment,
                         [](CXlsCellFormat& f, bool on) { f.Alignment().SetShrinkToFit(on); });
}

HRESULT CXlsFormatMembers::Locked(const CXlsRangeTarget& target, CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool(target.TopLeftFormat().Locked()));
        return S_OK;
    }
    return PutFormatFlag(target, call, CXlsCellFormat::kGroupProtection,
                         [](CXlsCellFormat& f, bool on) { f.SetLocked(on); });
}

HRESULT CXlsFormatMembers::FormulaHidden(const CXlsRangeTarget& target, CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool(target.TopLeftFormat().FormulaHidden()));
        return S_OK;
    }
    return PutFormatFlag(target, call, CXlsCellFormat::kGroupProtection,
                         [](CXlsCellFormat& f, bool on) { f.SetFormulaHidden(on); });
}
