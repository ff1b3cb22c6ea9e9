// BOOLERR record (0x0205): a cell holding TRUE, FALSE or an error value.
// Keeps its 8-byte payload; an element of the worksheet's boolean and error
// list.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CTList.h"
#include "records/CExcelRawCellRecord.h"

class CExcelRecordBOOLERR : public CTListNode<CExcelRecordBOOLERR>, public CExcelRawCellRecord {
public:
    using CExcelRawCellRecord::CExcelRawCellRecord;

    // The value byte: 0 or 1 for a boolean, the error code for an error.
    std::uint8_t GetValue() const;
    // The is-error byte is non-zero.
    bool IsError() const;
    // An error: its error text (empty for a code that is not an error
    // code). A boolean: "TRUE" for a non-zero value byte, else "FALSE".
    std::u16string GetText() const;
};
