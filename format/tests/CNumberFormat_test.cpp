// What each construct of the format language protects, one group per
// construct. Expected texts are the spreadsheet program's.
#include "format/CNumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/TextConversion.h"

namespace {

std::string Show(const std::string& code, double value) {
    return ToUtf8(FormatNumber(FromUtf8(code), value));
}

}  // namespace

// --- Sections: positive; negative; zero; text --------------------------------

TEST(NumberFormatSections, NegativeAndZeroSectionsAndTheirSigns) {
    EXPECT_EQ(Show("#,##0.00;(#,##0.00)", -5), "(5.00)");
    EXPECT_EQ(Show("#,##0.00;(#,##0.00)", 5), "5.00");
    EXPECT_EQ(Show("0.0;0.00;\"zero\"", 0), "zero");
    EXPECT_EQ(Show("0.0;0.00", 0), "0.0");   // two sections: zero takes the first
    EXPECT_EQ(Show("0.00", -2.5), "-2.50");  // one section: the minus is added
    EXPECT_EQ(Show("\\a $#.00\" profit\"", -12.3), "-a $12.30 profit");  // in front of everything
}

TEST(NumberFormatSections, EmptySectionsHideTheirNumbers) {
    EXPECT_EQ(Show("0;;", -5), "");
    EXPECT_EQ(Show("0;;", 0), "");
    EXPECT_EQ(Show(";;;", 5), "");
    EXPECT_EQ(Show("[Red];", 42), "42");  // brackets alone: General
}

TEST(NumberFormatSections, TheTextSectionIsNeverUsedForNumbers) {
    EXPECT_EQ(Show("0.0;0.00;0.000;\"text\"", 0), "0.000");
    EXPECT_EQ(Show("\"foo\";\"bar\";@", 0), "foo");
    EXPECT_EQ(Show("@", -5.5), "-5.5");  // '@' alone renders the number as General
    EXPECT_EQ(Show("xxx@xxx", 12), "12");
    EXPECT_EQ(Show("0;0;0;0;0", -5), "5");  // a fifth section is ignored
}

TEST(NumberFormatSections, GeneralInTheNegativeSectionKeepsTheMinus) {
    EXPECT_EQ(Show("General;General", -25), "-25");
    EXPECT_EQ(Show("0;0", -25), "25");
}

TEST(NumberFormatSections, ANumberRoundedToZeroLosesItsMinus) {
    EXPECT_EQ(Show("0", -0.01), "0");
    EXPECT_EQ(Show("0.00", -0.001), "0.00");
    EXPECT_EQ(Show("\\\"0.00", -1e-10), "\"0.00");
    EXPECT_EQ(Show("0", -0.0), "0");
}

// --- Conditions -------------------------------------------------------------

TEST(NumberFormatConditions, PickTheFirstSectionWhoseConditionHolds) {
    EXPECT_EQ(Show("[>100]\"big\";[<-100]\"small\";0", 101), "big");
    EXPECT_EQ(Show("[>100]\"big\";[<-100]\"small\";0", -101), "small");
    EXPECT_EQ(Show("[>100]\"big\";[<-100]\"small\";0", 7), "7");
    EXPECT_EQ(Show("[=10]#\" Wow\"", 10), "10 Wow");
    EXPECT_EQ(Show("[<>10]#\" Wow\"", 11), "11 Wow");
    EXPECT_EQ(Show("[>=10]#\" Big\"", 10), "10 Big");
    EXPECT_EQ(Show("[< 10]#\" Wow\"", 1), "1 Wow");  // spaces inside the bracket
}

TEST(NumberFormatConditions, ASectionForNegativesOnlyDropsTheMinus) {
    EXPECT_EQ(Show("[<=-1]0.00", -2.5), "2.50");
    EXPECT_EQ(Show("[<=0]0.00", -2.5), "-2.50");
    EXPECT_EQ(Show("[>-10]#\" Big\"", -9), "-9 Big");
    EXPECT_EQ(Show("[>0]0.0;0.00", -2.5), "2.50");
    EXPECT_EQ(Show("[>1]0.00;0.000", -2.5), "-2.500");
}

