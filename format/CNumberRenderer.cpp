#include "format/CNumberRenderer.h"

#include <algorithm>
#include <vector>

#include "format/CDecimalNumber.h"
#include "format/CPlaceholderText.h"

std::u16string CNumberRenderer::Render(const CFormatSection& section, double value,
                                       bool& shownZero) {
    CDecimalNumber number = CDecimalNumber::FromDouble(value);
    const int shift = 2 * section.m_percentCount - 3 * section.m_scaleCount;
    number.Shift(std::clamp(shift, -kMaxDecimalShift, kMaxDecimalShift));
    number.RoundToDecimals(section.m_decimalDigits);
    shownZero = number.IsZero();

    const std::string integer = number.IntegerDigits();
    std::string decimals = number.FractionDigits(section.m_decimalDigits);
    // Decimals fill placeholders from the left; past the last significant
    // digit the placeholder decides ("0.0#": 1.2 shows "1.2", 1.23 "1.23").
    const std::size_t lastDigit = decimals.find_last_not_of('0');
    decimals.resize(lastDigit == std::string::npos ? 0 : lastDigit + 1);

    std::vector<char16_t> placeholders;
    for (const CFormatToken& token : section.m_tokens) {
        if (token.m_role == EFormatRole::Integer) placeholders.push_back(token.m_char);
    }
    const std::vector<std::u16string> integerTexts =
        CPlaceholderText::IntegerTexts(integer, placeholders, section.m_grouping);

    std::u16string out;
    std::size_t nextInteger = 0;
    std::size_t nextDecimal = 0;
    for (const CFormatToken& token : section.m_tokens) {
        switch (token.m_role) {
            case EFormatRole::Integer:
                out += integerTexts[nextInteger++];
                break;
            case EFormatRole::Decimal:
                if (nextDecimal < decimals.size())
                    out.push_back(static_cast<char16_t>(decimals[nextDecimal]));
                else
                    out += CPlaceholderText::Pad(token.m_char);
                ++nextDecimal;
                break;
            case EFormatRole::DecimalPoint:
                // ".00" has no integer placeholder: the integer digits still
                // show, in front of the point.
                if (placeholders.empty()) out += CPlaceholderText::Widen(integer);
                out.push_back(u'.');
                break;
            default:
                out += CPlaceholderText::Plain(token);
                break;
        }
    }
    if (section.m_kind == ESectionKind::Literal) shownZero = (value == 0.0);
    return out;
}
