#include "records/CConstData.h"

#include <array>
#include <cstddef>

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

// One stretch of the BIFF8 default palette, colours written as 0xRRGGBB.
struct PaletteStretch {
    std::uint32_t firstIndex;
    const std::uint32_t* rgb;
    std::size_t count;
};

// Indices 8-23: the sixteen basic colours.
constexpr std::array<std::uint32_t, 16> kBasic = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080};

// Indices 40-63. Indices 24-39 (the chart fill and line colours) are left
// out on purpose: cells never take their colours from there.
constexpr std::array<std::uint32_t, 24> kExtended = {
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};

constexpr PaletteStretch kStretches[] = {
    {8, kBasic.data(), kBasic.size()},
    {40, kExtended.data(), kExtended.size()},
};

// 0xRRGGBB to a Windows colour value, red in the low byte.
constexpr std::uint32_t ToColorRef(std::uint32_t rgb) {
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

struct ErrorText {
    std::uint32_t code;
    const char16_t* text;
};

// The error literals exactly as a spreadsheet writes them, so that a text
// written back into a cell reads as the same error. #N/A is the one literal
// without a closing mark.
constexpr ErrorText kErrorTexts[] = {
    {0x00, u"#NULL!"}, {0x07, u"#DIV/0!"}, {0x0F, u"#VALUE!"}, {0x17, u"#REF!"},
    {0x1D, u"#NAME?"}, {0x24, u"#NUM!"},   {0x2A, u"#N/A"},
};

}  // namespace

std::uint32_t CConstData::GetDefaultColor(std::uint32_t index, bool& found) {
    for (const PaletteStretch& stretch : kStretches) {
        if (index >= stretch.firstIndex && index - stretch.firstIndex < stretch.count) {
            found = true;
            return ToColorRef(stretch.rgb[index - stretch.firstIndex]);
        }
    }
    found = false;
    return kWhite;
}

std::u16string CConstData::GetErrorText(std::uint32_t code) {
    for (const ErrorText& entry : kErrorTexts) {
        if (entry.code == code) return entry.text;
    }
    return {};
}
