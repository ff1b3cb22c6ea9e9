// What a sector of a damaged compound file holds, judged from its bytes
// alone when the FAT and directory that would say cannot be trusted: the
// rebuild of a stream from its sectors steps over the tables and wiped
// sectors. Sizes are in bytes; sectors counts the file's sectors.
#pragma once

#include <cstdint>

namespace sectorcontent {

// Zeroed sectors (the FAT or directory of a file whose tables were wiped,
// unused space) are stepped over like the tables where a record header must
// start in them; only a long record's body may hold them.
enum class EBlock : std::uint8_t { Data, Tables, Zeros };

// Every byte zero.
bool AllZero(const std::uint8_t* p, std::uint32_t size);
// A sector of FAT or DIFAT entries.
bool HoldsSectorIds(const std::uint8_t* p, std::uint32_t size, std::uint32_t sectors);
// A sector of directory entries.
bool HoldsDirectoryEntries(const std::uint8_t* p, std::uint32_t size);

}  // namespace sectorcontent
