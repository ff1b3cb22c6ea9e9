// The built-in defined names: names the spreadsheet gives a meaning of its
// own (the print area of a sheet, the range an auto filter works on, the
// macros run when the workbook opens...). A NAME record stores one of them
// as a single code character with the built-in flag set instead of its
// text; formulas and the object model use the English text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

class CXlsBuiltinNames {
public:
    // The code of a built-in name's English text (Print_Area: 0x06),
    // compared without regard to case; nothing for any other text.
    static std::optional<std::uint8_t> CodeOf(std::u16string_view text);
    // The English text of a code; empty for codes without one.
    static std::u16string_view TextOf(std::uint8_t code);
};
