// The renderings of cached formula results by built-in format index: the
// number renderings with the digits fix and grouping, the dates and times,
// and what becomes of values no rendering expects.
#include "format/CExcelNumberFormatManager.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/TextConversion.h"

namespace {

std::string Render(double value, std::uint16_t index) {
    return ToUtf8(CExcelNumberFormatManager().Render(value, index));
}

}  // namespace

// --- Numbers ------------------------------------------------------------------

TEST(ExcelNumberFormatManagerNumbers, GroupsThousands) {
    EXPECT_EQ(Render(1234567, 3), "1,234,567");
    EXPECT_EQ(Render(123, 3), "123");
    EXPECT_EQ(Render(1234.5, 4), "1,234.50");
    EXPECT_EQ(Render(999.999, 4), "1,000.00");  // the carry of the rounding is grouped too
}

// A minus sign is not a digit: it never gets a separator of its own.
TEST(ExcelNumberFormatManagerNumbers, GroupingSkipsTheMinusSign) {
    EXPECT_EQ(Render(-1234, 3), "-1,234");
    EXPECT_EQ(Render(-123, 3), "-123");
    EXPECT_EQ(Render(-123456, 3), "-123,456");
    EXPECT_EQ(Render(-1234567.25, 4), "-1,234,567.25");
    EXPECT_EQ(Render(-123.5, 4), "-123.50");
}

TEST(ExcelNumberFormatManagerNumbers, PlainDecimalsAndPercent) {
    EXPECT_EQ(Render(1234.4, 1), "1234");
    EXPECT_EQ(Render(1234.567, 2), "1234.57");
    EXPECT_EQ(Render(0.256, 9), "26%");
    EXPECT_EQ(Render(0.256, 10), "25.60%");
    EXPECT_EQ(Render(-0.256, 9), "-26%");
}

TEST(ExcelNumberFormatManagerNumbers, CurrencyRenderingsPutTheSignInFront) {
    EXPECT_EQ(Render(1234, 5), "$1,234");
    EXPECT_EQ(Render(1234.5, 8), "$1,234.50");
    EXPECT_EQ(Render(1234, 41), "$ 1,234");
    EXPECT_EQ(Render(1234.5, 43), "$ 1,234.50");
    EXPECT_EQ(Render(-1234.5, 44), "-1,234.50");
}

TEST(ExcelNumberFormatManagerNumbers, PrintfRenderings) {
    EXPECT_EQ(Render(0.5, 0), "0.5");
    EXPECT_EQ(Render(1234567, 0), "1.23457E+06");
    EXPECT_EQ(Render(1234, 11), "1.2E+03");
    EXPECT_EQ(Render(1.26, 12), "1.3");
    EXPECT_EQ(Render(1.256, 13), "1.26");
    EXPECT_EQ(Render(5, 48), " 5");  // width 2
    EXPECT_EQ(Render(12345, 48), "1.2E+04");
}

// User formats (FORMAT records from 164 on) and the empty indices have no
// rendering of their own.
TEST(ExcelNumberFormatManagerNumbers, OtherIndicesPrintWithLowerCaseG) {
    EXPECT_EQ(Render(1234567, 30), "1.23457e+06");
    EXPECT_EQ(Render(1234567, 164), "1.23457e+06");
}

// --- The digits fix: 15 significant characters ---------------------------------

TEST(ExcelNumberFormatManagerDigitsFix, TheFifteenthCharacterTakesTheRounding) {
    EXPECT_EQ(Render(12345678901234567.0, 1), "12345678901234600");
    EXPECT_EQ(Render(12345678901234567.0, 3), "12,345,678,901,234,600");
    EXPECT_EQ(Render(123456789012345.0, 1), "123456789012345");  // 15 characters: untouched
}

// The fix raises one character and never carries: a 9 stays a 9 and the
// digits after it still become zeros.
TEST(ExcelNumberFormatManagerDigitsFix, ANineIsNotCarried) {
    EXPECT_EQ(Render(1234567890123496.0, 1), "1234567890123490");
}

// Characters count from the start of the text, the minus sign among them.
TEST(ExcelNumberFormatManagerDigitsFix, TheMinusSignCountsAsACharacter) {
    EXPECT_EQ(Render(-12345678901234567.0, 1), "-12345678901235000");
}

