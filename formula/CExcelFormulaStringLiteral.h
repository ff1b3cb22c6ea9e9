// Text constants of formulas (ptgStr, string elements of array constants):
// their characters as stored, and their formula text between double quotes
// with every double quote inside doubled ("say ""hi"""), as the spreadsheet
// reads a string constant.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CExcelFormulaStringLiteral {
public:
    // count characters from bytes: two bytes each (UTF-16LE) when wide, else
    // one byte each widened to the character of the same value. The caller
    // guarantees count (or 2 x count) bytes.
    static std::u16string Characters(const std::uint8_t* bytes, std::uint32_t count, bool wide);
    // text between double quotes, inner double quotes doubled.
    static std::u16string Quote(std::u16string_view text);
};
