// QUICKTIP record (0x0800): the tip text of a hyperlink range. Kept whole
// (the record's size, at least 10 bytes) and not decoded; an element of the
// worksheet's cell-tip list. Its payload does not start with the common cell
// head (it repeats the record type first), so it offers no row or column.
#pragma once

#include "biff/CTList.h"
#include "records/CExcelRecordPayload.h"

class CExcelRecordQUICKTIP : public CTListNode<CExcelRecordQUICKTIP>, public CExcelRecordPayload {
public:
    using CExcelRecordPayload::CExcelRecordPayload;
};
