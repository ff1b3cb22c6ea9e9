// What the save sets on the window of a sheet (Application.ActiveWindow
// while the sheet is active), in the object model's units: the first row
// and column shown (1-based), the split as rows and columns (frozen) or as
// points from the window's top / left edge (a split that is not frozen),
// the zoom in percent, whether gridlines and headings show, and their
// colour as a ColorIndex (1-56, or automatic).
#pragma once

#include <cstdint>

#include "save/CXLCellFormat.h"

struct CXLWindowLayout {
    std::int32_t scrollRow = 1;
    std::int32_t scrollColumn = 1;
    bool frozen = false;
    std::int32_t splitRow = 0;  // frozen: rows above the split
    std::int32_t splitColumn = 0;
    double splitVertical = 0.0;    // not frozen: points from the top
    double splitHorizontal = 0.0;  // not frozen: points from the left
    std::int16_t zoom = 100;
    bool gridlines = true;
    bool headings = true;
    std::int16_t gridlineColorIndex = CXLCellFormat::kAutomatic;
};
