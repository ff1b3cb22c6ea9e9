// The border lines of one cell: left, right, top and bottom, and the two
// diagonals. Line styles are the file's numbers: 0 none, 1 thin, 2 medium,
// 3 dashed, 4 dotted, 5 thick, 6 double, 7 hair, 8-13 the medium and
// dash-dot kinds. A cell stores one style and colour for both diagonals
// (that is all the XF record holds), with a flag for each direction.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "server/CXlsColorIndex.h"

class CXlsBorders {
  public:
    enum EEdge : int { kLeft = 0, kRight, kTop, kBottom, kDiagonalDown, kDiagonalUp, kEdgeCount };
    static constexpr std::uint8_t kLineNone = 0;
    static constexpr std::uint8_t kLastLineStyle = 13;

    // No lines.
    CXlsBorders() = default;

    // The style of an edge; a diagonal that is not drawn reads 0.
    std::uint8_t LineStyle(EEdge edge) const;
    // 0 to 13. For a diagonal, a style other than 0 draws that direction and
    // becomes the style of both diagonals; 0 stops drawing that direction.
    bool SetLineStyle(EEdge edge, int lineStyle);

    int ColorIndex(EEdge edge) const;
    // A palette index or automatic (none is taken as automatic). The colour
    // is kept even while the edge has no line.
    bool SetColorIndex(EEdge edge, int colorIndex);

    bool DiagonalDown() const { return m_diagonalDown; }
    bool DiagonalUp() const { return m_diagonalUp; }
    bool HasLines() const;

    bool operator==(const CXlsBorders& other) const = default;
    std::size_t Hash() const;

  private:
    struct Line {
        std::uint8_t style = kLineNone;
        int colorIndex = CXlsColorIndex::kAutomatic;
        bool operator==(const Line& other) const = default;
    };
    // Left, right, top, bottom, then the diagonal pair's shared line.
    static constexpr int kDiagonal = 4;
    std::array<Line, 5> m_lines{};
    bool m_diagonalDown = false;
    bool m_diagonalUp = false;
};
