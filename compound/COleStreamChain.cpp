#include "compound/COleStreamChain.h"

#include <utility>

#include "compound/CDataContainerOle.h"
#include "compound/CompoundFormat.h"
#include "compound/EErrorCode.h"

using namespace CompoundFormat;

namespace {

// Sectors the DIFAT names as its own or as the FAT's: no stream's chain
// may pass through them, and a zeroed FAT sector sends chains there (its
// entries all say "next is sector 0", and sector 0 is often the FAT's).
std::vector<bool> TableSectors(const CDataContainerOle& container) {
    std::vector<bool> tables(container.GetFat().GetCount(), false);
    for (const CSectorList* list : {&container.GetDifatEntries(), &container.GetDifatSectorIds()})
        for (const std::int32_t id : list->Values())
            if (id >= 0 && static_cast<std::uint32_t>(id) < tables.size())
                tables[static_cast<std::size_t>(id)] = true;
    return tables;
}

// Sectors (or mini sectors) of a stream of size bytes.
std::uint64_t UnitsFor(std::uint64_t size, std::uint64_t unit) {
    return size / unit + (size % unit != 0 ? 1 : 0);
}

}  // namespace

COleStreamChain::COleStreamChain(const CDataContainerOle& container,
                                 const COleDirectoryEntry& entry)
    : m_container(container) {
    const std::uint64_t size = entry.GetStreamSize();
    const bool miniBySize = size < container.GetHeader().GetMiniStreamCutoff();
    const std::int32_t start = entry.GetStartingSector();
    m_walk = miniBySize ? WalkMini(start) : WalkRegular(start);
    if (!m_walk.broken && Agrees(size, m_walk)) {
        m_length = size;
        return;
    }
    // The size field is wrong somewhere: it may also have chosen the wrong
    // table. A size of 0 says nothing about the table, and a workbook
    // stream of any use is longer than the mini stream cutoff.
    Walk other = miniBySize ? WalkRegular(start) : WalkMini(start);
    if (Plausible(other) && (!Plausible(m_walk) || (size == 0 && !other.mini)))
        m_walk = std::move(other);
    m_error = m_walk.broken ? ErrStreamChain : ErrStreamSize;
    m_length = m_walk.ids.size() * (m_walk.mini ? kMiniSectorSize : kSectorSize);
    if (m_walk.broken) {
        m_cut = m_walk.cut;
        m_cutSector = m_walk.cutSector;
    } else {
        FindShortEnd(size);
    }
}

void COleStreamChain::FindShortEnd(std::uint64_t size) {
    // A size of 0 asks for nothing, and a chain longer than the size is
    // not cut short.
    if (m_walk.ids.empty() || m_length >= size) return;
    m_cutSector = static_cast<std::uint32_t>(m_walk.ids.back());
    if (LastOutside())
        m_cut = CutOutsideFile;
    else if (m_walk.endMarker == kFreeSector)
        m_cut = CutFreeSector;
    else
        m_cut = CutEndOfChain;
}

bool COleStreamChain::LastOutside() const {
    const auto last = static_cast<std::uint32_t>(m_walk.ids.back());
    if (m_walk.mini) {
        if (last >= m_container.GetMiniFat().GetCount()) return true;
        const COleDirectoryEntry* root = m_container.GetEntry(0);
        const std::uint64_t q = std::uint64_t{last} * kMiniSectorSize / kSectorSize;
        return !root || q >= root->GetChain().GetCount() ||
               root->GetChain().GetAt(static_cast<std::uint32_t>(q)) < 0;
    }
    return last >= m_container.GetFat().GetCount() ||
           SectorOffset(static_cast<std::int32_t>(last)) >= m_container.GetFileLength();
}

COleStreamChain::Walk COleStreamChain::WalkRegular(std::int32_t start) const {
    const CSectorList& fat = m_container.GetFat();
    const std::vector<bool> tables = TableSectors(m_container);
    const std::uint64_t length = m_container.GetFileLength();
    std::vector<bool> seen(fat.GetCount(), false);
    Walk walk;
    // Each step names an entry of the FAT not named before, or one past its
    // end whose lookup ends the chain: at most GetCount() + 1 steps.
    std::int32_t id = start;
    for (; id >= 0; id = fat.Lookup(id)) {
        const auto k = static_cast<std::size_t>(id);
        if (k < seen.size()) {
            if (seen[k] || tables[k]) {
                walk.broken = true;
                walk.cut = seen[k] ? CutLoop : CutTableSector;
                walk.cutSector = static_cast<std::uint32_t>(id);
                return walk;
            }
            seen[k] = true;
        }
        if (SectorOffset(id) >= length) walk.inside = false;
        walk.ids.push_back(id);
    }
    walk.endMarker = id;
    return walk;
}

COleStreamChain::Walk COleStreamChain::WalkMini(std::int32_t start) const {
    const CSectorList& miniFat = m_container.GetMiniFat();
    const COleDirectoryEntry* root = m_container.GetEntry(0);
    const std::uint64_t miniStreamSectors = root ? root->GetChain().GetCount() : 0;
    std::vector<bool> seen(miniFat.GetCount(), false);
    Walk walk;
    walk.mini = true;
    std::int32_t id = start;
    for (; id >= 0; id = miniFat.Lookup(id)) {
        const auto k = static_cast<std::size_t>(id);
        if (k < seen.size()) {
            if (seen[k]) {
                walk.broken = true;
                walk.cut = CutLoop;
                walk.cutSector = static_cast<std::uint32_t>(id);
                return walk;
            }
            seen[k] = true;
        }
        const std::uint64_t q = static_cast<std::uint64_t>(id) * kMiniSectorSize / kSectorSize;
        if (q >= miniStreamSectors || root->GetChain().GetAt(static_cast<std::uint32_t>(q)) < 0)
            walk.inside = false;
        walk.ids.push_back(id);
    }
    walk.endMarker = id;
    return walk;
}

bool COleStreamChain::Agrees(std::uint64_t size, const Walk& walk) {
    if (size == 0) return false;
    const std::uint64_t needed = UnitsFor(size, walk.mini ? kMiniSectorSize : kSectorSize);
    // One sector of slack past the size: a sound chain holds exactly the
    // sectors the size needs, and one more costs nothing but its padding.
    return walk.ids.size() >= needed && walk.ids.size() <= needed + 1;
}

bool COleStreamChain::Plausible(const Walk& walk) const {
    if (walk.broken || !walk.inside || walk.ids.empty()) return false;
    const std::uint64_t bytes = walk.ids.size() * (walk.mini ? kMiniSectorSize : kSectorSize);
    const std::uint64_t cutoff = m_container.GetHeader().GetMiniStreamCutoff();
    return walk.mini ? bytes <= cutoff : bytes >= cutoff;
}
