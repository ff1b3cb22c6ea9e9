// One BIFF8 unicode string that lies inside a single record: a font name
// (short form, 1-byte character count) or a number-format string (long
// form, 2-byte count).
//
// Layout: count, option flags (bit 0: 16-bit characters; bit 2: far-east
// extension size follows; bit 3: rich-text run count follows), the optional
// run count (u16) and extension size (u32) in that order, then the
// characters. Runs and extension data are not read.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CByteBuffer.h"

class CExcelUTF16LE {
public:
    // bytes: from the string's count to the end of the record (n bytes,
    // copied). flagsOffset 1 selects the short form; anything else the long.
    CExcelUTF16LE(const std::uint8_t* bytes, std::uint32_t n, std::uint32_t flagsOffset);
    virtual ~CExcelUTF16LE() = default;

    // The characters, cut at the end of the bytes at hand and at the first
    // zero character.
    std::u16string GetText() const;

private:
    CByteBuffer m_bytes;
    std::uint32_t m_flagsOffset;
};
