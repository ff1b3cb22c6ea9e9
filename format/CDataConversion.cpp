#include "format/CDataConversion.h"

#include <cmath>
#include <cstdint>

#include "format/CSerialDate.h"

namespace {

constexpr std::int64_t kDaysPer400Years = 146097;
constexpr double kSecondsPerDay = 86400.0;
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 9999;

struct SFields {
    int m_year = kFirstYear;
    int m_month = 1;
    int m_day = 0;
    int m_hour = 0;
    int m_minute = 0;
    int m_second = 0;
};

// The calendar date of a whole day number.
void SetDate(double day, SFields& fields) {
    if (day < 0.0) {
        // Before the first of January 1900: "day -n of January", tidied to
        // the first later on.
        fields.m_day = 0;
        return;
    }
    std::int64_t serial = 0;
    bool pastLastYear = false;
    if (day > static_cast<double>(CSerialDate::kLastSerial)) {
        // Gregorian dates repeat every 400 years, so the month and day of a
        // day past 9999 are those of the day a whole number of cycles
        // earlier inside the last cycle that ends on 31 December 9999.
        const double cycleDay =
            std::fmod(day - static_cast<double>(CSerialDate::kLastSerial + 1), kDaysPer400Years);
        serial =
            CSerialDate::kLastSerial + 1 - kDaysPer400Years + static_cast<std::int64_t>(cycleDay);
        pastLastYear = true;
    } else {
        serial = static_cast<std::int64_t>(day);
    }
    CSerialDate::SDate date;
    if (!CSerialDate::DateFromSerial(serial, date)) return;
    fields.m_year = pastLastYear ? kLastYear + 1 : date.m_year;
    fields.m_month = date.m_month;
    fields.m_day = date.m_day;
}

// A day or month out of range becomes 1; a year past 9999 falls back to
// 1900, the first year of the date system.
void Tidy(SFields& fields) {
    if (fields.m_day < 1 || fields.m_day > 31) fields.m_day = 1;
    if (fields.m_month < 1 || fields.m_month > 12) fields.m_month = 1;
    if (fields.m_year <= 0 || fields.m_year > kLastYear) fields.m_year = kFirstYear;
    if (fields.m_year < kFirstYear) fields.m_year = kFirstYear;
}

// Splits serial (finite) into the date and the time of day.
SFields Split(double serial) {
    SFields fields;
    double day = std::trunc(serial);
    // The fraction of a day is less than one in magnitude, so the seconds
    // stay within 0..86400; 86400, within half a second of the next day, is
    // that day's midnight.
    int seconds = static_cast<int>(std::fabs((serial - day) * kSecondsPerDay + 0.5));
    if (seconds >= static_cast<int>(kSecondsPerDay)) {
        seconds = 0;
        day += serial < 0.0 ? -1.0 : 1.0;
    }
    SetDate(day, fields);
    fields.m_hour = seconds / 3600;
    fields.m_minute = seconds / 60 % 60;
    fields.m_second = seconds % 60;
    Tidy(fields);
    return fields;
}

}  // namespace

CDateTimeValue CDataConversion::DateTimeFromSerial(double serial) {
    if (!std::isfinite(serial)) return CDateTimeValue();
    SFields fields = Split(serial);
    // Midnight shows as one second past it, so that a time rendering never
    // meets a value without a time of day.
    if (fields.m_hour == 0 && fields.m_minute == 0 && fields.m_second == 0) fields.m_second = 1;
    return CDateTimeValue(fields.m_year, fields.m_month, fields.m_day, fields.m_hour,
                          fields.m_minute, fields.m_second);
}

CDateTimeValue CDataConversion::DateFromSerial(double serial) {
    if (!std::isfinite(serial)) return CDateTimeValue();
    const SFields fields = Split(serial);
    return CDateTimeValue(fields.m_year, fields.m_month, fields.m_day, 1, 1, 1);
}
