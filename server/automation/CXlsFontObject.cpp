#include "server/automation/CXlsFontObject.h"

#include <array>

#include "server/automation/XlsAutomationConstants.h"

namespace {

struct UnderlineStyle {
    std::int32_t style;  // as the object model names it
    std::uint8_t kind;   // as the FONT record stores it
};

// True (-1) and False (0) arrive as numbers once converted; they stand for
// single and none, the first two rows.
constexpr std::array<UnderlineStyle, 7> kUnderlines{{
    {-1, CXlsFont::kUnderlineSingle},
    {0, CXlsFont::kUnderlineNone},
    {xlauto::kUnderlineSingle, CXlsFont::kUnderlineSingle},
    {xlauto::kUnderlineNone, CXlsFont::kUnderlineNone},
    {xlauto::kUnderlineDouble, CXlsFont::kUnderlineDouble},
    {xlauto::kUnderlineSingleAccounting, CXlsFont::kUnderlineSingleAccounting},
    {xlauto::kUnderlineDoubleAccounting, CXlsFont::kUnderlineDoubleAccounting},
}};

}  // namespace

CXlsFontObject::CXlsFontObject(CXlsRangeTarget target)
    : CTXlsServerObject(kMembers), m_target(std::move(target)) {}

namespace {

// Applies one font change to every cell of the target; the change refuses
// values the font does not take.
template <class Change>
HRESULT ChangeFont(const CXlsRangeTarget& target, CDispatchCall& call, Change change,
                   std::u16string_view refusal) {
    const bool changed = target.sheet->ModifyFormat(
        target.range, [&change](CXlsCellFormat& format) { return change(format.Font()); });
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
        const std::uint8_t kind = m_target.TopLeftFormat().Font().Underline();
        // From the third row on each kind has its own style.
        std::int32_t style = xlauto::kUnderlineNone;
        for (std::size_t i = 2; i < kUnderlines.size(); ++i) {
            if (kUnderlines[i].kind == kind) {
                style = kUnderlines[i].style;
                break;
            }
        }
        call.SetResult(CVariant::Long(style));
        return S_OK;
    }
    std::int32_t style = 0;
    if (HRESULT status = call.PutLong(style); Failed(status)) return status;
    for (const UnderlineStyle& entry : kUnderlines) {
        if (entry.style != style) continue;
        return ChangeFont(
            m_target, call, [&entry](CXlsFont& font) { return font.SetUnderline(entry.kind); },
            u"");
    }
    return call.Raise(xlauto::kRefusedCall, u"Unknown underline style.");
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
