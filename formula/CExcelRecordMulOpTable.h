// TABLE record (0x0236) of a worksheet: the range and input cells of a
// what-if data table. Keeps the 16 record bytes; an element of the
// worksheet's table list. Only records of exactly 16 bytes are kept.
//
//   offset 0   u16  first row of the table range
//   offset 2   u16  last row
//   offset 4   u8   first column
//   offset 5   u8   last column
//   offset 6   u16  option flags (0x04 row input, 0x08 two inputs)
//   offset 8   u16  first input cell: row
//   offset 10  u16  first input cell: column
//   offset 12  u16  second input cell: row
//   offset 14  u16  second input cell: column
#pragma once

#include <cstdint>
#include <string>

#include "biff/CByteBuffer.h"
#include "biff/CTList.h"

class CExcelCelRange6;

class CExcelRecordMulOpTable : public CTListNode<CExcelRecordMulOpTable> {
public:
    static constexpr std::uint32_t kRecordSize = 16;
    static constexpr std::uint8_t kRowInput = 0x04;
    static constexpr std::uint8_t kTwoInputs = 0x08;

    // From exactly kRecordSize bytes of record data.
    explicit CExcelRecordMulOpTable(const std::uint8_t* data);
    CExcelRecordMulOpTable(const CExcelRecordMulOpTable&) = delete;
    CExcelRecordMulOpTable& operator=(const CExcelRecordMulOpTable&) = delete;
    virtual ~CExcelRecordMulOpTable() = default;

    void GetRange(CExcelCelRange6& range) const;
    std::uint16_t GetFirstRow() const;
    std::uint8_t GetFirstColumn() const;
    std::uint16_t GetInputRow1() const;
    std::uint16_t GetInputColumn1() const;
    std::uint16_t GetInputRow2() const;
    std::uint16_t GetInputColumn2() const;
    // Low byte of the option flags masked to the row-input and two-input bits.
    std::uint8_t GetTableFlags() const;
    // The input cells as A1 text; the column is the whole 16-bit field, so a
    // column beyond IV still prints two letters.
    std::u16string GetInput1Text() const;
    std::u16string GetInput2Text() const;

private:
    CByteBuffer m_data;
};
