#include "records/CConstData.h"

#include <array>

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

// The BIFF8 default palette, indices 8-63, colours written as 0xRRGGBB.
// Indices 24-39 are the ones the spreadsheet offers for chart fills and
// lines, but cell fills, fonts and borders name them too.
constexpr std::uint32_t kFirstIndex = 8;
constexpr std::array<std::uint32_t, 56> kDefaultPalette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};

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
    found = index >= kFirstIndex && index - kFirstIndex < kDefaultPalette.size();
    return found ? ToColorRef(kDefaultPalette[index - kFirstIndex]) : kWhite;
}

std::u16string CConstData::GetErrorText(std::uint32_t code) {
    for (const ErrorText& entry : kErrorTexts) {
        if (entry.code == code) return entry.text;
    }
    return {};
}
