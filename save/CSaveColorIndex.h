// Colour indexes of the file's XF and FONT records turned into the
// automation server's "ColorIndex" values (1..56 for the 56 palette
// entries). The file counts palette entries from 8; the server from 1.
// Fills keep 8 bits of the index, font and border colours 16 bits; the
// result is index - 7 in that width, and anything above 56 wraps to
// result mod 56 (index 7 gives 0, 64 gives 1).
#pragma once

#include <cstdint>

class CSaveColorIndex {
public:
    // The fill (pattern background/foreground) rule: 8-bit arithmetic.
    static std::int16_t MapFill(std::uint32_t biffIndex);
    // The font and border colour rule: 16-bit arithmetic.
    static std::int16_t MapLine(std::uint32_t biffIndex);
};
