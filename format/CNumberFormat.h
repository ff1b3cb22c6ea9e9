// The spreadsheet number-format language for a double: a format code is
// parsed once into sections and tokens, then renders any number of values.
//
//   CNumberFormat format(u"#,##0.00;[Red](#,##0.00)");
//   format.Render(-1234.5);   // u"(1,234.50)"
//   FormatNumber(u"0%", 0.25); // u"25%"
//
// Covers up to four sections (positive; negative; zero; text) and
// conditions ([>100]); colours (ignored); [$text-lcid] brackets; the
// placeholders 0 # ?, the decimal point, thousands separators and scaling
// commas, percent, E+ E- e+ e-, fractions, @, quoted text, \x, _x and *x;
// General; dates and times of the 1900 date system, with the month and day
// names of the locale a [$-lcid] bracket names (en-US without one) and the
// Hijri calendar after B2.
//
// Rendering never fails and never throws: a malformed code gives the best
// text it can, and the output is bounded by the (capped) code length and
// the 15 significant digits of a double. A value the code cannot show as a
// date (negative, past 9999) gives "########"; NaN and infinities "#NUM!".
// A parsed format is immutable and may be shared between threads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "format/CFormatSection.h"

class CNumberFormat {
public:
    explicit CNumberFormat(std::u16string_view code);

    // The display text of value: the cell's text without colour, without
    // "####" for a narrow column and without repetition for '*' fill.
    std::u16string Render(double value) const;

    const std::vector<CFormatSection>& Sections() const { return m_sections; }
    // True when numbers render as dates or times (the first section does).
    bool IsDateTime() const;

private:
    struct SChoice {
        const CFormatSection* m_section = nullptr;  // null: no section applies
        bool m_showMinus = false;
    };
    SChoice Choose(double value) const;
    SChoice ChooseByCondition(double value) const;
    std::u16string RenderSection(const CFormatSection& section, double value, bool showMinus) const;

    std::vector<CFormatSection> m_sections;
    std::size_t m_numberSections = 0;  // leading sections that numbers use
    bool m_hasTextSection = false;
};

// Parses code and renders value once.
std::u16string FormatNumber(std::u16string_view code, double value);
