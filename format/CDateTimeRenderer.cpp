#include "format/CDateTimeRenderer.h"

#include <string>

#include "format/CEraYear.h"
#include "format/CGeneralNumber.h"
#include "format/CHijriDate.h"
#include "format/CLocaleNames.h"
#include "format/CPlaceholderText.h"
#include "format/CSerialDate.h"

namespace {

// value written with at least `width` digits.
std::u16string Padded(long long value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width) {
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    }
    return CPlaceholderText::Widen(digits);
}

// The first character of a name (two units for a surrogate pair).
std::u16string FirstLetter(const std::u16string& name) {
    const bool pair = name.size() > 1 && name[0] >= 0xD800 && name[0] <= 0xDBFF;
    return name.substr(0, pair ? 2 : 1);
}

bool IsHijri(const CFormatToken& token) {
    return ((token.m_lcid >> kCalendarShift) & 0xFF) == kHijriCalendar;
}

struct SParts {
    CSerialDate::SDate m_date;
    CSerialDate::STime m_time;
    int m_weekday = 0;
};

std::u16string TimeUnit(char16_t unit, int count, const SParts& parts,
                        const CFormatSection& section) {
    const CSerialDate::STime& t = parts.m_time;
    const int width = count >= 2 ? 2 : 1;
    if (unit == section.m_elapsedUnit) {
        const long long divisor = unit == u'h' ? 3600 : unit == u'm' ? 60 : 1;
        return Padded(t.m_totalSeconds / divisor, count);
    }
    if (unit == u'h') {
        int hour = t.m_hour;
        if (section.m_twelveHour) hour = (hour % 12 == 0) ? 12 : hour % 12;
        return Padded(hour, width);
    }
    return Padded(unit == u'm' ? t.m_minute : t.m_second, width);
}

std::u16string DateCode(const CFormatToken& token, const SParts& parts,
                        const CFormatSection& section) {
    CSerialDate::SDate d = parts.m_date;
    const int count = token.m_count;
    CHijriDate::SDate hijri;
    const bool hijriDate = IsHijri(token) && CHijriDate::FromSerial(parts.m_time.m_days, hijri);
    if (hijriDate) d = {hijri.m_year, hijri.m_month, hijri.m_day};
    switch (token.m_char) {
        case u'y':
            return count <= 2 ? Padded(d.m_year % 100, 2) : Padded(d.m_year, 4);
        case u'e': {
            CEraYear::SEra era;
            if (!hijriDate && CEraYear::Find(token.m_lcid, d, era))
                return Padded(era.m_year, count >= 2 ? 2 : 1);
            return Padded(d.m_year, 1);
        }
        case u'b':
            return count <= 2 ? Padded((d.m_year + 543) % 100, 2) : Padded(d.m_year + 543, 4);
        case u'm': {
            if (count <= 2) return Padded(d.m_month, count);
            const bool abbreviated = count == 3;
            const std::u16string name =
                hijriDate ? CHijriDate::MonthName(d.m_month, abbreviated)
                          : CLocaleNames::Month(token.m_lcid, d.m_month, abbreviated);
            return count == 5 ? FirstLetter(name) : name;
        }
        case u'd':
            if (count <= 2) return Padded(d.m_day, count);
            return CLocaleNames::Day(token.m_lcid, parts.m_weekday, count == 3);
        case u'h':
        case u's':
            return TimeUnit(token.m_char, count, parts, section);
        case u'g': {
            CEraYear::SEra era;
            if (!hijriDate && CEraYear::Find(token.m_lcid, d, era))
                return CEraYear::Name(era, count);
            return {};  // a locale without eras, en-US among them, shows none
        }
        default:
            return {};
    }
}

}  // namespace

bool CDateTimeRenderer::Render(const CFormatSection& section, double serial, std::u16string& text) {
    SParts parts;
    if (!CSerialDate::SplitSerial(serial, section.m_subsecondDigits, parts.m_time)) return false;
    if (!CSerialDate::DateFromSerial(parts.m_time.m_days, parts.m_date)) return false;
    parts.m_weekday = CSerialDate::Weekday(parts.m_time.m_days);

    std::u16string out;
    for (const CFormatToken& token : section.m_tokens) {
        switch (token.m_kind) {
            case EFormatToken::DateCode:
                out += DateCode(token, parts, section);
                break;
            case EFormatToken::Minute:
                out += TimeUnit(u'm', token.m_count, parts, section);
                break;
            case EFormatToken::Elapsed: {
                const CSerialDate::STime& t = parts.m_time;
                if (token.m_char == section.m_elapsedUnit) {
                    out += TimeUnit(token.m_char, token.m_count, parts, section);
                } else {
                    // An elapsed bracket of a smaller unit than the largest
                    // one present counts within it ("[s]:hh" shows 0..59).
                    const int within = token.m_char == u'h'   ? t.m_hour
                                       : token.m_char == u'm' ? t.m_minute
                                                              : t.m_second;
                    out += Padded(within, token.m_count);
                }
                break;
            }
            case EFormatToken::AmPm: {
                const bool pm = parts.m_time.m_hour >= 12;
                if (token.m_count == 2 && !token.m_text.empty()) {
                    const std::size_t slash = token.m_text.find(u'/');
                    out += pm ? token.m_text.substr(slash + 1) : token.m_text.substr(0, slash);
                } else if (token.m_count == 2) {
                    out += CLocaleNames::DayPeriod(token.m_lcid, pm);
                } else if (token.m_text.size() == 2)
                    out.push_back(token.m_text[pm ? 1 : 0]);
                break;
            }
            case EFormatToken::Subsecond: {
                // Rounded once at the most digits any token shows; a shorter
                // token shows the leading ones.
                const std::u16string digits =
                    Padded(parts.m_time.m_subsecond, section.m_subsecondDigits);
                out.push_back(u'.');
                out += digits.substr(0, token.m_count);
                break;
            }
            case EFormatToken::General:
                out += CGeneralNumber::Render(serial);
                break;
            case EFormatToken::Digit:
                out.push_back(token.m_char);
                break;
            default:
                out += CPlaceholderText::Plain(token);
                break;
        }
    }
    text = std::move(out);
    return true;
}
