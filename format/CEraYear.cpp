#include "format/CEraYear.h"

namespace {

constexpr std::uint32_t kLanguageMask = 0x3FF;
constexpr std::uint32_t kJapanese = 0x11;
constexpr std::uint32_t kChineseTaiwan = 0x0404;

// An era and the Gregorian date of its first day.
struct SEraStart {
    int m_year;
    int m_month;
    int m_day;
    const char16_t* m_initial;
    const char16_t* m_name;
};

// Newest first. A serial of the 1900 date system reaches back into Meiji 33
// at most, so Meiji needs no exact first day.
constexpr SEraStart kJapaneseEras[] = {
    {2019, 5, 1, u"R", u"令和"},  {1989, 1, 8, u"H", u"平成"}, {1926, 12, 25, u"S", u"昭和"},
    {1912, 7, 30, u"T", u"大正"}, {1868, 1, 1, u"M", u"明治"},
};

// The Republic of China counts 1912 as its year 1.
constexpr int kRepublicFirstYear = 1912;

bool OnOrAfter(const CSerialDate::SDate& date, const SEraStart& start) {
    if (date.m_year != start.m_year) return date.m_year > start.m_year;
    if (date.m_month != start.m_month) return date.m_month > start.m_month;
    return date.m_day >= start.m_day;
}

}  // namespace

bool CEraYear::Find(std::uint32_t lcid, const CSerialDate::SDate& date, SEra& era) {
    const std::uint32_t id = lcid & 0xFFFF;
    if ((id & kLanguageMask) == kJapanese) {
        for (const SEraStart& start : kJapaneseEras) {
            if (!OnOrAfter(date, start)) continue;
            era.m_year = date.m_year - start.m_year + 1;
            era.m_initial = start.m_initial;
            era.m_name = start.m_name;
            return true;
        }
        return false;
    }
    if (id == kChineseTaiwan && date.m_year >= kRepublicFirstYear) {
        era.m_year = date.m_year - kRepublicFirstYear + 1;
        era.m_initial = u"";
        era.m_name = u"";
        return true;
    }
    return false;
}

std::u16string CEraYear::Name(const SEra& era, int count) {
    const std::u16string name = era.m_name;
    if (count == 1) return era.m_initial;
    if (count == 2) return name.substr(0, 1);
    return name;
}
