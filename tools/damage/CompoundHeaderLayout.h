// Where the compound-file header keeps what the damage kinds aim at. All
// fields are little-endian and count from the first byte of the file; sector
// ids count from the sector after the 512-byte header.
#pragma once

#include <cstdint>

namespace CompoundHeaderLayout {

constexpr std::uint32_t kHeaderSize = 512;
// u16: log2 of the sector size (9 for 512-byte sectors, 12 for 4096).
constexpr std::uint32_t kSectorShift = 0x1E;
// u32: how many FAT sectors the file has.
constexpr std::uint32_t kFatSectorCount = 0x2C;
// u32: first sector of the directory chain.
constexpr std::uint32_t kFirstDirectorySector = 0x30;
// u32: first DIFAT sector (0xFFFFFFFE when the header's list is enough).
constexpr std::uint32_t kFirstDifatSector = 0x44;
// u32: how many DIFAT sectors follow the header's list.
constexpr std::uint32_t kDifatSectorCount = 0x48;
// u32[109]: the first 109 FAT sector ids; unused slots hold 0xFFFFFFFF.
constexpr std::uint32_t kHeaderDifat = 0x4C;
constexpr std::uint32_t kHeaderDifatSlots = 109;

}  // namespace CompoundHeaderLayout
