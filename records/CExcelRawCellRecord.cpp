#include "records/CExcelRawCellRecord.h"

#include "records/CellRecordLayout.h"

std::uint16_t CExcelRawCellRecord::GetRow() const {
    return U16(biff8::kCellRow);
}

std::uint16_t CExcelRawCellRecord::GetColumn() const {
    return U16(biff8::kCellColumn);
}

std::uint16_t CExcelRawCellRecord::GetXFIndex() const {
    return U16(biff8::kCellXF);
}
