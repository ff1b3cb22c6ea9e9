#include "format/CHijriDate.h"

#include "format/CSerialDate.h"

namespace {

// Julian day number of serial 61, 1 March 1900; the serials before the
// fictitious 29 February lie one day later on the real calendar.
constexpr std::int64_t kJulianDayOfSerial61 = 2415080;
// Julian day number of the day before 1 Muharram of year 1.
constexpr std::int64_t kEpoch = 1948439;
constexpr std::int64_t kDaysPer30Years = 10631;

constexpr const char16_t* kMonthNames[] = {u"Muharram", u"Safar",     u"Rabi I",    u"Rabi II",
                                           u"Jumada I", u"Jumada II", u"Rajab",     u"Shaban",
                                           u"Ramadan",  u"Shawwal",   u"Dhul-Qada", u"Dhul-Hijja"};

// Days before year y (1-based) within its 30-year cycle: year n of a cycle
// is a leap year of 355 days when (11 * n + 14) mod 30 < 11.
std::int64_t DaysBeforeYear(std::int64_t yearInCycle) {
    return 354 * (yearInCycle - 1) + (11 * yearInCycle + 3) / 30;
}

// Days before month m (1-based) of a year: 30 and 29 days in turn.
int DaysBeforeMonth(int month) {
    return 29 * (month - 1) + month / 2;
}

}  // namespace

bool CHijriDate::FromSerial(std::int64_t serial, SDate& date) {
    if (serial < 1 || serial > CSerialDate::kLastSerial) return false;
    const std::int64_t julianDay =
        serial >= 61 ? kJulianDayOfSerial61 + (serial - 61) : kJulianDayOfSerial61 + (serial - 60);
    const std::int64_t days = julianDay - kEpoch;  // 1 on 1 Muharram 1
    const std::int64_t cycles = (days - 1) / kDaysPer30Years;
    const std::int64_t inCycle = days - cycles * kDaysPer30Years;  // 1..10631
    std::int64_t year = 1;
    while (year < 30 && DaysBeforeYear(year + 1) < inCycle) ++year;
    const int dayOfYear = static_cast<int>(inCycle - DaysBeforeYear(year));  // 1..355
    int month = 1;
    while (month < 12 && DaysBeforeMonth(month + 1) < dayOfYear) ++month;
    date.m_year = static_cast<int>(cycles * 30 + year);
    date.m_month = month;
    date.m_day = dayOfYear - DaysBeforeMonth(month);
    return true;
}

std::u16string CHijriDate::MonthName(int month, bool abbreviated) {
    const std::u16string name(kMonthNames[(month - 1) % 12]);
    return abbreviated ? name.substr(0, 3) : name;
}