TEST(NumberFormatConditions, NoSectionMatchingFallsBackToGeneral) {
    EXPECT_EQ(Show("[>10]#\" Big\"", 10), "10");
    EXPECT_EQ(Show("[>10]0.00;[>10]0.000", -2.5), "-2.5");
    EXPECT_EQ(Show("[>0]0.00;[>0]0.000;x@", -2.5), "");  // unless there is a text section
}

TEST(NumberFormatConditions, BoundsAreReadLikeNumbers) {
    EXPECT_EQ(Show("[< -1e1 ]0.00;0.000", -2.5), "2.500");   // -10
    EXPECT_EQ(Show("[< -1,000 ]0.00;0.000", -2.5), "2.50");  // -1, the rest ignored
    EXPECT_EQ(Show("[=-2.5]0.00;0.000", -2.5), "2.50");
}

// --- Colours and locale brackets --------------------------------------------

TEST(NumberFormatBrackets, ColoursAndUnknownBracketsShowNothing) {
    EXPECT_EQ(Show("[Red]0.00", 1.5), "1.50");
    EXPECT_EQ(Show("[Color12]0", 3), "3");
    EXPECT_EQ(Show("[redblue]0", 3), "3");
    EXPECT_EQ(Show("[Blue]General", -1), "-1");
}

TEST(NumberFormatBrackets, CurrencyTextShowsWhereItStands) {
    EXPECT_EQ(Show("[$\u20ac-2] #,##0.00", 3), "\u20ac 3.00");
    EXPECT_EQ(Show("[$-409]0.00", 3), "3.00");
    EXPECT_EQ(Show("[$USD] 0", 3), "USD 3");
    EXPECT_EQ(Show("[$\u00a3-809]#,##0.0000;\\-[$\u00a3-809]#,##0.0000", -3.14159),
              "-\u00a33.1416");
}

TEST(NumberFormatBrackets, SystemDateAndTimeLocales) {
    EXPECT_EQ(Show("0.00[$-f800]", 38916), "Tuesday, July 18, 2006");
    EXPECT_EQ(Show("[$-F400]", 0.75), "6:00:00 PM");
    EXPECT_EQ(Show("dd-mmmm-yyyy[$-100f800]", 38916), "18-July-2006");
}

// --- Digit placeholders, point, rounding ------------------------------------

TEST(NumberFormatDigits, ZeroHashAndQuestionMark) {
    EXPECT_EQ(Show("000.00", 12.3), "012.30");
    EXPECT_EQ(Show("#.##", 12.3), "12.3");
    EXPECT_EQ(Show("#.##", 0.5), ".5");
    EXPECT_EQ(Show("0.##", -1), "-1.");
    EXPECT_EQ(Show(R"(|??.??|)", 1.1), "| 1.1 |");
    EXPECT_EQ(Show("0.0#", 1.2), "1.2");
    EXPECT_EQ(Show("0.0#", 0.0012345), "0.0");
    EXPECT_EQ(Show(".00", 5.25), "5.25");  // integer digits appear even without placeholders
}

TEST(NumberFormatDigits, LiteralsBetweenDigitsKeepTheirPlaces) {
    EXPECT_EQ(Show("000\\-00\\-0000", 123456789), "123-45-6789");
    EXPECT_EQ(Show("00000-0000", 941051630), "94105-1630");
    EXPECT_EQ(Show("###\\###\\##0.00", 101), "#1#01.00");
    EXPECT_EQ(Show("0.00_;0.000", -2.5), "-2.50 0.000");  // a second point is a character
}

TEST(NumberFormatDigits, RoundsHalfAwayFromZeroOnTheDecimalValue) {
    EXPECT_EQ(Show("#,###.00", 12.345), "12.35");
    EXPECT_EQ(Show("0", 2.5), "3");
    EXPECT_EQ(Show("0", -2.5), "-3");
    EXPECT_EQ(Show("0.00", 1.005), "1.01");
    EXPECT_EQ(Show("0", 0.49999999999999994), "1");  // 0.500000000000000 to the program
}

TEST(NumberFormatDigits, LargeNumbersShowFifteenSignificantDigits) {
    EXPECT_EQ(Show("0", 123456789012345678.0), "123456789012346000");
    EXPECT_EQ(Show("0.00", 1234567890000.0), "1234567890000.00");
}

// --- Thousands separators and scaling ---------------------------------------

