// How digits fill placeholders, shared by the number, scientific and
// fraction renderings.
//
// Placeholders take digits from the right in the integer part and from the
// left after the point. Where there is no digit, '0' shows a zero, '?' a
// space (so columns line up) and '#' nothing. Thousands separators follow
// the digit's place in the whole number, wherever the placeholders stand, and
// take the look of the placeholder they follow: ',' after a digit or a '0',
// a space after a '?', nothing after a '#'.
#pragma once

#include <string>
#include <vector>

#include "format/FormatTokens.h"

class CPlaceholderText {
public:
    // The text of each integer placeholder, left to right. digits: the
    // integer's digits without leading zeros ("" for zero). Digits beyond the
    // placeholders all go to the leftmost one.
    static std::vector<std::u16string> IntegerTexts(const std::string& digits,
                                                    const std::vector<char16_t>& placeholders,
                                                    bool grouping);
    // What an empty placeholder shows: "0", " " or "".
    static std::u16string Pad(char16_t placeholder);
    // ASCII digits as UTF-16.
    static std::u16string Widen(const std::string& ascii);
    // The text of a token that is shown as written, outside any digit role:
    // literals, _x, *x, and placeholders, points, commas, slashes and
    // percent signs that carry no number.
    static std::u16string Plain(const CFormatToken& token);
    // Number of characters of text (a surrogate pair counts once).
    static std::size_t Width(const std::u16string& text);
};
