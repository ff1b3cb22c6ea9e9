#include "format/CExcelNumberFormatManager.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <string_view>

#include "format/CDataConversion.h"
#include "format/CNumberFormat.h"
#include "format/CPrintfText.h"

namespace {

constexpr std::u16string_view kNotANumber = u"#NUM!";

enum class EStyle : std::uint8_t {
    Printf,       // the conversion's text as it stands
    Whole,        // "%.0f" with the digits fix
    TwoDecimals,  // "%.2f" with the digits fix on the part before the point
    Date,         // the pattern applied to the date at 01:01:01
    DateTime,     // the pattern applied to the date and the time of day
    Code,         // the pattern is a format code for the number-format engine
};

struct SRendering {
    EStyle m_style = EStyle::Printf;
    const char* m_conversion = "%g";  // Printf only
    const char16_t* m_pattern = u"";  // Date and DateTime only
    bool m_grouping = false;          // thousands separators before the point
    bool m_percent = false;           // the value times 100, then "%"
    const char16_t* m_prefix = u"";
};

constexpr SRendering Printf(const char* conversion) {
    return {EStyle::Printf, conversion};
}
constexpr SRendering Whole(bool grouping, const char16_t* prefix = u"") {
    return {EStyle::Whole, "", u"", grouping, false, prefix};
}
constexpr SRendering TwoDecimals(bool grouping, const char16_t* prefix = u"") {
    return {EStyle::TwoDecimals, "", u"", grouping, false, prefix};
}
constexpr SRendering Percent(EStyle style) {
    return {style, "", u"", false, true, u""};
}
constexpr SRendering Date(const char16_t* pattern) {
    return {EStyle::Date, "", pattern};
}
constexpr SRendering DateTime(const char16_t* pattern) {
    return {EStyle::DateTime, "", pattern};
}
constexpr SRendering Code(const char16_t* code) {
    return {EStyle::Code, "", code};
}

// The rendering of each built-in format index; indices past the table and
// the empty ones (23-36) print "%g".
// clang-format off
constexpr std::array<SRendering, 49> kRenderings = {
    Printf("%G"),                          // 0 General
    Whole(false),                          // 1 0
    TwoDecimals(false),                    // 2 0.00
    Whole(true),                           // 3 #,##0
    TwoDecimals(true),                     // 4 #,##0.00
    Whole(true, u"$"),                     // 5 "$"#,##0
    Whole(true, u"$"),                     // 6
    TwoDecimals(true, u"$"),               // 7 "$"#,##0.00
    TwoDecimals(true, u"$"),               // 8
    Percent(EStyle::Whole),                // 9 0%
    Percent(EStyle::TwoDecimals),          // 10 0.00%
    Printf("%.2G"),                        // 11 0.00E+00
    Printf("%.1f"),                        // 12 # ?/?
    Printf("%.2f"),                        // 13 # ??/??
    Date(u"%m/%d/%Y"),                     // 14
    Date(u"%d-%b-%y"),                     // 15
    Date(u"%d-%b"),                        // 16
    Date(u"%b-%y"),                        // 17
    DateTime(u"%I:%M %p"),                 // 18 h:mm AM/PM
    DateTime(u"%I:%M:%S %p"),              // 19
    DateTime(u"%H:%M "),                   // 20 h:mm, with a trailing space
    DateTime(u"%H:%M:%S"),                 // 21
    DateTime(u"%m/%d/%Y %H:%M  "),         // 22 date and time, two trailing spaces
    Printf("%g"), Printf("%g"), Printf("%g"), Printf("%g"), Printf("%g"),  // 23-27
    Printf("%g"), Printf("%g"), Printf("%g"), Printf("%g"), Printf("%g"),  // 28-32
    Printf("%g"), Printf("%g"), Printf("%g"), Printf("%g"),                // 33-36
    Whole(true),                           // 37 accounting without currency
    Whole(true),                           // 38
    TwoDecimals(true),                     // 39
    TwoDecimals(true),                     // 40
    Whole(true, u"$ "),                    // 41 "$"* #,##0
    Whole(true),                           // 42
    TwoDecimals(true, u"$ "),              // 43 "$"* #,##0.00
    TwoDecimals(true),                     // 44
    DateTime(u"%M:%S"),                    // 45 mm:ss
    Code(u"[h]:mm:ss"),                    // 46 elapsed hours
    DateTime(u"%M:%S.0"),                  // 47 mm:ss.0
    Printf("%2.2G"),                       // 48 ##0.0E+0
};
// clang-format on
constexpr SRendering kOther = Printf("%g");

// The digits fix: a double holds 15 significant digits, so the printed
// digits after the fifteenth character are noise. The fifteenth character
// takes the rounding of the sixteenth (without carrying into the ones
// before it, so a 9 stays a 9) and the rest become zeros. Characters count
// from the start of the text, a minus sign among them.
void FixDigits(std::u16string& text) {
    constexpr std::size_t kLast = 14;
    if (text.size() > kLast + 1 && text[kLast + 1] >= u'5' && text[kLast] < u'9') ++text[kLast];
    for (std::size_t i = kLast + 1; i < text.size(); ++i) {
        if (text[i] != u',') text[i] = u'0';
    }
}

// "," before every third digit from the right of a whole-number text. A
// leading minus sign is not a digit: -123 stays -123, never -,123.
void Group(std::u16string& text) {
    const std::ptrdiff_t first = (!text.empty() && text.front() == u'-') ? 1 : 0;
    for (std::ptrdiff_t at = static_cast<std::ptrdiff_t>(text.size()) - 3; at > first; at -= 3) {
        text.insert(static_cast<std::size_t>(at), 1, u',');
    }
}

std::u16string WholeText(double value, bool grouping) {
    std::u16string text = CPrintfText::Of("%.0f", value);
    FixDigits(text);
    if (grouping) Group(text);
    return text;
}

std::u16string TwoDecimalsText(double value, bool grouping) {
    const std::u16string text = CPrintfText::Of("%.2f", value);
    const std::size_t point = text.rfind(u'.');
    std::u16string whole = text.substr(0, point);
    FixDigits(whole);
    if (grouping) Group(whole);
    return point == std::u16string::npos ? whole : whole + text.substr(point);
}

}  // namespace

std::u16string CExcelNumberFormatManager::Render(double value, std::uint16_t formatIndex) const {
    const SRendering& rendering =
        formatIndex < kRenderings.size() ? kRenderings[formatIndex] : kOther;
    if (rendering.m_percent) value *= 100.0;
    // No printf text of NaN or infinity means anything to a user, and no
    // date has them.
    if (!std::isfinite(value)) return std::u16string(kNotANumber);

    std::u16string text;
    switch (rendering.m_style) {
        case EStyle::Printf:
            return CPrintfText::Of(rendering.m_conversion, value);
        case EStyle::Whole:
            text = WholeText(value, rendering.m_grouping);
            break;
        case EStyle::TwoDecimals:
            text = TwoDecimalsText(value, rendering.m_grouping);
            break;
        case EStyle::Date:
            return CDataConversion::DateFromSerial(value).Format(rendering.m_pattern);
        case EStyle::DateTime:
            return CDataConversion::DateTimeFromSerial(value).Format(rendering.m_pattern);
        case EStyle::Code:
            return FormatNumber(rendering.m_pattern, value);
    }
    return rendering.m_prefix + text + (rendering.m_percent ? u"%" : u"");
}
