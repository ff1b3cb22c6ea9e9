// Font.Underline as the object model numbers it (-4142 none, 2 single,
// -4119 double, 4 and 5 the accounting ones; True and False stand for
// single and none) against the FONT record's underline kinds.
#pragma once

#include <cstdint>

class CXlsUnderlineStyle {
public:
    // False for a number that is no underline style.
    static bool ToKind(std::int32_t style, std::uint8_t& kind);
    // The style of a kind; none for a kind without one.
    static std::int32_t ToStyle(std::uint8_t kind);
};
