// A raw-record object whose payload starts with the common cell head: row,
// column and XF index (BLANK, BOOLERR, LABELSST, and the first cell of a
// MULBLANK). Values are returned as stored, without any range test.
#pragma once

#include <cstdint>

#include "records/CExcelRecordPayload.h"

class CExcelRawCellRecord : public CExcelRecordPayload {
public:
    using CExcelRecordPayload::CExcelRecordPayload;

    std::uint16_t GetRow() const;
    std::uint16_t GetColumn() const;
    std::uint16_t GetXFIndex() const;
};
