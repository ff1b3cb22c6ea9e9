#include "format/CDecimalNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::string Rounded(double value, int decimals) {
    CDecimalNumber number = CDecimalNumber::FromDouble(value);
    number.RoundToDecimals(decimals);
    std::string text = number.IntegerDigits();
    if (text.empty()) text = "0";
    if (decimals > 0) text += "." + number.FractionDigits(decimals);
    return text;
}

}  // namespace

// The double nearest 12.345 lies below it; the program rounds the decimal
// value it shows, so the half goes up.
TEST(CDecimalNumberRounding, GoesByTheDecimalValueNotTheBinaryOne) {
    EXPECT_EQ(Rounded(12.345, 2), "12.35");
    EXPECT_EQ(Rounded(1.005, 2), "1.01");
    EXPECT_EQ(Rounded(0.125, 2), "0.13");
    EXPECT_EQ(Rounded(2.5, 0), "3");
    EXPECT_EQ(Rounded(0.1 + 0.2, 16), "0.3000000000000000");
}

TEST(CDecimalNumberRounding, CarriesIntoANewLeadingDigit) {
    EXPECT_EQ(Rounded(9.996, 2), "10.00");
    EXPECT_EQ(Rounded(999.5, 0), "1000");
    EXPECT_EQ(Rounded(0.96, 1), "1.0");
}

TEST(CDecimalNumberRounding, ValuesBelowTheLastPlaceRoundToZeroOrOneUnit) {
    CDecimalNumber small = CDecimalNumber::FromDouble(0.004);
    small.RoundToDecimals(2);
    EXPECT_TRUE(small.IsZero());
    EXPECT_EQ(Rounded(0.005, 2), "0.01");
    EXPECT_EQ(Rounded(0.0005, 0), "0");
}

TEST(CDecimalNumberRounding, SignificantDigits) {
    CDecimalNumber number = CDecimalNumber::FromDouble(123456789.0);
    number.RoundToSignificant(6);
    EXPECT_EQ(number.IntegerDigits(), "123457000");
    EXPECT_EQ(number.Exponent(), 8);
}

// Only 15 significant digits exist, as in the program: the rest are zeros.
TEST(CDecimalNumberDigits, KeepsFifteenSignificantDigits) {
    const CDecimalNumber number = CDecimalNumber::FromDouble(123456789012345678.0);
    EXPECT_EQ(number.IntegerDigits(), "123456789012346000");
    EXPECT_EQ(number.SignificantDigits(), 15);
}

TEST(CDecimalNumberDigits, ShiftMovesThePoint) {
    CDecimalNumber number = CDecimalNumber::FromDouble(0.25);
    number.Shift(2);
    EXPECT_EQ(number.IntegerDigits(), "25");
    number.Shift(-4);
    EXPECT_EQ(number.IntegerDigits(), "");
    EXPECT_EQ(number.FractionDigits(4), "0025");
    EXPECT_EQ(number.Exponent(), -3);
}

TEST(CDecimalNumberDigits, ExtremesStayBoundedByTheExponent) {
    const CDecimalNumber huge = CDecimalNumber::FromDouble(1e308);
    EXPECT_EQ(huge.IntegerDigits().size(), 309u);
    EXPECT_EQ(huge.IntegerDigits().substr(0, 2), "10");
    const CDecimalNumber tiny = CDecimalNumber::FromDouble(5e-324);
    EXPECT_FALSE(tiny.IsZero());
    EXPECT_EQ(tiny.FractionDigits(5), "00000");
    EXPECT_EQ(tiny.Exponent(), -324);
}

TEST(CDecimalNumberDigits, NotANumberAndInfinityAreZero) {
    EXPECT_TRUE(CDecimalNumber::FromDouble(std::nan("")).IsZero());
    EXPECT_TRUE(CDecimalNumber::FromDouble(std::numeric_limits<double>::infinity()).IsZero());
    EXPECT_TRUE(CDecimalNumber::FromDouble(-0.0).IsZero());
}

TEST(CDecimalNumberDigits, NegativeValuesGiveTheirMagnitude) {
    EXPECT_EQ(CDecimalNumber::FromDouble(-42.5).IntegerDigits(), "42");
}

TEST(CDecimalNumberDigits, FromDigitsDropsLeadingZeros) {
    EXPECT_EQ(CDecimalNumber::FromDigits("000120").IntegerDigits(), "120");
    EXPECT_TRUE(CDecimalNumber::FromDigits("000").IsZero());
    EXPECT_TRUE(CDecimalNumber::FromDigits("").IsZero());
}
