#include "format/CSerialDate.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::string DateText(std::int64_t serial) {
    CSerialDate::SDate date;
    if (!CSerialDate::DateFromSerial(serial, date)) return "none";
    return std::to_string(date.m_year) + "-" + std::to_string(date.m_month) + "-" +
           std::to_string(date.m_day);
}

std::string TimeText(double serial, int digits) {
    CSerialDate::STime time;
    if (!CSerialDate::SplitSerial(serial, digits, time)) return "none";
    return std::to_string(time.m_days) + " " + std::to_string(time.m_hour) + ":" +
           std::to_string(time.m_minute) + ":" + std::to_string(time.m_second) + "." +
           std::to_string(time.m_subsecond);
}

}  // namespace

// The fictitious 29 February 1900 and the days around it.
TEST(CSerialDateCalendar, NineteenHundredCountsAsALeapYear) {
    EXPECT_EQ(DateText(0), "1900-1-0");
    EXPECT_EQ(DateText(1), "1900-1-1");
    EXPECT_EQ(DateText(31), "1900-1-31");
    EXPECT_EQ(DateText(59), "1900-2-28");
    EXPECT_EQ(DateText(60), "1900-2-29");
    EXPECT_EQ(DateText(61), "1900-3-1");
    EXPECT_EQ(DateText(366), "1900-12-31");
    EXPECT_EQ(DateText(367), "1901-1-1");
}

TEST(CSerialDateCalendar, LaterDatesFollowTheGregorianCalendar) {
    EXPECT_EQ(DateText(36526), "2000-1-1");
    EXPECT_EQ(DateText(36585), "2000-2-29");
    EXPECT_EQ(DateText(73110), "2100-3-1");  // 2100 is not a leap year
    EXPECT_EQ(DateText(2958465), "9999-12-31");
}

TEST(CSerialDateCalendar, SerialsOutsideTheRangeHaveNoDate) {
    EXPECT_EQ(DateText(-1), "none");
    EXPECT_EQ(DateText(2958466), "none");
}

// Every day of the range converts back to its own serial.
TEST(CSerialDateCalendar, EveryDayRoundTrips) {
    for (std::int64_t serial = 1; serial <= CSerialDate::kLastSerial; ++serial) {
        CSerialDate::SDate date;
        ASSERT_TRUE(CSerialDate::DateFromSerial(serial, date));
        ASSERT_EQ(CSerialDate::SerialFromDate(date.m_year, date.m_month, date.m_day), serial)
            << date.m_year << "-" << date.m_month << "-" << date.m_day;
    }
}

TEST(CSerialDateCalendar, DatesThatDoNotExistHaveNoSerial) {
    EXPECT_EQ(CSerialDate::SerialFromDate(1900, 2, 29), 60);
    EXPECT_EQ(CSerialDate::SerialFromDate(1900, 2, 30), -1);
    EXPECT_EQ(CSerialDate::SerialFromDate(1901, 2, 29), -1);
    EXPECT_EQ(CSerialDate::SerialFromDate(2000, 2, 29), 36585);
    EXPECT_EQ(CSerialDate::SerialFromDate(1899, 12, 31), -1);
    EXPECT_EQ(CSerialDate::SerialFromDate(10000, 1, 1), -1);
    EXPECT_EQ(CSerialDate::SerialFromDate(2000, 13, 1), -1);
    EXPECT_EQ(CSerialDate::SerialFromDate(2000, 4, 31), -1);
}

// The program's weekdays: serial 1 is a Sunday, so the days before March
// 1900 are one off the real calendar; from March 1900 on they agree.
TEST(CSerialDateCalendar, WeekdaysAsTheProgramCountsThem) {
    EXPECT_EQ(CSerialDate::Weekday(0), 6);
    EXPECT_EQ(CSerialDate::Weekday(1), 0);
    EXPECT_EQ(CSerialDate::Weekday(60), 3);
    EXPECT_EQ(CSerialDate::Weekday(61), 4);     // Thursday, 1 March 1900
    EXPECT_EQ(CSerialDate::Weekday(36526), 6);  // Saturday, 1 January 2000
    EXPECT_EQ(CSerialDate::Weekday(36619), 1);  // Monday, 3 April 2000
}

TEST(CSerialDateTime, SplitsTheTimeOfDay) {
    EXPECT_EQ(TimeText(0.5, 0), "0 12:0:0.0");
    EXPECT_EQ(TimeText(36526.75, 0), "36526 18:0:0.0");
    EXPECT_EQ(TimeText(1.0, 0), "1 0:0:0.0");
}

// 0.9999999421296296 is 86399.995 seconds at the program's 15 digits; the
// double itself lies a hair below, which must not decide the rounding.
TEST(CSerialDateTime, RoundsHalfUpAtTheDigitsShownAndCarriesIntoTheDay) {
    EXPECT_EQ(TimeText(0.9999999421296296, 3), "0 23:59:59.995");
    EXPECT_EQ(TimeText(0.9999999421296296, 2), "1 0:0:0.0");
    EXPECT_EQ(TimeText(0.9999999421296296, 0), "1 0:0:0.0");
    EXPECT_EQ(TimeText(1463.0032134017094, 0), "1463 0:4:38.0");
    EXPECT_EQ(TimeText(1463.0032134017094, 3), "1463 0:4:37.638");
    EXPECT_EQ(TimeText(0.5 / 86400.0, 0), "0 0:0:1.0");  // the half-second rounds up
}

TEST(CSerialDateTime, RefusesValuesWithoutADate) {
    EXPECT_EQ(TimeText(-0.5, 0), "none");
    EXPECT_EQ(TimeText(std::nan(""), 0), "none");
    EXPECT_EQ(TimeText(INFINITY, 0), "none");
    EXPECT_EQ(TimeText(2958466.0, 0), "none");
    EXPECT_EQ(TimeText(1e308, 0), "none");
}

TEST(CSerialDateTime, TotalsCountFromSerialZero) {
    CSerialDate::STime time;
    ASSERT_TRUE(CSerialDate::SplitSerial(1.5, 0, time));
    EXPECT_EQ(time.m_totalSeconds, 129600);
}
