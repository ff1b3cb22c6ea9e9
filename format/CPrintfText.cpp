#include "format/CPrintfText.h"

#include <charconv>
#include <cstddef>

namespace {

constexpr std::size_t kMaxLength = 400;

struct SConversion {
    int m_width = 0;
    int m_precision = 6;
    char m_letter = 0;
};

// Reads up to three digits; more is not a conversion we write.
bool ReadNumber(std::string_view text, std::size_t& at, int& number) {
    number = 0;
    const std::size_t start = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 3) {
        number = number * 10 + (text[at] - '0');
        ++at;
    }
    return at > start;
}

bool Parse(std::string_view text, SConversion& conversion) {
    std::size_t at = 0;
    if (text.empty() || text[at++] != '%') return false;
    ReadNumber(text, at, conversion.m_width);
    if (at < text.size() && text[at] == '.') {
        ++at;
        if (!ReadNumber(text, at, conversion.m_precision)) conversion.m_precision = 0;
    }
    if (at + 1 != text.size()) return false;
    conversion.m_letter = text[at];
    return conversion.m_letter == 'f' || conversion.m_letter == 'g' || conversion.m_letter == 'G';
}

}  // namespace

std::u16string CPrintfText::Of(std::string_view conversion, double value) {
    SConversion parsed;
    if (!Parse(conversion, parsed)) return {};
    // std::to_chars with a precision writes exactly what printf writes in
    // the C locale; printf itself would follow a locale the program set.
    const std::chars_format style =
        parsed.m_letter == 'f' ? std::chars_format::fixed : std::chars_format::general;
    char buffer[kMaxLength];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + kMaxLength, value, style, parsed.m_precision);
    if (result.ec != std::errc()) return {};
    const std::size_t length = static_cast<std::size_t>(result.ptr - buffer);
    if (static_cast<std::size_t>(parsed.m_width) > kMaxLength) return {};

    std::u16string text;
    if (length < static_cast<std::size_t>(parsed.m_width)) {
        text.assign(static_cast<std::size_t>(parsed.m_width) - length, u' ');
    }
    for (std::size_t i = 0; i < length; ++i) {
        char c = buffer[i];
        if (parsed.m_letter == 'G' && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        text.push_back(static_cast<char16_t>(c));
    }
    return text;
}
