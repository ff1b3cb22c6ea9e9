// RK numbers: every value that gets an RK form decodes to the same bits,
// and the known encodings of the file format come out.
#include "server/CXlsRkNumber.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace {

std::uint64_t Bits(double v) {
    return std::bit_cast<std::uint64_t>(v);
}

}  // namespace

TEST(XlsRkNumber, KnownEncodings) {
    std::uint32_t rk = 0;
    ASSERT_TRUE(CXlsRkNumber::Encode(1.0, rk));
    EXPECT_EQ(rk, 0x00000006u) << "integer 1";
    ASSERT_TRUE(CXlsRkNumber::Encode(-1.0, rk));
    EXPECT_EQ(rk, 0xFFFFFFFEu);
    ASSERT_TRUE(CXlsRkNumber::Encode(0.5, rk));
    EXPECT_EQ(rk, 0x3FE00000u) << "the top of the double";
    ASSERT_TRUE(CXlsRkNumber::Encode(1.23, rk));
    EXPECT_EQ(rk, (123u << 2) | 3u) << "integer 123 divided by 100";
    EXPECT_EQ(CXlsRkNumber::Decode(0x3FF00000u), 1.0);
    EXPECT_EQ(CXlsRkNumber::Decode((123u << 2) | 3u), 1.23);
    EXPECT_EQ(CXlsRkNumber::Decode(0x3FF00001u), 0.01);
}

TEST(XlsRkNumber, EncodedValuesDecodeToTheSameBits) {
    const double values[] = {
        0.0,   -0.0,     1.0,   -536870912.0, 536870911.0, 0.01,  -0.07,
        0.125, 12345.67, 1e100, -1e-100,      3.0e9,       42.42, 1024.0 * 1024 * 1024};
    for (double v : values) {
        std::uint32_t rk;
        if (CXlsRkNumber::Encode(v, rk)) {
            EXPECT_EQ(Bits(CXlsRkNumber::Decode(rk)), Bits(v)) << v;
        }
    }
}

TEST(XlsRkNumber, NegativeZeroKeepsItsSign) {
    std::uint32_t rk;
    ASSERT_TRUE(CXlsRkNumber::Encode(-0.0, rk));
    EXPECT_TRUE(std::signbit(CXlsRkNumber::Decode(rk)));
}

TEST(XlsRkNumber, ValuesWithoutAnExactFormAreRefused) {
    std::uint32_t rk;
    EXPECT_FALSE(CXlsRkNumber::Encode(0.1 + 0.2, rk));
    EXPECT_FALSE(CXlsRkNumber::Encode(3.141592653589793, rk));
    EXPECT_FALSE(CXlsRkNumber::Encode(536870912.5, rk)) << "beyond the 30-bit integers";
    EXPECT_FALSE(CXlsRkNumber::Encode(std::numeric_limits<double>::quiet_NaN(), rk));
    EXPECT_FALSE(CXlsRkNumber::Encode(std::numeric_limits<double>::infinity(), rk));
}

TEST(XlsRkNumber, ManyValuesRoundTripWhenEncoded) {
    int encoded = 0;
    for (int i = -20000; i <= 20000; ++i) {
        for (double v : {i / 100.0, i * 1.5, i / 8.0, i * 0.001}) {
            std::uint32_t rk;
            if (!CXlsRkNumber::Encode(v, rk)) continue;
            ++encoded;
            ASSERT_EQ(Bits(CXlsRkNumber::Decode(rk)), Bits(v)) << v;
        }
    }
    EXPECT_GT(encoded, 100000) << "hundredths, halves and eighths all have a form";
}
