#include "format/CDecimalNumber.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

CDecimalNumber CDecimalNumber::FromDouble(double value) {
    CDecimalNumber number;
    if (!std::isfinite(value) || value == 0.0) return number;
    // "d.ddddddddddddddde+XX": to_chars rounds the binary value correctly to
    // the requested digits, so the result is what the program displays.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), std::fabs(value),
                                      std::chars_format::scientific, kSignificantDigits - 1);
    if (result.ec != std::errc()) return number;
    const char* p = buffer;
    const char* end = result.ptr;
    for (; p < end && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') number.m_digits.push_back(*p);
    }
    int exponent = 0;
    if (p < end) exponent = std::atoi(std::string(p + 1, end).c_str());
    number.m_point = exponent + 1;
    while (!number.m_digits.empty() && number.m_digits.back() == '0') number.m_digits.pop_back();
    if (number.m_digits.empty()) number.m_point = 0;
    return number;
}

CDecimalNumber CDecimalNumber::FromDigits(const std::string& digits) {
    CDecimalNumber number;
    std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return number;
    number.m_digits = digits.substr(first);
    number.m_point = static_cast<int>(number.m_digits.size());
    while (number.m_digits.back() == '0') number.m_digits.pop_back();
    return number;
}

void CDecimalNumber::Shift(int places) {
    if (!IsZero()) m_point += places;
}

void CDecimalNumber::RoundToKeep(long long keep) {
    if (IsZero() || keep >= static_cast<long long>(m_digits.size())) return;
    if (keep < 0) {
        m_digits.clear();
        m_point = 0;
        return;
    }
    const bool up = m_digits[static_cast<std::size_t>(keep)] >= '5';
    m_digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        // Carry leftwards; a carry out of the first digit becomes a new
        // leading 1 one place higher.
        std::size_t i = m_digits.size();
        while (i > 0 && m_digits[i - 1] == '9') m_digits[--i] = '0';
        if (i == 0) {
            m_digits.insert(m_digits.begin(), '1');
            ++m_point;
        } else {
            ++m_digits[i - 1];
        }
    }
    while (!m_digits.empty() && m_digits.back() == '0') m_digits.pop_back();
    if (m_digits.empty()) m_point = 0;
}

void CDecimalNumber::RoundToDecimals(int decimals) {
    RoundToKeep(static_cast<long long>(m_point) + decimals);
}

void CDecimalNumber::RoundToSignificant(int digits) {
    RoundToKeep(digits < 1 ? 1 : digits);
}

std::string CDecimalNumber::IntegerDigits() const {
    if (IsZero() || m_point <= 0) return {};
    const std::size_t point = static_cast<std::size_t>(m_point);
    std::string out = m_digits.substr(0, point);
    if (point > m_digits.size()) out.append(point - m_digits.size(), '0');
    return out;
}

std::string CDecimalNumber::FractionDigits(int count) const {
    std::string out;
    if (count <= 0) return out;
    out.reserve(static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j) {
        const long long index = static_cast<long long>(m_point) + j;
        const bool inside =
            !IsZero() && index >= 0 && index < static_cast<long long>(m_digits.size());
        out.push_back(inside ? m_digits[static_cast<std::size_t>(index)] : '0');
    }
    return out;
}
