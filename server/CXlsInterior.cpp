#include "server/CXlsInterior.h"

bool CXlsInterior::SetColorIndex(int colorIndex) {
    if (colorIndex == CXlsColorIndex::kNone) {
        m_colorIndex = CXlsColorIndex::kNone;
        m_pattern = kPatternNone;
        return true;
    }
    if (!CXlsColorIndex::IsPaletteOrAutomatic(colorIndex)) return false;
    m_colorIndex = colorIndex;
    if (m_pattern == kPatternNone) m_pattern = kPatternSolid;
    return true;
}

bool CXlsInterior::SetPattern(int pattern) {
    if (pattern < kPatternNone || pattern > kLastPattern) return false;
    m_pattern = static_cast<std::uint8_t>(pattern);
    if (m_pattern == kPatternNone) m_colorIndex = CXlsColorIndex::kNone;
    // A pattern on an uncoloured cell is drawn on the automatic background.
    else if (m_colorIndex == CXlsColorIndex::kNone)
        m_colorIndex = CXlsColorIndex::kAutomatic;
    return true;
}

bool CXlsInterior::SetPatternColorIndex(int colorIndex) {
    if (colorIndex == CXlsColorIndex::kNone) colorIndex = CXlsColorIndex::kAutomatic;
    if (!CXlsColorIndex::IsPaletteOrAutomatic(colorIndex)) return false;
    m_patternColorIndex = colorIndex;
    return true;
}
