// Builds one BIFF8 record, header and body, in a fixed buffer. Puts past
// the 8224-byte body limit are dropped and mark the record as overflowed;
// the record writer refuses such a record.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "server/XlsRecordLayout.h"

class CBiffRecordBuilder {
public:
    explicit CBiffRecordBuilder(std::uint16_t type = 0) { Reset(type); }

    void Reset(std::uint16_t type);
    std::uint16_t Type() const { return m_type; }

    CBiffRecordBuilder& U8(std::uint8_t v);
    CBiffRecordBuilder& U16(std::uint16_t v);
    CBiffRecordBuilder& U32(std::uint32_t v);
    CBiffRecordBuilder& Double(double v);
    CBiffRecordBuilder& Bytes(const std::uint8_t* bytes, std::size_t n);
    CBiffRecordBuilder& Zeros(std::size_t n);
    // Unicode strings that lie wholly in this record: the short form (1-byte
    // count, at most 255 characters) and the long form (2-byte count).
    CBiffRecordBuilder& ShortString(std::u16string_view text);
    CBiffRecordBuilder& LongString(std::u16string_view text);
    // The characters alone, 8-bit or 16-bit.
    CBiffRecordBuilder& Chars(std::u16string_view text, bool wide);

    std::uint32_t BodySize() const { return m_size; }
    std::uint32_t Room() const { return xlsw::kMaxRecordBody - m_size; }
    bool Overflowed() const { return m_overflowed; }
    // Header and body, the length field filled in.
    const std::uint8_t* Finished();
    std::uint32_t FinishedSize() const { return xlsw::kRecordHeaderSize + m_size; }

    // True when every character is U+0000..U+00FF, so that the text can be
    // stored with 8-bit characters.
    static bool FitsEightBit(std::u16string_view text);

private:
    std::uint8_t* Grow(std::size_t n);

    std::array<std::uint8_t, xlsw::kRecordHeaderSize + xlsw::kMaxRecordBody> m_bytes;
    std::uint32_t m_size = 0;
    std::uint16_t m_type = 0;
    bool m_overflowed = false;
};
