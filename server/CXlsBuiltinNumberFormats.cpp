#include "server/CXlsBuiltinNumberFormats.h"

namespace {

struct BuiltinFormat {
    std::uint16_t index;
    std::u16string_view text;
    bool alwaysWritten;
};

// The texts as an English-language spreadsheet shows them.
constexpr BuiltinFormat kFormats[] = {
    {0, u"General", false},
    {1, u"0", false},
    {2, u"0.00", false},
    {3, u"#,##0", false},
    {4, u"#,##0.00", false},
    {5, u"\"$\"#,##0_);\\(\"$\"#,##0\\)", true},
    {6, u"\"$\"#,##0_);[Red]\\(\"$\"#,##0\\)", true},
    {7, u"\"$\"#,##0.00_);\\(\"$\"#,##0.00\\)", true},
    {8, u"\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)", true},
    {9, u"0%", false},
    {10, u"0.00%", false},
    {11, u"0.00E+00", false},
    {12, u"# ?/?", false},
    {13, u"# ?\?/??", false},
    {14, u"m/d/yy", false},
    {15, u"d-mmm-yy", false},
    {16, u"d-mmm", false},
    {17, u"mmm-yy", false},
    {18, u"h:mm AM/PM", false},
    {19, u"h:mm:ss AM/PM", false},
    {20, u"h:mm", false},
    {21, u"h:mm:ss", false},
    {22, u"m/d/yy h:mm", false},
    {37, u"#,##0_);(#,##0)", false},
    {38, u"#,##0_);[Red](#,##0)", false},
    {39, u"#,##0.00_);(#,##0.00)", false},
    {40, u"#,##0.00_);[Red](#,##0.00)", false},
    {41, u"_(* #,##0_);_(* \\(#,##0\\);_(* \"-\"_);_(@_)", true},
    {42, u"_(\"$\"* #,##0_);_(\"$\"* \\(#,##0\\);_(\"$\"* \"-\"_);_(@_)", true},
    {43, u"_(* #,##0.00_);_(* \\(#,##0.00\\);_(* \"-\"??_);_(@_)", true},
    {44, u"_(\"$\"* #,##0.00_);_(\"$\"* \\(#,##0.00\\);_(\"$\"* \"-\"??_);_(@_)", true},
    {45, u"mm:ss", false},
    {46, u"[h]:mm:ss", false},
    {47, u"mm:ss.0", false},
    {48, u"##0.0E+0", false},
    {49, u"@", false},
};

}  // namespace

std::optional<std::uint16_t> CXlsBuiltinNumberFormats::IndexOf(std::u16string_view text) {
    for (const BuiltinFormat& format : kFormats) {
        if (format.text == text) return format.index;
    }
    return std::nullopt;
}

std::u16string_view CXlsBuiltinNumberFormats::TextOf(std::uint16_t index) {
    for (const BuiltinFormat& format : kFormats) {
        if (format.index == index) return format.text;
    }
    return {};
}

bool CXlsBuiltinNumberFormats::IsAlwaysWritten(std::uint16_t index) {
    for (const BuiltinFormat& format : kFormats) {
        if (format.index == index) return format.alwaysWritten;
    }
    return false;
}
