// BLANK record (0x0201): a cell with a format and no value. Keeps its
// 6-byte payload; an element of the worksheet's blank list.
#pragma once

#include "biff/CTList.h"
#include "records/CExcelRawCellRecord.h"

class CExcelRecordBLANK : public CTListNode<CExcelRecordBLANK>, public CExcelRawCellRecord {
public:
    using CExcelRawCellRecord::CExcelRawCellRecord;
};
