// Renders a fraction section: an optional integer part, the numerator, the
// bar and the denominator, with the literals between them.
//
// The numerator is right-aligned in its placeholders and the denominator
// left-aligned. The fraction is the continued-fraction choice within the
// denominator's digits, or the nearest numerator over a fixed denominator
// ("?/16", not reduced). Without an integer part the fraction is improper
// (15/4). A fraction part that rounds to nothing leaves blanks of its width
// (spaces when the code has a '?', otherwise nothing), and then the integer
// part shows even when it is 0. An integer part of 0 is left out when a
// fraction follows, together with the text between it and the numerator.
#pragma once

#include <string>

#include "format/CFormatSection.h"

class CFractionRenderer {
public:
    // The text of value (>= 0; the caller owns the sign). shownZero is set
    // only for zero itself: a fraction keeps the minus of a value that
    // rounds to nothing ("-0").
    static std::u16string Render(const CFormatSection& section, double value, bool& shownZero);
};
