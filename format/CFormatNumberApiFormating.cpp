#include "format/CFormatNumberApiFormating.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "format/CContinuedFraction.h"
#include "format/CNumberFormat.h"
#include "format/CPrintfText.h"

namespace {

constexpr std::u16string_view kNotANumber = u"#NUM!";
constexpr std::u16string_view kGeneral = u"General";
// General below 1e11: up to nine decimals, trailing zeros dropped by the
// "#" placeholders and a point left alone by step 8. The ones digit is a
// "0" so that 0.25 shows as 0.25, as General shows it, and not as .25.
constexpr std::u16string_view kGeneralCode = u"0.#########";
constexpr double kGeneralScientificFrom = 1e11;
// Format codes pass through a buffer of 512 UTF-16 units, the terminator
// included; longer codes are cut there.
constexpr std::size_t kMaxCodeLength = 511;
// Denominators stay within nine digits, so that numerator and denominator
// are plain 32-bit integers.
constexpr int kMaxDenominatorDigits = 9;
constexpr std::int64_t kMaxDenominator = 999999999;

constexpr std::u16string_view kSpacingMarkers[] = {u"_)", u"_(", u"_-", u"_ "};

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

std::u16string_view CutCode(std::u16string_view code) {
    if (code.size() <= kMaxCodeLength) return code;
    std::size_t cut = kMaxCodeLength;
    if (IsHighSurrogate(code[cut - 1])) --cut;  // never half a character
    return code.substr(0, cut);
}

// Replaces every from (not empty) by to, left to right, never looking into
// text already put in.
void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
    for (std::size_t at = text.find(from); at != std::u16string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// The first bracket of a code when it names a currency symbol: "[$€-2]"
// names "€", "[$USD]" names "USD"; "[Red]" and "[$-409]" name none.
struct SCurrency {
    std::size_t m_start = 0;
    std::size_t m_length = 0;
    std::u16string m_symbol;  // empty: no currency bracket
};

SCurrency FindCurrency(std::u16string_view code) {
    SCurrency currency;
    const std::size_t open = code.find(u'[');
    if (open == std::u16string_view::npos) return currency;
    // An unclosed bracket has no text to replace.
    const std::size_t close = code.find(u']', open);
    if (close == std::u16string_view::npos) return currency;
    const std::size_t dollar = code.find(u'$', open);
    if (dollar > close) return currency;
    std::size_t end = dollar + 1;
    while (end < close && code[end] != u'-') ++end;
    currency.m_symbol = std::u16string(code.substr(dollar + 1, end - dollar - 1));
    currency.m_start = open;
    currency.m_length = close - open + 1;
    return currency;
}

bool IsSpacingMarker(std::u16string_view code, std::size_t at) {
    for (std::u16string_view marker : kSpacingMarkers) {
        if (code.substr(at, marker.size()) == marker) return true;
    }
    return false;
}

// The code handed to the engine: its spacing markers and the "??" padding
// after a "-" literal show as spaces in the engine's text, where the
// preview shows nothing (steps 5 and 6). Quoted text, escaped characters,
// fills and brackets are copied whole, so that their characters are never
// taken for markers.
std::u16string EngineCode(std::u16string_view code) {
    std::u16string out;
    bool afterDash = false;  // the last thing copied shows as text ending in "-"
    std::size_t at = 0;
    while (at < code.size()) {
        const char16_t c = code[at];
        if (afterDash && code.substr(at, 2) == u"??") {
            at += 2;
            afterDash = false;
            continue;
        }
        if (c == u'_' && IsSpacingMarker(code, at)) {
            at += 2;
            afterDash = false;
            continue;
        }
        std::size_t end = at + 1;  // one past what is copied whole
        if (c == u'"' || c == u'[') {
            const std::size_t close = code.find(c == u'"' ? u'"' : u']', at + 1);
            // An unclosed quote or bracket runs to the end of the code.
            end = (close == std::u16string_view::npos) ? code.size() : close + 1;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            end = std::min(at + 2, code.size());
        }
        const std::u16string_view piece = code.substr(at, end - at);
        out.append(piece);
        if (c == u'"') {
            afterDash =
                piece.size() >= 3 && piece.back() == u'"' && piece[piece.size() - 2] == u'-';
        } else {
            afterDash = (c == u'-') || (c == u'\\' && piece.size() == 2 && piece[1] == u'-');
        }
        at = end;
    }
    return out;
}

std::u16string Digits(long long number) {
    std::u16string text;
    for (char c : std::to_string(number)) text.push_back(static_cast<char16_t>(c));
    return text;
}

// What the fraction rendering reads from a code holding "?/": the first
// such bar's denominator, fixed digits or placeholders.
struct SFractionCode {
    std::int64_t m_fixedDenominator = 0;  // 0: chosen by approximation
    int m_denominatorDigits = 1;
};

SFractionCode ReadFractionCode(std::u16string_view code) {
    SFractionCode fraction;
    std::size_t at = code.find(u"?/");
    if (at == std::u16string_view::npos) return fraction;
    at += 2;
    std::int64_t fixed = 0;
    for (; at < code.size() && code[at] >= u'0' && code[at] <= u'9'; ++at) {
        // Digits past nine are ignored: no cell needs a larger denominator.
        const std::int64_t longer = fixed * 10 + (code[at] - u'0');
        if (longer <= kMaxDenominator) fixed = longer;
    }
    int digits = 0;
    for (; at < code.size() && (code[at] == u'?' || code[at] == u'#'); ++at) ++digits;
    fraction.m_fixedDenominator = fixed;
    fraction.m_denominatorDigits = std::clamp(digits, 1, kMaxDenominatorDigits);
    return fraction;
}

}  // namespace

CFormatNumberApiFormating::Prepared::Prepared(std::u16string_view formatText)
    : m_code(CutCode(formatText)) {
    if (m_code.find(kGeneral) != std::u16string::npos) {
        m_general = true;
        m_code = kGeneralCode;
    }
    if (m_code.find(u"?/") != std::u16string::npos) {
        m_fraction = true;
        return;
    }
    const SCurrency currency = FindCurrency(m_code);
    if (!currency.m_symbol.empty()) {
        m_code.replace(currency.m_start, currency.m_length, u"$");
        m_symbol = currency.m_symbol;
    }
    m_engine.emplace(EngineCode(m_code));
}

std::u16string CFormatNumberApiFormating::Format(std::u16string_view formatText,
                                                 double value) const {
    if (!std::isfinite(value)) return std::u16string(kNotANumber);
    return Format(Prepared(formatText), value);
}

std::u16string CFormatNumberApiFormating::Format(const Prepared& format, double value) const {
    if (!std::isfinite(value)) return std::u16string(kNotANumber);
    if (format.m_general && std::fabs(value) >= kGeneralScientificFrom)
        return CPrintfText::Of("%G", value);
    if (format.m_fraction) return FormatFraction(format.m_code, value);

    std::u16string text = format.m_engine->Render(value);
    for (std::u16string_view marker : kSpacingMarkers) ReplaceAll(text, marker, u"");
    ReplaceAll(text, u"-??", u"-");
    if (!format.m_symbol.empty()) ReplaceAll(text, u"$", format.m_symbol);
    if (text == u".") {
        text = u"0";
    } else if (!text.empty() && text.back() == u'.') {
        text.pop_back();
    }
    return text;
}

std::u16string CFormatNumberApiFormating::FormatFraction(std::u16string_view formatText,
                                                         double value) const {
    const SFractionCode code = ReadFractionCode(formatText);
    const double magnitude = std::fabs(value);
    double whole = std::trunc(magnitude);
    const double rest = magnitude - whole;

    double numerator = 0.0;
    long long denominator = 1;
    if (code.m_fixedDenominator > 0) {
        denominator = code.m_fixedDenominator;
        numerator = std::floor(rest * static_cast<double>(denominator) + 0.5);
    } else {
        long long largest = 1;
        for (int i = 0; i < code.m_denominatorDigits; ++i) largest *= 10;
        CContinuedFraction::Approximate(rest, largest - 1, numerator, denominator);
    }

    std::u16string fraction;
    if (numerator >= static_cast<double>(denominator)) {
        whole += 1.0;  // the remainder rounds to a whole one
    } else if (numerator > 0.0) {
        fraction = Digits(static_cast<long long>(numerator)) + u"/" + Digits(denominator);
    }

    std::u16string text = (whole > 0.0) ? Format(u"#", whole) : std::u16string();
    if (!fraction.empty()) {
        if (!text.empty()) text += u' ';
        text += fraction;
    }
    if (text.empty()) return u"0";
    if (value < 0.0) text.insert(text.begin(), u'-');
    return text;
}
