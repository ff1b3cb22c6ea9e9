// Renders a scientific section: mantissa placeholders, E+ / E- / e+ / e-,
// exponent placeholders.
//
// With n integer placeholders in the mantissa the exponent is a multiple of
// n ("##0.0E+0" gives engineering notation, 123.5E-15); with one it is the
// usual d.ddE+xx. The exponent's sign goes right before its first digit, so
// literals between "E+" and the digits stay in front of it ("E +09"). "E+"
// always shows a sign, "E-" only a minus. '%' shows but does not scale, and
// commas only group. Zero shows every integer placeholder as 0.
#pragma once

#include <string>

#include "format/CFormatSection.h"

class CScientificRenderer {
public:
    // The text of value (>= 0; the caller owns the sign). shownZero is set
    // for zero.
    static std::u16string Render(const CFormatSection& section, double value, bool& shownZero);
};
