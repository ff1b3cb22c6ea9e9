#include "repair/ErrorBitNames.h"

#include <utility>

#include "compound/EErrorCode.h"
#include "compound/EStructureFlag.h"

namespace {

struct BitName {
    unsigned long bit;
    const char* name;
};

constexpr BitName kParseErrors[] = {
    {ErrOpenFile, "ErrOpenFile"},
    {ErrEmptyFileName, "ErrEmptyFileName"},
    {ErrWorkbookNotFound, "ErrWorkbookNotFound"},
    {ErrHeaderTooShort, "ErrHeaderTooShort"},
    {ErrDifatChain, "ErrDifatChain"},
    {ErrFatSector, "ErrFatSector"},
    {ErrDirectorySector, "ErrDirectorySector"},
    {ErrMiniFatSector, "ErrMiniFatSector"},
    {ErrStreamSector, "ErrStreamSector"},
    {ErrEntryIndex, "ErrEntryIndex"},
    {ErrCreateOutput, "ErrCreateOutput"},
    {ErrNoRootEntry, "ErrNoRootEntry"},
    {ErrSectorShift, "ErrSectorShift"},
    {ErrStreamChain, "ErrStreamChain"},
    {ErrStreamSize, "ErrStreamSize"},
};

constexpr BitName kStructureFlags[] = {
    {StructSignature, "signature"},
    {StructByteOrder, "byte-order"},
    {StructSectorShift, "sector-shift"},
    {StructMiniSectorShift, "mini-sector-shift"},
    {StructFatSectorCount, "fat-sector-count"},
    {StructFirstDirectory, "first-directory-sector"},
    {StructMiniStreamCutoff, "mini-stream-cutoff"},
    {StructFirstMiniFat, "first-mini-fat-sector"},
    {StructMiniFatSectorCount, "mini-fat-sector-count"},
    {StructFirstDifat, "first-difat-sector"},
    {StructDifatSectorCount, "difat-sector-count"},
};

constexpr BitName kChainCuts[] = {
    {CutLoop, "loop"},
    {CutTableSector, "FAT or DIFAT sector"},
    {CutOutsideFile, "outside the file"},
    {CutFreeSector, "free sector before the size"},
    {CutEndOfChain, "end of chain before the size"},
};

template <std::size_t N>
std::string JoinNames(unsigned long bits, const BitName (&table)[N]) {
    std::string names;
    for (const BitName& entry : table) {
        if (!(bits & entry.bit)) continue;
        if (!names.empty()) names += '|';
        names += entry.name;
    }
    return names.empty() ? "none" : names;
}

}  // namespace

std::string ParseErrorNames(unsigned long bits) {
    return JoinNames(bits, kParseErrors);
}

std::string StructureFlagNames(unsigned long bits) {
    return JoinNames(bits, kStructureFlags);
}

std::string ChainCutName(EChainCut cut) {
    for (const BitName& entry : kChainCuts)
        if (entry.bit == cut) return entry.name;
    return {};
}
