#include "server/automation/CXlsFontObject.h"

#include "server/automation/CXlsUnderlineStyle.h"
#include "server/automation/XlsAutomationConstants.h"

CXlsFontObject::CXlsFontObject(CXlsRangeTarget target)
    : CTXlsServerObject(kMembers), m_target(std::move(target)) {}

namespace {

// Applies one font change to every cell of the target; the change refuses
// values the font does not take.
template <class Change>
HRESULT ChangeFont(const CXlsRangeTarget& target, CDispatchCall& call, Change change,
                   std::u16string_view refusal) {
    const bool changed =
        target.Modify(CXlsCellFormat::kGroupFont,
                      [&change](CXlsCellFormat& format) { return change(format.Font()); });
    return changed ? S_OK : call.Raise(xlauto::kRefusedCall, std::u16string(refusal));
}

}  // namespace

HRESULT CXlsFontObject::Name(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Text(m_target.TopLeftFormat().Font().Name()));
        return S_OK;
    }
    std::u16string name;
    if (HRESULT status = call.PutText(name); Failed(status)) return status;
    return ChangeFont(
        m_target, call, [&name](CXlsFont& font) { return font.SetName(name); },
        u"A font name has 1 to 255 characters.");
}

HRESULT CXlsFontObject::Size(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Double(m_target.TopLeftFormat().Font().Size()));
        return S_OK;
    }
    double size = 0.0;
    if (HRESULT status = call.PutDouble(size); Failed(status)) return status;
    return ChangeFont(
        m_target, call, [size](CXlsFont& font) { return font.SetSize(size); },
        u"A font is 1 to 409 points high.");
}

HRESULT CXlsFontObject::Bold(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool(m_target.TopLeftFormat().Font().Bold()));
        return S_OK;
    }
    bool bold = false;
    if (HRESULT status = call.PutBool(bold); Failed(status)) return status;
    return ChangeFont(
        m_target, call,
        [bold](CXlsFont& font) {
            font.SetBold(bold);
            return true;
        },
        u"");
}

HRESULT CXlsFontObject::Italic(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool(m_target.TopLeftFormat().Font().Italic()));
        return S_OK;
    }
    bool italic = false;
    if (HRESULT status = call.PutBool(italic); Failed(status)) return status;
    return ChangeFont(
        m_target, call,
        [italic](CXlsFont& font) {
            font.SetItalic(italic);
            return true;
        },
        u"");
}

HRESULT CXlsFontObject::Underline(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Long(
            CXlsUnderlineStyle::ToStyle(m_target.TopLeftFormat().Font().Underline())));
        return S_OK;
    }
    std::int32_t style = 0;
    if (HRESULT status = call.PutLong(style); Failed(status)) return status;
    std::uint8_t kind = 0;
    if (!CXlsUnderlineStyle::ToKind(style, kind)) {
        return call.Raise(xlauto::kRefusedCall, u"Unknown underline style.");
    }
    return ChangeFont(
        m_target, call, [kind](CXlsFont& font) { return font.SetUnderline(kind); }, u"");
}

HRESULT CXlsFontObject::ColorIndex(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Long(m_target.TopLeftFormat().Font().ColorIndex()));
        return S_OK;
    }
    std::int32_t colorIndex = 0;
    if (HRESULT status = call.PutLong(colorIndex); Failed(status)) return status;
    return ChangeFont(
        m_target, call, [colorIndex](CXlsFont& font) { return font.SetColorIndex(colorIndex); },
        u"A colour index is 1 to 56, -4105 (automatic) or -4142 (none).");
}

HRESULT CXlsFontObject::Strikethrough(CDispatchCall& call) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool(m_target.TopLeftFormat().Font().Strikethrough()));
        return S_OK;
    }
    bool strikethrough = false;
    if (HRESULT status = call.PutBool(strikethrough); Failed(status)) return status;
    return ChangeFont(
        m_target, call,
        [strikethrough](CXlsFont& font) {
            font.SetStrikethrough(strikethrough);
            return true;
        },
        u"");
}

HRESULT CXlsFontObject::Superscript(CDispatchCall& call) {
    return Escapement(call, CXlsFont::kEscapementSuperscript);
}

HRESULT CXlsFontObject::Subscript(CDispatchCall& call) {
    return Escapement(call, CXlsFont::kEscapementSubscript);
}

HRESULT CXlsFontObject::Escapement(CDispatchCall& call, std::uint8_t escapement) {
    if (!call.IsPut()) {
        call.SetResult(CVariant::Bool(m_target.TopLeftFormat().Font().Escapement() == escapement));
        return S_OK;
    }
    bool on = false;
    if (HRESULT status = call.PutBool(on); Failed(status)) return status;
    return ChangeFont(
        m_target, call,
        [escapement, on](CXlsFont& font) {
            if (on) return font.SetEscapement(escapement);
            if (font.Escapement() == escapement) font.SetEscapement(CXlsFont::kEscapementNone);
            return true;
        },
        u"");
}
