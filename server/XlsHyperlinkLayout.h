// Byte layout of the hyperlink records the sheet writer emits: HLINK
// (0x01B8), a cell range and the hyperlink stream, and QUICKTIP (0x0800),
// the tool tip of the same range. Offsets and widths as XlsRecordLayout.h
// counts them.
//
// HLINK body: first row, last row, first column, last column (u16 each),
// the class id of the standard hyperlink, the stream version (u32, 2), the
// flags (u32), then as the flags say: the display name, the moniker, the
// location. Each of those strings is a u32 character count with the zero,
// the 16-bit characters and a zero character.
//
// QUICKTIP body: the record type again (u16), the range as in HLINK, the
// tip in 16-bit characters and a zero character.
#pragma once

#include <cstdint>

namespace xlsw {

constexpr std::uint16_t kHLINK = 0x01B8;
constexpr std::uint16_t kQUICKTIP = 0x0800;

constexpr std::uint32_t kHyperlinkStreamVersion = 2;
// Flags of the hyperlink stream.
constexpr std::uint32_t kLinkHasMoniker = 0x0001;
constexpr std::uint32_t kLinkIsAbsolute = 0x0002;
constexpr std::uint32_t kLinkSiteGaveDisplayName = 0x0004;
constexpr std::uint32_t kLinkHasLocation = 0x0008;
constexpr std::uint32_t kLinkHasDisplayName = 0x0010;
constexpr std::uint32_t kLinkMonikerSavedAsString = 0x0100;

// Class ids as stored (the first three groups little-endian).
constexpr std::uint8_t kStdHyperlinkClass[16] = {0xD0, 0xC9, 0xEA, 0x79, 0xF9, 0xBA, 0xCE, 0x11,
                                                 0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B};
// URL moniker: u32 byte length of the URL with its zero, the URL.
constexpr std::uint8_t kUrlMonikerClass[16] = {0xE0, 0xC9, 0xEA, 0x79, 0xF9, 0xBA, 0xCE, 0x11,
                                               0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B};
// File moniker: u16 parent steps ("..\" before the path), u32 length of the
// 8-bit path with its zero, the 8-bit path, u16 end of the server part
// (0xFFFF: none), u16 version 0xDEAD, 20 zero bytes, u32 size of what
// follows: u32 byte length of the 16-bit path, u16 key 3, the 16-bit path
// without a zero.
constexpr std::uint8_t kFileMonikerClass[16] = {0x03, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::uint16_t kFileMonikerNoServer = 0xFFFF;
constexpr std::uint16_t kFileMonikerVersion = 0xDEAD;
constexpr std::uint32_t kFileMonikerReserved = 20;
constexpr std::uint16_t kFileMonikerKey = 3;
constexpr std::uint32_t kFileMonikerKeyFields = 6;  // byte length u32 + key u16

}  // namespace xlsw