TEST(NumberFormatGrouping, SeparatorsFollowThePlaceInTheWholeNumber) {
    EXPECT_EQ(Show("#,##0", 1234567), "1,234,567");
    EXPECT_EQ(Show("#,##0.00", 0.5), "0.50");
    EXPECT_EQ(Show("#,##0", -1234), "-1,234");
    EXPECT_EQ(Show(R"(?,??????)", 123456), "  123,456");  // a padded place pads its separator
    EXPECT_EQ(Show("0,000000", 123456), "0,123,456");
    EXPECT_EQ(Show("0,00 00", 10003), "10,0 03");
}

TEST(NumberFormatGrouping, TrailingCommasScaleByThousands) {
    EXPECT_EQ(Show("0.0,,\"M\"", 12345678), "12.3M");
    EXPECT_EQ(Show("#.0000,", 1234), "1.2340");
    EXPECT_EQ(Show("#.0000,,,", 1234567890), "1.2346");
    EXPECT_EQ(Show("General,", 22), "22,");  // after General a comma is a character
}

TEST(NumberFormatGrouping, PercentMultipliesByAHundred) {
    EXPECT_EQ(Show("0%", 0.25), "25%");
    EXPECT_EQ(Show("0.00%", -12345.6789), "-1234567.89%");
    EXPECT_EQ(Show("%0.00", 1.0 / 3), "%33.33");
    EXPECT_EQ(Show("0,0.00%", 123.45), "12,345.00%");
}

// --- Scientific -------------------------------------------------------------

TEST(NumberFormatScientific, MantissaAndExponent) {
    EXPECT_EQ(Show("0.00E+00", 12345), "1.23E+04");
    EXPECT_EQ(Show("0.00E+00", 0.00123456789), "1.23E-03");
    EXPECT_EQ(Show("0.00E+00", -12345.6789), "-1.23E+04");
    EXPECT_EQ(Show("0.00E+00", 9.999), "1.00E+01");  // rounding carries into the exponent
    EXPECT_EQ(Show("0.0E-0", 12345), "1.2E4");       // E- shows only a minus
    EXPECT_EQ(Show("0.00E+000", 1), "1.00E+000");
    EXPECT_EQ(Show(R"(0.00E+???)", 1), "1.00E+  0");
    EXPECT_EQ(Show("#E+00", 0), "0E+00");
}

TEST(NumberFormatScientific, IntegerPlaceholdersSetTheExponentStep) {
    EXPECT_EQ(Show("##0.0E+0", 1.23457e-13), "123.5E-15");
    EXPECT_EQ(Show("#0.0E+0", 1.23457e-11), "12.3E-12");
    EXPECT_EQ(Show("##0.0E+0", 999950), "1.0E+6");
    EXPECT_EQ(Show("###.00E+00", -9.9999e-05), "-100.00E-06");
}

TEST(NumberFormatScientific, TheSignGoesBeforeTheFirstExponentDigit) {
    EXPECT_EQ(Show("0.00E+ 00", 2222222222.0), "2.22E +09");
    EXPECT_EQ(Show("|#.#|e+|#|", 123456.789), "|1.2|e|+5|");
    EXPECT_EQ(Show("|#%e-#|", 123456.789), "|1%e5|");  // '%' does not scale here
}

// --- Fractions --------------------------------------------------------------

TEST(NumberFormatFractions, MixedFractions) {
    EXPECT_EQ(Show("# ?/?", 12.3), "12 1/3");
    EXPECT_EQ(Show(R"(# ??/??)", 1234.567), "1234 55/97");
    EXPECT_EQ(Show(R"(# ???/???)", -1.2), "-1   1/5  ");  // denominator padded on the right
    EXPECT_EQ(Show("# ?/?", 0.5), " 1/2");                // an integer part of 0 is left out
    EXPECT_EQ(Show(R"(? ???/???)", 3.141592653589793), "3  16/113");
}

TEST(NumberFormatFractions, APartThatRoundsAwayLeavesBlanks) {
    EXPECT_EQ(Show(R"(# ??/??)", 1), "1      ");
    EXPECT_EQ(Show("# ?/?", 0.96), "1    ");
    EXPECT_EQ(Show(R"(# ??/??)", 0.0001), "0      ");
    EXPECT_EQ(Show("#\\ ?/2", -0.14), "-0    ");  // the minus stays
    EXPECT_EQ(Show("|#\\:#=/=0|", 1), "|1|");     // no '?' anywhere: no blanks either
}

