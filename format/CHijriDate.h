// Dates of the Hijri calendar, for date codes after a "B2" prefix or a
// locale id whose calendar byte is 6.
//
// Worked arithmetically (the tabular calendar: months of 30 and 29 days in
// turn, 11 leap years in a cycle of 30, year 1 beginning on 16 July 622 of
// the Julian calendar), not from sightings of the moon, so a date can lie a
// day away from one that follows an observed calendar.
#pragma once

#include <cstdint>
#include <string>

class CHijriDate {
public:
    struct SDate {
        int m_year = 0;
        int m_month = 0;  // 1..12
        int m_day = 0;    // 1..30
    };

    // The Hijri date of a serial day of the 1900 date system (1 is 1 January
    // 1900, 60 the fictitious 29 February that maps to 1 March 1900 here);
    // false for serials below 1 or past 31 December 9999.
    static bool FromSerial(std::int64_t serial, SDate& date);
    // The name of month 1..12, transliterated, or its first three letters.
    static std::u16string MonthName(int month, bool abbreviated);
};
