// The preview text of a number cell under its format text: each of the
// steps around the engine, the fraction rendering, and codes or values that
// must not run away.
#include "format/CFormatNumberApiFormating.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "format/CExcelFormatText.h"
#include "platform/TextConversion.h"

namespace {

std::string Show(const std::u16string& code, double value) {
    return ToUtf8(CFormatNumberApiFormating().Format(code, value));
}

}  // namespace

// --- General --------------------------------------------------------------------

TEST(FormatNumberApiGeneral, RendersWithUpToNineDecimals) {
    EXPECT_EQ(Show(u"General", 1234.5), "1234.5");
    EXPECT_EQ(Show(u"General", 2), "2");  // the point left alone is dropped
    EXPECT_EQ(Show(u"General", 0), "0");  // "." alone becomes 0
    EXPECT_EQ(Show(u"General", 1.0 / 3), "0.333333333");
    EXPECT_EQ(Show(u"General", 1e-12), "0");
}

// General shows the zero before the point of a number below one; ".25" is
// not a text the spreadsheet ever shows for it.
TEST(FormatNumberApiGeneral, NumbersBelowOneKeepTheirLeadingZero) {
    EXPECT_EQ(Show(u"General", 0.25), "0.25");
    EXPECT_EQ(Show(u"General", -0.25), "-0.25");
}

TEST(FormatNumberApiGeneral, LargeValuesPrintInScientific) {
    EXPECT_EQ(Show(u"General", 123456789012.0), "1.23457E+11");
    EXPECT_EQ(Show(u"General", -1e11), "-1E+11");
    EXPECT_EQ(Show(u"General", 99999999999.0), "99999999999");
    EXPECT_EQ(Show(u"0.00;General", 1e15), "1E+15");  // "General" anywhere in the code
}

// --- Spacing markers and currency brackets ------------------------------------

TEST(FormatNumberApiSteps, SpacingMarkersShowNothing) {
    EXPECT_EQ(Show(u"#,##0.00_);(#,##0.00)", -5), "(5.00)");
    EXPECT_EQ(Show(u"#,##0.00_);(#,##0.00)", 5), "5.00");
    EXPECT_EQ(Show(u"_-0.0_ ", 5), "5.0");
    EXPECT_EQ(Show(u"0_x", 5), "5 ");         // other widths still show as a space
    EXPECT_EQ(Show(u"0\"_)\"", 5), "5");      // as literal text too
    EXPECT_EQ(Show(u"0\\_x", 5), "5_x");      // an escaped underscore is no marker
    EXPECT_EQ(Show(u"0;0;\"-\"??", 0), "-");  // accounting zero without its padding
    EXPECT_EQ(Show(u"0;0;\"x\"??", 0), "x  ");
}

TEST(FormatNumberApiSteps, ACurrencyBracketShowsItsSymbol) {
    EXPECT_EQ(Show(u"[$€-2] #,##0.00", 3), "€ 3.00");
    EXPECT_EQ(Show(u"[$USD-409] 0", 3), "USD 3");
    EXPECT_EQ(Show(u"[$£]#,##0.00;[Red]-[$£]#,##0.00", -1234.5), "-£1,234.50");
    EXPECT_EQ(Show(u"[$$-409]#,##0.00", 1234.5), "$1,234.50");
    EXPECT_EQ(Show(u"[$-409]0.00", 3), "3.00");       // a locale, no symbol
    EXPECT_EQ(Show(u"[Red][$€-2]0.00", 3), "€3.00");  // the engine reads later brackets
    EXPECT_EQ(Show(u"[$€-2 0.00", 3), "[$€-2 3.00");  // unclosed: no symbol, plain text
}

TEST(FormatNumberApiSteps, ElapsedHoursCountPastADay) {
    EXPECT_EQ(Show(u"[h]:mm:ss", 1.5), "36:00:00");
    EXPECT_EQ(Show(u"[h]:mm:ss", 0.25), "6:00:00");
}

TEST(FormatNumberApiSteps, ATrailingPointIsDropped) {
    EXPECT_EQ(Show(u"0.", 5), "5");
    EXPECT_EQ(Show(u"#.##", 0), "0");
    EXPECT_EQ(Show(u"0.\\.", 5), "5.");  // only the last one
}

TEST(FormatNumberApiSteps, DatesAndTimesOfTheEngine) {
    EXPECT_EQ(Show(u"M/D/YYYY", 61), "3/1/1900");
    EXPECT_EQ(Show(u"M/D/YYYY h:mm", 36526.75), "1/1/2000 18:00");
    EXPECT_EQ(Show(u"h:mm AM/PM", 0.5), "12:00 PM");
}

