#include "server/CXlsPalette.h"

#include <algorithm>

namespace {

// The default palette by BIFF colour index 8-63, written 0xRRGGBB.
constexpr std::array<std::uint32_t, CXlsPalette::kCount> kDefault = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};

constexpr std::int32_t kLargestRgb = 0xFFFFFF;

// 0xRRGGBB to the object model's value, red in the low byte.
constexpr std::int32_t ToRgbValue(std::uint32_t rrggbb) {
    return static_cast<std::int32_t>(((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) |
                                     ((rrggbb & 0xFF) << 16));
}

std::array<std::int32_t, CXlsPalette::kCount> DefaultPalette() {
    std::array<std::int32_t, CXlsPalette::kCount> rgb{};
    std::transform(kDefault.begin(), kDefault.end(), rgb.begin(), ToRgbValue);
    return rgb;
}

}  // namespace

CXlsPalette::CXlsPalette() : m_rgb(DefaultPalette()) {}

bool CXlsPalette::SetColor(int index, std::int32_t rgb) {
    if (index < 1 || index > kCount || rgb < 0 || rgb > kLargestRgb) return false;
    m_rgb[static_cast<std::size_t>(index - 1)] = rgb;
    return true;
}

std::int32_t CXlsPalette::Color(int index) const {
    return index >= 1 && index <= kCount ? m_rgb[static_cast<std::size_t>(index - 1)] : 0;
}

bool CXlsPalette::IsDefault() const {
    return m_rgb == DefaultPalette();
}
