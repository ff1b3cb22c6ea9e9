// Number constants of formulas (ptgNum, array elements) as formula text:
// the fewest significant digits that read back as the same double, so that
// a formula written back computes exactly what the file's formula did.
//
// Plain decimal notation for decimal exponents from -5 to 14 (0.00001,
// 3.14159265, 123456789012345); outside that, a mantissa, a capital E, a
// sign and at least two exponent digits (1E+20, 1.5E-07, 1E+300), the form
// the spreadsheet reads. Zero of either sign prints as 0. A NaN or an
// infinity has no formula text; it prints as NAN, INF or -INF and IsFinite
// tells the caller so.
#pragma once

#include <cstdint>
#include <string>

class CExcelFormulaNumberText {
public:
    static std::u16string Format(double value);
    static bool IsFinite(double value);
    // The IEEE 754 double stored little-endian in the 8 bytes at bytes.
    static double FromBytes(const std::uint8_t* bytes);
};
