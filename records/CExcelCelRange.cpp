#include "records/CExcelCelRange.h"

#include <cstdio>

#include "records/CellRecordLayout.h"

bool CExcelCelRange::SetRaw(const std::uint8_t* raw, std::uint32_t n) {
    const std::uint32_t size = RawSize();
    if (size == 0 || !raw || n < size) return false;
    m_bytes.Assign(raw, size);
    return true;
}

bool CExcelCelRange::SetFrom(const CByteBuffer& bytes) {
    return SetRaw(bytes.Data(), bytes.DataLength());
}

std::uint16_t CExcelCelRange::GetFirstRow() const {
    return m_bytes.ReadU16(biff8::kRangeFirstRow);
}

std::uint16_t CExcelCelRange::GetLastRow() const {
    return m_bytes.ReadU16(biff8::kRangeLastRow);
}

// Both forms keep columns to one byte: the 8-byte form stores u16 columns
// of which only the low byte (the first, little-endian) is taken.
std::uint8_t CExcelCelRange::GetFirstColumn() const {
    return m_bytes.ReadU8(biff8::kRangeFirstColumn);
}

std::uint8_t CExcelCelRange::GetLastColumn() const {
    return m_bytes.ReadU8(LastColumnOffset());
}

bool CExcelCelRange::IsSet() const {
    return m_bytes.DataLength() != 0;
}

std::u16string CExcelCelRange::ColumnName(std::uint8_t column) {
    if (column < 26) return std::u16string(1, static_cast<char16_t>(u'A' + column));
    return {static_cast<char16_t>(u'@' + column / 26), static_cast<char16_t>(u'A' + column % 26)};
}

std::u16string CExcelCelRange::GetText() const {
    if (!IsSet()) return {};
    const auto row = [](std::uint16_t r) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%u", static_cast<unsigned>(r) + 1);
        return std::u16string(digits, digits + std::char_traits<char>::length(digits));
    };
    return ColumnName(GetFirstColumn()) + row(GetFirstRow()) + u':' + ColumnName(GetLastColumn()) +
           row(GetLastRow());
}
