#include "format/CPlaceholderText.h"

namespace {

// A separator follows the digit at this place (counted from 1 at the right)
// when three digits lie between it and the next separator or the end.
bool SeparatorAfter(std::size_t place) {
    return place > 1 && (place - 1) % 3 == 0;
}

std::u16string PadSeparator(char16_t placeholder) {
    if (placeholder == u'0') return u",";
    if (placeholder == u'?') return u" ";
    return {};
}

}  // namespace

std::u16string CPlaceholderText::Pad(char16_t placeholder) {
    if (placeholder == u'0') return u"0";
    if (placeholder == u'?') return u" ";
    return {};
}

std::u16string CPlaceholderText::Widen(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

std::vector<std::u16string> CPlaceholderText::IntegerTexts(
    const std::string& digits, const std::vector<char16_t>& placeholders, bool grouping) {
    const std::size_t n = placeholders.size();
    const std::size_t length = digits.size();
    std::vector<std::u16string> texts(n);
    for (std::size_t i = 0; i < n; ++i) {
        std::u16string& text = texts[i];
        const std::size_t place = n - i;
        if (i == 0) {
            for (std::size_t extra = length; extra > n; --extra) {
                text.push_back(static_cast<char16_t>(digits[length - extra]));
                if (grouping && SeparatorAfter(extra)) text.push_back(u',');
            }
        }
        if (place <= length) {
            text.push_back(static_cast<char16_t>(digits[length - place]));
            if (grouping && SeparatorAfter(place)) text.push_back(u',');
        } else {
            text += Pad(placeholders[i]);
            if (grouping && SeparatorAfter(place)) text += PadSeparator(placeholders[i]);
        }
    }
    return texts;
}

std::u16string CPlaceholderText::Plain(const CFormatToken& token) {
    switch (token.m_kind) {
        case EFormatToken::Literal:
            return token.m_text;
        case EFormatToken::Space:
            return u" ";
        case EFormatToken::Digit:
            return Pad(token.m_char);
        case EFormatToken::Point:
            return u".";
        case EFormatToken::Comma:
            return token.m_role == EFormatRole::None ? std::u16string(u",") : std::u16string();
        case EFormatToken::Percent:
            return u"%";
        case EFormatToken::Slash:
            return u"/";
        case EFormatToken::Exponent:
            return token.m_text + token.m_char;
        default:
            return {};
    }
}

std::size_t CPlaceholderText::Width(const std::u16string& text) {
    std::size_t width = 0;
    for (char16_t c : text) {
        if (c < 0xDC00 || c > 0xDFFF) ++width;
    }
    return width;
}
