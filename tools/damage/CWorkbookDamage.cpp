#include "tools/damage/CWorkbookDamage.h"

#include <algorithm>

#include "tools/damage/BiffRecordLayout.h"
#include "tools/damage/CBiffRecordWalk.h"
#include "tools/damage/CompoundHeaderLayout.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A small generator of our own (splitmix64): the standard distributions
// differ between libraries, and a seed must name the same damage everywhere.
class Random {
public:
    explicit Random(std::uint32_t seed) : m_state(0x9E3779B97F4A7C15ULL * (seed + 1ULL)) {}

    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform enough in [0, n); 0 when n is 0.
    std::uint64_t Below(std::uint64_t n) { return n == 0 ? 0 : Next() % n; }
    std::uint64_t Between(std::uint64_t low, std::uint64_t high) {
        return low + Below(high - low + 1);
    }
    std::uint8_t Byte() { return static_cast<std::uint8_t>(Next()); }

private:
    std::uint64_t m_state;
};

std::uint32_t U32At(const Bytes& file, std::uint64_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | file[at + i];
    return value;
}

void SetU16(Bytes& file, std::uint64_t at, std::uint16_t value) {
    if (at + 2 > file.size()) return;
    file[at] = static_cast<std::uint8_t>(value);
    file[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void SetU32(Bytes& file, std::uint64_t at, std::uint32_t value) {
    if (at + 4 > file.size()) return;
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void FillRandom(Bytes& file, std::uint64_t from, std::uint64_t count, Random& random) {
    const std::uint64_t end = std::min<std::uint64_t>(file.size(), from + count);
    for (std::uint64_t at = from; at < end; ++at) file[at] = random.Byte();
}

// ---- The compound file's shape, read from its header

bool HasHeader(const Bytes& file) {
    return file.size() > CompoundHeaderLayout::kHeaderSize;
}

std::uint64_t SectorSize(const Bytes& file) {
    const std::uint16_t shift =
        static_cast<std::uint16_t>(file[CompoundHeaderLayout::kSectorShift] |
                                   (file[CompoundHeaderLayout::kSectorShift + 1] << 8));
    // A damaged shift would send every sector elsewhere; writers use 9 or 12.
    return shift == 12 ? 4096 : 512;
}

std::uint64_t SectorCount(const Bytes& file) {
    const std::uint64_t size = SectorSize(file);
    return (file.size() - CompoundHeaderLayout::kHeaderSize + size - 1) / size;
}

// File offset of sector id, or the file size when it lies outside.
std::uint64_t SectorOffset(const Bytes& file, std::uint32_t id) {
    const std::uint64_t size = SectorSize(file);
    const std::uint64_t offset = CompoundHeaderLayout::kHeaderSize + id * size;
    return offset < file.size() ? offset : file.size();
}

// The FAT sector ids the header lists that lie inside the file.
std::vector<std::uint32_t> HeaderFatSectors(const Bytes& file) {
    std::vector<std::uint32_t> ids;
    const std::uint64_t count = SectorCount(file);
    for (std::uint32_t slot = 0; slot < CompoundHeaderLayout::kHeaderDifatSlots; ++slot) {
        const std::uint32_t id = U32At(file, CompoundHeaderLayout::kHeaderDifat + 4 * slot);
        if (id < count) ids.push_back(id);
    }
    return ids;
}

// ---- The kinds

bool Truncate(Bytes& file, Random& random) {
    if (file.size() < 2) return false;
    const std::uint64_t from = HasHeader(file) ? CompoundHeaderLayout::kHeaderSize : 1;
    file.resize(random.Between(from, file.size() - 1));
    return true;
}

bool DamageSectors(Bytes& file, Random& random, bool zero) {
    if (!HasHeader(file)) return false;
    const std::uint64_t sectors = SectorCount(file);
    const std::uint64_t count = random.Between(1, 3);
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t at =
            SectorOffset(file, static_cast<std::uint32_t>(random.Below(sectors)));
        const std::uint64_t end = std::min<std::uint64_t>(file.size(), at + SectorSize(file));
        if (zero)
            std::fill(file.begin() + static_cast<std::ptrdiff_t>(at),
                      file.begin() + static_cast<std::ptrdiff_t>(end), 0);
        else
            FillRandom(file, at, end - at, random);
    }
    return true;
}

bool ZeroSectors(Bytes& file, Random& random) {
    return DamageSectors(file, random, true);
}

bool RandomSectors(Bytes& file, Random& random) {
    return DamageSectors(file, random, false);
}

bool BrokenFat(Bytes& file, Random& random) {
    if (!HasHeader(file)) return false;
    const std::vector<std::uint32_t> fat = HeaderFatSectors(file);
    if (fat.empty()) return false;
    const std::uint32_t id = fat[random.Below(fat.size())];
    FillRandom(file, SectorOffset(file, id), SectorSize(file), random);
    return true;
}

bool BrokenDifat(Bytes& file, Random& random) {
    if (!HasHeader(file)) return false;
    const std::vector<std::uint32_t> fat = HeaderFatSectors(file);
    if (fat.empty()) return false;
    // Ids past the end but below the special values, so that a reader
    // takes them for sectors.
    const std::uint64_t sectors = SectorCount(file);
    const std::uint32_t slot = static_cast<std::uint32_t>(random.Below(fat.size()));
    SetU32(file, CompoundHeaderLayout::kHeaderDifat + 4 * slot,
           static_cast<std::uint32_t>(sectors + random.Below(0x00FFFFFF)));
    SetU32(file, CompoundHeaderLayout::kFirstDifatSector,
           static_cast<std::uint32_t>(sectors + random.Below(0x00FFFFFF)));
    SetU32(file, CompoundHeaderLayout::kDifatSectorCount, 1 + random.Below(0xFFFF));
    return true;
}

bool BrokenDirectory(Bytes& file, Random& random) {
    if (!HasHeader(file)) return false;
    const std::uint32_t id = U32At(file, CompoundHeaderLayout::kFirstDirectorySector);
    const std::uint64_t at = SectorOffset(file, id);
    if (at >= file.size()) return false;
    FillRandom(file, at, SectorSize(file), random);
    return true;
}

bool WipedHeader(Bytes& file, Random&) {
    if (!HasHeader(file)) return false;
    std::fill(file.begin(), file.begin() + CompoundHeaderLayout::kHeaderSize, 0);
    return true;
}

bool BitFlips(Bytes& file, Random& random) {
    if (file.empty()) return false;
    const std::uint64_t count = random.Between(1, 32);
    for (std::uint64_t i = 0; i < count; ++i)
        file[random.Below(file.size())] ^= static_cast<std::uint8_t>(1u << random.Below(8));
    return true;
}

bool Burst(Bytes& file, Random& random) {
    const std::uint64_t start = CBiffRecordWalk::FindBof(file, 0);
    if (start >= file.size()) return false;
    const std::uint64_t at = start + random.Below(file.size() - start);
    FillRandom(file, at, random.Between(16, 256), random);
    return true;
}

// One record of the walk (of `type`, or any when type is 0), or false.
bool PickRecord(const Bytes& file, std::uint16_t type, Random& random,
                CBiffRecordWalk::Record& picked) {
    const CBiffRecordWalk walk(file);
    const std::vector<CBiffRecordWalk::Record> records =
        type == 0 ? walk.GetRecords() : walk.OfType(type);
    if (records.empty()) return false;
    picked = records[random.Below(records.size())];
    return true;
}

bool RecordLength(Bytes& file, Random& random) {
    CBiffRecordWalk::Record record;
    if (!PickRecord(file, 0, random, record)) return false;
    // Too short, a little too long, or anything at all.
    const std::uint16_t lengths[] = {0, static_cast<std::uint16_t>(record.length / 2),
                                     static_cast<std::uint16_t>(record.length + 1), 0xFFFF,
                                     static_cast<std::uint16_t>(random.Next())};
    SetU16(file, record.offset + BiffRecordLayout::kLengthOffset,
           lengths[random.Below(std::size(lengths))]);
    return true;
}

bool Bof(Bytes& file, Random& random) {
    CBiffRecordWalk::Record record;
    if (!PickRecord(file, BiffRecordLayout::kBof, random, record)) return false;
    const std::uint64_t body = record.offset + BiffRecordLayout::kHeaderSize;
    const std::uint64_t fields[] = {record.offset + BiffRecordLayout::kTypeOffset,
                                    record.offset + BiffRecordLayout::kLengthOffset,
                                    body + BiffRecordLayout::kBofVersion,
                                    body + BiffRecordLayout::kBofSubstreamType};
    SetU16(file, fields[random.Below(std::size(fields))],
           static_cast<std::uint16_t>(random.Next()));
    return true;
}

bool BoundSheet(Bytes& file, Random& random) {
    CBiffRecordWalk::Record record;
    if (!PickRecord(file, BiffRecordLayout::kBoundSheet, random, record)) return false;
    const std::uint64_t body = record.offset + BiffRecordLayout::kHeaderSize;
    switch (random.Below(3)) {
        case 0:
            SetU32(file, body + BiffRecordLayout::kBoundSheetPosition,
                   static_cast<std::uint32_t>(random.Next()));
            break;
        case 1:
            if (body + BiffRecordLayout::kBoundSheetType < file.size())
                file[body + BiffRecordLayout::kBoundSheetType] = random.Byte();
            break;
        default:
            if (body + BiffRecordLayout::kBoundSheetNameLength < file.size())
                file[body + BiffRecordLayout::kBoundSheetNameLength] = random.Byte();
            break;
    }
    return true;
}

bool SstContinue(Bytes& file, Random& random) {
    const CBiffRecordWalk walk(file);
    const std::vector<CBiffRecordWalk::Record>& records = walk.GetRecords();
    for (std::size_t i = 0; i + 1 < records.size(); ++i) {
        if (records[i].type != BiffRecordLayout::kSst ||
            records[i + 1].type != BiffRecordLayout::kContinue)
            continue;
        const CBiffRecordWalk::Record& next = records[i + 1];
        switch (random.Below(3)) {
            case 0:  // no longer a CONTINUE: the SST ends early
                SetU16(file, next.offset + BiffRecordLayout::kTypeOffset,
                       static_cast<std::uint16_t>(random.Next()));
                break;
            case 1:
                SetU16(file, next.offset + BiffRecordLayout::kLengthOffset,
                       static_cast<std::uint16_t>(random.Next()));
                break;
            default:  // the repeated option flags of a string cut at the boundary
                if (next.length > 0)
                    file[next.offset + BiffRecordLayout::kHeaderSize] = random.Byte();
                break;
        }
        return true;
    }
    return false;
}

struct KindEntry {
    EDamageKind kind;
    std::string_view name;
    bool (*apply)(Bytes&, Random&);
};

const KindEntry kKinds[] = {
    {EDamageKind::Truncate, "truncate", Truncate},
    {EDamageKind::ZeroSectors, "zero-sectors", ZeroSectors},
    {EDamageKind::RandomSectors, "random-sectors", RandomSectors},
    {EDamageKind::BrokenFat, "broken-fat", BrokenFat},
    {EDamageKind::BrokenDifat, "broken-difat", BrokenDifat},
    {EDamageKind::BrokenDirectory, "broken-directory", BrokenDirectory},
    {EDamageKind::WipedHeader, "wiped-header", WipedHeader},
    {EDamageKind::BitFlips, "bit-flips", BitFlips},
    {EDamageKind::Burst, "burst", Burst},
    {EDamageKind::RecordLength, "record-length", RecordLength},
    {EDamageKind::Bof, "bof", Bof},
    {EDamageKind::BoundSheet, "boundsheet", BoundSheet},
    {EDamageKind::SstContinue, "sst-continue", SstContinue},
};
static_assert(std::size(kKinds) == CWorkbookDamage::kKindCount);

const KindEntry* Entry(EDamageKind kind) {
    for (const KindEntry& entry : kKinds)
        if (entry.kind == kind) return &entry;
    return nullptr;
}

}  // namespace

std::string_view CWorkbookDamage::GetName(EDamageKind kind) {
    const KindEntry* entry = Entry(kind);
    return entry ? entry->name : std::string_view();
}

const std::vector<EDamageKind>& CWorkbookDamage::GetKinds() {
    static const std::vector<EDamageKind> kinds = [] {
        std::vector<EDamageKind> all;
        for (const KindEntry& entry : kKinds) all.push_back(entry.kind);
        return all;
    }();
    return kinds;
}

bool CWorkbookDamage::FindByName(std::string_view name, EDamageKind& kind) {
    for (const KindEntry& entry : kKinds) {
        if (entry.name == name) {
            kind = entry.kind;
            return true;
        }
    }
    return false;
}

bool CWorkbookDamage::Apply(EDamageKind kind, std::uint32_t seed, std::vector<std::uint8_t>& file) {
    const KindEntry* entry = Entry(kind);
    if (!entry) return false;
    Random random(seed);
    // The kinds check their own preconditions before changing a byte, so a
    // false leaves the file as it was.
    return entry->apply(file, random);
}
