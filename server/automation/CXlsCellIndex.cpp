#include "server/automation/CXlsCellIndex.h"

HRESULT CXlsCellIndex::Resolve(CDispatchCall& call, std::uint32_t originRow,
                               std::uint32_t originColumn, std::uint32_t width,
                               CXlsCellRange& out) {
    std::int32_t rowIndex = 0;
    if (HRESULT status = call.ArgLong(0, rowIndex); Failed(status)) return status;
    std::int64_t row = 0;
    std::int64_t column = 0;
    if (call.Has(1)) {
        std::int32_t columnIndex = 0;
        if (HRESULT status = call.ArgLong(1, columnIndex); Failed(status)) return status;
        row = static_cast<std::int64_t>(originRow) + rowIndex - 1;
        column = static_cast<std::int64_t>(originColumn) + columnIndex - 1;
        if (column < 0 || column >= xlsw::kMaxColumns) {
            return call.ArgumentError(1, DISP_E_BADINDEX);
        }
    } else {
        // One index counts the cells row by row; it starts at the origin.
        if (rowIndex < 1 || width == 0) return call.ArgumentError(0, DISP_E_BADINDEX);
        const std::int64_t n = static_cast<std::int64_t>(rowIndex) - 1;
        row = static_cast<std::int64_t>(originRow) + n / width;
        column = static_cast<std::int64_t>(originColumn) + n % width;
        if (column >= xlsw::kMaxColumns) return call.ArgumentError(0, DISP_E_BADINDEX);
    }
    if (row < 0 || row >= xlsw::kMaxRows) return call.ArgumentError(0, DISP_E_BADINDEX);
    out = CXlsCellRange::Cell(static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(column));
    return S_OK;
}
