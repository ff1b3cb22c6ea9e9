#include "compound/tests/support/CompoundFileBuilder.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <numeric>
#include <utility>

namespace {

constexpr std::int32_t kFree = -1;
constexpr std::int32_t kEndOfChain = -2;
constexpr std::int32_t kFatSector = -3;
constexpr std::int32_t kDifatSector = -4;
constexpr std::uint32_t kIdsPerSector = 128;
constexpr std::uint32_t kHeaderDifatSlots = 109;
constexpr std::uint32_t kEntrySize = 128;

std::uint32_t CeilDiv(std::uint64_t a, std::uint64_t b) {
    return static_cast<std::uint32_t>((a + b - 1) / b);
}

void PutU16(std::vector<std::uint8_t>& file, std::uint64_t at, std::uint16_t v) {
    file[at] = static_cast<std::uint8_t>(v);
    file[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void PutU32(std::vector<std::uint8_t>& file, std::uint64_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void PutI32(std::vector<std::uint8_t>& file, std::uint64_t at, std::int32_t v) {
    PutU32(file, at, static_cast<std::uint32_t>(v));
}

// Ids first..first+count-1, in order.
std::vector<std::int32_t> Run(std::int32_t first, std::uint32_t count) {
    std::vector<std::int32_t> ids(count);
    std::iota(ids.begin(), ids.end(), first);
    return ids;
}

// Writes a chain into a table: each sector continues to the next, the last
// ends the chain.
void Link(std::vector<std::int32_t>& table, const std::vector<std::int32_t>& chain) {
    for (std::size_t i = 0; i < chain.size(); ++i) {
        table[static_cast<std::size_t>(chain[i])] =
            i + 1 < chain.size() ? chain[i + 1] : kEndOfChain;
    }
}

// The order in which writers keep siblings: shorter names first, then by
// upper-cased units (ASCII folding is enough for test names).
bool NameLess(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return a.size() < b.size();
    auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) return upper(a[i]) < upper(b[i]);
    }
    return false;
}

}  // namespace

// --- Layout ----------------------------------------------------------------

const CompoundFileBuilder::StreamPlacement* CompoundFileBuilder::Layout::Find(
    const std::u16string& name) const {
    for (const StreamPlacement& s : streams) {
        if (s.name == name) return &s;
    }
    return nullptr;
}

std::uint64_t CompoundFileBuilder::Layout::FatEntryOffset(std::uint32_t k) const {
    return SectorOffset(fatSectors.at(k / kIdsPerSector)) + 4 * (k % kIdsPerSector);
}

std::uint64_t CompoundFileBuilder::Layout::MiniFatEntryOffset(std::uint32_t k) const {
    return SectorOffset(miniFatSectors.at(k / kIdsPerSector)) + 4 * (k % kIdsPerSector);
}

std::uint64_t CompoundFileBuilder::Layout::DirectoryEntryOffset(std::uint32_t id) const {
    return SectorOffset(directorySectors.at(id / 4)) + kEntrySize * (id % 4);
}

std::uint64_t CompoundFileBuilder::Layout::MiniSectorOffset(std::int32_t m) const {
    const std::uint64_t at = static_cast<std::uint64_t>(m) * kMiniSectorSize;
    return SectorOffset(miniStreamSectors.at(at / kSectorSize)) + at % kSectorSize;
}

// --- Knobs -------------------------------------------------------------------

CompoundFileBuilder& CompoundFileBuilder::AddStream(std::u16string name,
                                                    std::vector<std::uint8_t> bytes) {
    m_streams.push_back({std::move(name), std::move(bytes)});
    return *this;
}

CompoundFileBuilder& CompoundFileBuilder::SetRootName(std::u16string name) {
    m_rootName = std::move(name);
    return *this;
}

CompoundFileBuilder& CompoundFileBuilder::SetHeaderDifatLimit(std::uint32_t n) {
    m_headerDifatLimit = std::min(n, kHeaderDifatSlots);
    return *this;
}

CompoundFileBuilder& CompoundFileBuilder::SetExtraFatSectors(std::uint32_t n) {
    m_extraFatSectors = n;
    return *this;
}

CompoundFileBuilder& CompoundFileBuilder::SetMinDirectorySectors(std::uint32_t n) {
    m_minDirectorySectors = std::max(n, 1u);
    return *this;
}

CompoundFileBuilder& CompoundFileBuilder::InsertFatSectorPastEnd(std::uint32_t position) {
    m_fatPastEndPositions.push_back(position);
    return *this;
}

CompoundFileBuilder& CompoundFileBuilder::BreakDifatChain(DifatBreak how) {
    m_difatBreak = how;
    return *this;
}

CompoundFileBuilder& CompoundFileBuilder::LoopChain(const std::u16string& name, std::uint32_t from,
                                                    std::uint32_t to) {
    m_loops.push_back({name, from, to});
    return *this;
}

CompoundFileBuilder& CompoundFileBuilder::SetDirectorySectorOutside(std::uint32_t index) {
    m_directoryOutside.push_back(index);
    return *this;
}

// --- Build -------------------------------------------------------------------

void CompoundFileBuilder::PlaceSectors() {
    m_layout = Layout{};
    m_miniSectorCount = 0;
    std::uint32_t regularSectors = 0;
    for (std::size_t i = 0; i < m_streams.size(); ++i) {
        const std::uint32_t size = static_cast<std::uint32_t>(m_streams[i].bytes.size());
        StreamPlacement placement;
        placement.name = m_streams[i].name;
        placement.directoryId = static_cast<std::int32_t>(i + 1);
        placement.size = size;
        placement.inMiniStream = size < kMiniStreamCutoff;
        if (placement.inMiniStream) {
            const std::uint32_t count = CeilDiv(size, kMiniSectorSize);
            placement.sectors = Run(static_cast<std::int32_t>(m_miniSectorCount), count);
            m_miniSectorCount += count;
        } else {
            regularSectors += CeilDiv(size, kSectorSize);
        }
        m_layout.streams.push_back(std::move(placement));
    }

    const std::uint32_t directory =
        std::max(CeilDiv(m_streams.size() + 1, 4), m_minDirectorySectors);
    const std::uint32_t miniFat = CeilDiv(m_miniSectorCount, kIdsPerSector);
    const std::uint32_t miniStream =
        CeilDiv(std::uint64_t{m_miniSectorCount} * kMiniSectorSize, kSectorSize);
    const std::uint32_t data = directory + miniFat + miniStream + regularSectors;
    // Spare FAT entries past the last sector, for the sectors "past the end"
    // that the damage knobs name: the FAT must reach them so that a chain
    // can go on after them.
    const std::uint32_t spare = 1 + static_cast<std::uint32_t>(m_directoryOutside.size());

    std::uint32_t fat = 1;
    std::uint32_t difat = 0;
    for (;;) {
        const std::uint32_t fatTotal = fat + m_extraFatSectors;
        const std::uint32_t ids =
            fatTotal + static_cast<std::uint32_t>(m_fatPastEndPositions.size());
        difat = ids > m_headerDifatLimit ? CeilDiv(ids - m_headerDifatLimit, kIdsPerSector - 1) : 0;
        const std::uint64_t total = std::uint64_t{fatTotal} + difat + data;
        if (std::uint64_t{fatTotal} * kIdsPerSector >= total + spare) break;
        ++fat;
    }
    fat += m_extraFatSectors;

    std::int32_t next = 0;
    auto take = [&next](std::uint32_t count) {
        std::vector<std::int32_t> ids = Run(next, count);
        next += static_cast<std::int32_t>(count);
        return ids;
    };
    m_layout.fatSectors = take(fat);
    m_layout.difatSectors = take(difat);
    m_layout.directorySectors = take(directory);
    m_layout.miniFatSectors = take(miniFat);
    m_layout.miniStreamSectors = take(miniStream);
    for (StreamPlacement& placement : m_layout.streams) {
        if (!placement.inMiniStream) placement.sectors = take(CeilDiv(placement.size, kSectorSize));
    }
    m_layout.sectorCount = static_cast<std::uint32_t>(next);
    m_layout.pastEnd = next;

    // The directory chain, with each sector named by SetDirectorySectorOutside
    // replaced by a sector past the end whose FAT entry goes on to the next.
    m_directoryChain = m_layout.directorySectors;
    for (std::size_t j = 0; j < m_directoryOutside.size(); ++j) {
        const std::uint32_t index = m_directoryOutside[j];
        if (index < m_directoryChain.size()) {
            m_directoryChain[index] = m_layout.pastEnd + 1 + static_cast<std::int32_t>(j);
        }
    }
}

std::vector<std::int32_t> CompoundFileBuilder::FatSectorList() const {
    std::vector<std::int32_t> ids = m_layout.fatSectors;
    for (const std::uint32_t position : m_fatPastEndPositions) {
        ids.insert(ids.begin() + std::min<std::size_t>(position, ids.size()), m_layout.pastEnd);
    }
    return ids;
}

void CompoundFileBuilder::WriteHeader(std::vector<std::uint8_t>& file) const {
    static const std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::memcpy(file.data(), kSignature, sizeof kSignature);
    PutU16(file, 0x18, 0x003E);  // minor version
    PutU16(file, 0x1A, 0x0003);  // major version 3
    PutU16(file, 0x1C, 0xFFFE);  // byte order
    PutU16(file, 0x1E, 9);       // 512-byte sectors
    PutU16(file, 0x20, 6);       // 64-byte mini sectors
    PutU32(file, 0x2C, static_cast<std::uint32_t>(m_layout.fatSectors.size()));
    PutI32(file, 0x30, m_directoryChain.front());
    PutU32(file, 0x38, kMiniStreamCutoff);
    PutI32(file, 0x3C, m_layout.miniFatSectors.empty() ? kEndOfChain : m_layout.miniFatSectors[0]);
    PutU32(file, 0x40, static_cast<std::uint32_t>(m_layout.miniFatSectors.size()));
    PutI32(file, 0x44, m_layout.difatSectors.empty() ? kEndOfChain : m_layout.difatSectors[0]);
    PutU32(file, 0x48, static_cast<std::uint32_t>(m_layout.difatSectors.size()));
}

void CompoundFileBuilder::WriteDifat(std::vector<std::uint8_t>& file) const {
    const std::vector<std::int32_t> ids = FatSectorList();
    std::size_t at = 0;
    for (std::uint32_t slot = 0; slot < kHeaderDifatSlots; ++slot) {
        const bool used = slot < m_headerDifatLimit && at < ids.size();
        PutI32(file, 0x4C + 4 * slot, used ? ids[at++] : kFree);
    }
    const std::vector<std::int32_t>& difat = m_layout.difatSectors;
    for (std::size_t d = 0; d < difat.size(); ++d) {
        const std::uint64_t base = SectorOffset(difat[d]);
        for (std::uint32_t slot = 0; slot < kIdsPerSector - 1; ++slot) {
            PutI32(file, base + 4 * slot, at < ids.size() ? ids[at++] : kFree);
        }
        std::int32_t nextDifat = d + 1 < difat.size() ? difat[d + 1] : kEndOfChain;
        if (d + 1 == difat.size() && m_difatBreak == DifatBreak::Loop) nextDifat = difat[0];
        if (d + 1 == difat.size() && m_difatBreak == DifatBreak::PointsOutside) {
            nextDifat = m_layout.pastEnd;
        }
        PutI32(file, base + 4 * (kIdsPerSector - 1), nextDifat);
    }
}

void CompoundFileBuilder::WriteTables(std::vector<std::uint8_t>& file) {
    std::vector<std::int32_t> fat(m_layout.fatSectors.size() * kIdsPerSector, kFree);
    for (const std::int32_t s : m_layout.fatSectors) fat[s] = kFatSector;
    for (const std::int32_t s : m_layout.difatSectors) fat[s] = kDifatSector;

    Link(fat, m_directoryChain);
    Link(fat, m_layout.miniFatSectors);
    Link(fat, m_layout.miniStreamSectors);

    std::vector<std::int32_t> miniFat(m_layout.miniFatSectors.size() * kIdsPerSector, kFree);
    for (const StreamPlacement& placement : m_layout.streams) {
        Link(placement.inMiniStream ? miniFat : fat, placement.sectors);
    }
    for (const Loop& loop : m_loops) {
        const StreamPlacement* placement = m_layout.Find(loop.name);
        if (!placement || loop.from >= placement->sectors.size() ||
            loop.to >= placement->sectors.size()) {
            continue;
        }
        std::vector<std::int32_t>& table = placement->inMiniStream ? miniFat : fat;
        table[static_cast<std::size_t>(placement->sectors[loop.from])] =
            placement->sectors[loop.to];
    }

    for (std::size_t k = 0; k < fat.size(); ++k) {
        PutI32(file, m_layout.FatEntryOffset(static_cast<std::uint32_t>(k)), fat[k]);
    }
    for (std::size_t k = 0; k < miniFat.size(); ++k) {
        PutI32(file, m_layout.MiniFatEntryOffset(static_cast<std::uint32_t>(k)), miniFat[k]);
    }
}

void CompoundFileBuilder::WriteDirectory(std::vector<std::uint8_t>& file) const {
    const std::uint32_t slots = static_cast<std::uint32_t>(m_layout.directorySectors.size() * 4);
    // Every slot starts free: no name, no siblings, no child.
    for (std::uint32_t id = 0; id < slots; ++id) {
        const std::uint64_t at = m_layout.DirectoryEntryOffset(id);
        PutI32(file, at + 0x44, kFree);
        PutI32(file, at + 0x48, kFree);
        PutI32(file, at + 0x4C, kFree);
    }
    auto writeEntry = [&](std::uint32_t id, const std::u16string& name, std::uint8_t type,
                          std::int32_t start, std::uint32_t size) {
        const std::uint64_t at = m_layout.DirectoryEntryOffset(id);
        const std::size_t units = std::min<std::size_t>(name.size(), 32);
        for (std::size_t i = 0; i < units; ++i) PutU16(file, at + 2 * i, name[i]);
        PutU16(file, at + 0x40,
               static_cast<std::uint16_t>(std::min<std::size_t>(units + 1, 32) * 2));
        file[at + 0x42] = type;
        file[at + 0x43] = 1;  // black
        PutI32(file, at + 0x74, start);
        PutU32(file, at + 0x78, size);
    };

    const std::uint32_t miniStreamSize = m_miniSectorCount * kMiniSectorSize;
    writeEntry(0, m_rootName, 5,
               m_layout.miniStreamSectors.empty() ? kEndOfChain : m_layout.miniStreamSectors[0],
               miniStreamSize);
    for (const StreamPlacement& placement : m_layout.streams) {
        writeEntry(static_cast<std::uint32_t>(placement.directoryId), placement.name, 2,
                   placement.sectors.empty() ? kEndOfChain : placement.sectors[0], placement.size);
    }

    // A balanced tree over the streams in sibling order; the root storage's
    // child is its middle.
    std::vector<const StreamPlacement*> order;
    for (const StreamPlacement& placement : m_layout.streams) order.push_back(&placement);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto* a, const auto* b) { return NameLess(a->name, b->name); });
    std::function<std::int32_t(std::size_t, std::size_t)> subtree =
        [&](std::size_t lo, std::size_t hi) -> std::int32_t {
        if (lo >= hi) return kFree;
        const std::size_t mid = lo + (hi - lo) / 2;
        const std::uint64_t at =
            m_layout.DirectoryEntryOffset(static_cast<std::uint32_t>(order[mid]->directoryId));
        PutI32(file, at + 0x44, subtree(lo, mid));
        PutI32(file, at + 0x48, subtree(mid + 1, hi));
        return order[mid]->directoryId;
    };
    PutI32(file, m_layout.DirectoryEntryOffset(0) + 0x4C, subtree(0, order.size()));
}

void CompoundFileBuilder::WriteStreams(std::vector<std::uint8_t>& file) const {
    for (std::size_t i = 0; i < m_streams.size(); ++i) {
        const std::vector<std::uint8_t>& bytes = m_streams[i].bytes;
        const StreamPlacement& placement = m_layout.streams[i];
        const std::uint32_t piece = placement.inMiniStream ? kMiniSectorSize : kSectorSize;
        for (std::size_t k = 0; k < placement.sectors.size(); ++k) {
            const std::uint64_t at = placement.inMiniStream
                                         ? m_layout.MiniSectorOffset(placement.sectors[k])
                                         : SectorOffset(placement.sectors[k]);
            const std::size_t from = k * piece;
            const std::size_t n = std::min<std::size_t>(piece, bytes.size() - from);
            std::memcpy(&file[at], &bytes[from], n);
        }
    }
}

std::vector<std::uint8_t> CompoundFileBuilder::Build() {
    PlaceSectors();
    std::vector<std::uint8_t> file(SectorOffset(static_cast<std::int32_t>(m_layout.sectorCount)),
                                   0);
    WriteHeader(file);
    WriteDifat(file);
    WriteTables(file);
    WriteDirectory(file);
    WriteStreams(file);
    return file;
}
