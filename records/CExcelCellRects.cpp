#include "records/CExcelCellRects.h"

bool CExcelCellRects::Read(CExcelByteCursor& cursor, std::vector<CExcelCellRect>& rects) {
    rects.clear();
    const std::uint32_t count = cursor.U16();
    if (!cursor.Ok() || std::uint64_t{count} * kRectSize > cursor.Left()) {
        cursor.Skip(count * kRectSize);  // fails the cursor
        return false;
    }
    rects.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) rects.push_back(ReadOne(cursor));
    return cursor.Ok();
}

CExcelCellRect CExcelCellRects::ReadOne(CExcelByteCursor& cursor) {
    CExcelCellRect rect;
    rect.firstRow = cursor.U16();
    rect.lastRow = cursor.U16();
    rect.firstColumn = cursor.U16();
    rect.lastColumn = cursor.U16();
    return rect;
}
