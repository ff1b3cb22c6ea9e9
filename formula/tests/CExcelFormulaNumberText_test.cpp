// Number text of formula constants: shortest round-trip digits, plain or
// E notation as the spreadsheet reads them.
#include "formula/CExcelFormulaNumberText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "formula/tests/support/TokenStream.h"

using testsupport::Utf8;

namespace {

std::string Text(double value) {
    return Utf8(CExcelFormulaNumberText::Format(value));
}

}  // namespace

TEST(NumberText, PlainNotationInTheUsualRange) {
    EXPECT_EQ(Text(0), "0");
    EXPECT_EQ(Text(-0.0), "0");
    EXPECT_EQ(Text(1), "1");
    EXPECT_EQ(Text(-42), "-42");
    EXPECT_EQ(Text(100), "100");
    EXPECT_EQ(Text(100000), "100000");
    EXPECT_EQ(Text(0.001), "0.001");
    EXPECT_EQ(Text(0.00001), "0.00001");
    EXPECT_EQ(Text(123456789012345.0), "123456789012345");
    EXPECT_EQ(Text(2.5), "2.5");
}

TEST(NumberText, ExponentFormOutsideItWithSignAndTwoDigits) {
    EXPECT_EQ(Text(1e15), "1E+15");
    EXPECT_EQ(Text(1e20), "1E+20");
    EXPECT_EQ(Text(1.5e-7), "1.5E-07");
    EXPECT_EQ(Text(0.000001), "1E-06");
    EXPECT_EQ(Text(-2.25e100), "-2.25E+100");
    EXPECT_EQ(Text(1e300), "1E+300");
    EXPECT_EQ(Text(4.9406564584124654e-324), "5E-324");
    EXPECT_EQ(Text(1.7976931348623157e308), "1.7976931348623157E+308");
}

TEST(NumberText, KeepsEveryDigitThatTheDoubleNeeds) {
    EXPECT_EQ(Text(3.14159265), "3.14159265");
    EXPECT_EQ(Text(3.141592653589793), "3.141592653589793");
    EXPECT_EQ(Text(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(Text(1234567.8901234567), "1234567.8901234567");
}

TEST(NumberText, EveryTextReadsBackAsTheSameDouble) {
    std::mt19937_64 random(2024);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t bits = random();
        const double value = std::bit_cast<double>(bits);
        if (!CExcelFormulaNumberText::IsFinite(value)) continue;
        const std::string text = Text(value);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), value == 0 ? 0.0 : value) << text;
    }
}

TEST(NumberText, NonFiniteValuesAreFlagged) {
    EXPECT_FALSE(CExcelFormulaNumberText::IsFinite(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(CExcelFormulaNumberText::IsFinite(-std::numeric_limits<double>::infinity()));
    EXPECT_EQ(Text(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_TRUE(CExcelFormulaNumberText::IsFinite(1e308));
}
