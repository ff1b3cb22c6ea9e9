// Years counted from an era, for the e and g date codes of the locales that
// count them: the Japanese emperor eras for a Japanese locale id
// ("[$-411]ggge" shows 平成12 for 3 April 2000, "ge" shows H12) and the
// years of the Republic of China for Chinese (Taiwan) ("[$-404]e" shows 89).
// Every other locale has no era: e is the Gregorian year and g shows nothing.
#pragma once

#include <cstdint>
#include <string>

#include "format/CSerialDate.h"

class CEraYear {
public:
    struct SEra {
        int m_year = 0;                   // 1 in the first year of the era
        const char16_t* m_initial = u"";  // Latin initial; empty where none is shown
        const char16_t* m_name = u"";     // full name; empty where none is shown
    };

    // The era of a Gregorian date in the locale of a date code (language and
    // sublanguage in the low 16 bits); false when the locale counts no era
    // or the date lies before its first one.
    static bool Find(std::uint32_t lcid, const CSerialDate::SDate& date, SEra& era);
    // The g code: "g" the era's Latin initial, "gg" its first character,
    // "ggg" and longer its full name.
    static std::u16string Name(const SEra& era, int count);
};
