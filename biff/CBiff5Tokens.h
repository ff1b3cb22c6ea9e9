// Formula tokens (rgce) of an Excel 5.0/95 (BIFF5) stream rewritten as
// BIFF8 tokens.
//
// Cell references widen (a column takes 16 bits with the relative flags in
// its top bits), names and 3-D references shrink, string constants gain
// the BIFF8 flag byte, and every distance that counts bytes of the tokens
// (ptgAttr jumps, ptgMem* subexpression lengths) is recomputed. A formula
// that holds a token with no BIFF8 counterpart (an external name or
// workbook, an unknown ptg) or whose structure does not add up is refused
// as a whole: nothing is half translated.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class CBiff5Text;

class CBiff5Tokens {
public:
    // The index in the BIFF8 EXTERNSHEET list of the sheet range
    // [first, last] of this workbook, or -1 when it cannot be referenced.
    using SheetRangeIndex = std::function<int(std::uint16_t first, std::uint16_t last)>;

    struct Result {
        std::vector<std::uint8_t> tokens;  // the BIFF8 rgce
        std::vector<std::uint8_t> extra;   // array constants and cached areas after it
    };

    // Translates `rgce` (the cce bytes of a formula) and `extra` (the bytes
    // after them in the record: the constants of ptgArray and the area
    // lists of ptgMemArea, in token order; bytes left over are dropped).
    // False, with `out` unspecified, when the tokens cannot be translated.
    static bool Translate(std::span<const std::uint8_t> rgce, std::span<const std::uint8_t> extra,
                          CBiff5Text& text, const SheetRangeIndex& sheets, Result& out);
};
