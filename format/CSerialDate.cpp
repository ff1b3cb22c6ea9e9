#include "format/CSerialDate.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "format/CDecimalNumber.h"

namespace {

// Serial of 1 March 1900, the first day counted by the real calendar; from
// here on serial = days since 30 December 1899.
constexpr std::int64_t kFirstRealSerial = 61;
// Days from 1 March of year 0 (proleptic Gregorian) to 30 December 1899.
constexpr std::int64_t kDaysToEpoch = 693899;
constexpr std::int64_t kDaysPer400Years = 146097;

// Cumulative days before each month in a year that starts on 1 March, which
// puts the leap day at the end of the year.
constexpr int kMarchMonthStart[] = {0, 31, 61, 92, 122, 153, 184, 214, 245, 275, 306, 337, 366};

// digits (a decimal numeral, possibly with leading zeros) times factor,
// as a decimal numeral of the same kind.
std::string TimesSmall(const std::string& digits, int factor) {
    std::string out(digits.size() + 4, '0');
    int carry = 0;
    std::size_t o = out.size();
    for (std::size_t i = digits.size(); i-- > 0;) {
        const int value = (digits[i] - '0') * factor + carry;
        out[--o] = static_cast<char>('0' + value % 10);
        carry = value / 10;
    }
    while (carry > 0 && o > 0) {
        out[--o] = static_cast<char>('0' + carry % 10);
        carry /= 10;
    }
    return out;
}

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeap(year)) return 29;
    return kDays[month - 1];
}

// Days since 1 March of year 0 for a date of the real calendar.
std::int64_t DaysFromCivil(int year, int month, int day) {
    const int y = (month < 3) ? year - 1 : year;
    const int marchMonth = (month + 9) % 12;  // March = 0 .. February = 11
    const std::int64_t era = y / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = kMarchMonthStart[marchMonth] + day - 1;
    return era * kDaysPer400Years + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
}

void CivilFromDays(std::int64_t days, CSerialDate::SDate& date) {
    const std::int64_t era = days / kDaysPer400Years;
    const std::int64_t dayOfEra = days - era * kDaysPer400Years;
    // Years of the era: remove the leap days of the 4-, 100- and 400-year
    // cycles that lie before this day.
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int marchMonth = 0;
    while (marchMonth < 11 && kMarchMonthStart[marchMonth + 1] <= dayOfYear) ++marchMonth;
    date.m_day = static_cast<int>(dayOfYear - kMarchMonthStart[marchMonth]) + 1;
    date.m_month = (marchMonth < 10) ? marchMonth + 3 : marchMonth - 9;
    date.m_year = static_cast<int>(era * 400 + yearOfEra) + (date.m_month <= 2 ? 1 : 0);
}

}  // namespace

bool CSerialDate::DateFromSerial(std::int64_t serial, SDate& date) {
    if (serial < 0 || serial > kLastSerial) return false;
    if (serial < kFirstRealSerial) {
        // January and the fictitious February of 1900, 29 days long.
        date.m_year = 1900;
        date.m_month = (serial <= 31) ? 1 : 2;
        date.m_day = static_cast<int>(serial <= 31 ? serial : serial - 31);
        return true;
    }
    CivilFromDays(serial + kDaysToEpoch, date);
    return true;
}

std::int64_t CSerialDate::SerialFromDate(int year, int month, int day) {
    if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1) return -1;
    if (year == 1900 && month <= 2) {
        if (day > (month == 1 ? 31 : 29)) return -1;
        return month == 1 ? day : 31 + day;
    }
    if (day > DaysInMonth(year, month)) return -1;
    return DaysFromCivil(year, month, day) - kDaysToEpoch;
}

int CSerialDate::Weekday(std::int64_t serial) {
    const std::int64_t r = (serial + 6) % 7;
    return static_cast<int>(r < 0 ? r + 7 : r);
}

bool CSerialDate::SplitSerial(double serial, int subsecondDigits, STime& time) {
    if (!std::isfinite(serial) || serial < 0.0 || serial >= static_cast<double>(kLastSerial + 1)) {
        return false;
    }
    if (subsecondDigits < 0) subsecondDigits = 0;
    if (subsecondDigits > 3) subsecondDigits = 3;

    // Work on the decimal digits: 0.9999999421296296 is 86399.995 seconds to
    // the program and rounds up at two decimals, although the double lies a
    // hair below.
    const CDecimalNumber number = CDecimalNumber::FromDouble(serial);
    const std::string whole = number.IntegerDigits();
    const std::int64_t days = whole.empty() ? 0 : std::stoll(whole);
    // The day fraction exactly as its decimal digits F / 10^count; units of
    // 10^-k second = F * 864 / 10^(count - 2 - k), rounded half up.
    const int count = std::max(0, number.SignificantDigits() - (number.Exponent() + 1));
    const std::string product = TimesSmall(number.FractionDigits(count), 864);
    const int dropped = count - 2 - subsecondDigits;
    std::int64_t units = 0;
    if (dropped <= 0) {
        units = std::stoll(product);
        for (int i = 0; i < -dropped; ++i) units *= 10;
    } else {
        const long long kept = static_cast<long long>(product.size()) - dropped;
        if (kept > 0) units = std::stoll(product.substr(0, static_cast<std::size_t>(kept)));
        if (kept >= 0 && product[static_cast<std::size_t>(kept)] >= '5') ++units;
    }
    std::int64_t unitsPerSecond = 1;
    for (int i = 0; i < subsecondDigits; ++i) unitsPerSecond *= 10;

    const std::int64_t unitsPerDay = kSecondsPerDay * unitsPerSecond;
    time.m_days = days + units / unitsPerDay;
    units %= unitsPerDay;
    time.m_subsecond = static_cast<int>(units % unitsPerSecond);
    const std::int64_t secondOfDay = units / unitsPerSecond;
    time.m_hour = static_cast<int>(secondOfDay / 3600);
    time.m_minute = static_cast<int>(secondOfDay / 60 % 60);
    time.m_second = static_cast<int>(secondOfDay % 60);
    time.m_totalSeconds = time.m_days * kSecondsPerDay + secondOfDay;
    return true;
}
