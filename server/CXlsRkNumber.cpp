#include "server/CXlsRkNumber.h"

#include <bit>
#include <cmath>

namespace {

constexpr std::uint32_t kTimes100 = 0x1;
constexpr std::uint32_t kInteger = 0x2;
constexpr double kIntegerLimit = 536870912.0;  // 2^29: the 30-bit signed range

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// The 30-bit integer form of v, when v is such an integer.
bool IntegerForm(double v, std::uint32_t& rk) {
    if (!(v >= -kIntegerLimit && v < kIntegerLimit) || std::trunc(v) != v) return false;
    rk = (static_cast<std::uint32_t>(static_cast<std::int32_t>(v)) << 2) | kInteger;
    return true;
}

// The truncated-double form of v, when its low 34 bits are zero.
bool DoubleForm(double v, std::uint32_t& rk) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(v);
    if ((bits & 0x3FFFFFFFFULL) != 0) return false;
    rk = static_cast<std::uint32_t>(bits >> 32);
    return true;
}

}  // namespace

double CXlsRkNumber::Decode(std::uint32_t rk) {
    double value;
    if (rk & kInteger) {
        value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    } else {
        value = std::bit_cast<double>(static_cast<std::uint64_t>(rk & ~0x3U) << 32);
    }
    return (rk & kTimes100) ? value / 100.0 : value;
}

bool CXlsRkNumber::Encode(double value, std::uint32_t& rk) {
    if (!std::isfinite(value)) return false;
    std::uint32_t candidate;
    // Each form is checked by decoding it again: -0.0 as an integer, or a
    // value times 100 that rounds, would not come back the same.
    if (IntegerForm(value, candidate) && SameBits(Decode(candidate), value)) {
        rk = candidate;
        return true;
    }
    if (DoubleForm(value, candidate) && SameBits(Decode(candidate), value)) {
        rk = candidate;
        return true;
    }
    // value * 100 may miss the integer by a rounding (1.23 * 100 is not
    // 123), so the nearest integer is tried and checked.
    const double times100 = value * 100.0;
    if (IntegerForm(std::round(times100), candidate) &&
        SameBits(Decode(candidate | kTimes100), value)) {
        rk = candidate | kTimes100;
        return true;
    }
    if (DoubleForm(times100, candidate) && SameBits(Decode(candidate | kTimes100), value)) {
        rk = candidate | kTimes100;
        return true;
    }
    return false;
}
