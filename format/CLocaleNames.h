// Month and day names of the locales a format code can name with a
// "[$-lcid]" bracket ("[$-40B]mmmm" shows the Finnish "heinäkuu"), as the
// spreadsheet shows them: full and abbreviated names in the nominative,
// whatever codes stand around them.
//
// A locale id is looked up by its language and sublanguage (the low 16
// bits; the calendar and digit bytes above them do not change the names),
// then by its language alone, so that "[$-80C]" (French, Belgium) finds the
// French names. Unknown ids, and 0, give the en-US names. The names live in
// static tables; nothing is allocated beyond the text returned.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CLocaleNames {
public:
    // month 1..12, full name or abbreviation.
    static std::u16string Month(std::uint32_t lcid, int month, bool abbreviated);
    // weekday 0 = Sunday .. 6 = Saturday, full name or abbreviation.
    static std::u16string Day(std::uint32_t lcid, int weekday, bool abbreviated);
    // What "AM/PM" shows before or after noon: the language's own texts
    // where its locales write them in its script (Japanese 午前/午後,
    // Chinese 上午/下午, Korean 오전/오후, Arabic ص/م), else "AM" and "PM".
    static std::u16string_view DayPeriod(std::uint32_t lcid, bool afternoon);
};
