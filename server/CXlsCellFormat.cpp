#include "server/CXlsCellFormat.h"

#include <functional>

bool CXlsCellFormat::SetNumberFormat(std::u16string_view text) {
    if (text.size() > kMaxNumberFormatLength) return false;
    if (text.empty())
        m_numberFormat = u"General";
    else
        m_numberFormat.assign(text);
    return true;
}

std::size_t CXlsCellFormat::Hash() const {
    std::size_t h = std::hash<std::u16string>{}(m_numberFormat);
    const std::size_t protection =
        static_cast<std::size_t>(m_locked) | (static_cast<std::size_t>(m_formulaHidden) << 1) |
        (static_cast<std::size_t>(m_ownGroups) << 2) | (static_cast<std::size_t>(m_style) << 10);
    for (std::size_t part :
         {m_font.Hash(), m_interior.Hash(), m_borders.Hash(), m_alignment.Hash(), protection}) {
        h ^= part + 0x9E3779B97F4A7C15ULL + (h << 6) + (h >> 2);
    }
    return h;
}
