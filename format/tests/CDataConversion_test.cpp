// From a serial to the date and time the renderings show: the 1900
// calendar with its fictitious 29 February, the half-second rounding, the
// midnight rule, and the tidying of serials outside the calendar.
#include "format/CDataConversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/TextConversion.h"

namespace {

constexpr double kSecond = 1.0 / 86400.0;

std::string DateTime(double serial) {
    return ToUtf8(CDataConversion::DateTimeFromSerial(serial).Format(u"%Y-%m-%d %H:%M:%S"));
}

std::string Date(double serial) {
    return ToUtf8(CDataConversion::DateFromSerial(serial).Format(u"%Y-%m-%d %H:%M:%S"));
}

}  // namespace

// --- The 1900 calendar --------------------------------------------------------

TEST(DataConversionCalendar, TheFirstMonthsOf1900) {
    EXPECT_EQ(Date(1), "1900-01-01 01:01:01");
    EXPECT_EQ(Date(31), "1900-01-31 01:01:01");
    EXPECT_EQ(Date(32), "1900-02-01 01:01:01");
    EXPECT_EQ(Date(59), "1900-02-28 01:01:01");
    EXPECT_EQ(Date(61), "1900-03-01 01:01:01");
    EXPECT_EQ(Date(366), "1900-12-31 01:01:01");
    EXPECT_EQ(Date(367), "1901-01-01 01:01:01");
}

// Serial 60 is 29 February 1900, which the date type rejects.
TEST(DataConversionCalendar, SerialSixtyIsTheFictitiousLeapDay) {
    const CDateTimeValue value = CDataConversion::DateFromSerial(60);
    EXPECT_FALSE(value.IsValid());
    EXPECT_EQ(value.GetYear(), 1900);
    EXPECT_EQ(value.GetMonth(), 2);
    EXPECT_EQ(value.GetDay(), 29);
    EXPECT_EQ(Date(60.25), "Invalid DateTime");
}

// The 400-, 100- and 4-year cycles: 2000 is a leap year, 2100 is not.
TEST(DataConversionCalendar, LaterCenturies) {
    EXPECT_EQ(Date(36526), "2000-01-01 01:01:01");
    EXPECT_EQ(Date(36585), "2000-02-29 01:01:01");
    EXPECT_EQ(Date(73109), "2100-02-28 01:01:01");
    EXPECT_EQ(Date(73110), "2100-03-01 01:01:01");
    EXPECT_EQ(Date(2958465), "9999-12-31 01:01:01");
}

// Day 0 ("0 January 1900") and every negative day become 1 January 1900.
TEST(DataConversionCalendar, DaysBeforeTheFirstBecomeTheFirst) {
    EXPECT_EQ(Date(0), "1900-01-01 01:01:01");
    EXPECT_EQ(Date(0.5), "1900-01-01 01:01:01");
    EXPECT_EQ(Date(-1), "1900-01-01 01:01:01");
    EXPECT_EQ(Date(-1e300), "1900-01-01 01:01:01");
}

// Past 31 December 9999 the year falls back to 1900; month and day are the
// calendar's (the Gregorian calendar repeats every 400 years).
TEST(DataConversionCalendar, DaysPastTheLastKeepMonthAndDayIn1900) {
    EXPECT_EQ(Date(2958466), "1900-01-01 01:01:01");           // 1 January 10000
    EXPECT_EQ(Date(2958466 + 31), "1900-02-01 01:01:01");      // 1 February 10000
    EXPECT_EQ(Date(2958466 + 60), "1900-03-01 01:01:01");      // 10000 is a leap year,
    EXPECT_EQ(Date(2958466 + 59), "Invalid DateTime");         // its 29 February lands on 1900's
    EXPECT_EQ(Date(2958466 + 146097), "1900-01-01 01:01:01");  // 1 January 10400
    const CDateTimeValue far = CDataConversion::DateFromSerial(1e300);
    EXPECT_EQ(far.GetYear(), 1900);
    EXPECT_GE(far.GetMonth(), 1);
    EXPECT_LE(far.GetMonth(), 12);
}

// --- Time of day ------------------------------------------------------------------

TEST(DataConversionTime, TheFractionIsTheTimeOfDay) {
    EXPECT_EQ(DateTime(0.5), "1900-01-01 12:00:00");
    EXPECT_EQ(DateTime(36526.75), "2000-01-01 18:00:00");
    EXPECT_EQ(DateTime(2958465 + 86399 * kSecond), "9999-12-31 23:59:59");
}

TEST(DataConversionTime, SecondsRoundHalfUp) {
    EXPECT_EQ(DateTime(36526 + 1.4 * kSecond), "2000-01-01 00:00:01");
    EXPECT_EQ(DateTime(36526 + 1.6 * kSecond), "2000-01-01 00:00:02");
    EXPECT_EQ(DateTime(36526 + 59.5 * kSecond + 1e-9), "2000-01-01 00:01:00");
}

// Exactly midnight shows as 00:00:01.
TEST(DataConversionTime, MidnightBecomesOneSecondPast) {
    EXPECT_EQ(DateTime(1.0), "1900-01-01 00:00:01");
    EXPECT_EQ(DateTime(36526), "2000-01-01 00:00:01");
    EXPECT_EQ(DateTime(36526 + 0.2 * kSecond), "2000-01-01 00:00:01");
}

// Within half a second of the next day the time carries into that day's
// midnight, which shows as one second past it.
TEST(DataConversionTime, HalfASecondBeforeMidnightIsTheNextDay) {
    EXPECT_EQ(DateTime(36526.99999999), "2000-01-02 00:00:01");
    EXPECT_EQ(DateTime(60.999999999), "1900-03-01 00:00:01");  // out of 29 February
    EXPECT_EQ(DateTime(36526 + 86399.4 * kSecond), "2000-01-01 23:59:59");
}

TEST(DataConversionTime, NotANumberGivesAnInvalidValue) {
    EXPECT_FALSE(CDataConversion::DateTimeFromSerial(std::nan("")).IsValid());
    EXPECT_FALSE(
        CDataConversion::DateFromSerial(std::numeric_limits<double>::infinity()).IsValid());
}
