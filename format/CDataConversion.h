// From a cell's number to the date and time its date and time formats
// show.
//
// A serial counts days of the 1900 date system: 1 is 1 January 1900, 60
// the fictitious 29 February 1900, 61 is 1 March 1900, 2958465 is 31
// December 9999; its fraction is the time of day. The time is taken to the
// nearest second, half a second rounding up. The fields are then tidied
// the way the renderings expect:
//  - a day outside 1-31 or a month outside 1-12 becomes 1; a year past
//    9999 becomes 1900. So serial 0 and every negative serial give 1
//    January 1900, and a serial past 31 December 9999 keeps its month and
//    day in 1900;
//  - midnight exactly becomes 00:00:01, and so does a fraction within half
//    a second of the next day, which carries into that day.
// What the calendar does not have (29 February 1900) stays as it is and
// gives an invalid value.
#pragma once

#include "format/CDateTimeValue.h"

class CDataConversion {
public:
    // The date and the time of day of serial. Invalid for NaN and
    // infinities.
    static CDateTimeValue DateTimeFromSerial(double serial);
    // The date of serial at 01:01:01, for the date-only renderings (no time
    // of day can make it invalid).
    static CDateTimeValue DateFromSerial(double serial);
};
