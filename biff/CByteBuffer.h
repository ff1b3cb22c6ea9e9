// An owned copy of one record body with little-endian reads that never fail.
//
// For n data bytes the buffer holds n + 2 bytes: the data followed by two
// zero bytes (a UTF-16 terminator, so that strings can be read to the end).
// Size() is n + 2; every integer read is bounded by n, not by Size(): a read
// that does not fit wholly inside the data yields 0.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CByteBuffer {
public:
    CByteBuffer() = default;
    CByteBuffer(const std::uint8_t* bytes, std::uint32_t n) { Assign(bytes, n); }
    virtual ~CByteBuffer() = default;
    CByteBuffer(const CByteBuffer&) = default;
    CByteBuffer& operator=(const CByteBuffer&) = default;
    CByteBuffer(CByteBuffer&&) noexcept = default;
    CByteBuffer& operator=(CByteBuffer&&) noexcept = default;

    // Replaces the content with a copy of n bytes (bytes may be null only
    // when n is 0) and the two terminating zero bytes.
    void Assign(const std::uint8_t* bytes, std::uint32_t n);

    const std::uint8_t* Data() const { return m_data.empty() ? nullptr : m_data.data(); }
    // Number of data bytes + 2, or 0 for a buffer that was never assigned.
    std::uint32_t Size() const { return static_cast<std::uint32_t>(m_data.size()); }
    // Number of data bytes (Size() - 2, or 0).
    std::uint32_t DataLength() const { return m_data.empty() ? 0 : Size() - 2; }

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
    std::vector<std::uint8_t> m_data;
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
