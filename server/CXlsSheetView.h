// How one worksheet shows in its window, as the sheet's WINDOW2, SCL, PANE
// and SELECTION records keep it. Rows and columns are 0-based.
//
// A frozen view keeps splitRows rows and splitColumns columns fixed above
// and left of the rest; an unfrozen split divides the window at
// splitXTwips / splitYTwips (1/20 point) from its top-left corner, with
// splitRows / splitColumns the rows and columns that roughly fit there.
// Neither: one pane. The selection's top-left cell is the active cell.
//
// Colours are the object model's colour indices (CXlsColorIndex): the
// gridlines and headings take a palette colour or kAutomatic (WINDOW2), the
// sheet's tab a palette colour or kNone (SHEETEXT).
#pragma once

#include <cstdint>

#include "server/CXlsCellRange.h"
#include "server/CXlsColorIndex.h"

struct CXlsSheetView {
    static constexpr std::uint16_t kMinZoom = 10;  // percent
    static constexpr std::uint16_t kMaxZoom = 400;

    // The first row and column shown in the top-left pane.
    std::uint32_t scrollRow = 0;
    std::uint32_t scrollColumn = 0;
    std::uint32_t splitRows = 0;
    std::uint32_t splitColumns = 0;
    std::uint32_t splitXTwips = 0;
    std::uint32_t splitYTwips = 0;
    bool frozen = false;
    std::uint16_t zoom = 100;
    bool gridlines = true;
    bool headings = true;
    int gridlineColorIndex = CXlsColorIndex::kAutomatic;
    int tabColorIndex = CXlsColorIndex::kNone;
    CXlsCellRange selection = CXlsCellRange::Cell(0, 0);

    // Whether the window is divided at all (frozen or split).
    bool HasPanes() const {
        return frozen ? splitRows > 0 || splitColumns > 0 : splitXTwips > 0 || splitYTwips > 0;
    }
};
