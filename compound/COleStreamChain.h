// The sectors of one directory entry's stream that a copy reads, and how
// many bytes of them: the walk of its chain, checked, before any byte is
// copied.
//
// The walk follows the FAT (or the mini FAT for a stream in the mini
// stream) from the entry's starting sector and stops at an end marker, at a
// sector it already named, or at a sector that holds the FAT or the DIFAT:
// a chain that comes back to itself or runs into the tables is broken
// there, and whatever follows is not the stream's. Every step names a new
// sector of the table, so the walk takes at most as many steps as the table
// has entries.
//
// The stream's size field is trusted only when it agrees with the chain:
// a size of 0, a size beyond what the chain holds, or a chain more than one
// sector longer than the size needs, makes the chain's length the length
// to copy. A size below the mini stream cutoff whose mini chain disagrees
// with it is tried as a regular stream (and the other way round): a damaged
// size field sends the walk into the wrong table, and the table whose
// chain is sound and long enough to belong there wins.
#pragma once

#include <cstdint>
#include <vector>

#include "compound/CStreamDamage.h"

class CDataContainerOle;
class COleDirectoryEntry;

class COleStreamChain {
public:
    // Walks entry's chain through the tables of container (both must stay
    // alive during the call only).
    COleStreamChain(const CDataContainerOle& container, const COleDirectoryEntry& entry);

    // Whether the sectors are 64-byte mini sectors of the mini stream.
    bool InMiniStream() const { return m_walk.mini; }
    // Sector ids (mini sector ids in the mini stream) in chain order, up to
    // the end marker or the break; ids outside the file are kept, for the
    // copy to report.
    const std::vector<std::int32_t>& GetSectors() const { return m_walk.ids; }
    // Bytes to copy: the size field, or the chain's length when they
    // disagree. Never more than the sectors hold.
    std::uint64_t GetLength() const { return m_length; }
    // 0, ErrStreamChain (the walk broke off) or ErrStreamSize (the size
    // field disagrees with a sound chain).
    std::uint32_t GetError() const { return m_error; }
    // Why the walk stopped before the stream's end (CutNone when it did
    // not), and at which sector: see CStreamDamage. A chain cut short by a
    // marker or by a sector outside the file counts only against a size
    // field that asked for more.
    EChainCut GetCut() const { return m_cut; }
    std::uint32_t GetCutSector() const { return m_cutSector; }

private:
    struct Walk {
        bool mini = false;
        std::vector<std::int32_t> ids;
        // Stopped at a revisited sector or one of the tables' own.
        bool broken = false;
        // Every id lies inside the file (inside the mini stream).
        bool inside = true;
        // A broken walk: CutLoop or CutTableSector, at cutSector.
        EChainCut cut = CutNone;
        std::uint32_t cutSector = 0;
        // The marker the last sector's table entry held (or the end marker
        // for one past the table).
        std::int32_t endMarker = -2;
    };

    Walk WalkRegular(std::int32_t start) const;
    Walk WalkMini(std::int32_t start) const;
    // Whether size and walk agree: a size of 0 never does.
    static bool Agrees(std::uint64_t size, const Walk& walk);
    // Sound, and as long as a stream kept in its table can be.
    bool Plausible(const Walk& walk) const;
    // Where and why a sound walk of fewer bytes than size ended.
    void FindShortEnd(std::uint64_t size);
    // Whether the walk's last sector lies outside the file (the mini
    // stream) or past its table, where no entry names a next sector.
    bool LastOutside() const;

    const CDataContainerOle& m_container;
    Walk m_walk;
    std::uint64_t m_length = 0;
    std::uint32_t m_error = 0;
    EChainCut m_cut = CutNone;
    std::uint32_t m_cutSector = 0;
};
