// The BIFF8 records the damage kinds aim at. Every record starts with a
// 4-byte header: u16 type at +0, u16 body length at +2; the body follows.
#pragma once

#include <cstdint>

namespace BiffRecordLayout {

constexpr std::uint32_t kHeaderSize = 4;
constexpr std::uint32_t kTypeOffset = 0;
constexpr std::uint32_t kLengthOffset = 2;

constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kContinue = 0x003C;

// BOF body (16 bytes in BIFF8): u16 version (0x0600) at +0, u16 substream
// type at +2 (0x0005 globals, 0x0010 worksheet, 0x0020 chart).
constexpr std::uint16_t kBofLength = 16;
constexpr std::uint16_t kBiff8Version = 0x0600;
constexpr std::uint32_t kBofVersion = 0;
constexpr std::uint32_t kBofSubstreamType = 2;

// BOUNDSHEET body: u32 stream offset of the sheet's BOF at +0, u8
// visibility at +4, u8 sheet type at +5, then the name as a short BIFF8
// unicode string: u8 character count at +6, u8 option flags at +7.
constexpr std::uint32_t kBoundSheetPosition = 0;
constexpr std::uint32_t kBoundSheetVisibility = 4;
constexpr std::uint32_t kBoundSheetType = 5;
constexpr std::uint32_t kBoundSheetNameLength = 6;

}  // namespace BiffRecordLayout
