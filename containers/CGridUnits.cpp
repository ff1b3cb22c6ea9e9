#include "containers/CGridUnits.h"

#include <cstdint>

namespace {

int DigitOrDefault(int digitWidth) {
    return digitWidth >= 1 ? digitWidth : CGridUnits::kDefaultDigitWidth;
}

}  // namespace

int CGridUnits::TwipsToPixels(int twips) {
    // 15 twips to a pixel: 1440 twips an inch, 96 pixels an inch.
    constexpr int kTwipsPerPixel = 15;
    if (twips <= 0) return 0;
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

int CGridUnits::ColumnPixels(int width256, int digitWidth) {
    const int digit = DigitOrDefault(digitWidth);
    if (width256 <= 0) return 0;
    // The half-digit term rounds a width that falls just short of a pixel
    // boundary up to it; widths are 16 bits, so the product fits in 64.
    const std::int64_t pixels = (static_cast<std::int64_t>(width256) + 128 / digit) * digit / 256;
    return static_cast<int>(pixels);
}

int CGridUnits::DefaultColumnPixels(int characters, int digitWidth) {
    // Two pixels of margin each side and one of grid line.
    constexpr int kPadding = 5;
    constexpr int kStep = 8;
    const int digit = DigitOrDefault(digitWidth);
    if (characters <= 0) return 0;
    // DEFCOLWIDTH holds at most 255 characters; a damaged one is held there.
    const int pixels = (characters > 255 ? 255 : characters) * digit + kPadding;
    return (pixels + kStep - 1) / kStep * kStep;
}
