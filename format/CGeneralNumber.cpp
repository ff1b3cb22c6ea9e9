#include "format/CGeneralNumber.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "format/CDecimalNumber.h"
#include "format/CPlaceholderText.h"

namespace {

constexpr int kWidth = 11;
constexpr int kScientificDigits = 6;

// "1.23457E-05": the mantissa with at most six significant digits, trailing
// zeros (and a bare point) removed.
std::string Scientific(CDecimalNumber number) {
    number.RoundToSignificant(kScientificDigits);
    const int exponent = number.Exponent();
    number.Shift(-exponent);
    std::string text = number.IntegerDigits();
    const std::string decimals = number.FractionDigits(kScientificDigits - 1);
    const std::size_t last = decimals.find_last_not_of('0');
    if (last != std::string::npos) text += "." + decimals.substr(0, last + 1);
    const int magnitude = std::abs(exponent);
    text += exponent < 0 ? "E-" : "E+";
    if (magnitude < 10) text += '0';
    text += std::to_string(magnitude);
    return text;
}

// The number rounded to `decimals` places, trailing zeros removed.
std::string Decimal(CDecimalNumber number, int decimals) {
    number.RoundToDecimals(decimals);
    std::string text = number.IntegerDigits();
    if (text.empty()) text = "0";
    const std::string fraction = number.FractionDigits(decimals);
    const std::size_t last = fraction.find_last_not_of('0');
    if (last != std::string::npos) text += "." + fraction.substr(0, last + 1);
    return text;
}

}  // namespace

std::u16string CGeneralNumber::Render(double value) {
    if (!std::isfinite(value)) return u"#NUM!";
    const CDecimalNumber number = CDecimalNumber::FromDouble(value);
    if (number.IsZero()) return u"0";
    const int exponent = number.Exponent();
    if (exponent >= kWidth) return CPlaceholderText::Widen(Scientific(number));
    if (exponent >= 0) {
        // Integer digits, a point and the decimals that still fit.
        const int decimals = kWidth - (exponent + 1) - 1;
        CDecimalNumber rounded = number;
        rounded.RoundToDecimals(decimals > 0 ? decimals : 0);
        // 99999999999.6 rounds to twelve digits: that no longer fits.
        if (rounded.Exponent() >= kWidth) return CPlaceholderText::Widen(Scientific(number));
        return CPlaceholderText::Widen(Decimal(number, decimals > 0 ? decimals : 0));
    }
    // Below 1: "0." and nine decimals, unless that shows fewer significant
    // digits than the scientific form would.
    const int decimals = kWidth - 2;
    const int shownInDecimal = decimals + 1 + exponent;
    const int shownInScientific = std::min(number.SignificantDigits(), kScientificDigits);
    if (shownInDecimal >= shownInScientific) {
        return CPlaceholderText::Widen(Decimal(number, decimals));
    }
    return CPlaceholderText::Widen(Scientific(number));
}
