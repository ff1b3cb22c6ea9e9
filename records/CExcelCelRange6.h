// The 6-byte cell range of a TABLE record: first row u16, last row u16,
// first column u8, last column u8.
#pragma once

#include "records/CExcelCelRange.h"

class CExcelCelRange6 : public CExcelCelRange {
protected:
    std::uint32_t RawSize() const override;
    std::uint32_t LastColumnOffset() const override;
};
