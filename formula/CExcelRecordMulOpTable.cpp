#include "formula/CExcelRecordMulOpTable.h"

#include <string>

#include "records/CExcelCelRange6.h"

namespace {

constexpr std::uint32_t kFirstRow = 0;
constexpr std::uint32_t kFirstColumn = 4;
constexpr std::uint32_t kOptions = 6;
constexpr std::uint32_t kInputRow1 = 8;
constexpr std::uint32_t kInputColumn1 = 10;
constexpr std::uint32_t kInputRow2 = 12;
constexpr std::uint32_t kInputColumn2 = 14;

// Columns below 26 are one letter; others two, the first for column / 26.
// A column field past 675 has no letter for its first part; it prints the
// character that follows 'Z' rather than being cut, so that nothing is
// read out of range.
std::u16string CellText(std::uint16_t row, std::uint16_t column) {
    std::u16string text;
    if (column < 26) {
        text.push_back(static_cast<char16_t>(u'A' + column));
    } else {
        text.push_back(static_cast<char16_t>(u'A' + column / 26 - 1));
        text.push_back(static_cast<char16_t>(u'A' + column % 26));
    }
    const std::string digits = std::to_string(static_cast<std::uint32_t>(row) + 1);
    text.append(digits.begin(), digits.end());
    return text;
}

}  // namespace

CExcelRecordMulOpTable::CExcelRecordMulOpTable(const std::uint8_t* data)
    : m_data(data, kRecordSize) {}

void CExcelRecordMulOpTable::GetRange(CExcelCelRange6& range) const {
    range.SetRaw(m_data.Data(), kRecordSize);
}

std::uint16_t CExcelRecordMulOpTable::GetFirstRow() const { return m_data.ReadU16(kFirstRow); }
std::uint8_t CExcelRecordMulOpTable::GetFirstColumn() const {
    return m_data.ReadU8(kFirstColumn);
}
std::uint16_t CExcelRecordMulOpTable::GetInputRow1() const { return m_data.ReadU16(kInputRow1); }
std::uint16_t CExcelRecordMulOpTable::GetInputColumn1() const {
    return m_data.ReadU16(kInputColumn1);
}
std::uint16_t CExcelRecordMulOpTable::GetInputRow2() const { return m_data.ReadU16(kInputRow2); }
std::uint16_t CExcelRecordMulOpTable::GetInputColumn2() const {
    return m_data.ReadU16(kInputColumn2);
}

std::uint8_t CExcelRecordMulOpTable::GetTableFlags() const {
    return m_data.ReadU8(kOptions) & (kRowInput | kTwoInputs);
}

std::u16string CExcelRecordMulOpTable::GetInput1Text() const {
    return CellText(GetInputRow1(), GetInputColumn1());
}
std::u16string CExcelRecordMulOpTable::GetInput2Text() const {
    return CellText(GetInputRow2(), GetInputColumn2());
}
