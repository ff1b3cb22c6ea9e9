#include "formula/CExcelFormulaNumberText.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

namespace {

// Beyond these decimal exponents the E form is shorter and is what the
// spreadsheet itself shows.
constexpr int kLowestPlainExponent = -5;
constexpr int kFirstExponentForm = 15;

std::u16string Widen(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

}  // namespace

double CExcelFormulaNumberText::FromBytes(const std::uint8_t* bytes) {
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    return std::bit_cast<double>(bits);
}

bool CExcelFormulaNumberText::IsFinite(double value) {
    return std::isfinite(value);
}

std::u16string CExcelFormulaNumberText::Format(double value) {
    if (std::isnan(value)) return u"NAN";
    if (std::isinf(value)) return value < 0 ? u"-INF" : u"INF";
    if (value == 0) return u"0";

    // The shortest round-trip digits come from to_chars in scientific form:
    // "-d.ddde+XX". Split it into sign, digits and exponent and lay them out
    // again.
    char buffer[64];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    if (result.ec != std::errc()) return u"0";  // 64 bytes always suffice for a double
    const std::string scientific(buffer, result.ptr);
    const std::size_t e = scientific.find('e');
    if (e == std::string::npos) return u"0";

    std::string sign;
    std::string digits;
    for (std::size_t i = 0; i < e; ++i) {
        const char c = scientific[i];
        if (c == '-')
            sign = "-";
        else if (c != '.')
            digits.push_back(c);
    }
    const int exponent = std::atoi(scientific.c_str() + e + 1);

    std::string text = sign;
    if (exponent < kLowestPlainExponent || exponent >= kFirstExponentForm) {
        text.push_back(digits[0]);
        if (digits.size() > 1) text += "." + digits.substr(1);
        text += exponent < 0 ? "E-" : "E+";
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) text.push_back('0');
        text += std::to_string(magnitude);
    } else if (exponent < 0) {
        text += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            text += digits + std::string(whole - digits.size(), '0');
        } else {
            text += digits.substr(0, whole) + "." + digits.substr(whole);
        }
    }
    return Widen(text);
}
