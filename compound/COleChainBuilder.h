// Builds the sector chains of a parsed compound file and searches its
// directory tree.
//
// Every chain is walked with the bound of FollowChain(): at most as many
// steps as the table has entries, so loops end. Each operation returns 0 or
// one EErrorCode bit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compound/CSectorList.h"

class CDataContainerOle;
class COleDirectoryEntry;

class COleChainBuilder {
public:
    // Chain values BuildEntryChains() builds at once before it leaves the
    // remaining entries' chains to EnsureEntryChain() (64 MiB of ids). Sound
    // files never come near it: their chains share no sectors, so together
    // they hold about one value per sector. Only many entries running into
    // the same loop, each chain up to the table's length, get there.
    static constexpr std::uint64_t kEagerChainBudget = std::uint64_t{1} << 24;

    // container must outlive the builder.
    explicit COleChainBuilder(CDataContainerOle* container,
                              std::uint64_t eagerBudget = kEagerChainBudget)
        : m_container(container), m_budget(eagerBudget) {}
    virtual ~COleChainBuilder() = default;

    // The chain from start through table: while the id is >= 0 and fewer than
    // table.GetCount() steps were taken, append it and move to its entry (-2
    // past the table's end); then append the id that stopped the walk. The
    // result never holds more than table.GetCount() + 1 values; after a loop
    // it ends with a non-negative id.
    static CSectorList FollowChain(std::int32_t start, const CSectorList& table);

    // The chain of the mini FAT's sectors, from the header through the FAT.
    std::uint32_t BuildMiniFatChain();
    // The chain of the directory's sectors, from the header through the FAT.
    std::uint32_t BuildDirectoryChain();
    // Gives the root storage its chain through the FAT (the mini stream):
    // the first entry named "Root Entry", or failing that entry 0 when its
    // type byte says root storage. ErrNoRootEntry when there is neither.
    std::uint32_t FindRootEntry();
    // Gives every other entry not named "Root Entry" its chain: through the
    // mini FAT when its size is below the mini stream cutoff, else the FAT.
    std::uint32_t BuildEntryChains();
    // Builds the chain of entry id now if BuildEntryChains() left it for
    // later; the result is the one BuildEntryChains() would have built.
    void EnsureEntryChain(std::int32_t id);

    // The id of an entry named `name` reachable from the child of entry 0
    // through left sibling, right sibling and child links, or -1. Names are
    // compared as the compound-file format compares them, ignoring the case
    // of letters ("WORKBOOK" is the "Workbook" stream); every other
    // character, trailing spaces included, must match. Entry 0 itself is
    // never compared.
    std::int32_t FindStream(const std::u16string& name);

private:
    CSectorList ChainForEntry(const COleDirectoryEntry& entry) const;

    CDataContainerOle* m_container;
    std::uint64_t m_budget;
    std::uint64_t m_built = 0;
    // The entry FindRootEntry() chose, or -1.
    std::int32_t m_rootId = -1;
    // Directory ids already visited by FindStream().
    std::vector<bool> m_visited;
};
