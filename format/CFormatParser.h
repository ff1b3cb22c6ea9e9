// Turns a format code into its sections, each with its kind decided and its
// tokens given their roles: which placeholders form the integer part, the
// decimals, the exponent, the numerator and denominator; which commas group
// thousands and which scale; which 'm' means minutes.
//
// Never fails: whatever the code holds, every section gets a kind and every
// token a meaning (at worst "show this character").
#pragma once

#include <string_view>
#include <vector>

#include "format/CFormatSection.h"

class CFormatParser {
public:
    static std::vector<CFormatSection> Parse(std::u16string_view code);

    // Decides the kind and roles of one section as the lexer left it.
    static void Resolve(CFormatSection& section);

private:
    static void ResolveDateTime(CFormatSection& section);
    static void ResolveScientific(CFormatSection& section, std::size_t exponent);
    static void ResolveFraction(CFormatSection& section, std::size_t slash);
    static void ResolveNumber(CFormatSection& section);
    // Gives roles to the digits, point and commas of tokens [first, last)
    // read as a number: integer digits, then decimals after the first point.
    static void ResolveDigits(CFormatSection& section, std::size_t first, std::size_t last);
    // The '/' that makes the section a fraction: digits before it and a
    // denominator (placeholders or written digits) after it; npos if none.
    static std::size_t FindFractionBar(const CFormatSection& section);
};
