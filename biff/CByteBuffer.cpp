#include "biff/CByteBuffer.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "biff/CExcelUTF16LE.h"

CByteBuffer& CByteBuffer::operator=(const CByteBuffer& other) {
    if (this != &other) {
        CByteBuffer copy(other);
        Release();
        Steal(copy);
    }
    return *this;
}

CByteBuffer& CByteBuffer::operator=(CByteBuffer&& other) noexcept {
    if (this != &other) {
        Release();
        Steal(other);
    }
    return *this;
}

const std::uint8_t* CByteBuffer::Bytes() const {
    if (!OnHeap()) return m_inline;
    const std::uint8_t* heap = nullptr;
    std::memcpy(&heap, m_inline, sizeof heap);
    return heap;
}

std::uint8_t* CByteBuffer::Bytes() {
    return const_cast<std::uint8_t*>(std::as_const(*this).Bytes());
}

void CByteBuffer::Allocate(std::uint32_t size) {
    if (size > kInline) {
        std::uint8_t* heap = new std::uint8_t[size]();
        std::memcpy(m_inline, &heap, sizeof heap);
    } else {
        std::memset(m_inline, 0, kInline);
    }
    m_size = size;
}

void CByteBuffer::Release() {
    if (OnHeap()) delete[] Bytes();
    m_size = 0;
}

void CByteBuffer::CopyFrom(const CByteBuffer& other) {
    Allocate(other.m_size);
    if (m_size > 0) std::memcpy(Bytes(), other.Bytes(), m_size);
}

void CByteBuffer::Steal(CByteBuffer& other) {
    std::memcpy(m_inline, other.m_inline, kInline);
    m_size = other.m_size;
    other.m_size = 0;
}

void CByteBuffer::Assign(const std::uint8_t* bytes, std::uint32_t n) {
    // Built beside the old content, so that bytes may point into it.
    if (n > UINT32_MAX - 2) throw std::length_error("record body too large");
    CByteBuffer fresh;
    fresh.Allocate(n + 2);
    if (n > 0 && bytes) std::memcpy(fresh.Bytes(), bytes, n);
    Release();
    Steal(fresh);
}

std::uint8_t CByteBuffer::ReadU8(std::uint32_t off) const {
    return static_cast<std::uint64_t>(off) + 1 <= DataLength() ? Bytes()[off] : 0;
}

std::uint16_t CByteBuffer::ReadU16(std::uint32_t off) const {
    return static_cast<std::uint64_t>(off) + 2 <= DataLength() ? CDataReader::GetU16(&Bytes()[off])
                                                               : 0;
}

std::uint32_t CByteBuffer::ReadU32(std::uint32_t off) const {
    return static_cast<std::uint64_t>(off) + 4 <= DataLength() ? CDataReader::GetU32(&Bytes()[off])
                                                               : 0;
}

double CByteBuffer::ReadDouble(std::uint32_t off) const {
    if (static_cast<std::uint64_t>(off) + 8 > DataLength()) return 0.0;
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | Bytes()[off + static_cast<std::uint32_t>(i)];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::u16string CByteBuffer::ReadString(std::uint32_t off, std::uint32_t flagsOffset) const {
    if (m_size == 0 || off > Size() - 1) return {};
    CExcelUTF16LE string(&Bytes()[off], Size() - off, flagsOffset);
    return string.GetText();
}
