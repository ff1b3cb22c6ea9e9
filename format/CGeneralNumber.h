// The General format: a number in at most 11 characters, as the program
// writes it in a cell of standard width.
//
// Whole numbers of up to 11 digits are written out; larger ones switch to
// scientific with at most 6 significant digits ("1.12346E+11"). Other
// numbers get as many decimals as fit in 11 characters, trailing zeros
// removed. Small numbers stay in decimal while that shows as many
// significant digits as scientific would ("0.000012345"), else scientific
// ("1.23457E-05", "1E-10"). Exponents have a sign and at least two digits.
#pragma once

#include <string>

class CGeneralNumber {
public:
    // Text of |value| (the caller adds any minus sign). NaN or infinity
    // gives "#NUM!".
    static std::u16string Render(double value);
};
