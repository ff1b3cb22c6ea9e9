// A random (version 4) UUID, as used to name temporary workbooks.
//
// The 16 bytes are kept in the order they are written as text: bytes 0-3 are
// the first group, 4-5 the second, 6-7 the third (its high nibble, byte 6
// bits 4-7, is the version 4), 8-15 the rest (byte 8 bits 6-7 are the variant
// 10). Callers that need another grouping (the temporary workbook name writes
// the last eight bytes without a hyphen) format from Bytes() themselves.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class Uuid {
public:
    using Bytes16 = std::array<std::uint8_t, 16>;

    enum class ELetterCase { Upper, Lower };

    // A new UUID from std::random_device. Never throws: when the random
    // device cannot be opened, a generator seeded from the clock, the process
    // and a counter stands in (unique enough for temporary names).
    static Uuid NewRandom();

    // Takes 16 bytes as they are, without touching the version or variant.
    explicit Uuid(const Bytes16& bytes) : m_bytes(bytes) {}

    const Bytes16& Bytes() const { return m_bytes; }

    // "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx", 36 characters, no braces.
    std::string ToString(ELetterCase letters = ELetterCase::Lower) const;

    // Two hex digits of one byte.
    static void AppendHex(std::string& out, std::uint8_t byte, ELetterCase letters);

private:
    Bytes16 m_bytes;
};
