// An owned copy of one record body with little-endian reads that never fail.
//
// For n data bytes the buffer holds n + 2 bytes: the data followed by two
// zero bytes (a UTF-16 terminator, so that strings can be read to the end).
// Size() is n + 2; every integer read is bounded by n, not by Size(): a read
// that does not fit wholly inside the data yields 0.
#pragma once

#include <cstdint>
#include <string>

class CByteBuffer {
public:
    CByteBuffer() = default;
    CByteBuffer(const std::uint8_t* bytes, std::uint32_t n) { Assign(bytes, n); }
    ~CByteBuffer() { Release(); }
    CByteBuffer(const CByteBuffer& other) { CopyFrom(other); }
    CByteBuffer& operator=(const CByteBuffer& other);
    CByteBuffer(CByteBuffer&& other) noexcept { Steal(other); }
    CByteBuffer& operator=(CByteBuffer&& other) noexcept;

    // Replaces the content with a copy of n bytes (bytes may be null only
    // when n is 0) and the two terminating zero bytes.
    void Assign(const std::uint8_t* bytes, std::uint32_t n);

    const std::uint8_t* Data() const { return m_size == 0 ? nullptr : Bytes(); }
    // Number of data bytes + 2, or 0 for a buffer that was never assigned.
    std::uint32_t Size() const { return m_size; }
    // Number of data bytes (Size() - 2, or 0).
    std::uint32_t DataLength() const { return m_size == 0 ? 0 : m_size - 2; }

    std::uint8_t ReadU8(std::uint32_t off) const;
    std::uint16_t ReadU16(std::uint32_t off) const;
    std::uint32_t ReadU32(std::uint32_t off) const;
    // An IEEE double stored little-endian at off; 0.0 when it does not fit.
    double ReadDouble(std::uint32_t off) const;

    // A BIFF8 unicode string starting at off and running at most to the end
    // of the buffer. flagsOffset 1 reads the short form (1-byte count), any
    // other value the long form (2-byte count). Empty when off is past the
    // last byte.
    std::u16string ReadString(std::uint32_t off, std::uint32_t flagsOffset) const;

private:
    // Bytes (data and terminator) kept in the buffer itself. Most formulas'
    // tokens and most short record bodies fit, which saves a heap block for
    // each of the hundreds of thousands a large sheet holds.
    static constexpr std::uint32_t kInline = 28;

    bool OnHeap() const { return m_size > kInline; }
    const std::uint8_t* Bytes() const;
    std::uint8_t* Bytes();
    // Takes storage for size bytes, zero-filled; the old storage must be
    // released.
    void Allocate(std::uint32_t size);
    void Release();
    void CopyFrom(const CByteBuffer& other);
    void Steal(CByteBuffer& other);

    std::uint32_t m_size = 0;
    // The bytes themselves when they fit, else the heap block's address.
    std::uint8_t m_inline[kInline] = {};
};

// Little-endian reads from raw bytes; the caller guarantees the bytes exist.
class CDataReader {
public:
    static std::uint16_t GetU16(const std::uint8_t* p) {
        return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
    }
    static std::uint32_t GetU32(const std::uint8_t* p) {
        return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
               (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    }
};
