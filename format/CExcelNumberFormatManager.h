// Renders a number by a built-in format index alone, without reading any
// format code: the text shown for the cached result of a formula, by the
// format index of the formula cell's XF record. Indices that a FORMAT
// record defines for itself (and any index without a rendering of its own)
// fall to "%g".
//
//   CExcelNumberFormatManager().Render(1234.5, 4);   // u"1,234.50"
//   CExcelNumberFormatManager().Render(0.256, 9);    // u"26%"
//
// Whole-number renderings keep 15 significant characters (the digits fix:
// 12345678901234567 shows as 12345678901234600) and group thousands with
// "," after any minus sign (-1,234). Dates and times come from
// CDataConversion and show "Invalid DateTime" where it gives an invalid
// value; index 46 ([h]:mm:ss) goes through the number-format engine, which
// counts hours past 24. NaN and infinities give "#NUM!". Holds no state.
#pragma once

#include <cstdint>
#include <string>

class CExcelNumberFormatManager {
public:
    std::u16string Render(double value, std::uint16_t formatIndex) const;
};
