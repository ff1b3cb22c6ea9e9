// COLINFO record (0x007D): width, format and options of a run of columns.
// Keeps its 12-byte payload; an element of the worksheet's column list.
#pragma once

#include <cstdint>

#include "biff/CTList.h"
#include "records/CExcelRecordPayload.h"

class CExcelRecordCOLINFO : public CTListNode<CExcelRecordCOLINFO>, public CExcelRecordPayload {
public:
    using CExcelRecordPayload::CExcelRecordPayload;

    std::uint16_t GetFirstColumn() const;
    std::uint16_t GetLastColumn() const;
    // Width in 1/256 of the width of a character of the default font.
    std::uint16_t GetWidth() const;
    // The width in screen pixels: width / 263 * 7, truncated toward zero
    // (2560, ten characters, gives 68).
    std::uint32_t GetWidthPixels() const;
    std::uint16_t GetXFIndex() const;
    // Bit 0 of the options: the columns are hidden (they keep their width).
    bool IsHidden() const;
};
