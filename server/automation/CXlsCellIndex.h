// The cell that Cells(RowIndex, ColumnIndex) names, counted from an origin
// cell (a worksheet's A1, or a range's top-left cell): indices are 1-based
// from the origin, and may be 0 or negative to reach cells above or left of
// a range's origin, as the spreadsheet allows. With RowIndex alone, the
// cells are counted along rows `width` cells wide.
#pragma once

#include <cstdint>

#include "platform/automation/CDispatchCall.h"
#include "server/CXlsCellRange.h"

class CXlsCellIndex {
public:
    // Reads parameters 0 and 1 of the call. DISP_E_BADINDEX (with the
    // argument-error index) when the cell lies outside the sheet.
    static HRESULT Resolve(CDispatchCall& call, std::uint32_t originRow, std::uint32_t originColumn,
                           std::uint32_t width, CXlsCellRange& out);
};
