// A list of cell rectangles as DV and CONDFMT records store it: a u16
// count, then per rectangle first row, last row, first column and last
// column (u16 each). Columns are kept as stored; a user of the list skips
// what lies past column IV.
#pragma once

#include <cstdint>
#include <vector>

#include "records/CExcelByteCursor.h"

struct CExcelCellRect {
    std::uint16_t firstRow = 0;
    std::uint16_t lastRow = 0;
    std::uint16_t firstColumn = 0;
    std::uint16_t lastColumn = 0;

    bool operator==(const CExcelCellRect& other) const = default;
};

class CExcelCellRects {
public:
    static constexpr std::uint32_t kRectSize = 8;

    // Reads the count and the rectangles at the cursor into rects. False
    // (the cursor failed, rects empty) when the count promises more
    // rectangles than the bytes left hold; the count never sizes anything
    // before that check.
    static bool Read(CExcelByteCursor& cursor, std::vector<CExcelCellRect>& rects);
    // One rectangle at the cursor.
    static CExcelCellRect ReadOne(CExcelByteCursor& cursor);
};
