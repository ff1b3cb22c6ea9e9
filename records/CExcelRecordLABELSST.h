// LABELSST record (0x00FD): a text cell that refers to an entry of the
// workbook's shared-string table. Keeps its 10-byte payload; an element of
// the worksheet's shared-string cell list.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CTList.h"
#include "records/CExcelRawCellRecord.h"

class CExcelWorkbookGlobals;

class CExcelRecordLABELSST : public CTListNode<CExcelRecordLABELSST>, public CExcelRawCellRecord {
public:
    using CExcelRawCellRecord::CExcelRawCellRecord;

    // 0-based index into the shared strings, as stored.
    std::uint32_t GetSSTIndex() const;
    // The shared string the index selects in workbook; empty with *found
    // false when the table has no such entry (a lost string).
    std::u16string GetText(const CExcelWorkbookGlobals& workbook, bool* found = nullptr) const;
};
