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

class CLocaleNames {
public:
    // month 1..12, full name or abbreviation.
    static std::u16string Month(std::uint32_t lcid, int month, bool abbreviated);
    // weekday 0 = Sunday .. 6 = Saturday, full name or abbreviation.
    static std::u16string Day(std::uint32_t lcid, int weekday, bool abbreviated);
};
