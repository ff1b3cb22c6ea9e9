// MULBLANK record (0x00BE): a run of formatted empty cells in one row. Kept
// whole (the record's size, at least 8 bytes); an element of the
// worksheet's multiple-blank list.
//
// Payload: row u16, first column u16, one XF index u16 per column from the
// first to the last column, last column u16 in the last 2 bytes. Row,
// column and XF index of the common cell head are those of the first cell;
// a consumer that needs the others reads the payload by that layout.
#pragma once

#include "biff/CTList.h"
#include "records/CExcelRawCellRecord.h"

class CExcelRecordMULBLANK : public CTListNode<CExcelRecordMULBLANK>, public CExcelRawCellRecord {
public:
    using CExcelRawCellRecord::CExcelRawCellRecord;
};
