#include "formula/CExcelFormulaStringLiteral.h"

std::u16string CExcelFormulaStringLiteral::Characters(const std::uint8_t* bytes,
                                                      std::uint32_t count, bool wide) {
    std::u16string text;
    text.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (wide) {
            text.push_back(static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8)));
        } else {
            text.push_back(static_cast<char16_t>(bytes[i]));
        }
    }
    return text;
}

std::u16string CExcelFormulaStringLiteral::Quote(std::u16string_view text) {
    std::u16string quoted(1, u'"');
    for (const char16_t c : text) {
        if (c == u'"') quoted.push_back(u'"');
        quoted.push_back(c);
    }
    quoted.push_back(u'"');
    return quoted;
}
