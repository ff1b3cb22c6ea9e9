#include "biff/CByteBuffer.h"

#include <cstring>

#include "biff/CExcelUTF16LE.h"

void CByteBuffer::Assign(const std::uint8_t* bytes, std::uint32_t n) {
    m_data.assign(static_cast<std::size_t>(n) + 2, 0);
    if (n > 0 && bytes) std::memcpy(m_data.data(), bytes, n);
}

std::uint8_t CByteBuffer::ReadU8(std::uint32_t off) const {
    return static_cast<std::uint64_t>(off) + 1 <= DataLength() ? m_data[off] : 0;
}

std::uint16_t CByteBuffer::ReadU16(std::uint32_t off) const {
    return static_cast<std::uint64_t>(off) + 2 <= DataLength() ? CDataReader::GetU16(&m_data[off])
                                                               : 0;
}

std::uint32_t CByteBuffer::ReadU32(std::uint32_t off) const {
    return static_cast<std::uint64_t>(off) + 4 <= DataLength() ? CDataReader::GetU32(&m_data[off])
                                                               : 0;
}

double CByteBuffer::ReadDouble(std::uint32_t off) const {
    if (static_cast<std::uint64_t>(off) + 8 > DataLength()) return 0.0;
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | m_data[off + static_cast<std::uint32_t>(i)];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::u16string CByteBuffer::ReadString(std::uint32_t off, std::uint32_t flagsOffset) const {
    if (m_data.empty() || off > Size() - 1) return {};
    CExcelUTF16LE string(&m_data[off], Size() - off, flagsOffset);
    return string.GetText();
}
