// The UTF-16 code units the writer stores for a text. Texts recovered from
// damaged records may hold a surrogate that is not half of a pair (a string
// cut inside a character, bytes overwritten); such a unit is not text, and
// strict readers refuse the whole file for it. The writer stores U+FFFD in
// its place, one unit for one, so that character counts and the choice of
// 8-bit or 16-bit characters stay as they were.
#pragma once

#include <cstddef>
#include <string_view>

class CXlsTextUnits {
public:
    static constexpr char16_t kReplacement = 0xFFFD;

    // The unit to store for text[i] (i < text.size()): the unit itself, or
    // U+FFFD for a high surrogate not followed by a low one or a low
    // surrogate not preceded by a high one (IsUnpairedSurrogate, the rule
    // the repair report counts by). Only text is looked at, so a
    // caller writing a text in pieces keeps each pair in one piece.
    static char16_t Stored(std::u16string_view text, std::size_t i);
};
