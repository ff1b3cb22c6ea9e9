// A calendar date and a time of day in whole seconds, as the date and time
// renderings of cell values use them: the value type built from a serial
// and written out with strftime-style patterns.
//
// The value keeps the fields it was given and says whether they make a
// real date and time of the Gregorian calendar between 1 January 1900 and
// 31 December 9999: 29 February 1900 (a day the spreadsheet counts, the
// calendar does not), 31 April or an hour of 24 make it invalid. An invalid
// value formats as kInvalidText whatever the pattern.
//
// Format knows %a %A %b %B %d %H %I %m %M %p %S %y %Y and %%, with the
// C locale's English names and AM/PM; any other '%' sequence is copied as
// it stands. Copyable; no allocation beyond the text returned.
#pragma once

#include <string>
#include <string_view>

class CDateTimeValue {
public:
    static constexpr std::u16string_view kInvalidText = u"Invalid DateTime";

    // An invalid value with every field 0.
    CDateTimeValue() = default;
    CDateTimeValue(int year, int month, int day, int hour, int minute, int second);

    bool IsValid() const { return m_valid; }
    int GetYear() const { return m_year; }
    int GetMonth() const { return m_month; }  // 1..12 when valid
    int GetDay() const { return m_day; }      // 1..31 when valid
    int GetHour() const { return m_hour; }    // 0..23 when valid
    int GetMinute() const { return m_minute; }
    int GetSecond() const { return m_second; }
    // 0 = Sunday .. 6 = Saturday of the real calendar (1 January 1900 was a
    // Monday); -1 when invalid.
    int GetDayOfWeek() const;

    // The value written with pattern; kInvalidText when invalid. The text
    // grows by at most 9 characters per pattern character.
    std::u16string Format(std::u16string_view pattern) const;

private:
    int m_year = 0;
    int m_month = 0;
    int m_day = 0;
    int m_hour = 0;
    int m_minute = 0;
    int m_second = 0;
    bool m_valid = false;
};
