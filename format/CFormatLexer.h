// Cuts a format code into sections of tokens. Quotes, backslash escapes,
// _x, *x and brackets are resolved here; what placeholders, commas and
// points mean is left to CFormatParser.
//
// Brackets: a comparison ([>100]) becomes the section's condition (the first
// one counts); [h], [mm], [ss] become Elapsed tokens; [$text-lcid] shows its
// text where it stands, and the lcids F800 (system long date) and F400
// (system time) replace the section by the en-US system pattern; any other
// lcid (up to eight hex digits) sets the locale of the date codes after it
// (CFormatToken::m_lcid), as "B1" and "B2" set their calendar; any other
// bracket (colours, [Color12], unknown words) is dropped. An '[' without its
// ']' is an ordinary character.
#pragma once

#include <string_view>
#include <vector>

#include "format/CFormatSection.h"

class CFormatLexer {
public:
    // At most kMaxFormatSections sections, reading at most
    // kMaxFormatCodeLength units of code. Never empty: an empty code gives
    // one empty section.
    static std::vector<CFormatSection> Split(std::u16string_view code);
};