TEST(NumberFormatFractions, FixedDenominatorsAreNotReduced) {
    EXPECT_EQ(Show("# ?/4", 123.45), "123 2/4");
    EXPECT_EQ(Show(R"(# ??/100)", -1.2), "-1 20/100");
    EXPECT_EQ(Show("# ?/8", 1), "1    ");
    EXPECT_EQ(Show(R"(???/123)", 3.141592653589793), "386/123");
}

TEST(NumberFormatFractions, WithoutAnIntegerPartTheFractionIsImproper) {
    EXPECT_EQ(Show(R"(??/??)", 123.45), "2469/20");
    EXPECT_EQ(Show(R"(??/??)", -1.2), "- 6/5 ");
    EXPECT_EQ(Show("?/?", 3.141592653589793), "22/7");
    EXPECT_EQ(Show(R"(xxx ???/???)", 0), "xxx   0/1  ");
    EXPECT_EQ(Show("|#_#/#|", 3.75), "|15 /4|");
    EXPECT_EQ(Show(R"(???/???%)", 10.5), "1050/1  %");
}

TEST(NumberFormatFractions, LiteralsAroundTheBar) {
    EXPECT_EQ(Show("|#\\:#=/=?|", 23.75), "|23:3=/=4|");
    EXPECT_EQ(Show("|#\\:#=/=?|", 0.75), "|3=/=4|");
    EXPECT_EQ(Show("|?\\:?=/=?|", 0.75), "|  3=/=4|");
    EXPECT_EQ(Show(R"(??? ???/0??)", 1000.5), "1000   1/02 ");
    EXPECT_EQ(Show("000 00 00/00", 3.141592653589793), "000 03 01/07");
}

TEST(NumberFormatFractions, LongDenominatorsAreCapped) {
    const std::string text = Show(R"(# ??????????????????/??????????????????)", 3.141592653589793);
    EXPECT_EQ(text.substr(0, 2), "3 ");
    EXPECT_NE(text.find('/'), std::string::npos);
    EXPECT_LE(text.size(), 40u);
}

// --- Text, literals, spacing and fill ---------------------------------------

TEST(NumberFormatLiterals, QuotesEscapesSpacingAndFill) {
    EXPECT_EQ(Show("\"$\"#,##0_);\\(\"$\"#,##0\\);\"-\"", 10000), "$10,000 ");
    EXPECT_EQ(Show("\"$\"#,##0_);\\(\"$\"#,##0\\);\"-\"", -0.1), "($0)");
    EXPECT_EQ(Show("\"$\"#,##0_);\\(\"$\"#,##0\\);\"-\"", 0), "-");
    EXPECT_EQ(Show("** #,###,#00,000.00,**", 1.2345), " 00,000.00");
    EXPECT_EQ(Show("###*;*_###", 123456), "123456");  // "*;" does not split sections
    EXPECT_EQ(Show("\"0.00;0.00\"", -2.5), "-0.00;0.00");
    EXPECT_EQ(Show("0.00\\\\", -2.5), "-2.50\\");
    EXPECT_EQ(Show("r", -1), "-r");
    EXPECT_EQ(Show("\"\"", 22), "");
}

// --- General ----------------------------------------------------------------

TEST(NumberFormatGeneral, ElevenCharactersThenScientific) {
    EXPECT_EQ(Show("General", 1.2345678912), "1.234567891");
    EXPECT_EQ(Show("General", 1.2345678919), "1.234567892");
    EXPECT_EQ(Show("General", 10000000000.0), "10000000000");
    EXPECT_EQ(Show("General", 112345900000.0), "1.12346E+11");
    EXPECT_EQ(Show("General", 99999999999.6), "1E+11");
    EXPECT_EQ(Show("General", 1234.5), "1234.5");
    EXPECT_EQ(Show("General", 0), "0");
    EXPECT_EQ(Show("general", -2), "-2");
}

TEST(NumberFormatGeneral, SmallNumbersStayDecimalWhileThatLosesNothing) {
    EXPECT_EQ(Show("General", 1.2345e-05), "0.000012345");
    EXPECT_EQ(Show("General", 1.234567891e-05), "1.23457E-05");
    EXPECT_EQ(Show("General", 0.000123456789), "0.000123457");
    EXPECT_EQ(Show("General", 1e-10), "1E-10");
    EXPECT_EQ(Show("General", 1.2e-07), "0.00000012");
    EXPECT_EQ(Show("General", 1e308), "1E+308");
    EXPECT_EQ(Show("General", 5e-324), "4.94066E-324");
}

