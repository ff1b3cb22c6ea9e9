// NUMBER record (0x0203): one cell holding an IEEE double. Keeps the
// decoded fields rather than the payload; an element of the worksheet's
// number list.
#pragma once

#include <cstdint>

#include "biff/CTList.h"

class CExcelWorkbookGlobals;

// A sheet holds one per cell, so it carries no vtable pointer.
class CExcelRecordNUMBER final : public CTListNode<CExcelRecordNUMBER> {
public:
    CExcelRecordNUMBER(std::uint16_t row, std::uint16_t column, std::uint16_t xfIndex,
                       double value);
    // From a payload of exactly 14 bytes (the caller checks the size).
    explicit CExcelRecordNUMBER(const std::uint8_t* payload);
    CExcelRecordNUMBER(const CExcelRecordNUMBER&) = delete;
    CExcelRecordNUMBER& operator=(const CExcelRecordNUMBER&) = delete;

    std::uint16_t GetRow() const { return m_row; }
    std::uint16_t GetColumn() const { return m_column; }
    std::uint16_t GetXFIndex() const { return m_xfIndex; }
    // The eight stored bytes as a double, NaN and infinity patterns included.
    double GetValue() const { return m_value; }

    // Format index of the cell's XF record in workbook, 0 when there is none.
    std::uint16_t GetFormatIndex(const CExcelWorkbookGlobals& workbook) const;

private:
    std::uint16_t m_row;
    std::uint16_t m_column;
    std::uint16_t m_xfIndex;
    double m_value;
};
