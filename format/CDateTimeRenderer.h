// Renders a date and time section for a serial of the 1900 date system:
// y yy yyyy, m mm mmm mmmm mmmmm, d dd ddd dddd, h hh, m mm (minutes), s ss,
// .0 .00 .000, AM/PM and A/P, elapsed [h] [m] [s], e (year), b (Buddhist
// year), g (era, nothing in en-US; CEraYear), and General (the serial as a
// number).
// Month and day names are those of the locale a "[$-lcid]" bracket before
// the code names (CLocaleNames), en-US without one; after "B2" the year,
// month and day are those of the Hijri calendar (CHijriDate). Seconds are rounded to the digits
// shown and the larger units cut, so 23:59:59.6 with "hh:mm:ss" is the next day's 00:00:00.
#pragma once

#include <string>

#include "format/CFormatSection.h"

class CDateTimeRenderer {
public:
    // False when the serial has no date: negative, past 31 December 9999,
    // NaN or infinite. text is then untouched.
    static bool Render(const CFormatSection& section, double serial, std::u16string& text);
};