// --- Dates ------------------------------------------------------------------

TEST(NumberFormatDates, TheNineteenHundredSystem) {
    EXPECT_EQ(Show("m/d/yyyy", 1), "1/1/1900");
    EXPECT_EQ(Show("m/d/yyyy", 60), "2/29/1900");
    EXPECT_EQ(Show("m/d/yyyy", 61), "3/1/1900");
    EXPECT_EQ(Show("m/d/yy", 0.123456789), "1/0/00");
    EXPECT_EQ(Show("m/d/yyyy", 2958465), "12/31/9999");
    EXPECT_EQ(Show("dd/mm/yyyy hh:mm", 36526.75), "01/01/2000 18:00");
}

TEST(NumberFormatDates, NamesAndWidths) {
    EXPECT_EQ(Show("d dd ddd dddd ddddd", 36619), "3 03 Mon Monday Monday");
    EXPECT_EQ(Show("m mm mmm mmmm mmmmm", 36619), "4 04 Apr April A");
    EXPECT_EQ(Show("y yy yyy yyyy", 36619), "00 00 2000 2000");
    EXPECT_EQ(Show("DDDD-MMMM-YYYY", 37653.17), "Saturday-February-2003");
    EXPECT_EQ(Show("e", 36619), "2000");
    EXPECT_EQ(Show("b", 1), "43");  // Buddhist year 2443
    EXPECT_EQ(Show("g", 36619), "");
}

TEST(NumberFormatDates, SerialsWithoutADateShowHashes) {
    EXPECT_EQ(Show("m/d/yyyy", -1), "########");
    EXPECT_EQ(Show("m/d/yyyy", 2958466), "########");
    EXPECT_EQ(Show("[h]:mm", 1e308), "########");
    EXPECT_EQ(Show("yyyy;yyyy", -36526), "2000");  // a negative section takes the magnitude
}

// --- Times ------------------------------------------------------------------

TEST(NumberFormatTimes, HoursMinutesSecondsAndMarkers) {
    EXPECT_EQ(Show("h:mm:ss", 0.5), "12:00:00");
    EXPECT_EQ(Show("h:mm AM/PM", 0), "12:00 AM");
    EXPECT_EQ(Show("hh:mm:ss am/pm", 0.75), "06:00:00 PM");
    EXPECT_EQ(Show("hh:mm:ss a/p", 0.25), "06:00:00 a");
    EXPECT_EQ(Show("HH:MM:SS A/P", 0.75), "06:00:00 P");
    EXPECT_EQ(Show("hh:mm:ss AM/P", 0.5), "12:00:00 A1/P");  // not a marker: 'M' is the month
}

TEST(NumberFormatTimes, MIsMinutesAfterHoursOrBeforeSeconds) {
    const double t = 36619.47399305556;  // 3 April 2000 11:22:33
    EXPECT_EQ(Show("h:mm", t), "11:22");
    EXPECT_EQ(Show("mm:ss", t), "22:33");
    EXPECT_EQ(Show("mm", t), "04");
    EXPECT_EQ(Show("h:y:m", t), "11:00:22");
    EXPECT_EQ(Show("yyyy:mm ss:mm", t), "2000:22 33:04");
    EXPECT_EQ(Show("mm:dss", t), "04:333");
}

TEST(NumberFormatTimes, SecondsRoundToTheDigitsShown) {
    EXPECT_EQ(Show("hh:mm:ss.000", 0.9999999421296296), "23:59:59.995");
    EXPECT_EQ(Show("hh:mm:ss.0", 0.9999999421296296), "00:00:00.0");
    EXPECT_EQ(Show("yyyy-mm-dd hh:mm:ss", 1463.0032134017094), "1904-01-02 00:04:38");
    EXPECT_EQ(Show("h:mm", 1234567.89), "21:21");  // minutes are cut, not rounded
    EXPECT_EQ(Show("hh.000", 0.70707), "16.848");
}

