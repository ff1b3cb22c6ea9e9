// Array constants of formulas ({1,2;3,4}), read from the extra data that
// follows the tokens: u8 columns - 1, u16 rows - 1, then the elements row by
// row, each a type byte and its value (see FormulaTokens.h).
//
// Elements of a row are joined with ",", rows with ";", as the spreadsheet
// writes an array constant: a two-by-two array of 1, 2, 3, 4 is {1,2;3,4}.
// Numbers print as CExcelFormulaNumberText gives them, strings as quoted
// literals, booleans as TRUE / FALSE, errors by their texts. An empty (nil)
// element, which no typed array constant holds, prints as one space.
#pragma once

#include <cstdint>
#include <string>

class CExcelFormulaArrayConstant {
public:
    // Reads the constant at offset into buffer (available bytes in all).
    // True with text and end (the offset just past the constant) when every
    // element lies within the available bytes and has a known type; sound is
    // then false if an element has no formula text (a nil element, a NaN or
    // infinite number, an unknown error code). False otherwise, with text,
    // end and sound unchanged.
    static bool Read(const std::uint8_t* buffer, std::uint32_t available, std::uint32_t offset,
                     std::u16string& text, std::uint32_t& end, bool& sound);
};
