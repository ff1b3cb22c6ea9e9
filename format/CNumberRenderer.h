// Renders a number section: integer and decimal placeholders, the decimal
// point, thousands separators, scaling by trailing commas, percent, and the
// literals between them, in written order. Also renders sections without
// any placeholder (their text only).
#pragma once

#include <string>

#include "format/CFormatSection.h"

class CNumberRenderer {
public:
    // The text of value (>= 0; the caller owns the sign). shownZero is set
    // when the number as shown is zero (every digit rounded away), which
    // drops a minus sign.
    static std::u16string Render(const CFormatSection& section, double value, bool& shownZero);
};
