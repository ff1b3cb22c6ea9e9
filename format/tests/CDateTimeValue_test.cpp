// The date-time value: which fields make a real date and time, and what each
// pattern conversion writes.
#include "format/CDateTimeValue.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/TextConversion.h"

namespace {

std::string Show(const CDateTimeValue& value, const std::u16string& pattern) {
    return ToUtf8(value.Format(pattern));
}

}  // namespace

// --- Validity -------------------------------------------------------------------

TEST(DateTimeValueValidity, RealDatesOfTheRange) {
    EXPECT_TRUE(CDateTimeValue(1900, 1, 1, 0, 0, 0).IsValid());
    EXPECT_TRUE(CDateTimeValue(2000, 2, 29, 23, 59, 59).IsValid());
    EXPECT_TRUE(CDateTimeValue(9999, 12, 31, 12, 0, 0).IsValid());
}

TEST(DateTimeValueValidity, DaysTheCalendarDoesNotHave) {
    EXPECT_FALSE(CDateTimeValue(1900, 2, 29, 1, 1, 1).IsValid());  // the spreadsheet's own day
    EXPECT_FALSE(CDateTimeValue(2001, 4, 31, 1, 1, 1).IsValid());
    EXPECT_FALSE(CDateTimeValue(1899, 12, 31, 1, 1, 1).IsValid());
    EXPECT_FALSE(CDateTimeValue(10000, 1, 1, 1, 1, 1).IsValid());
    EXPECT_FALSE(CDateTimeValue(2000, 13, 1, 1, 1, 1).IsValid());
    EXPECT_FALSE(CDateTimeValue().IsValid());
}

TEST(DateTimeValueValidity, TimesTheClockDoesNotShow) {
    EXPECT_FALSE(CDateTimeValue(2000, 1, 1, 24, 0, 0).IsValid());
    EXPECT_FALSE(CDateTimeValue(2000, 1, 1, 0, 60, 0).IsValid());
    EXPECT_FALSE(CDateTimeValue(2000, 1, 1, 0, 0, 60).IsValid());
    EXPECT_FALSE(CDateTimeValue(2000, 1, 1, -1, 0, 0).IsValid());
}

TEST(DateTimeValueValidity, AnInvalidValueFormatsAsInvalidWhateverThePattern) {
    const CDateTimeValue leapDay(1900, 2, 29, 1, 1, 1);
    EXPECT_EQ(Show(leapDay, u"%m/%d/%Y"), "Invalid DateTime");
    EXPECT_EQ(Show(leapDay, u""), "Invalid DateTime");
    EXPECT_EQ(leapDay.GetDayOfWeek(), -1);
    EXPECT_EQ(leapDay.GetMonth(), 2);  // the fields stay as given
    EXPECT_EQ(leapDay.GetDay(), 29);
}

// --- Weekdays of the real calendar ------------------------------------------------

// Before March 1900 the spreadsheet's own weekdays are a day off; a date
// value tells the real one.
TEST(DateTimeValueWeekday, FollowsTheRealCalendarAroundFebruary1900) {
    EXPECT_EQ(CDateTimeValue(1900, 1, 1, 1, 1, 1).GetDayOfWeek(), 1);    // Monday
    EXPECT_EQ(CDateTimeValue(1900, 2, 28, 1, 1, 1).GetDayOfWeek(), 3);   // Wednesday
    EXPECT_EQ(CDateTimeValue(1900, 3, 1, 1, 1, 1).GetDayOfWeek(), 4);    // Thursday
    EXPECT_EQ(CDateTimeValue(2000, 1, 1, 1, 1, 1).GetDayOfWeek(), 6);    // Saturday
    EXPECT_EQ(CDateTimeValue(9999, 12, 31, 1, 1, 1).GetDayOfWeek(), 5);  // Friday
}

// --- Pattern conversions ------------------------------------------------------------

TEST(DateTimeValueFormat, NumericFieldsAreZeroPadded) {
    const CDateTimeValue value(2004, 3, 7, 9, 5, 3);
    EXPECT_EQ(Show(value, u"%m/%d/%Y %H:%M:%S"), "03/07/2004 09:05:03");
    EXPECT_EQ(Show(value, u"%y"), "04");
    EXPECT_EQ(Show(CDateTimeValue(1900, 1, 1, 0, 0, 0), u"%y"), "00");
}

TEST(DateTimeValueFormat, NamesOfTheCLocale) {
    const CDateTimeValue value(2004, 9, 1, 1, 1, 1);  // a Wednesday
    EXPECT_EQ(Show(value, u"%a %A %b %B"), "Wed Wednesday Sep September");
    EXPECT_EQ(Show(CDateTimeValue(2004, 5, 1, 1, 1, 1), u"%b %B"), "May May");
}

TEST(DateTimeValueFormat, TheTwelveHourClock) {
    EXPECT_EQ(Show(CDateTimeValue(2000, 1, 1, 0, 30, 0), u"%I:%M %p"), "12:30 AM");
    EXPECT_EQ(Show(CDateTimeValue(2000, 1, 1, 11, 59, 0), u"%I:%M %p"), "11:59 AM");
    EXPECT_EQ(Show(CDateTimeValue(2000, 1, 1, 12, 0, 0), u"%I:%M %p"), "12:00 PM");
    EXPECT_EQ(Show(CDateTimeValue(2000, 1, 1, 13, 5, 0), u"%I:%M %p"), "01:05 PM");
}

TEST(DateTimeValueFormat, OtherTextIsCopied) {
    const CDateTimeValue value(2000, 1, 1, 18, 0, 0);
    EXPECT_EQ(Show(value, u"%H:%M  "), "18:00  ");
    EXPECT_EQ(Show(value, u"100%% at %H"), "100% at 18");
    EXPECT_EQ(Show(value, u"%q%"), "%q%");  // unknown and unfinished conversions
    EXPECT_EQ(Show(value, u"€ %Y"), "€ 2000");
}
