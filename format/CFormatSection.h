// One parsed section of a format code: its tokens in written order, what kind
// of rendering it needs, its condition, and the counts the renderers use.
// Filled by CFormatParser; read-only afterwards.
#pragma once

#include <vector>

#include "format/CFormatCondition.h"
#include "format/FormatTokens.h"

enum class ESectionKind {
    Empty,       // nothing at all: shows nothing ("0;;" hides negatives)
    Literal,     // text only, no digit placeholder ("r", "\"foo\"")
    Number,      // digits, point, grouping, percent
    Scientific,  // a mantissa, E+/E-/e+/e- and exponent digits
    Fraction,    // integer part (optional), numerator '/' denominator
    DateTime,    // date and time codes
    General,     // the General keyword (or only brackets, like "[Red]")
    Text,        // contains '@': meant for text cells; a number shows as General
};

struct CFormatSection {
    std::vector<CFormatToken> m_tokens;
    ESectionKind m_kind = ESectionKind::Empty;
    CFormatCondition m_condition;
    // Brackets seen (colour, locale, condition): a section made of brackets
    // alone shows the number as General.
    bool m_hadBrackets = false;

    // Number, scientific and fraction sections.
    int m_percentCount = 0;   // each '%' multiplies by 100 (not in scientific)
    int m_scaleCount = 0;     // each trailing ',' divides by 1,000
    bool m_grouping = false;  // thousands separators in the integer part
    int m_integerDigits = 0;  // placeholders with role Integer
    int m_decimalDigits = 0;  // placeholders with role Decimal

    // Fraction sections.
    bool m_improper = false;           // no integer part: 15/4 rather than 3 3/4
    int m_denominatorDigits = 0;       // '?'-style denominator placeholders
    long long m_fixedDenominator = 0;  // "?/16": 16; 0 when the denominator is searched

    // Date and time sections.
    bool m_twelveHour = false;  // AM/PM or A/P present
    int m_subsecondDigits = 0;  // the most digits of any Subsecond token
    // With [h], [m] or [s] present: the largest time unit of the section
    // ('h', 'm' or 's'), whose codes all show the elapsed total; 0 otherwise.
    char16_t m_elapsedUnit = 0;
};
