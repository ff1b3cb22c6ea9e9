// Text of an Excel 5.0/95 (BIFF5) stream: 8-bit characters in the code page
// that the CODEPAGE record names, rewritten as BIFF8 string bodies.
//
// A BIFF8 string body here is the option flag byte (0 when every character
// is at most U+00FF and is stored as one byte, 1 when the characters are
// stored as UTF-16LE) followed by the characters; the count that comes
// before it (u8 or u16, in characters) is written by the caller's layout.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "biff/CByteBuffer.h"

namespace biff5 {

// Little-endian reads (the caller checks that the bytes are there) and
// appends, shared by the BIFF5 record and token translators.
inline constexpr auto GetU16 = &CDataReader::GetU16;
inline constexpr auto GetU32 = &CDataReader::GetU32;
inline void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}
inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    PutU16(out, static_cast<std::uint16_t>(value >> 16));
}
inline void SetU16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t value) {
    out[at] = static_cast<std::uint8_t>(value & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// CODEPAGE values with a meaning of their own.
constexpr std::uint16_t kCodePageUtf16 = 1200;
constexpr std::uint16_t kCodePageDefault = 1252;
constexpr std::uint16_t kCodePageMacRoman = 0x8000;
constexpr std::uint16_t kCodePageAnsi = 0x8001;

}  // namespace biff5

// Decodes the 8-bit text of one translation. The conversion handle is
// opened once (on first use after a code page is set) and kept until the
// code page changes or the object dies. Not copyable.
class CBiff5Text {
public:
    explicit CBiff5Text(std::uint16_t codePage = biff5::kCodePageDefault);
    ~CBiff5Text();
    CBiff5Text(const CBiff5Text&) = delete;
    CBiff5Text& operator=(const CBiff5Text&) = delete;

    // Takes the code page of a CODEPAGE record for the strings that follow.
    // A workbook that claims 1200 (UTF-16, as Gnumeric writes in its Excel 95
    // streams) holds byte strings in Windows Latin 1, and, for a text with a
    // character past ASCII, its UTF-16LE bytes, counted in bytes.
    void SetCodePage(std::uint16_t codePage);

    // The characters of `bytes` as UTF-16. A byte sequence the code page
    // does not map becomes U+FFFD. Under a claimed 1200, bytes of an even
    // count with a zero byte among them are UTF-16LE: no text of Latin 1
    // holds a NUL.
    std::u16string Decode(std::span<const std::uint8_t> bytes);

    // Appends the flag byte and the characters of text (the caller writes
    // their count before it).
    static void AppendBody(std::vector<std::uint8_t>& out, const std::u16string& text);

private:
    void Open();
    void Close();

    std::uint16_t m_codePage;
    bool m_claimsUtf16 = false;
    void* m_handle = nullptr;  // iconv_t, or null before the first use
    bool m_tried = false;      // whether opening was tried for this code page
};
