// LABEL (0x0204) and RSTRING (0x00D6) records: a text cell whose string is
// stored in the record itself rather than in the shared-string table.
// Payload: row u16, column u16, XF index u16, then a BIFF8 unicode string
// with a 16-bit character count (RSTRING adds its formatting runs after
// the string). An element of the worksheet's inline-text list.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CTList.h"

class CExcelRecordLABEL : public CTListNode<CExcelRecordLABEL> {
public:
    CExcelRecordLABEL(std::uint16_t row, std::uint16_t column, std::uint16_t xfIndex,
                      std::u16string text);
    CExcelRecordLABEL(const CExcelRecordLABEL&) = delete;
    CExcelRecordLABEL& operator=(const CExcelRecordLABEL&) = delete;
    virtual ~CExcelRecordLABEL() = default;

    std::uint16_t GetRow() const { return m_row; }
    std::uint16_t GetColumn() const { return m_column; }
    std::uint16_t GetXFIndex() const { return m_xfIndex; }
    const std::u16string& GetText() const { return m_text; }

private:
    std::uint16_t m_row;
    std::uint16_t m_column;
    std::uint16_t m_xfIndex;
    std::u16string m_text;
};
