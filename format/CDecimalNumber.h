// A non-negative number held as decimal digits, made from a double at the 15
// significant digits the spreadsheet keeps. Rounding then goes by the
// decimal value the user sees: 12.345 rounds to 12.35, although the double
// nearest 12.345 lies just below it.
//
// value = 0.d1d2...dn x 10^point, d1 != 0, no trailing zero digit; zero has
// no digits. Copyable value type; no allocation beyond the digit string.
#pragma once

#include <string>

class CDecimalNumber {
public:
    static constexpr int kSignificantDigits = 15;

    CDecimalNumber() = default;
    // |value| to kSignificantDigits digits, correctly rounded; NaN and
    // infinities give zero (callers test for them first).
    static CDecimalNumber FromDouble(double value);
    // A whole number given as its digits ("" or all zeros: zero).
    static CDecimalNumber FromDigits(const std::string& digits);

    bool IsZero() const { return m_digits.empty(); }
    // Power of ten of the leading digit: 1234.5 gives 3, 0.012 gives -2; 0
    // for zero.
    int Exponent() const { return IsZero() ? 0 : m_point - 1; }
    // Multiplies by 10^places (places may be negative). Zero stays zero.
    void Shift(int places);
    // Rounds half away from zero to `decimals` digits after the point
    // (decimals >= 0); carries may add a digit in front (9.96 -> 10.0).
    void RoundToDecimals(int decimals);
    // Rounds half away from zero to `digits` significant digits (>= 1).
    void RoundToSignificant(int digits);

    // The digits before the point, without leading zeros; "" below 1.
    std::string IntegerDigits() const;
    // Exactly `count` digits after the point, padded with zeros.
    std::string FractionDigits(int count) const;
    // Number of significant digits (no trailing zeros); 0 for zero.
    int SignificantDigits() const { return static_cast<int>(m_digits.size()); }

private:
    // Keeps the first `keep` digits, rounding on the next one.
    void RoundToKeep(long long keep);

    std::string m_digits;
    int m_point = 0;
};
