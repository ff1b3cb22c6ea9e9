#include "repair/SectorContent.h"

#include <algorithm>

#include "biff/CByteBuffer.h"
#include "compound/CompoundFormat.h"

namespace sectorcontent {

namespace {

namespace cf = CompoundFormat;

// FAT entries above the sector ids: free, end of chain, FAT and DIFAT marks.
constexpr std::uint32_t kLowestSpecialId = 0xFFFFFFFCu;

}  // namespace

bool AllZero(const std::uint8_t* p, std::uint32_t size) {
    return std::all_of(p, p + size, [](std::uint8_t b) { return b == 0; });
}

// A sector of FAT or DIFAT entries: every entry a sector id of this file or
// one of the special ids, and most of them special or above the entry
// before (chains run forward, the DIFAT lists FAT sectors in order). Record
// bodies of small numbers and zeros pass the first test, seldom the second;
// a FAT names sector 0 once at most.
bool HoldsSectorIds(const std::uint8_t* p, std::uint32_t size, std::uint32_t sectors) {
    std::uint32_t ordered = 0;
    std::uint32_t zeros = 0;
    std::uint32_t previous = 0;
    for (std::uint32_t at = 0; at + 4 <= size; at += 4) {
        const std::uint32_t id = CDataReader::GetU32(p + at);
        if (id >= sectors && id < kLowestSpecialId) return false;
        if (id == 0 && ++zeros > 1) return false;
        if (id >= kLowestSpecialId || (at > 0 && id > previous)) ++ordered;
        previous = id;
    }
    return ordered * 2 >= size / 4;
}

// A sector of directory entries: each a name length of at most 64 bytes (an
// even count, NUL included) and an object type 0 to 5, a free entry without
// a name, and at least one storage, stream or root with one, its name
// ending in the NUL the length counts and its colour red or black. Four
// entries a sector test few bytes: runs of short records (RK, MULRK) pass
// the length and type tests alone.
bool HoldsDirectoryEntries(const std::uint8_t* p, std::uint32_t size) {
    constexpr std::uint8_t kBlack = 1;
    bool named = false;
    for (std::uint32_t at = 0; at + cf::kDirectoryEntrySize <= size;
         at += cf::kDirectoryEntrySize) {
        const std::uint8_t* entry = p + at;
        const std::uint16_t nameBytes = CDataReader::GetU16(entry + cf::kEntryNameLengthOffset);
        const std::uint8_t type = entry[cf::kEntryTypeOffset];
        if (nameBytes > 2 * cf::kEntryNameUnits || nameBytes % 2 != 0 || type > cf::kEntryTypeRoot)
            return false;
        if (type == 0 && nameBytes != 0) return false;
        if (type == 0 || nameBytes == 0) continue;
        if (CDataReader::GetU16(entry + cf::kEntryNameOffset + nameBytes - 2) != 0 ||
            entry[cf::kEntryColourOffset] > kBlack)
            return false;
        named = true;
    }
    return named;
}

}  // namespace sectorcontent
