// The shared vocabulary of the number-format engine: the tokens a format code
// is cut into, the roles the parser gives them, and the limits that keep a
// damaged or hostile code cheap to parse and render.
//
// A format code is up to four sections separated by ';' (positive; negative;
// zero; text). Each section is a flat list of tokens in written order; the
// renderers walk that list once and emit text for each token, so literals
// stay exactly where the code puts them (between digits, before the sign of
// an exponent, inside a fraction).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Longest code we read, in UTF-16 units; the rest is ignored. The program
// itself refuses codes over 255 characters, so this only bounds damage.
constexpr std::size_t kMaxFormatCodeLength = 8192;
// Sections beyond the fourth are ignored.
constexpr std::size_t kMaxFormatSections = 4;
// Denominator digits searched for "??/??"-style fractions; more '?' than this
// still pad, but the search stops at 10 digits (9,999,999,999).
constexpr int kMaxDenominatorDigits = 10;
// Digits after the seconds: ".0", ".00", ".000"; longer runs count as three.
constexpr int kMaxSubsecondDigits = 3;
// '%' and trailing ',' move the decimal point by at most this many places in
// total, so a code of a thousand '%' cannot build a thousand-digit number.
constexpr int kMaxDecimalShift = 400;

enum class EFormatToken : std::uint8_t {
    Literal,    // m_text shown as written: quoted text, \x, characters that stand for themselves
    Space,      // _x: the width of x, shown as one space
    Fill,       // *x: repeat x to fill the column; shown as nothing (no column here)
    Digit,      // a digit placeholder; m_char is '0', '#' or '?'
    Point,      // '.'
    Comma,      // ','
    Percent,    // '%'
    Exponent,   // E+ E- e+ e-; m_text is "E" or "e", m_char is '+' or '-'
    Slash,      // '/'
    Text,       // '@': the cell's text
    General,    // the keyword General, in any case
    DateCode,   // a run of one date/time letter: m_char is y m d h s e b g (lower case),
                // m_count the run length
    Minute,     // an m run that the parser found to mean minutes (m_count = run length)
    Elapsed,    // [h] [mm] [ss]...: m_char is h, m or s, m_count the letters inside
    AmPm,       // AM/PM (m_count 2: the locale's morning and afternoon texts, en-US "AM"
                // and "PM"; m_text, when set, the pair written in the code, "上午/下午")
                // or A/P (m_count 1, m_text holds the two letters as written, u"aP")
    Subsecond,  // '.' followed by '0's after a time: m_count digits of the second
};

// What a placeholder, comma, point or slash means in its section, decided by
// the parser from the tokens around it.
enum class EFormatRole : std::uint8_t {
    None,              // not yet decided, or shown as the written character
    Integer,           // digit of the integer part (of a number, a mantissa or a fraction)
    Decimal,           // digit after the decimal point
    ExponentDigit,     // digit of a scientific exponent
    Numerator,         // digit of a fraction's numerator
    Denominator,       // digit placeholder of a fraction's denominator
    FixedDenominator,  // a written digit of a fixed denominator ("?/16")
    DecimalPoint,      // the first '.' of a number
    Grouping,          // ',' between integer digits: thousands separators
    Silent,            // ',' that scales by 1,000 or is dropped; shows nothing
    FractionBar,       // the '/' of a fraction
};

struct CFormatToken {
    EFormatToken m_kind = EFormatToken::Literal;
    EFormatRole m_role = EFormatRole::None;
    char16_t m_char = 0;
    std::uint16_t m_count = 0;
    std::u16string m_text;
    // DateCode and AmPm tokens: the locale id of the last "[$-lcid]" bracket before
    // the code, with the calendar of a "B1"/"B2" prefix in its calendar byte
    // (bits 16-23; kHijriCalendar for B2); 0 for en-US and the Gregorian
    // calendar.
    std::uint32_t m_lcid = 0;
};

// Calendar byte of a locale id that selects the Hijri calendar.
constexpr std::uint32_t kHijriCalendar = 6;
constexpr int kCalendarShift = 16;
