#include "compound/COleChainBuilder.h"

#include <utility>

#include "compound/CDataContainerOle.h"
#include "compound/CompoundFormat.h"
#include "compound/EErrorCode.h"

namespace {

// Directory names differ only in letter case when they name the same entry;
// writers of the day stored "Workbook" as "WORKBOOK" and spreadsheet
// programs open such files. Letters outside ASCII and Latin-1 are compared
// as they are.
char16_t FoldCase(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<char16_t>(c - 0x20);
    return c;
}

bool SameName(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

const std::u16string kRootEntryName = u"Root Entry";

}  // namespace

CSectorList COleChainBuilder::FollowChain(std::int32_t start, const CSectorList& table) {
    const std::uint32_t bound = table.GetCount();
    CSectorList chain;
    std::int32_t id = start;
    for (std::uint32_t steps = 0; id >= 0 && steps < bound; ++steps) {
        chain.Add(id);
        id = table.Lookup(id);
    }
    // The value that stopped the walk: an end marker, or after `bound` steps
    // of a loop, a sector id that readers treat like any other.
    chain.Add(id);
    return chain;
}

std::uint32_t COleChainBuilder::BuildMiniFatChain() {
    m_container->GetMiniFatChain() =
        FollowChain(m_container->GetHeader().GetFirstMiniFatSector(), m_container->GetFat());
    return ErrNone;
}

std::uint32_t COleChainBuilder::BuildDirectoryChain() {
    m_container->GetDirectoryChain() =
        FollowChain(m_container->GetHeader().GetFirstDirectorySector(), m_container->GetFat());
    return ErrNone;
}

std::uint32_t COleChainBuilder::FindRootEntry() {
    std::vector<COleDirectoryEntry>& entries = m_container->GetEntries();
    m_rootId = -1;
    for (std::size_t id = 0; id < entries.size() && m_rootId < 0; ++id) {
        if (entries[id].GetName() == kRootEntryName) m_rootId = static_cast<std::int32_t>(id);
    }
    // Lenient: 28 of 511 sound workbooks in our corpus name their root "R",
    // "" or garbage (a writer quirk that Excel and other readers ignore). The
    // root storage is always entry 0, so when no entry carries the name,
    // entry 0 is taken if its type byte says root storage.
    if (m_rootId < 0 && !entries.empty() &&
        entries[0].GetType() == CompoundFormat::kEntryTypeRoot) {
        m_rootId = 0;
    }
    if (m_rootId < 0) return ErrNoRootEntry;
    // The root's chain is the mini stream and always lives in the FAT,
    // whatever its size field says.
    COleDirectoryEntry& root = entries[static_cast<std::size_t>(m_rootId)];
    CSectorList chain = FollowChain(root.GetStartingSector(), m_container->GetFat());
    m_built += chain.GetCount();
    root.SetChain(std::move(chain));
    return ErrNone;
}

CSectorList COleChainBuilder::ChainForEntry(const COleDirectoryEntry& entry) const {
    const bool inMiniStream =
        entry.GetStreamSize() < m_container->GetHeader().GetMiniStreamCutoff();
    return FollowChain(entry.GetStartingSector(),
                       inMiniStream ? m_container->GetMiniFat() : m_container->GetFat());
}

std::uint32_t COleChainBuilder::BuildEntryChains() {
    std::vector<COleDirectoryEntry>& entries = m_container->GetEntries();
    for (std::size_t id = 0; id < entries.size(); ++id) {
        COleDirectoryEntry& entry = entries[id];
        // Entries named "Root Entry" keep what FindRootEntry gave them (the
        // first one) or nothing (any later one); so does a root found by its
        // type byte.
        if (static_cast<std::int32_t>(id) == m_rootId || entry.GetName() == kRootEntryName) {
            continue;
        }
        // Past the budget a chain is built only when a copy needs it: many
        // entries starting in one long loop would otherwise cost entries x
        // table length. Free entries get a chain like any other.
        if (m_built >= m_budget) continue;
        CSectorList chain = ChainForEntry(entry);
        m_built += chain.GetCount();
        entry.SetChain(std::move(chain));
    }
    return ErrNone;
}

void COleChainBuilder::EnsureEntryChain(std::int32_t id) {
    COleDirectoryEntry* entry = m_container->GetEntry(id);
    if (!entry || entry->HasChain() || entry->GetName() == kRootEntryName) return;
    entry->SetChain(ChainForEntry(*entry));
}

std::int32_t COleChainBuilder::FindStream(const std::u16string& name) {
    const std::uint32_t count = m_container->GetEntryCount();
    const COleDirectoryEntry* root = m_container->GetEntry(0);
    if (!root) return -1;
    const std::int32_t start = root->GetChildId();
    if (start < 0 || static_cast<std::uint32_t>(start) >= count) return -1;
    m_visited.assign(count, false);

    // A depth-first walk with an explicit stack, so that a degenerate tree
    // thousands of entries deep cannot exhaust the call stack. Each frame
    // tries left sibling, right sibling, then child, marking an id visited
    // when it descends into it; the start itself is not marked and may be
    // reached once more.
    struct Frame {
        std::int32_t id;
        int next;  // 0: compare the name; 1..3: left, right, child; 4: done
    };
    std::vector<Frame> stack{{start, 0}};
    while (!stack.empty()) {
        Frame& frame = stack.back();
        const COleDirectoryEntry& entry = *m_container->GetEntry(frame.id);
        if (frame.next == 0) {
            // Entry 0 is the root storage; its name is never a stream's.
            if (frame.id != 0 && SameName(entry.GetName(), name)) return frame.id;
            frame.next = 1;
            continue;
        }
        if (frame.next > 3) {
            stack.pop_back();
            continue;
        }
        const std::int32_t link = frame.next == 1   ? entry.GetLeftSiblingId()
                                  : frame.next == 2 ? entry.GetRightSiblingId()
                                                    : entry.GetChildId();
        ++frame.next;
        if (link < 0 || static_cast<std::uint32_t>(link) >= count) continue;
        if (m_visited[static_cast<std::size_t>(link)]) continue;
        m_visited[static_cast<std::size_t>(link)] = true;
        stack.push_back({link, 0});  // `frame` is not used after this
    }
    return -1;
}
