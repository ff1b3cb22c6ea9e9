// A forward reader over the bytes of one record payload, for the records
// whose fields follow one another at places that earlier fields decide
// (the hyperlink stream of HLINK, the strings and formulas of DV and CF).
//
// Every read is bounded by the bytes given at construction. A read that
// does not fit fails the cursor: it returns 0 or an empty text, and every
// later read fails too, so that a decoder may read a run of fields and test
// Ok() once. Integers are little-endian. The bytes are borrowed and must
// outlive the cursor.
#pragma once

#include <cstdint>
#include <string>

class CExcelByteCursor {
public:
    CExcelByteCursor(const std::uint8_t* bytes, std::uint32_t size);

    // No read has failed so far.
    bool Ok() const { return !m_failed; }
    // Payload offset of the next byte.
    std::uint32_t Position() const { return m_position; }
    // Bytes after the position (0 once the cursor failed).
    std::uint32_t Left() const { return m_failed ? 0 : m_size - m_position; }

    std::uint8_t U8();
    std::uint16_t U16();
    std::uint32_t U32();
    // Copies n bytes into out (room for n); false and zeros on failure.
    bool Bytes(std::uint8_t* out, std::uint32_t n);
    bool Skip(std::uint32_t n);
    // count 16-bit characters, then count 8-bit ones (each taken as the
    // code point of the same value). Both are cut at the first zero
    // character, which is read all the same.
    std::u16string Utf16(std::uint32_t count);
    std::u16string Latin1(std::uint32_t count);

private:
    // Whether n more bytes are there; fails the cursor when not.
    bool Has(std::uint64_t n);

    const std::uint8_t* m_bytes;
    std::uint32_t m_size;
    std::uint32_t m_position = 0;
    bool m_failed = false;
};
