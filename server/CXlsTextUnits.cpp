#include "server/CXlsTextUnits.h"

namespace {

bool IsHigh(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLow(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

char16_t CXlsTextUnits::Stored(std::u16string_view text, std::size_t i) {
    const char16_t c = text[i];
    if (IsHigh(c)) return i + 1 < text.size() && IsLow(text[i + 1]) ? c : kReplacement;
    if (IsLow(c)) return i > 0 && IsHigh(text[i - 1]) ? c : kReplacement;
    return c;
}
