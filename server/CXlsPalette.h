// The workbook's 56 palette colours, which colour indices 1 to 56 (BIFF
// indices 8 to 63) pick. Colours are kept as the object model's RGB values:
// red + green * 256 + blue * 65536.
#pragma once

#include <array>
#include <cstdint>

#include "server/CBiffRecordWriter.h"

class CXlsPalette {
public:
    static constexpr int kColors = 56;
    static constexpr std::int32_t kMaxRgb = 0xFFFFFF;

    CXlsPalette();

    // Index 1 to 56; the colour 0 to 0xFFFFFF. False (nothing changed)
    // outside those.
    bool Set(int index, std::int32_t rgb);
    // The colour of index 1 to 56; -1 outside.
    std::int32_t Get(int index) const;
    // The index (1 to 56) of the colour nearest to rgb (0 to 0xFFFFFF), by
    // the sum of the squared differences of red, green and blue; the lowest
    // index of equally near ones. What a colour given as RGB becomes where
    // the file keeps a palette index.
    int Nearest(std::int32_t rgb) const;
    bool IsDefault() const { return m_colors == Defaults(); }

    // The PALETTE record, which a writer writes only when the palette is
    // not the default one.
    bool Write(CBiffRecordWriter& out) const;

    static const std::array<std::int32_t, kColors>& Defaults();

private:
    std::array<std::int32_t, kColors> m_colors;
};