TEST(NumberFormatTimes, ElapsedTimeRunsPastItsUsualLimit) {
    EXPECT_EQ(Show("[h]:mm:ss", 1234.56789), "29629:37:46");
    EXPECT_EQ(Show("[mm]:ss", 0.5), "720:00");
    EXPECT_EQ(Show("[ss].000", 0), "00.000");
    EXPECT_EQ(Show("[s]:hh", 1.5), "0:36");  // the largest unit present carries the total
    EXPECT_EQ(Show("[hh]:mm:ss.0", 0.08546296296296296), "02:03:04.0");
}

// --- Malformed and hostile codes --------------------------------------------

TEST(NumberFormatMalformed, BrokenSyntaxGivesBestEffortText) {
    EXPECT_EQ(Show("\"abc", 5), "abc");    // quote never closed
    EXPECT_EQ(Show("0\\", 5), "5");        // escape of nothing
    EXPECT_EQ(Show("0_", 5), "5");         // spacing of nothing
    EXPECT_EQ(Show("0.00[", 5), "5.00[");  // bracket never closed
    EXPECT_EQ(Show("[>]0", 5), "5");       // a condition without a bound
    EXPECT_EQ(Show("", 5), "");
    EXPECT_EQ(Show(";", -5), "");
    EXPECT_EQ(Show("E+", 5), "E+1");
    EXPECT_EQ(Show("/", 5), "/");
    EXPECT_EQ(Show("0/", 5), "5/");
}

TEST(NumberFormatMalformed, ValuesWithoutANumberShowAnError) {
    EXPECT_EQ(Show("0.00", std::nan("")), "#NUM!");
    EXPECT_EQ(Show("General", std::numeric_limits<double>::infinity()), "#NUM!");
    EXPECT_EQ(Show("m/d/yyyy", -std::numeric_limits<double>::infinity()), "#NUM!");
}

TEST(NumberFormatMalformed, HugeCodesAndValuesStayBounded) {
    const std::string manyZeros(100000, '0');
    EXPECT_LE(Show(manyZeros, 1.5).size(), 8192u);
    const std::string manyPercents = "0" + std::string(100000, '%');
    EXPECT_LE(Show(manyPercents, 1e308).size(), 9000u);
    const std::string manyCommas = "0" + std::string(5000, ',');
    EXPECT_EQ(Show(manyCommas, 1e308), "0");
    EXPECT_EQ(Show("0", 1e308).size(), 309u);
    const std::string manyBrackets(100000, '[');
    EXPECT_FALSE(Show(manyBrackets, 1).empty());
    const std::string manyQuestionMarks =
        "# " + std::string(50000, '?') + "/" + std::string(50000, '?');
    EXPECT_LE(Show(manyQuestionMarks, 3.14159).size(), 8192u);
    EXPECT_EQ(Show("[h]:mm", 2958465.5), "71003172:00");
}

TEST(NumberFormatMalformed, AParsedFormatRendersManyValues) {
    const CNumberFormat format(u"#,##0.00;[Red](#,##0.00);\"nil\"");
    EXPECT_EQ(ToUtf8(format.Render(1234.5)), "1,234.50");
    EXPECT_EQ(ToUtf8(format.Render(-1234.5)), "(1,234.50)");
    EXPECT_EQ(ToUtf8(format.Render(0)), "nil");
    EXPECT_FALSE(format.IsDateTime());
    EXPECT_TRUE(CNumberFormat(u"[$-409]h:mm AM/PM").IsDateTime());
    EXPECT_EQ(format.Sections().size(), 3u);
}

// --- Codes the spreadsheet reads differently from a first guess ---------------

