#include "server/CXlsTextUnits.h"

#include "platform/TextConversion.h"

char16_t CXlsTextUnits::Stored(std::u16string_view text, std::size_t i) {
    return IsUnpairedSurrogate(text, i) ? kReplacement : text[i];
}
