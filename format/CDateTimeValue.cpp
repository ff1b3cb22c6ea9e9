#include "format/CDateTimeValue.h"

#include <cstdint>
#include <string>

#include "format/CSerialDate.h"

namespace {

// Serial of 29 February 1900: the spreadsheet's calendar has it, the real
// one does not.
constexpr std::int64_t kFictitiousLeapDay = 60;

constexpr std::u16string_view kMonthNames[] = {u"January",   u"February", u"March",    u"April",
                                               u"May",       u"June",     u"July",     u"August",
                                               u"September", u"October",  u"November", u"December"};
constexpr std::u16string_view kDayNames[] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                             u"Thursday", u"Friday", u"Saturday"};

// value (0..9999) with at least `width` digits.
std::u16string Padded(int value, std::size_t width) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    if (digits.size() < width) digits.insert(0, width - digits.size(), u'0');
    return digits;
}

std::u16string Month(const CDateTimeValue& v) {
    return Padded(v.GetMonth(), 2);
}
std::u16string Day(const CDateTimeValue& v) {
    return Padded(v.GetDay(), 2);
}
std::u16string Year(const CDateTimeValue& v) {
    return Padded(v.GetYear(), 4);
}
std::u16string ShortYear(const CDateTimeValue& v) {
    return Padded(v.GetYear() % 100, 2);
}
std::u16string Hour(const CDateTimeValue& v) {
    return Padded(v.GetHour(), 2);
}
std::u16string Minute(const CDateTimeValue& v) {
    return Padded(v.GetMinute(), 2);
}
std::u16string Second(const CDateTimeValue& v) {
    return Padded(v.GetSecond(), 2);
}
std::u16string Percent(const CDateTimeValue&) {
    return u"%";
}

// On the 12-hour clock midnight and noon are both 12.
std::u16string Hour12(const CDateTimeValue& v) {
    const int hour = v.GetHour() % 12;
    return Padded(hour == 0 ? 12 : hour, 2);
}
std::u16string AmPm(const CDateTimeValue& v) {
    return v.GetHour() < 12 ? u"AM" : u"PM";
}

std::u16string MonthName(const CDateTimeValue& v) {
    return std::u16string(kMonthNames[v.GetMonth() - 1]);
}
std::u16string MonthAbbreviation(const CDateTimeValue& v) {
    return std::u16string(kMonthNames[v.GetMonth() - 1].substr(0, 3));
}
std::u16string DayName(const CDateTimeValue& v) {
    return std::u16string(kDayNames[v.GetDayOfWeek()]);
}
std::u16string DayAbbreviation(const CDateTimeValue& v) {
    return std::u16string(kDayNames[v.GetDayOfWeek()].substr(0, 3));
}

// The conversions a pattern may use; the writers only see valid values.
struct SConversion {
    char16_t m_letter;
    std::u16string (*m_write)(const CDateTimeValue&);
};

constexpr SConversion kConversions[] = {
    {u'a', DayAbbreviation},
    {u'A', DayName},
    {u'b', MonthAbbreviation},
    {u'B', MonthName},
    {u'd', Day},
    {u'H', Hour},
    {u'I', Hour12},
    {u'm', Month},
    {u'M', Minute},
    {u'p', AmPm},
    {u'S', Second},
    {u'y', ShortYear},
    {u'Y', Year},
    {u'%', Percent},
};

const SConversion* FindConversion(char16_t letter) {
    for (const SConversion& conversion : kConversions) {
        if (conversion.m_letter == letter) return &conversion;
    }
    return nullptr;
}

}  // namespace

CDateTimeValue::CDateTimeValue(int year, int month, int day, int hour, int minute, int second)
    : m_year(year), m_month(month), m_day(day), m_hour(hour), m_minute(minute), m_second(second) {
    const std::int64_t serial = CSerialDate::SerialFromDate(year, month, day);
    m_valid = serial > 0 && serial != kFictitiousLeapDay && hour >= 0 && hour < 24 && minute >= 0 &&
              minute < 60 && second >= 0 && second < 60;
}

int CDateTimeValue::GetDayOfWeek() const {
    if (!m_valid) return -1;
    const std::int64_t serial = CSerialDate::SerialFromDate(m_year, m_month, m_day);
    // The spreadsheet's weekdays run one day behind the real calendar before
    // its fictitious 29 February.
    return CSerialDate::Weekday(serial < kFictitiousLeapDay ? serial + 1 : serial);
}

std::u16string CDateTimeValue::Format(std::u16string_view pattern) const {
    if (!m_valid) return std::u16string(kInvalidText);
    std::u16string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const SConversion* conversion = (pattern[i] == u'%' && i + 1 < pattern.size())
                                            ? FindConversion(pattern[i + 1])
                                            : nullptr;
        if (conversion == nullptr) {
            text.push_back(pattern[i]);
            continue;
        }
        text += conversion->m_write(*this);
        ++i;
    }
    return text;
}
