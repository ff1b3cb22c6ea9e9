#include "server/CBiffRecordBuilder.h"

#include <algorithm>
#include <cstring>

#include "server/CLittleEndian.h"
#include "server/CXlsTextUnits.h"

void CBiffRecordBuilder::Reset(std::uint16_t type) {
    m_type = type;
    m_size = 0;
    m_overflowed = false;
}

std::uint8_t* CBiffRecordBuilder::Grow(std::size_t n) {
    if (n > Room()) {
        m_overflowed = true;
        return nullptr;
    }
    std::uint8_t* at = m_bytes.data() + xlsw::kRecordHeaderSize + m_size;
    m_size += static_cast<std::uint32_t>(n);
    return at;
}

CBiffRecordBuilder& CBiffRecordBuilder::U8(std::uint8_t v) {
    if (std::uint8_t* p = Grow(1)) *p = v;
    return *this;
}

CBiffRecordBuilder& CBiffRecordBuilder::U16(std::uint16_t v) {
    if (std::uint8_t* p = Grow(2)) CLittleEndian::PutU16(p, v);
    return *this;
}

CBiffRecordBuilder& CBiffRecordBuilder::U32(std::uint32_t v) {
    if (std::uint8_t* p = Grow(4)) CLittleEndian::PutU32(p, v);
    return *this;
}

CBiffRecordBuilder& CBiffRecordBuilder::Double(double v) {
    if (std::uint8_t* p = Grow(8)) CLittleEndian::PutDouble(p, v);
    return *this;
}

CBiffRecordBuilder& CBiffRecordBuilder::Bytes(const std::uint8_t* bytes, std::size_t n) {
    if (n == 0) return *this;
    if (std::uint8_t* p = Grow(n)) std::memcpy(p, bytes, n);
    return *this;
}

CBiffRecordBuilder& CBiffRecordBuilder::Zeros(std::size_t n) {
    if (std::uint8_t* p = Grow(n)) std::memset(p, 0, n);
    return *this;
}

CBiffRecordBuilder& CBiffRecordBuilder::ShortString(std::u16string_view text) {
    if (text.size() > 0xFF) {
        m_overflowed = true;
        return *this;
    }
    const bool wide = !FitsEightBit(text);
    U8(static_cast<std::uint8_t>(text.size())).U8(wide ? xlsw::kStringWide : 0);
    return Chars(text, wide);
}

CBiffRecordBuilder& CBiffRecordBuilder::LongString(std::u16string_view text) {
    if (text.size() > 0xFFFF) {
        m_overflowed = true;
        return *this;
    }
    const bool wide = !FitsEightBit(text);
    U16(static_cast<std::uint16_t>(text.size())).U8(wide ? xlsw::kStringWide : 0);
    return Chars(text, wide);
}

CBiffRecordBuilder& CBiffRecordBuilder::Chars(std::u16string_view text, bool wide) {
    std::uint8_t* p = Grow(text.size() * (wide ? 2 : 1));
    if (!p) return *this;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (wide) {
            CLittleEndian::PutU16(p, CXlsTextUnits::Stored(text, i));
            p += 2;
        } else {
            // No surrogate fits in 8 bits: the unit is stored as it is.
            *p++ = static_cast<std::uint8_t>(text[i]);
        }
    }
    return *this;
}

const std::uint8_t* CBiffRecordBuilder::Finished() {
    CLittleEndian::PutU16(m_bytes.data(), m_type);
    CLittleEndian::PutU16(m_bytes.data() + 2, static_cast<std::uint16_t>(m_size));
    return m_bytes.data();
}

bool CBiffRecordBuilder::FitsEightBit(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c <= 0xFF; });
}
