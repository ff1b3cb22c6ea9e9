#include "save/CSaveColorIndex.h"

namespace {

// The server numbers the 56 palette entries 1..56; the file numbers them
// 8..63. Indexes outside the palette (0..7, the system colours 64 and 65,
// the font's automatic 0x7FFF) are not refused here: they wrap by the same
// arithmetic, and the server decides whether it takes the result.
constexpr std::uint32_t kFirstPaletteIndex = 7;
constexpr std::uint32_t kPaletteSize = 56;

std::int16_t Wrap(std::uint32_t shifted) {
    if (shifted > kPaletteSize) shifted %= kPaletteSize;
    return static_cast<std::int16_t>(shifted);
}

}  // namespace

std::int16_t CSaveColorIndex::MapFill(std::uint32_t biffIndex) {
    return Wrap((biffIndex - kFirstPaletteIndex) & 0xFFu);
}

std::int16_t CSaveColorIndex::MapLine(std::uint32_t biffIndex) {
    return Wrap((biffIndex - kFirstPaletteIndex) & 0xFFFFu);
}
