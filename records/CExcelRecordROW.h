// ROW record (0x0208): height and default format of one row. Keeps its
// 16-byte payload; an element of the worksheet's row list.
#pragma once

#include <cstdint>

#include "biff/CTList.h"
#include "records/CExcelRecordPayload.h"

class CExcelRecordROW : public CTListNode<CExcelRecordROW>, public CExcelRecordPayload {
public:
    using CExcelRecordPayload::CExcelRecordPayload;

    std::uint16_t GetRow() const;
    std::uint16_t GetFirstColumn() const;
    // The height word as stored: twips in bits 0-14, bit 15 set when the
    // row keeps the default height.
    std::uint16_t GetRawHeight() const;
    // The row has a height of its own (bit 15 of the height word clear).
    bool IsCustomHeight() const;
    // Height in whole points: the twips of bits 0-14 divided by 20,
    // truncated.
    std::uint32_t GetHeightPoints() const;
    // The twips of bits 0-14 of the height word.
    std::uint16_t GetHeightTwips() const;
    // Bit 6 of the options: the height was set by hand rather than made to
    // fit the row's fonts (the flag the save keeps a height for).
    bool HasCustomHeightFlag() const;
    // Bit 5 of the options: the row is hidden (it keeps its height).
    bool IsHidden() const;
    // Bit 7 of the options: the row's cells default to GetDefaultXFIndex().
    bool HasDefaultFormat() const;
    // Bits 16-27 of the options.
    std::uint16_t GetDefaultXFIndex() const;
};
