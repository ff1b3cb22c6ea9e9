// The fill of a cell as the object model sets it: colour, fill pattern and
// pattern colour. Patterns are the file's fill-pattern numbers: 0 none,
// 1 solid, 2-18 the hatchings. For a solid fill the colour is the cell's
// colour; for a hatching it is the background the pattern colour is drawn on.
#pragma once

#include <cstddef>
#include <cstdint>

#include "server/CXlsColorIndex.h"

class CXlsInterior {
  public:
    static constexpr std::uint8_t kPatternNone = 0;
    static constexpr std::uint8_t kPatternSolid = 1;
    static constexpr std::uint8_t kLastPattern = 18;

    // No fill.
    CXlsInterior() = default;

    int ColorIndex() const { return m_colorIndex; }
    // A palette index, automatic or none. None removes the fill; a colour on
    // a cell without fill makes the fill solid, as the spreadsheet does.
    bool SetColorIndex(int colorIndex);

    std::uint8_t Pattern() const { return m_pattern; }
    // 0 to 18; pattern 0 removes the fill and its colour.
    bool SetPattern(int pattern);

    int PatternColorIndex() const { return m_patternColorIndex; }
    // A palette index or automatic; none is taken as automatic.
    bool SetPatternColorIndex(int colorIndex);

    bool IsFilled() const { return m_pattern != kPatternNone; }

    bool operator==(const CXlsInterior& other) const = default;
    std::size_t Hash() const {
        return static_cast<std::size_t>(m_colorIndex & 0xFFFF) ^
               (static_cast<std::size_t>(m_pattern) << 16) ^
               (static_cast<std::size_t>(m_patternColorIndex & 0xFFFF) << 24);
    }

  private:
    int m_colorIndex = CXlsColorIndex::kNone;
    std::uint8_t m_pattern = kPatternNone;
    int m_patternColorIndex = CXlsColorIndex::kAutomatic;
};
