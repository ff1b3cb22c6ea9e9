#include "biff/CExcelUTF16LE.h"

#include <algorithm>

CExcelUTF16LE::CExcelUTF16LE(const std::uint8_t* bytes, std::uint32_t n, std::uint32_t flagsOffset)
    : m_bytes(bytes, n), m_flagsOffset(flagsOffset == 1 ? 1 : 2) {}

std::u16string CExcelUTF16LE::GetText() const {
    const std::uint32_t count = m_flagsOffset == 1 ? m_bytes.ReadU8(0) : m_bytes.ReadU16(0);
    const std::uint8_t flags = m_bytes.ReadU8(m_flagsOffset);
    const bool wide = flags & 0x01;
    std::uint32_t at = m_flagsOffset + 1;
    if (flags & 0x08) at += 2;
    if (flags & 0x04) at += 4;

    // A count that runs past the record is cut at the bytes really present.
    const std::uint32_t available = m_bytes.DataLength() > at ? m_bytes.DataLength() - at : 0;
    const std::uint32_t chars = std::min(count, wide ? available / 2 : available);

    std::u16string text;
    text.reserve(chars);
    for (std::uint32_t i = 0; i < chars; ++i) {
        const char16_t unit = wide ? m_bytes.ReadU16(at + 2 * i) : m_bytes.ReadU8(at + i);
        if (unit == 0) break;
        text.push_back(unit);
    }
    return text;
}
