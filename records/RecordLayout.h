// Byte layout of the BIFF8 pieces decoded in records/: unicode strings, the
// shared-string table and the workbook-global records. All integers are
// little-endian. "Payload" offsets count from the first byte after a
// record's 4-byte header; "record" offsets count from the header itself.
#pragma once

#include <cstdint>

namespace biff8 {

// ---- BIFF8 unicode string ------------------------------------------------
// cch (u8 in the short form, u16 in the long form), option flags (u8), run
// count (u16, only with kStringRichText), extension size (u32, only with
// kStringFarEast), characters, runs (4 bytes each), extension block.
constexpr std::uint8_t kStringWide = 0x01;      // characters are 16-bit
constexpr std::uint8_t kStringFarEast = 0x04;   // phonetic extension block follows
constexpr std::uint8_t kStringRichText = 0x08;  // formatting runs follow
constexpr std::uint32_t kRunSize = 4;           // first character u16, font index u16

// ---- Record header -------------------------------------------------------
constexpr std::uint32_t kRecordHeaderSize = 4;  // type u16, body length u16

// ---- SST (0x00FC), record offsets of the joined record --------------------
constexpr std::uint32_t kSstTotalOffset = 4;   // u32 cstTotal: references in the workbook
constexpr std::uint32_t kSstUniqueOffset = 8;  // u32 cstUnique: strings in the table
constexpr std::uint32_t kSstFirstString = 12;  // long-form strings back to back

// ---- EXTSST (0x00FF), payload offsets ----------------------------------------
// The bucket size, then one entry a bucket of that many strings: the stream
// position of the bucket's first string (u32), its offset in the SST or
// CONTINUE record holding it counted from that record's header (u16), and
// two unused bytes.
constexpr std::uint32_t kExtSstBucketSize = 0;  // u16 strings a bucket
constexpr std::uint32_t kExtSstFirstEntry = 2;
constexpr std::uint32_t kExtSstEntrySize = 8;
constexpr std::uint32_t kExtSstEntryPosition = 0;  // u32, entry offsets
constexpr std::uint32_t kExtSstEntryOffset = 4;    // u16

// ---- FONT (0x0031), payload offsets ----------------------------------------
constexpr std::uint32_t kFontHeight = 0;      // u16, twips
constexpr std::uint32_t kFontOptions = 2;     // u16: bit 1 italic, bit 3 strike-out
constexpr std::uint32_t kFontColor = 4;       // u16 palette index
constexpr std::uint32_t kFontWeight = 6;      // u16, 400 normal, 700 bold
constexpr std::uint32_t kFontEscapement = 8;  // u16: 0 none, 1 superscript, 2 subscript
constexpr std::uint32_t kFontUnderline = 10;  // u8 underline kind
constexpr std::uint32_t kFontCharSet = 12;    // u8
constexpr std::uint32_t kFontName = 14;       // short-form string: u8 cch, flags at 15
constexpr std::uint32_t kTwipsPerPoint = 20;
// The font table skips index 4: index 5 and above sit one place earlier in
// the list of FONT records.
constexpr std::uint32_t kMissingFontIndex = 4;

// ---- XF (0x00E0) -----------------------------------------------------------
constexpr std::uint32_t kXfPayloadSize = 20;
constexpr std::uint8_t kXfUsedNumberFormat = 0x04;  // bits of the used-attribute byte
constexpr std::uint8_t kXfUsedFont = 0x08;
constexpr std::uint8_t kXfUsedBorder = 0x20;
constexpr std::uint8_t kXfUsedPattern = 0x40;

// ---- FORMAT (0x041E), payload offsets --------------------------------------
constexpr std::uint32_t kFormatIndex = 0;   // u16
constexpr std::uint32_t kFormatString = 2;  // long-form string: u16 cch, flags at 4

// ---- EXTERNSHEET (0x0017), payload offsets ---------------------------------
constexpr std::uint32_t kExternSheetCount = 0;     // u16 number of REF entries
constexpr std::uint32_t kExternSheetFirstRef = 2;  // REF entries back to back
constexpr std::uint32_t kExternSheetRefSize = 6;   // SUPBOOK index, first sheet, last sheet (u16)

// ---- SUPBOOK (0x01AE), payload offsets -------------------------------------
constexpr std::uint32_t kSupBookSheetCount = 0;  // u16
constexpr std::uint32_t kSupBookFileName = 4;    // flags of the file name; u16 count at 2
// The file name of an unused SUPBOOK (a link since removed): one space.
constexpr const char16_t* kSupBookUnusedName = u" ";
// Bytes 2 and 3 are 0x01, 0x04 in the SUPBOOK that stands for this workbook.
constexpr std::uint8_t kSupBookSelfMarker[2] = {0x01, 0x04};
// The whole 4-byte payload of the add-in SUPBOOK: one sheet, then the
// marker 0x3A01 stored little-endian.
constexpr std::uint8_t kSupBookAddInPayload[4] = {0x01, 0x00, 0x01, 0x3A};

}  // namespace biff8
