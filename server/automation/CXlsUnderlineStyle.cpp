#include "server/automation/CXlsUnderlineStyle.h"

#include <array>

#include "server/CXlsFont.h"
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

bool CXlsUnderlineStyle::ToKind(std::int32_t style, std::uint8_t& kind) {
    for (const UnderlineStyle& entry : kUnderlines) {
        if (entry.style == style) {
            kind = entry.kind;
            return true;
        }
    }
    return false;
}

std::int32_t CXlsUnderlineStyle::ToStyle(std::uint8_t kind) {
    // From the third row on each kind has its own style.
    for (std::size_t i = 2; i < kUnderlines.size(); ++i) {
        if (kUnderlines[i].kind == kind) return kUnderlines[i].style;
    }
    return xlauto::kUnderlineNone;
}
