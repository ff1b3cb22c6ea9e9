#include "server/CXlsFont.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr double kMinPoints = 1.0;
constexpr double kMaxPoints = 409.0;
constexpr std::uint8_t kUnderlineKinds[] = {
    CXlsFont::kUnderlineNone, CXlsFont::kUnderlineSingle, CXlsFont::kUnderlineDouble,
    CXlsFont::kUnderlineSingleAccounting, CXlsFont::kUnderlineDoubleAccounting};

}  // namespace

bool CXlsFont::SetName(std::u16string_view name) {
    if (name.empty() || name.size() > kMaxNameLength) return false;
    m_name.assign(name);
    return true;
}

bool CXlsFont::SetSize(double points) {
    // NaN fails both comparisons and is refused with the out-of-range sizes.
    if (!(points >= kMinPoints && points <= kMaxPoints)) return false;
    m_heightTwips = static_cast<std::uint16_t>(std::lround(points * 20.0));
    return true;
}

bool CXlsFont::SetUnderline(std::uint8_t underline) {
    if (std::find(std::begin(kUnderlineKinds), std::end(kUnderlineKinds), underline) ==
        std::end(kUnderlineKinds)) {
        return false;
    }
    m_underline = underline;
    return true;
}

bool CXlsFont::SetEscapement(int escapement) {
    if (escapement < kEscapementNone || escapement > kEscapementSubscript) return false;
    m_escapement = static_cast<std::uint8_t>(escapement);
    return true;
}

bool CXlsFont::SetColorIndex(int colorIndex) {
    if (colorIndex == CXlsColorIndex::kNone) colorIndex = CXlsColorIndex::kAutomatic;
    if (!CXlsColorIndex::IsPaletteOrAutomatic(colorIndex)) return false;
    m_colorIndex = colorIndex;
    return true;
}

std::size_t CXlsFont::Hash() const {
    std::size_t h = std::hash<std::u16string>{}(m_name);
    const std::size_t bits =
        (static_cast<std::size_t>(m_heightTwips) << 16) ^ (static_cast<std::size_t>(m_bold) << 1) ^
        static_cast<std::size_t>(m_italic) ^ (static_cast<std::size_t>(m_underline) << 8) ^
        (static_cast<std::size_t>(m_strikethrough) << 2) ^
        (static_cast<std::size_t>(m_escapement) << 3) ^
        (static_cast<std::size_t>(m_colorIndex & 0xFFFF) << 32);
    return h ^ (bits + 0x9E3779B97F4A7C15ULL + (h << 6) + (h >> 2));
}
