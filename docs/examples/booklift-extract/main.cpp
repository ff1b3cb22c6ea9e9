// booklift-extract SOURCE.xls OUTPUT: reads a compound file, damaged or not,
// with booklift, names the damage the parse met, and copies the workbook's
// "Workbook" stream to OUTPUT.
//
// Exit status: 0 when OUTPUT was written (whole, or with pieces missing),
// 1 when no stream could be copied, 64 on wrong arguments.
#include <booklift/CInterfaceOle.h>

#include <cstdio>
#include <string>

namespace {

struct BitName {
    unsigned long bit;
    const char* name;
};

constexpr BitName kErrorNames[] = {
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

// "ErrFatSector ErrStreamSector", or "none".
std::string Names(unsigned long bits) {
    std::string names;
    for (const BitName& entry : kErrorNames) {
        if (!(bits & entry.bit)) continue;
        if (!names.empty()) names += ' ';
        names += entry.name;
    }
    return names.empty() ? "none" : names;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "Usage: booklift-extract SOURCE.xls OUTPUT\n");
        return 64;
    }
    CInterfaceOle ole;
    ole.SetFileNameSrc(argv[1]);
    // The return value is the step that stops everything; the other damage
    // met on the way shows only in the parse error.
    const EErrorCode stop = ole.ParseFile();
    std::printf("damage: %s\n", Names(ole.GetParseError()).c_str());
    if (stop == ErrOpenFile || stop == ErrEmptyFileName) return 1;

    const unsigned long copied = static_cast<unsigned long>(ole.CopyWorkbook(argv[2]));
    if (copied == ErrNone) {
        std::printf("Workbook stream copied whole to %s\n", argv[2]);
    } else if ((copied & ~static_cast<unsigned long>(ErrStreamSector | ErrStreamChain |
                                                     ErrStreamSize)) == 0) {
        // Sectors outside the file, a broken chain, or a size field that
        // disagrees with the chain: what could be read is there, in chain
        // order, without gaps, but it may not be the whole stream.
        std::printf("Workbook stream copied to %s, not whole: %s\n", argv[2],
                    Names(copied).c_str());
    } else {
        std::printf("Workbook stream not copied: %s\n", Names(copied).c_str());
        return 1;
    }
    return 0;
}
