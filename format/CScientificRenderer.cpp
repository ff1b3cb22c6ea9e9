#include "format/CScientificRenderer.h"

#include <cstdlib>
#include <vector>

#include "format/CDecimalNumber.h"
#include "format/CPlaceholderText.h"

namespace {

int FloorDiv(int a, int b) {
    const int q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

}  // namespace

std::u16string CScientificRenderer::Render(const CFormatSection& section, double value,
                                           bool& shownZero) {
    const int n = section.m_integerDigits;
    const int decimals = section.m_decimalDigits;
    const CDecimalNumber number = CDecimalNumber::FromDouble(value);
    shownZero = number.IsZero();

    CDecimalNumber mantissa = number;
    int exponent = 0;
    std::string integer;
    if (number.IsZero()) {
        integer.assign(static_cast<std::size_t>(n), '0');
    } else if (n == 0) {
        // No mantissa digit to fill: the program shows the exponent as 1
        // whatever the value (".E+00" gives ".E+01").
        exponent = 1;
    } else {
        exponent = FloorDiv(number.Exponent(), n) * n;
        mantissa.Shift(-exponent);
        mantissa.RoundToDecimals(decimals);
        if (mantissa.Exponent() >= n) {
            // Rounding carried past the placeholders (999.96 with "##0.0"):
            // move up one step of the exponent and round again.
            exponent += n;
            mantissa = number;
            mantissa.Shift(-exponent);
            mantissa.RoundToDecimals(decimals);
        }
        integer = mantissa.IntegerDigits();
    }
    std::string fraction = mantissa.FractionDigits(decimals);
    if (number.IsZero()) fraction.assign(static_cast<std::size_t>(decimals), '0');
    const std::size_t lastDigit = fraction.find_last_not_of('0');
    fraction.resize(lastDigit == std::string::npos ? 0 : lastDigit + 1);

    std::vector<char16_t> integerPlaceholders;
    std::vector<char16_t> exponentPlaceholders;
    for (const CFormatToken& token : section.m_tokens) {
        if (token.m_role == EFormatRole::Integer) integerPlaceholders.push_back(token.m_char);
        if (token.m_role == EFormatRole::ExponentDigit)
            exponentPlaceholders.push_back(token.m_char);
    }
    const std::vector<std::u16string> integerTexts =
        CPlaceholderText::IntegerTexts(integer, integerPlaceholders, section.m_grouping);
    const std::vector<std::u16string> exponentTexts = CPlaceholderText::IntegerTexts(
        std::to_string(std::abs(exponent)), exponentPlaceholders, false);

    std::u16string out;
    std::size_t nextInteger = 0;
    std::size_t nextDecimal = 0;
    std::size_t nextExponent = 0;
    bool exponentSeen = false;
    std::u16string pendingSign;
    for (const CFormatToken& token : section.m_tokens) {
        if (token.m_kind == EFormatToken::Exponent && !exponentSeen) {
            exponentSeen = true;
            out += token.m_text;
            if (exponent < 0)
                pendingSign = u"-";
            else if (token.m_char == u'+')
                pendingSign = u"+";
            if (exponentPlaceholders.empty()) {
                out += pendingSign + CPlaceholderText::Widen(std::to_string(std::abs(exponent)));
                pendingSign.clear();
            }
            continue;
        }
        switch (token.m_role) {
            case EFormatRole::Integer:
                out += integerTexts[nextInteger++];
                break;
            case EFormatRole::Decimal:
                if (nextDecimal < fraction.size())
                    out.push_back(static_cast<char16_t>(fraction[nextDecimal]));
                else
                    out += CPlaceholderText::Pad(token.m_char);
                ++nextDecimal;
                break;
            case EFormatRole::DecimalPoint:
                out.push_back(u'.');
                break;
            case EFormatRole::ExponentDigit:
                out += pendingSign;
                pendingSign.clear();
                out += exponentTexts[nextExponent++];
                break;
            default:
                out += CPlaceholderText::Plain(token);
                break;
        }
    }
    return out;
}
