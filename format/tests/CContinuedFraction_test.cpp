#include "format/CContinuedFraction.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Fraction(double value, long long maxDenominator) {
    double numerator = 0.0;
    long long denominator = 0;
    CContinuedFraction::Approximate(value, maxDenominator, numerator, denominator);
    return std::to_string(static_cast<long long>(numerator)) + "/" + std::to_string(denominator);
}

}  // namespace

// The program keeps the last convergent that fits, never a semiconvergent,
// even when one is closer.
TEST(CContinuedFraction, TakesTheLastConvergentThatFits) {
    EXPECT_EQ(Fraction(0.47, 9), "1/2");   // 4/9 is closer but not a convergent
    EXPECT_EQ(Fraction(0.43, 99), "3/7");  // likewise 40/93
    EXPECT_EQ(Fraction(0.5, 9), "1/2");
    EXPECT_EQ(Fraction(3.141592653589793, 9), "22/7");
    EXPECT_EQ(Fraction(3.141592653589793, 999), "355/113");
    EXPECT_EQ(Fraction(0.1, 9), "0/1");
}

// Worked in double arithmetic: 1/(1/0.9 - 1) comes out just below 9, which
// makes 8/9 a convergent of 0.9 for the program.
TEST(CContinuedFraction, DoubleArithmeticDecidesLikeTheProgram) {
    EXPECT_EQ(Fraction(0.9, 9), "8/9");
    EXPECT_EQ(Fraction(0.91, 99), "81/89");
    EXPECT_EQ(Fraction(0.11, 99), "10/91");
    EXPECT_EQ(Fraction(0.09, 99), "1/11");
}

TEST(CContinuedFraction, ExactFractionsWithLargeDenominatorsAreFound) {
    EXPECT_EQ(Fraction(103.0 / 201.0, 999999999), "103/201");
}

TEST(CContinuedFraction, ExtremeInputsStayInRange) {
    EXPECT_EQ(Fraction(0.0, 99), "0/1");
    EXPECT_EQ(Fraction(1e-300, 9), "0/1");
    EXPECT_EQ(Fraction(0.999999999999, 99), "1/1");
    EXPECT_EQ(Fraction(2.5, 0), "2/1");  // no room for a denominator: the integer part
    double numerator = 0.0;
    long long denominator = 0;
    CContinuedFraction::Approximate(0.7071067811865476, 9999999999LL, numerator, denominator);
    EXPECT_GE(denominator, 1);
    EXPECT_LE(denominator, 9999999999LL);
    CContinuedFraction::Approximate(1e300, 99, numerator, denominator);
    EXPECT_EQ(numerator, 1e300);
    EXPECT_EQ(denominator, 1);
}
