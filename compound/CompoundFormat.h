// Byte layout of a version-3 compound file (OLE2 structured storage) as
// booklift reads it. All integers are little-endian.
//
// The file is a 512-byte header followed by 512-byte sectors: sector n, be it
// DIFAT, FAT, mini FAT, directory or stream data, starts at byte
// 512 + n * 512. Mini sectors are 64 bytes. These are the sizes of a
// version-3 file (sector shift 9, mini sector shift 6), the only kind
// booklift reads: a header that says otherwise is damaged (ErrSectorShift),
// and its sectors are still read at these sizes, so that the tables and the
// streams agree on where every sector lies.
#pragma once

#include <cstdint>

namespace CompoundFormat {

// --- Sizes -------------------------------------------------------------------

// The header is taken to be 512 bytes whatever its sector shift says.
inline constexpr std::uint32_t kHeaderSize = 512;
// Every sector, whatever it holds, is this size.
inline constexpr std::uint32_t kSectorSize = 512;
// Streams shorter than the mini stream cutoff lie in mini sectors this size.
inline constexpr std::uint32_t kMiniSectorSize = 64;
// 32-bit sector ids held by one sector (FAT and mini FAT sectors).
inline constexpr std::uint32_t kIdsPerSector = kSectorSize / 4;
// A DIFAT sector holds 127 FAT sector ids and, in its last 4 bytes, the id of
// the next DIFAT sector.
inline constexpr std::uint32_t kFatIdsPerDifatSector = kIdsPerSector - 1;
inline constexpr std::uint32_t kDifatNextOffset = kFatIdsPerDifatSector * 4;
// Directory entries are 128 bytes, four to a sector.
inline constexpr std::uint32_t kDirectoryEntrySize = 128;
inline constexpr std::uint32_t kEntriesPerSector = kSectorSize / kDirectoryEntrySize;

// --- Header fields (offsets from the start of the file) ------------------------

inline constexpr std::uint32_t kSignatureOffset = 0x00;  // 8 bytes, kSignature
inline constexpr std::uint32_t kSignatureSize = 8;
inline constexpr std::uint8_t kSignature[kSignatureSize] = {0xD0, 0xCF, 0x11, 0xE0,
                                                            0xA1, 0xB1, 0x1A, 0xE1};
inline constexpr std::uint32_t kByteOrderOffset = 0x1C;             // u16, 0xFFFE as stored (FE FF)
inline constexpr std::uint32_t kSectorShiftOffset = 0x1E;           // u16, sector = 2^shift
inline constexpr std::uint32_t kMiniSectorShiftOffset = 0x20;       // u16, mini sector = 2^shift
inline constexpr std::uint32_t kFatSectorCountOffset = 0x2C;        // u32, analysis only
inline constexpr std::uint32_t kFirstDirectorySectorOffset = 0x30;  // i32
inline constexpr std::uint32_t kMiniStreamCutoffOffset = 0x38;      // u32, normally 4096
inline constexpr std::uint32_t kFirstMiniFatSectorOffset = 0x3C;    // i32
inline constexpr std::uint32_t kMiniFatSectorCountOffset = 0x40;    // u32, analysis only
inline constexpr std::uint32_t kFirstDifatSectorOffset = 0x44;      // i32
inline constexpr std::uint32_t kDifatSectorCountOffset = 0x48;      // u32, analysis only
inline constexpr std::uint32_t kHeaderDifatOffset = 0x4C;  // 109 x i32: the first FAT sector ids
inline constexpr std::uint32_t kHeaderDifatCount = 109;

// Values a sound version-3 writer puts in the header; the shifts are those
// of kSectorSize and kMiniSectorSize.
inline constexpr std::uint16_t kByteOrderMark = 0xFFFE;
inline constexpr std::uint16_t kSectorShiftV3 = 9;
inline constexpr std::uint16_t kMiniSectorShift = 6;
static_assert(kSectorSize == 1u << kSectorShiftV3 && kMiniSectorSize == 1u << kMiniSectorShift);
inline constexpr std::uint32_t kMiniStreamCutoff = 4096;

// --- Directory entry fields (offsets within the 128-byte entry) -----------------

inline constexpr std::uint32_t kEntryNameOffset = 0x00;  // 32 UTF-16LE units, NUL-terminated
inline constexpr std::uint32_t kEntryNameUnits = 32;
inline constexpr std::uint32_t kEntryNameLengthOffset = 0x40;    // u16 bytes incl. NUL; not read
inline constexpr std::uint32_t kEntryTypeOffset = 0x42;          // u8; read only for the root
inline constexpr std::uint32_t kEntryColourOffset = 0x43;        // u8; not read
inline constexpr std::uint32_t kEntryLeftSiblingOffset = 0x44;   // i32 directory id
inline constexpr std::uint32_t kEntryRightSiblingOffset = 0x48;  // i32 directory id
inline constexpr std::uint32_t kEntryChildOffset = 0x4C;         // i32 directory id
inline constexpr std::uint32_t kEntryStartSectorOffset = 0x74;   // i32 first sector of the stream
inline constexpr std::uint32_t kEntryStreamSizeOffset = 0x78;    // u32 low half of the size

// Entry types stored at kEntryTypeOffset. Only kEntryTypeRoot is ever
// tested, and only for entry 0 when no entry is named "Root Entry".
inline constexpr std::uint8_t kEntryTypeStorage = 1;
inline constexpr std::uint8_t kEntryTypeStream = 2;
inline constexpr std::uint8_t kEntryTypeRoot = 5;

// --- Special sector and directory ids ---------------------------------------------
// Every negative id counts as "none" wherever an id is tested.

inline constexpr std::int32_t kFreeSector = -1;       // FAT: unused sector; directory: no entry
inline constexpr std::int32_t kEndOfChain = -2;       // last sector of a chain
inline constexpr std::int32_t kFatSectorMark = -3;    // FAT: the sector holds FAT entries
inline constexpr std::int32_t kDifatSectorMark = -4;  // FAT: the sector holds DIFAT entries
inline constexpr std::int32_t kNoEntry = -1;          // directory: no sibling or child

// Byte offset of sector n (n >= 0).
inline constexpr std::uint64_t SectorOffset(std::int32_t n) {
    return kHeaderSize + static_cast<std::uint64_t>(n) * kSectorSize;
}

}  // namespace CompoundFormat