TEST(ExcelNumberFormatManagerDigitsFix, OnlyThePartBeforeThePointIsFixed) {
    EXPECT_EQ(Render(1234567890123456.0, 2), "1234567890123460.00");
    EXPECT_EQ(Render(12345678901234567.0, 4), "12,345,678,901,234,600.00");
}

// --- Dates and times ------------------------------------------------------------

TEST(ExcelNumberFormatManagerDates, DatePatterns) {
    EXPECT_EQ(Render(36526, 14), "01/01/2000");
    EXPECT_EQ(Render(36526.75, 15), "01-Jan-00");
    EXPECT_EQ(Render(36526, 16), "01-Jan");
    EXPECT_EQ(Render(36526, 17), "Jan-00");
    EXPECT_EQ(Render(61, 14), "03/01/1900");
    EXPECT_EQ(Render(59, 14), "02/28/1900");
}

// 29 February 1900 exists only for the spreadsheet.
TEST(ExcelNumberFormatManagerDates, SerialSixtyIsAnInvalidDate) {
    EXPECT_EQ(Render(60, 14), "Invalid DateTime");
    EXPECT_EQ(Render(60.5, 22), "Invalid DateTime");
}

TEST(ExcelNumberFormatManagerDates, TimePatterns) {
    EXPECT_EQ(Render(0.75, 18), "06:00 PM");
    EXPECT_EQ(Render(0.5, 18), "12:00 PM");
    EXPECT_EQ(Render(36526.25, 19), "06:00:00 AM");
    EXPECT_EQ(Render(0.5, 20), "12:00 ");
    EXPECT_EQ(Render(0.5, 21), "12:00:00");
    EXPECT_EQ(Render(36526.75, 22), "01/01/2000 18:00  ");
    EXPECT_EQ(Render(90.0 / 86400, 45), "01:30");
    EXPECT_EQ(Render(1.5, 46), "36:00:00");  // elapsed hours
    EXPECT_EQ(Render(90.0 / 86400, 47), "01:30.0");
}

TEST(ExcelNumberFormatManagerDates, MidnightShowsOneSecondPast) {
    EXPECT_EQ(Render(1.0, 21), "00:00:01");
    EXPECT_EQ(Render(36526, 22), "01/01/2000 00:00  ");
    EXPECT_EQ(Render(0, 18), "12:00 AM");
}

// --- Values no rendering expects ------------------------------------------------

TEST(ExcelNumberFormatManagerOddValues, NotANumberAndInfinities) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (std::uint16_t index : {0, 1, 4, 9, 14, 22, 48, 164}) {
        EXPECT_EQ(Render(nan, index), "#NUM!") << index;
        EXPECT_EQ(Render(-inf, index), "#NUM!") << index;
    }
    EXPECT_EQ(Render(1e307, 9), "#NUM!");  // times 100 leaves the doubles
}

TEST(ExcelNumberFormatManagerOddValues, HugeValuesStayBounded) {
    const double largest = std::numeric_limits<double>::max();
    const std::string whole = Render(largest, 1);
    EXPECT_EQ(whole.size(), 309u);
    EXPECT_EQ(whole.substr(0, 15), "179769313486232");
    EXPECT_EQ(whole.find_first_not_of('0', 15), std::string::npos);
    const std::string grouped = Render(-largest, 4);
    EXPECT_EQ(grouped.size(), 1u + 309u + 102u + 3u);
    EXPECT_EQ(grouped.substr(0, 5), "-179,");
    EXPECT_EQ(Render(1e300, 14).size(), 10u);  // a date of some year, tidied to 1900
}

TEST(ExcelNumberFormatManagerOddValues, NegativeSerialsShowTheFirstDay) {
    EXPECT_EQ(Render(-5, 14), "01/01/1900");
    EXPECT_EQ(Render(-1e300, 22).substr(0, 10), "01/01/1900");
}

// Every index with every kind of value gives some text, and never more than
// the longest number a double prints.
TEST(ExcelNumberFormatManagerOddValues, EveryIndexGivesBoundedText) {
    const double values[] = {0.0,
                             -0.0,
                             -0.5,
                             2958466.5,
                             1e300,
                             -1e300,
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::denorm_min()};
    for (std::uint16_t index = 0; index <= 60; ++index) {
        for (double value : values) {
            const std::u16string text = CExcelNumberFormatManager().Render(value, index);
            EXPECT_FALSE(text.empty()) << index << " " << value;
            EXPECT_LE(text.size(), 420u) << index << " " << value;
        }
    }
}
