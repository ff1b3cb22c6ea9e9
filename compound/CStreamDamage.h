// What the last stream copy skipped and where the walk of its chain was
// cut, by sector number: the detail behind ErrStreamSector, ErrStreamChain
// and ErrStreamSize. Plain values, bounded whatever the file holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "BookliftExport.h"  // a public header: see CInterfaceOle.h

// Why the walk of a stream's chain stopped before the stream's end.
enum BOOKLIFT_API EChainCut : std::uint32_t {
    CutNone = 0,
    CutLoop = 1,         // it came back to a sector it had already named
    CutTableSector = 2,  // it ran into a sector holding the FAT or the DIFAT
    CutOutsideFile = 3,  // its last sector lies outside the file, or past the table's end
    CutFreeSector = 4,   // a free-sector marker before the size field was reached
    CutEndOfChain = 5,   // the end-of-chain marker before the size field was reached
};

struct CStreamDamage {
    // At most this many sector numbers are listed; the totals count all.
    static constexpr std::size_t kListedSectors = 1000;

    // Sectors (512 bytes) of a stream in sectors, and mini sectors (64
    // bytes, numbered within the mini stream) of a stream in the mini
    // stream, that lie outside the file or could not be read: the copy
    // skipped them. In chain order.
    std::vector<std::uint32_t> skippedSectors;
    std::uint64_t skippedSectorsTotal = 0;
    std::vector<std::uint32_t> skippedMiniSectors;
    std::uint64_t skippedMiniSectorsTotal = 0;

    // CutNone, or why the walk stopped short. chainCutSector is the sector
    // (mini sector) at which it stopped: for a loop or a table sector the
    // one it would have entered; otherwise the chain's last, whose table
    // entry named no next one. Mini sector numbers when chainCutInMini.
    EChainCut chainCut = CutNone;
    std::uint32_t chainCutSector = 0;
    bool chainCutInMini = false;

    void AddSkipped(std::uint32_t sector, bool mini) {
        std::vector<std::uint32_t>& listed = mini ? skippedMiniSectors : skippedSectors;
        if (listed.size() < kListedSectors) listed.push_back(sector);
        ++(mini ? skippedMiniSectorsTotal : skippedSectorsTotal);
    }
};
