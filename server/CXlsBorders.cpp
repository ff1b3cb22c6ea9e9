#include "server/CXlsBorders.h"

namespace {

bool IsDiagonal(CXlsBorders::EEdge edge) {
    return edge == CXlsBorders::kDiagonalDown || edge == CXlsBorders::kDiagonalUp;
}

bool IsEdge(CXlsBorders::EEdge edge) {
    return edge >= CXlsBorders::kLeft && edge < CXlsBorders::kEdgeCount;
}

}  // namespace

std::uint8_t CXlsBorders::LineStyle(EEdge edge) const {
    if (!IsEdge(edge)) return kLineNone;
    if (!IsDiagonal(edge)) return m_lines[edge].style;
    const bool drawn = edge == kDiagonalDown ? m_diagonalDown : m_diagonalUp;
    return drawn ? m_lines[kDiagonal].style : kLineNone;
}

bool CXlsBorders::SetLineStyle(EEdge edge, int lineStyle) {
    if (!IsEdge(edge) || lineStyle < kLineNone || lineStyle > kLastLineStyle) return false;
    const auto style = static_cast<std::uint8_t>(lineStyle);
    if (!IsDiagonal(edge)) {
        m_lines[edge].style = style;
        return true;
    }
    bool& drawn = edge == kDiagonalDown ? m_diagonalDown : m_diagonalUp;
    drawn = style != kLineNone;
    // The other direction keeps the shared style when this one is switched
    // off; when both are off the style goes too, so that equal cells compare
    // equal.
    if (drawn)
        m_lines[kDiagonal].style = style;
    else if (!m_diagonalDown && !m_diagonalUp)
        m_lines[kDiagonal].style = kLineNone;
    return true;
}

int CXlsBorders::ColorIndex(EEdge edge) const {
    if (!IsEdge(edge)) return CXlsColorIndex::kAutomatic;
    return m_lines[IsDiagonal(edge) ? kDiagonal : edge].colorIndex;
}

bool CXlsBorders::SetColorIndex(EEdge edge, int colorIndex) {
    if (colorIndex == CXlsColorIndex::kNone) colorIndex = CXlsColorIndex::kAutomatic;
    if (!IsEdge(edge) || !CXlsColorIndex::IsPaletteOrAutomatic(colorIndex)) return false;
    m_lines[IsDiagonal(edge) ? kDiagonal : edge].colorIndex = colorIndex;
    return true;
}

bool CXlsBorders::HasLines() const {
    for (int i = 0; i < kDiagonal; ++i) {
        if (m_lines[i].style != kLineNone) return true;
    }
    return m_diagonalDown || m_diagonalUp;
}

std::size_t CXlsBorders::Hash() const {
    std::size_t h = (static_cast<std::size_t>(m_diagonalDown) << 1) | m_diagonalUp;
    for (const Line& line : m_lines) {
        h = h * 131 + line.style;
        h = h * 131 + static_cast<std::size_t>(line.colorIndex & 0xFFFF);
    }
    return h;
}
