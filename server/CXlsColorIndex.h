// Colour indices as the object model takes them: 1 to 56 pick a colour of
// the default palette, -4105 means automatic and -4142 none. In the file a
// palette colour is stored as its BIFF colour index, ColorIndex + 7 (8-63).
#pragma once

#include <cstdint>

class CXlsColorIndex {
  public:
    static constexpr int kAutomatic = -4105;
    static constexpr int kNone = -4142;
    static constexpr int kFirstPalette = 1;
    static constexpr int kLastPalette = 56;

    static bool IsPalette(int colorIndex) {
        return colorIndex >= kFirstPalette && colorIndex <= kLastPalette;
    }
    // A palette index or automatic: what fonts and border lines accept.
    static bool IsPaletteOrAutomatic(int colorIndex) {
        return IsPalette(colorIndex) || colorIndex == kAutomatic;
    }
    // The BIFF colour index: palette colours become ColorIndex + 7, anything
    // else (automatic, none) becomes `automatic`, the caller's code for the
    // field at hand (0x7FFF for fonts, 64 for lines and patterns, 65 for
    // pattern backgrounds).
    static std::uint16_t ToBiff(int colorIndex, std::uint16_t automatic) {
        return IsPalette(colorIndex) ? static_cast<std::uint16_t>(colorIndex + 7) : automatic;
    }
};
