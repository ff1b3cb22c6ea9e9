#include "format/CFractionRenderer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "format/CContinuedFraction.h"
#include "format/CDecimalNumber.h"
#include "format/CPlaceholderText.h"

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Digits of a whole number held in a double.
std::string WholeDigits(double whole) {
    return CDecimalNumber::FromDouble(whole).IntegerDigits();
}

// The denominator is left-aligned: the spaces that '?' leaves go after it
// ("0??" shows 2 as "02 ").
std::u16string LeftAligned(const std::vector<std::u16string>& texts) {
    std::u16string joined;
    std::size_t spaces = 0;
    for (const std::u16string& text : texts) {
        for (char16_t c : text) {
            if (c == u' ')
                ++spaces;
            else
                joined.push_back(c);
        }
    }
    joined.append(spaces, u' ');
    return joined;
}

// Width of a token as normally shown, for the blanks that replace it.
std::size_t ShownWidth(const CFormatToken& token) {
    if (token.m_kind == EFormatToken::Digit || token.m_kind == EFormatToken::Slash) return 1;
    return CPlaceholderText::Width(CPlaceholderText::Plain(token));
}

// The value split as the section shows it: whole part, numerator and
// denominator (the whole part stays 0 for an improper fraction).
struct SFraction {
    double m_whole = 0.0;
    double m_numerator = 0.0;
    long long m_denominator = 1;
};

SFraction Approximate(const CFormatSection& section, double x) {
    SFraction fraction;
    double part = x;
    if (!section.m_improper) {
        fraction.m_whole = std::floor(x);
        part = x - fraction.m_whole;
    }
    if (section.m_denominatorDigits == 0 && section.m_fixedDenominator > 0) {
        const auto fixed = static_cast<double>(section.m_fixedDenominator);
        fraction.m_numerator = std::floor(part * fixed + 0.5);
        fraction.m_denominator = section.m_fixedDenominator;
    } else {
        const int digits = std::min(section.m_denominatorDigits, kMaxDenominatorDigits);
        long long limit = 1;
        for (int i = 0; i < digits; ++i) limit *= 10;
        CContinuedFraction::Approximate(part, digits > 0 ? limit - 1 : 1, fraction.m_numerator,
                                        fraction.m_denominator);
    }
    if (!section.m_improper &&
        fraction.m_numerator >= static_cast<double>(fraction.m_denominator)) {
        // The fraction rounded up to a whole: 0.99 with "# ?/4" is 1.
        fraction.m_whole += 1.0;
        fraction.m_numerator = 0.0;
    }
    return fraction;
}

// Where the parts of a fraction section lie and which placeholders they use.
struct SLayout {
    std::vector<char16_t> m_integer, m_numerator, m_denominator;
    std::size_t m_lastInteger = kNone;
    std::size_t m_firstNumerator = kNone;
    std::size_t m_lastOfFraction = kNone;  // end of the numerator/bar/denominator run
    bool m_anyQuestion = false;

    explicit SLayout(const std::vector<CFormatToken>& tokens) {
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            const CFormatToken& token = tokens[i];
            const bool digit = token.m_kind == EFormatToken::Digit;
            if (digit && token.m_char == u'?') m_anyQuestion = true;
            switch (token.m_role) {
                case EFormatRole::Integer:
                    m_integer.push_back(token.m_char);
                    m_lastInteger = i;
                    break;
                case EFormatRole::Numerator:
                    m_numerator.push_back(token.m_char);
                    if (m_firstNumerator == kNone) m_firstNumerator = i;
                    break;
                case EFormatRole::Denominator:
                    m_denominator.push_back(token.m_char);
                    m_lastOfFraction = i;
                    break;
                case EFormatRole::FixedDenominator:
                case EFormatRole::FractionBar:
                    m_lastOfFraction = i;
                    break;
                default:
                    // Placeholders after the denominator still belong to the
                    // fraction's width ("?/,0x00").
                    if (digit && m_lastOfFraction != kNone) m_lastOfFraction = i;
                    break;
            }
        }
    }
};

bool Has(const std::vector<char16_t>& places, char16_t c) {
    for (char16_t p : places) {
        if (p == c) return true;
    }
    return false;
}

}  // namespace

std::u16string CFractionRenderer::Render(const CFormatSection& section, double value,
                                         bool& shownZero) {
    shownZero = (value == 0.0);
    const std::vector<CFormatToken>& tokens = section.m_tokens;
    double x = value;
    for (int i = 0; i < section.m_percentCount && std::isfinite(x); ++i) x *= 100.0;
    if (!std::isfinite(x)) return u"#NUM!";
    const SFraction fraction = Approximate(section, x);
    const SLayout layout(tokens);

    const bool numeratorZero = (fraction.m_numerator == 0.0);
    const bool blank = !section.m_improper && numeratorZero && !Has(layout.m_numerator, u'0');
    std::string integer = (fraction.m_whole >= 1.0) ? WholeDigits(fraction.m_whole) : std::string();
    if (integer.empty() && numeratorZero &&
        (blank || Has(layout.m_integer, u'?') || Has(layout.m_integer, u'0'))) {
        // Nothing else would show: the integer part shows its 0.
        integer.assign(1, '0');
    }
    // An integer part of 0 in front of a fraction disappears, and the text
    // between it and the numerator turns to spaces when '?' is around it.
    const bool integerHidden =
        !section.m_improper && integer.empty() && !Has(layout.m_integer, u'0');
    const bool separatorAsSpaces = Has(layout.m_integer, u'?') ||
                                   (!layout.m_numerator.empty() && layout.m_numerator[0] == u'?');

    const std::vector<std::u16string> integerTexts =
        CPlaceholderText::IntegerTexts(integer, layout.m_integer, section.m_grouping);
    const std::vector<std::u16string> numeratorTexts = CPlaceholderText::IntegerTexts(
        numeratorZero ? "0" : WholeDigits(fraction.m_numerator), layout.m_numerator, false);
    const std::u16string denominatorText = LeftAligned(CPlaceholderText::IntegerTexts(
        std::to_string(fraction.m_denominator), layout.m_denominator, false));

    std::u16string out;
    std::size_t nextInteger = 0;
    std::size_t nextNumerator = 0;
    bool denominatorDone = false;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const CFormatToken& token = tokens[i];
        const bool afterInteger = (layout.m_lastInteger == kNone) || i > layout.m_lastInteger;
        if (blank && afterInteger && layout.m_lastOfFraction != kNone &&
            i <= layout.m_lastOfFraction) {
            if (layout.m_anyQuestion) out.append(ShownWidth(token), u' ');
            continue;
        }
        if (integerHidden && layout.m_lastInteger != kNone && i > layout.m_lastInteger &&
            i < layout.m_firstNumerator) {
            if (separatorAsSpaces) out.append(ShownWidth(token), u' ');
            continue;
        }
        switch (token.m_role) {
            case EFormatRole::Integer:
                out += integerTexts[nextInteger++];
                break;
            case EFormatRole::Numerator:
                out += numeratorTexts[nextNumerator++];
                break;
            case EFormatRole::Denominator:
                if (!denominatorDone) out += denominatorText;
                denominatorDone = true;
                break;
            case EFormatRole::FractionBar:
                out.push_back(u'/');
                break;
            default:
                out += CPlaceholderText::Plain(token);
                break;
        }
    }
    return out;
}
