// MERGEDCELLS record (0x00E5): a list of merged cell ranges. Kept whole
// (the record's size, at least 2 bytes); an element of the worksheet's
// merged-cell list.
//
// Payload: count u16, then count 8-byte ranges (first row, last row, first
// column, last column, each u16).
#pragma once

#include <cstdint>

#include "biff/CTList.h"
#include "records/CExcelRecordPayload.h"

class CExcelCelRange8;

class CExcelRecordMERGEDCELLS : public CTListNode<CExcelRecordMERGEDCELLS>,
                                public CExcelRecordPayload {
public:
    using CExcelRecordPayload::CExcelRecordPayload;

    // The number of ranges the record announces, as stored.
    std::uint16_t GetCount() const;
    // Loads range i (0-based) into range. Only a range below the count whose
    // 8 bytes the payload wholly holds is given; otherwise false and range
    // is left as it was.
    bool GetRange(std::uint32_t i, CExcelCelRange8& range) const;
};
