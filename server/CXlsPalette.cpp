#include "server/CXlsPalette.h"

#include "server/XlsRecordLayout.h"

namespace {

// The colours as red-green-blue, the order in which they read.
constexpr std::uint32_t kDefaultRgb[CXlsPalette::kColors] = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
};

std::array<std::int32_t, CXlsPalette::kColors> MakeDefaults() {
    std::array<std::int32_t, CXlsPalette::kColors> colors{};
    for (int i = 0; i < CXlsPalette::kColors; ++i) {
        const std::uint32_t rgb = kDefaultRgb[i];
        colors[i] =
            static_cast<std::int32_t>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
    }
    return colors;
}

}  // namespace

CXlsPalette::CXlsPalette() : m_colors(Defaults()) {}

const std::array<std::int32_t, CXlsPalette::kColors>& CXlsPalette::Defaults() {
    static const std::array<std::int32_t, kColors> defaults = MakeDefaults();
    return defaults;
}

bool CXlsPalette::Set(int index, std::int32_t rgb) {
    if (index < 1 || index > kColors || rgb < 0 || rgb > kMaxRgb) return false;
    m_colors[index - 1] = rgb;
    return true;
}

std::int32_t CXlsPalette::Get(int index) const {
    return index < 1 || index > kColors ? -1 : m_colors[index - 1];
}

int CXlsPalette::Nearest(std::int32_t rgb) const {
    auto channel = [](std::int32_t color, int shift) { return (color >> shift) & 0xFF; };
    int best = 1;
    std::int32_t bestDistance = -1;
    for (int i = 0; i < kColors; ++i) {
        std::int32_t distance = 0;
        for (const int shift : {0, 8, 16}) {
            const std::int32_t d = channel(m_colors[i], shift) - channel(rgb, shift);
            distance += d * d;
        }
        if (bestDistance < 0 || distance < bestDistance) {
            best = i + 1;
            bestDistance = distance;
        }
    }
    return best;
}

bool CXlsPalette::Write(CBiffRecordWriter& out) const {
    CBiffRecordBuilder record(xlsw::kPALETTE);
    record.U16(xlsw::kPaletteColors);
    for (const std::int32_t rgb : m_colors) {
        record.U8(static_cast<std::uint8_t>(rgb & 0xFF))
            .U8(static_cast<std::uint8_t>((rgb >> 8) & 0xFF))
            .U8(static_cast<std::uint8_t>((rgb >> 16) & 0xFF))
            .U8(0);
    }
    return out.Write(record);
}