// --- Fractions --------------------------------------------------------------------

TEST(FormatNumberApiFractions, WholePartAndBestFraction) {
    EXPECT_EQ(Show(u"# ?/?", 1.25), "1 1/4");
    EXPECT_EQ(Show(u"# ?/?", 1.75), "1 3/4");  // the whole part is cut, not rounded
    EXPECT_EQ(Show(u"# ?/?", 0.5), "1/2");
    EXPECT_EQ(Show(uR"(# ??/??)", 3.14159265), "3 1/7");
    EXPECT_EQ(Show(uR"(# ???/???)", 3.14159265), "3 16/113");
    EXPECT_EQ(Show(uR"(# ??/??)", 0.333), "1/3");
}

TEST(FormatNumberApiFractions, FixedDenominators) {
    EXPECT_EQ(Show(u"# ?/8", 0.3), "2/8");  // nearest eighth, not reduced
    EXPECT_EQ(Show(u"?/16", 2.5), "2 8/16");
    EXPECT_EQ(Show(uR"(# ??/100)", 1.37), "1 37/100");
}

// A remainder that comes to nothing or to a whole one shows no fraction.
TEST(FormatNumberApiFractions, WholeResultsShowNoFraction) {
    EXPECT_EQ(Show(u"# ?/?", 5), "5");
    EXPECT_EQ(Show(u"# ?/?", 0), "0");
    EXPECT_EQ(Show(u"# ?/?", 0.99), "1");
    EXPECT_EQ(Show(u"# ?/4", 2.9), "3");
    EXPECT_EQ(Show(u"# ?/16", 0.01), "0");
}

TEST(FormatNumberApiFractions, NegativeValuesTakeOneMinusInFront) {
    EXPECT_EQ(Show(u"# ?/?", -1.25), "-1 1/4");
    EXPECT_EQ(Show(u"# ?/?", -0.5), "-1/2");
    EXPECT_EQ(Show(u"# ?/?", -0.01), "0");
}

TEST(FormatNumberApiFractions, DenominatorsStayWithinNineDigits) {
    EXPECT_EQ(Show(u"# ?/12345678901", 0.5), "61728395/123456789");
    EXPECT_EQ(Show(u"# ?/????????????????????", 0.1), "1/10");
    EXPECT_EQ(Show(u"# ?/", 0.5), "1/2");  // no denominator digits: one
    const std::string huge = Show(u"# ?/?", 1e300);
    EXPECT_EQ(huge.size(), 301u);
    EXPECT_EQ(huge.substr(0, 2), "10");
}

// --- What must not run away --------------------------------------------------------

TEST(FormatNumberApiBounds, NotANumberAndInfinities) {
    EXPECT_EQ(Show(u"General", std::nan("")), "#NUM!");
    EXPECT_EQ(Show(u"General", std::numeric_limits<double>::infinity()), "#NUM!");
    EXPECT_EQ(Show(u"# ?/?", -std::numeric_limits<double>::infinity()), "#NUM!");
}

// The format buffer holds 511 characters: a longer code is cut there.
TEST(FormatNumberApiBounds, LongCodesAreCut) {
    const std::u16string code = u"0.00\"" + std::u16string(2000, u'x') + u"\"";
    const std::string text = Show(code, 5);
    EXPECT_EQ(text, "5.00" + std::string(506, 'x'));

    // A character of two UTF-16 units across the cut is left out whole.
    const std::u16string emoji = u"0\"" + std::u16string(508, u'a') + u"\U0001F600\"";
    EXPECT_EQ(Show(emoji, 5), "5" + std::string(508, 'a'));
}

TEST(FormatNumberApiBounds, MalformedCodesGiveSomeText) {
    for (const std::u16string code : {u"", u"[", u"\"", u"_", u"*", u"\\", u"[$", u"?/", u"[h]",
                                      u"$$$[$$$$-]", u"\"-\"??\"-\"??"}) {
        const std::u16string text = CFormatNumberApiFormating().Format(code, -1234.5);
        EXPECT_LT(text.size(), 64u) << ToUtf8(code);
    }
}

// Every built-in code with every kind of value gives bounded text.
TEST(FormatNumberApiBounds, BuiltInCodesWithOddValues) {
    const double values[] = {0.0,
                             -0.5,
                             60,
                             2958466.5,
                             1e300,
                             -1e300,
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::denorm_min()};
    for (std::uint32_t index = 0; index < CExcelFormatText::kBuiltInCount; ++index) {
        for (double value : values) {
            const std::u16string text =
                CFormatNumberApiFormating().Format(CExcelFormatText::BuiltIn(index), value);
            EXPECT_LE(text.size(), 420u) << index << " " << value;
        }
    }
}
