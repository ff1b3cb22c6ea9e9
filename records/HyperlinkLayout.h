// Byte layout of HLINK (0x01B8) and QUICKTIP (0x0800), the records of a
// cell hyperlink and its tool tip. Offsets count from the first payload
// byte; integers are little-endian.
//
// HLINK payload:
//   0   u16 x 4  first row, last row, first column, last column
//   8   16       class id of the standard hyperlink
//   24  u32      stream version, 2
//   28  u32      flags (below)
//   32  ...      as the flags say, in this order: display name, target
//                frame, the moniker (as a string, or as a class id and the
//                moniker's own data), the location (text mark), a GUID
//                (16 bytes), a creation time (8 bytes)
// Every string of the stream is a u32 character count, the terminating
// zero included, then that many 16-bit characters.
//
// QUICKTIP payload: u16 record type (0x0800 again), the four u16 of the
// range as in HLINK, then the tip text in 16-bit characters with a
// terminating zero.
#pragma once

#include <cstdint>

namespace hlink {

constexpr std::uint32_t kFirstRow = 0;
constexpr std::uint32_t kLastRow = 2;
constexpr std::uint32_t kFirstColumn = 4;
constexpr std::uint32_t kLastColumn = 6;
constexpr std::uint32_t kClassId = 8;
constexpr std::uint32_t kStreamVersion = 24;
constexpr std::uint32_t kFlags = 28;
constexpr std::uint32_t kFirstField = 32;
constexpr std::uint32_t kVersion = 2;

// Flags of the hyperlink stream.
constexpr std::uint32_t kHasMoniker = 0x0001;
constexpr std::uint32_t kIsAbsolute = 0x0002;
constexpr std::uint32_t kSiteGaveDisplayName = 0x0004;
constexpr std::uint32_t kHasLocation = 0x0008;
constexpr std::uint32_t kHasDisplayName = 0x0010;
constexpr std::uint32_t kHasGuid = 0x0020;
constexpr std::uint32_t kHasCreationTime = 0x0040;
constexpr std::uint32_t kHasFrameName = 0x0080;
constexpr std::uint32_t kMonikerSavedAsString = 0x0100;

constexpr std::uint32_t kClassIdSize = 16;

// Moniker class ids as stored (the first three groups little-endian).
// URL moniker {79EAC9E0-BAF9-11CE-8C82-00AA004BA90B}: u32 byte length, then
// the URL in 16-bit characters with its zero, possibly followed by 24
// bytes of serialisation data that the length counts.
constexpr std::uint8_t kUrlMoniker[kClassIdSize] = {0xE0, 0xC9, 0xEA, 0x79, 0xF9, 0xBA, 0xCE, 0x11,
                                                    0x8C, 0x82, 0x00, 0xAA, 0x00, 0x4B, 0xA9, 0x0B};
// File moniker {00000303-0000-0000-C000-000000000046}: u16 count of "..\"
// steps before the path, u32 length of the 8-bit path with its zero, the
// 8-bit path, 24 bytes (u16 end of server part, u16 version 0xDEAD, 20
// reserved), u32 size of the 16-bit part (0: none), then u32 byte length of
// the 16-bit path, u16 key 3 and the 16-bit path without a zero.
constexpr std::uint8_t kFileMoniker[kClassIdSize] = {
    0x03, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
// Composite moniker {00000309-...-000000000046}: u32 count, then each
// moniker with its class id.
constexpr std::uint8_t kCompositeMoniker[kClassIdSize] = {
    0x09, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
// Item moniker {00000304-...}: u32 byte length and the delimiter, u32 byte
// length and the item. Anti moniker {00000305-...}: u32 count.
constexpr std::uint8_t kItemMoniker[kClassIdSize] = {
    0x04, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::uint8_t kAntiMoniker[kClassIdSize] = {
    0x05, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
// File moniker: the bytes between the 8-bit path and the 16-bit part's size.
constexpr std::uint32_t kFileMonikerGap = 24;
constexpr std::uint32_t kFileMonikerKeySize = 6;  // u32 byte length + u16 key

// QUICKTIP.
constexpr std::uint32_t kTipRange = 2;  // the four u16 of the range
constexpr std::uint32_t kTipText = 10;

}  // namespace hlink
