// Damage of the kinds damaged workbooks are found with, applied to a file's
// bytes in memory. Each kind takes a seed: the same kind, seed and file give
// the same damage, so a failing case can be made again from its name and
// seed. The file never grows; only "truncate" shrinks it.
//
// Compound-file kinds read the header for the sector size, the FAT sector
// list and the directory's first sector; record kinds find their records
// with CBiffRecordWalk, so they work on bare workbook streams too.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

enum class EDamageKind {
    Truncate,         // cut the file at a point after the header
    ZeroSectors,      // one to three whole sectors zeroed
    RandomSectors,    // one to three whole sectors of random bytes
    BrokenFat,        // one FAT sector of random bytes
    BrokenDifat,      // the header's FAT sector list and DIFAT start point past the end
    BrokenDirectory,  // the first directory sector of random bytes
    WipedHeader,      // the 512-byte header zeroed
    BitFlips,         // 1 to 32 single bits flipped anywhere
    Burst,            // 16 to 256 random bytes over the workbook's records
    RecordLength,     // one record's length field replaced
    Bof,              // one BOF's type, length, version or substream type replaced
    BoundSheet,       // one BOUNDSHEET's position, sheet type or name length replaced
    SstContinue,      // the CONTINUE after the SST: its type, length or first byte replaced
};

class CWorkbookDamage {
public:
    static constexpr std::uint32_t kKindCount = 13;

    // The kind's command-line name ("truncate", "zero-sectors", ...).
    static std::string_view GetName(EDamageKind kind);
    // Every kind, in declaration order.
    static const std::vector<EDamageKind>& GetKinds();
    // False when no kind has that name.
    static bool FindByName(std::string_view name, EDamageKind& kind);

    // Damages file in place. False (file unchanged) when the file has
    // nothing the kind aims at: no header or sector for the compound-file
    // kinds, no such record for the record kinds.
    static bool Apply(EDamageKind kind, std::uint32_t seed, std::vector<std::uint8_t>& file);
};
