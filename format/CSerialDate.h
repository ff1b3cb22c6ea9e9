// Date arithmetic of the spreadsheet's 1900 date system, shared by the
// number-format engine and the cell renderings built on it.
//
// A serial number counts days: 1 is 1 January 1900, 59 is 28 February 1900,
// 60 is 29 February 1900 (a day that never was: the program counts 1900 as
// a leap year), 61 is 1 March 1900, 36526 is 1 January 2000 and 2958465 is
// 31 December 9999, the last day there is. Serial 0 is "0 January 1900",
// the day before the first. The fraction of a serial is the time of day.
#pragma once

#include <cstdint>

class CSerialDate {
public:
    static constexpr std::int64_t kLastSerial = 2958465;
    static constexpr int kSecondsPerDay = 86400;

    struct SDate {
        int m_year = 1900;
        int m_month = 1;  // 1..12
        int m_day = 0;    // 0..31 (0 only for serial 0)
    };

    // A serial split at a given precision: whole days and the time of day.
    struct STime {
        std::int64_t m_days = 0;          // serial day after rounding the time
        int m_hour = 0;                   // 0..23
        int m_minute = 0;                 // 0..59
        int m_second = 0;                 // 0..59
        int m_subsecond = 0;              // 0 .. 10^digits - 1
        std::int64_t m_totalSeconds = 0;  // whole seconds since serial 0
    };

    // The calendar date of a day number; false (date untouched) outside
    // 0..kLastSerial.
    static bool DateFromSerial(std::int64_t serial, SDate& date);
    // The serial of a calendar date, 29 February 1900 giving 60; -1 when
    // the date does not exist or lies outside 1 January 1900 to 31
    // December 9999.
    static std::int64_t SerialFromDate(int year, int month, int day);
    // Day of the week as the program counts it, 0 = Sunday .. 6 = Saturday:
    // serial 1 is a Sunday, serial 0 a Saturday. (Before March 1900 this is
    // one day off the real calendar, because of the fictitious 29 February.)
    static int Weekday(std::int64_t serial);

    // Splits a serial into days and time of day, rounding half up to
    // `subsecondDigits` digits of the second (0 to 3; 0 rounds to whole
    // seconds, the half-second rounding). A time that rounds up to 24:00
    // carries into the next day. The serial is taken at the 15 significant
    // digits the program keeps. False for NaN, infinities, negative serials
    // and serials past kLastSerial + 1.
    static bool SplitSerial(double serial, int subsecondDigits, STime& time);
};
