// The number format of a numeric cell (NUMBER, RK, MULRK): its XF index
// selects an XF record of the workbook, whose format index selects the
// format text.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CTList.h"

class CExcelRecordWBXF;
class CExcelWorkbookGlobals;

class CExcelCellNumberFormat {
public:
    // The format index of the XF record at 0-based position xfIndex of the
    // workbook's XF list; 0 ("General") when the list has no such record.
    static std::uint16_t GetFormatIndex(const CTList<CExcelRecordWBXF>& xfs, std::uint32_t xfIndex);
    static std::uint16_t GetFormatIndex(const CExcelWorkbookGlobals& workbook,
                                        std::uint32_t xfIndex);
};
