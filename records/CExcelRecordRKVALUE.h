// One RK-encoded cell: from an RK record (0x027E) or one column of a MULRK
// record (0x00BD). Keeps the decoded fields and the raw RK number; an
// element of the worksheet's RK list.
#pragma once

#include <cstdint>

#include "biff/CTList.h"

class CExcelWorkbookGlobals;

// A sheet holds one per cell, so it carries no vtable pointer.
class CExcelRecordRKVALUE final : public CTListNode<CExcelRecordRKVALUE> {
public:
    CExcelRecordRKVALUE(std::uint16_t row, std::uint16_t column, std::uint16_t xfIndex,
                        std::uint32_t rk);
    CExcelRecordRKVALUE(const CExcelRecordRKVALUE&) = delete;
    CExcelRecordRKVALUE& operator=(const CExcelRecordRKVALUE&) = delete;

    // The number an RK value stands for. Bit 1 set: bits 2-31 are a signed
    // integer (arithmetic shift, so negatives keep their sign); clear: they
    // are the high 32 bits of a double with the low 32 bits zero. Bit 0 set
    // multiplies the result by 0.01 (a multiplication, so 0x3FF00001 gives
    // exactly the double 0.01, not 1 / 100 computed another way).
    static double DecodeRK(std::uint32_t rk);

    std::uint16_t GetRow() const { return m_row; }
    std::uint16_t GetColumn() const { return m_column; }
    std::uint16_t GetXFIndex() const { return m_xfIndex; }
    double GetValue() const { return DecodeRK(m_rk); }

    // Format index of the cell's XF record in workbook, 0 when there is none.
    std::uint16_t GetFormatIndex(const CExcelWorkbookGlobals& workbook) const;

private:
    std::uint16_t m_row;
    std::uint16_t m_column;
    std::uint16_t m_xfIndex;
    std::uint32_t m_rk;
};
