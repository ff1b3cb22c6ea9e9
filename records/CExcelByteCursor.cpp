#include "records/CExcelByteCursor.h"

#include <cstring>

#include "biff/CByteBuffer.h"

CExcelByteCursor::CExcelByteCursor(const std::uint8_t* bytes, std::uint32_t size)
    : m_bytes(bytes), m_size(bytes ? size : 0) {}

bool CExcelByteCursor::Has(std::uint64_t n) {
    if (!m_failed && n <= m_size - m_position) return true;
    m_failed = true;
    return false;
}

std::uint8_t CExcelByteCursor::U8() {
    if (!Has(1)) return 0;
    return m_bytes[m_position++];
}

std::uint16_t CExcelByteCursor::U16() {
    if (!Has(2)) return 0;
    const std::uint16_t value = CDataReader::GetU16(m_bytes + m_position);
    m_position += 2;
    return value;
}

std::uint32_t CExcelByteCursor::U32() {
    if (!Has(4)) return 0;
    const std::uint32_t value = CDataReader::GetU32(m_bytes + m_position);
    m_position += 4;
    return value;
}

bool CExcelByteCursor::Bytes(std::uint8_t* out, std::uint32_t n) {
    if (!Has(n)) {
        std::memset(out, 0, n);
        return false;
    }
    if (n > 0) std::memcpy(out, m_bytes + m_position, n);
    m_position += n;
    return true;
}

bool CExcelByteCursor::Skip(std::uint32_t n) {
    if (!Has(n)) return false;
    m_position += n;
    return true;
}

std::u16string CExcelByteCursor::Utf16(std::uint32_t count) {
    if (!Has(std::uint64_t{count} * 2)) return {};
    std::u16string text;
    const std::uint8_t* at = m_bytes + m_position;
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto c = static_cast<char16_t>(CDataReader::GetU16(at + 2 * i));
        if (c == u'\0') break;
        text.push_back(c);
    }
    m_position += count * 2;
    return text;
}

std::u16string CExcelByteCursor::Latin1(std::uint32_t count) {
    if (!Has(count)) return {};
    std::u16string text;
    for (std::uint32_t i = 0; i < count && m_bytes[m_position + i] != 0; ++i)
        text.push_back(static_cast<char16_t>(m_bytes[m_position + i]));
    m_position += count;
    return text;
}
