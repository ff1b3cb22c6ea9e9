#include "compound/COleFileReader.h"

#include <algorithm>
#include <array>
#include <unordered_set>

#include "compound/CDataContainerOle.h"
#include "compound/COleStreamCopy.h"
#include "compound/EErrorCode.h"
#include "compound/LittleEndian.h"

using namespace CompoundFormat;

namespace {

using SectorBytes = std::array<std::uint8_t, kSectorSize>;

}  // namespace

std::uint32_t COleFileReader::Open() {
    if (!m_file.OpenForReading(m_container->GetFileName())) return ErrOpenFile;
    // The model keeps a 32-bit length; a file of 4 GiB or more is read as if
    // it ended at the last byte that length can name.
    m_fileLength =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(m_file.GetLength(), UINT32_MAX));
    m_container->SetFileLength(m_fileLength);
    return ErrNone;
}

bool COleFileReader::IsSectorInRange(std::int32_t n) const {
    return n >= 0 && SectorOffset(n) + m_sectorSize <= m_fileLength;
}

bool COleFileReader::ReadSector(std::int32_t n, std::uint8_t* out) const {
    return IsSectorInRange(n) && m_file.ReadAt(SectorOffset(n), out, m_sectorSize);
}

std::uint32_t COleFileReader::SectorsInFile() const {
    return m_fileLength < m_headerSize ? 0 : (m_fileLength - m_headerSize) / m_sectorSize;
}

std::uint32_t COleFileReader::ReadHeader() {
    std::array<std::uint8_t, kHeaderSize> bytes{};
    if (m_fileLength < m_headerSize || !m_file.ReadAt(0, bytes.data(), bytes.size())) {
        return ErrHeaderTooShort;
    }
    COleHeader& header = m_container->GetHeader();
    header.Assign(bytes.data());
    // All 109 go in, free markers included: ReadFat stops at the first
    // negative one.
    m_container->GetDifatEntries().AddLittleEndian(&bytes[kHeaderDifatOffset], kHeaderDifatCount);
    return header.HasReadableSectorSizes() ? ErrNone : ErrSectorShift;
}

std::uint32_t COleFileReader::ReadDifat() {
    CSectorList& ids = m_container->GetDifatSectorIds();
    CSectorList& entries = m_container->GetDifatEntries();
    std::int32_t d = m_container->GetHeader().GetFirstDifatSector();
    ids.Add(d);
    // The header's DIFAT sector count is not trusted: the chain alone decides
    // where the DIFAT ends. Every id in `seen` was read from inside the file,
    // so the walk ends after at most SectorsInFile() sectors.
    std::unordered_set<std::int32_t> seen{d};
    SectorBytes sector;
    while (d >= 0) {
        if (!ReadSector(d, sector.data())) return ErrDifatChain;
        entries.AddLittleEndian(sector.data(), kFatIdsPerDifatSector);
        const std::int32_t next = LittleEndian::I32(&sector[kDifatNextOffset]);
        if (!seen.insert(next).second) return ErrDifatChain;
        ids.Add(next);
        d = next;
    }
    return ErrNone;
}

std::uint32_t COleFileReader::ReadFat() {
    CSectorList& fat = m_container->GetFat();
    // A file holds at most SectorsInFile() distinct FAT sectors, so a FAT
    // longer than that many blocks can only come from a DIFAT that names a
    // sector twice. Blocks past it are not appended; the range test still
    // runs on every id, so the error bit is the same as without the bound,
    // and every FAT entry of a sector inside the file keeps its position.
    const std::uint64_t cap = static_cast<std::uint64_t>(SectorsInFile()) * kIdsPerSector;
    std::uint32_t result = ErrNone;
    SectorBytes sector;
    for (const std::int32_t id : m_container->GetDifatEntries().Values()) {
        if (id < 0) break;
        if (!IsSectorInRange(id)) {
            // Its 128 entries are missing; later blocks move up.
            result = ErrFatSector;
            continue;
        }
        if (fat.GetCount() >= cap) continue;
        if (!ReadSector(id, sector.data())) {
            result = ErrFatSector;
            continue;
        }
        // An entry equal to its own position (a sector continuing into
        // itself) is kept as written: it is the shortest loop, and every walk
        // is bounded by the FAT's length, so it ends like any other loop.
        fat.AddLittleEndian(sector.data(), kIdsPerSector);
    }
    return result;
}

std::uint32_t COleFileReader::ReadMiniFat() {
    CSectorList& miniFat = m_container->GetMiniFat();
    // Bounded like the FAT: more blocks than the file has sectors can only
    // be a looping chain reading the same sectors again.
    const std::uint64_t cap = static_cast<std::uint64_t>(SectorsInFile()) * kIdsPerSector;
    std::uint32_t result = ErrNone;
    SectorBytes sector;
    for (const std::int32_t id : m_container->GetMiniFatChain().Values()) {
        if (id < 0) break;
        if (!IsSectorInRange(id)) {
            result = ErrMiniFatSector;
            continue;
        }
        if (miniFat.GetCount() >= cap) continue;
        if (!ReadSector(id, sector.data())) {
            result = ErrMiniFatSector;
            continue;
        }
        miniFat.AddLittleEndian(sector.data(), kIdsPerSector);
    }
    return result;
}

std::uint32_t COleFileReader::ReadDirectory() {
    std::vector<COleDirectoryEntry>& entries = m_container->GetEntries();
    // Bounded like the FAT: entries past four per sector of the file can only
    // be copies read again through a looping directory chain.
    const std::uint64_t cap = static_cast<std::uint64_t>(SectorsInFile()) * kEntriesPerSector;
    std::uint32_t result = ErrNone;
    SectorBytes sector;
    for (const std::int32_t id : m_container->GetDirectoryChain().Values()) {
        if (id < 0) break;
        if (!IsSectorInRange(id)) {
            // Skipped whole: the ids of all later entries move down by four.
            result = ErrDirectorySector;
            continue;
        }
        if (entries.size() >= cap) continue;
        if (!ReadSector(id, sector.data())) {
            result = ErrDirectorySector;
            continue;
        }
        for (std::uint32_t i = 0; i < kEntriesPerSector; ++i) {
            entries.emplace_back(&sector[i * kDirectoryEntrySize]);
        }
    }
    return result;
}

std::uint32_t COleFileReader::CopyStream(std::int32_t id, const std::filesystem::path& output) {
    COleStreamCopy copy(m_file, *m_container);
    return copy.Copy(id, output);
}
