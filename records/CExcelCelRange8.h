// The 8-byte cell range of MERGEDCELLS: first row u16, last row u16, first
// column u16, last column u16; columns are taken as their low byte.
#pragma once

#include "records/CExcelCelRange.h"

class CExcelCelRange8 : public CExcelCelRange {
protected:
    std::uint32_t RawSize() const override;
    std::uint32_t LastColumnOffset() const override;
};
