// The workbook's 56 palette colours, which ColorIndex 1-56 picks from
// (BIFF colour indices 8-63). Starts as the default palette; a workbook
// whose palette differs writes a PALETTE record. Colours are the object
// model's RGB values: red in the low byte, then green, then blue.
#pragma once

#include <array>
#include <cstdint>

class CXlsPalette {
public:
    static constexpr int kCount = 56;

    CXlsPalette();

    // index 1 to 56; false (nothing changed) otherwise or for a value above
    // 0xFFFFFF.
    bool SetColor(int index, std::int32_t rgb);
    // The colour of index 1 to 56; 0 for any other index.
    std::int32_t Color(int index) const;
    bool IsDefault() const;

private:
    std::array<std::int32_t, kCount> m_rgb;
};