// Minutes after a second, conditions in a later section, empty sections,
// locale names and calendar prefixes. Expected texts are the program's, or
// Gnumeric's and LibreOffice's where both agree with the vectors.
TEST(NumberFormatReadings, MinutesConditionsSectionsLocalesAndCalendars) {
    struct SCase {
        const char* m_code;
        double m_value;
        const char* m_expected;
    };
    const SCase cases[] = {
        {"ss:mm", 0.5123, "43:17"},  // m after a second is minutes
        {"s:m", 0.5123, "43:17"},
        {"[s]:mm", 0.5123, "43:737"},  // [s] and minutes: the minutes run on
        {"yyyy:mm ss:mm", 36619.47399305556, "2000:22 33:04"},     // ss already has its minutes
        {"yyyy:mm yyyy ss:mm", 36619.5123, "2000:04 2000 43:17"},  // a year stops the look ahead
        {"h \"h\" mm", 0.51, "12 h 14"},
        {"hh:mm:ss AM/P", 0.5, "12:00:00 A1/P"},  // the stray M is January
        {"0.00;[>0]0.000", 2.5, "2.50"},          // the first section takes the positives
        {"0.00;[>0]0.000", -2.5, "-2.5"},         // nothing else holds: General
        {"0;[>100]0.00;0.000", -5, "-5.000"},
        {"0;[<100]0.00;0.000", 0, "0.00"},
        {"0.00;[<-5]0.000", -50, "50.000"},
        {"[<100]0;0.00", 150, "150.00"},
        {"[>=-10]0%;[<1]0.0", -15, "15.0"},  // the second section is the negatives'
        {"[>5]0;[<5]0.0", -3, "-3.0"},       // ... but not after [>5]
        {";;;@", 5, ""},
        {"[>10];", 5, ""},
        {"0;-0;;@", 0, ""},
        {"[$-40B]mmmm dddd ddd mmm mmmmm", 36619, "huhtikuu maanantai ma huhti h"},
        {"[$-407]mmmm", 36600, "März"},
        {"[$-80C]mmmm", 36619, "avril"},  // French (Belgium): the language's names
        {"[$-C07]mmm", 36526, "Jän"},
        {"[$-419]mmmm", 36619, "Апрель"},
        {"[$-411]mmmm mmm dddd ddd", 36619, "4月 4月 月曜日 月"},
        {"[$-30411]mmmm", 36619, "4月"},       // a calendar byte above the id
        {"[$-1010411]dddd", 36619, "月曜日"},  // digit and calendar bytes
        {"[$-804]mmmm mmm dddd ddd", 36619, "四月 4月 星期一 一"},
        {"[$-404]mmmm ddd", 36619, "四月 一"},  // Taiwan: the Chinese names
        {"[$-C04]mmmm", 36619, "四月"},
        {"[$-1004]dddd", 36619, "星期一"},
        {"[$-412]mmmm ddd", 36619, "4월 월"},
        {"[$-401]mmmm dddd", 36619, "أبريل الاثنين"},
        {"[$-3801]mmm", 36619, "أبريل"},  // Arabic (U.A.E.): the language's names
        {"[$-40D]mmmm mmm ddd", 36619, "אפריל אפר ב"},
        {"[$-41E]mmm dddd", 36619, "เม.ย. จันทร์"},
        {"[$-42A]mmmm ddd", 36619, "Tháng 04 Thứ Hai"},
        {"[$-421]mmm dddd", 36526, "Jan Sabtu"},
        {"[$-411]ggge\"年\"m\"月\"d\"日\"", 36619, "平成12年4月3日"},
        {"[$-411]h:mm AM/PM", 0.75, "6:00 午後"},
        {"[$-C04]AM/PM h", 0.25, "上午 6"},
        {"[$-407]h AM/PM", 0.75, "6 PM"},  // German keeps AM and PM
        {"[$-3801]h AM/PM", 0.75, "6 م"},
        {"上午/下午h\"时\"mm\"分\"", 0.75, "下午6时00分"},  // built-in Chinese time format
        {"[$-411]ge.m.d", 36619, "H12.4.3"},
        {"[$-411]gge ee", 43585, "平31 31"},  // the last day of Heisei
        {"[$-411]ggg ee", 43586, "令和 01"},  // the first of Reiwa
        {"[$-411]ge", 1, "M33"},
        {"[$-404]e\"年\"m\"月\"", 36619, "89年4月"},  // years of the Republic of China
        {"[$-404]ge", 36619, "89"},                   // ... whose era name we leave out
        {"[$-409]ge", 36619, "2000"},                 // no era: the Gregorian year
        {"[$-1234]mmmm", 36619, "April"},             // a locale we do not know: en-US
        {"B2yyyy/mm/dd", 36619, "1420/12/28"},
        {"B1yyyy", 36619, "2000"},
        {"[$-2000000]dd/mm/yyyy", 36619, "03/04/2000"},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(Show(c.m_code, c.m_value), c.m_expected) << c.m_code << " " << c.m_value;
    }
}
