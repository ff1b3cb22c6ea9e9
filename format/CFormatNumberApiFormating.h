// The text a number cell shows in the preview: the cell's value rendered
// with its format text (CExcelFormatText) by our number-format engine,
// then tidied for a one-line preview cell.
//
//   CFormatNumberApiFormating().Format(u"General", 1234.5);            // u"1234.5"
//   CFormatNumberApiFormating().Format(u"#,##0.00_);(#,##0.00)", -5);  // u"(5.00)"
//   CFormatNumberApiFormating().Format(u"[$€-2] #,##0.00", 3);         // u"€ 3.00"
//
// In order:
//  1. "General" anywhere in the format: a value of 1e11 or more in
//     magnitude is printed with "%G" and that is all; any other value is
//     rendered with "0.#########" instead of the format (0.25 is "0.25").
//  2. "?/" anywhere in the format: the fraction rendering below, and that is
//     all.
//  3. A currency bracket: the first "[...]" of the format, when it holds a
//     symbol after a "$" ("[$€-2]" holds "€"), is replaced by "$".
//  4. (Elapsed "[h]" stays: the engine counts hours past 24.)
//  5. The engine renders the value with the format, its spacing markers
//     "_)", "_(", "_-" and "_ " taken out, as is the "??" padding after a
//     "-" literal (accounting zeros), and cut to 511 characters.
//  6. "_)", "_(", "_-" and "_ " are removed from the text; "-??" becomes "-".
//  7. With a currency symbol from step 3, each "$" of the text becomes it.
//  8. A text "." becomes "0"; a text ending in "." loses that point.
//
// Fraction rendering: the whole part of the value, cut toward zero, then a
// space and numerator/denominator of what remains. The denominator is the
// format's fixed one ("?/8") with the nearest numerator, or the best
// continued-fraction approximation with as many denominator digits as the
// format has "?" or "#" after the "/" (1 to 9). A remainder that comes to
// 0 or to a whole one shows no fraction; a value that shows neither part
// is "0". A minus sign goes in front.
//
// NaN and infinities give "#NUM!". Stateless; never fails, never throws.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "format/CNumberFormat.h"

class CFormatNumberApiFormating {
public:
    // A format text worked out once for many values (steps 1-3 and the
    // engine's parse of the code), as a sheet of cells in few formats needs.
    class Prepared {
    public:
        explicit Prepared(std::u16string_view formatText);

    private:
        friend class CFormatNumberApiFormating;
        std::u16string m_code;
        bool m_general = false;
        bool m_fraction = false;
        std::u16string m_symbol;                // step 3's currency, or empty
        std::optional<CNumberFormat> m_engine;  // absent for fractions
    };

    std::u16string Format(std::u16string_view formatText, double value) const;
    std::u16string Format(const Prepared& format, double value) const;

private:
    std::u16string FormatFraction(std::u16string_view formatText, double value) const;
};
