// The error bits reported by booklift. Each step of a parse or a copy
// reports at most one of them; CInterfaceOle ORs them into its parse error,
// so every value is a single bit. A copy has three steps: the walk of the
// stream's chain (ErrStreamChain), the test of its size field against the
// chain (ErrStreamSize), and the copy of its pieces (ErrStreamSector or
// ErrCreateOutput).
#pragma once

#include <cstdint>

#include "BookliftExport.h"  // a public header: see CInterfaceOle.h

enum BOOKLIFT_API EErrorCode : std::uint32_t {
    ErrNone = 0x0000,
    ErrOpenFile = 0x0001,          // the source file cannot be opened for reading
    ErrEmptyFileName = 0x0002,     // no source file name was set
    ErrWorkbookNotFound = 0x0004,  // no entry named "Workbook" is reachable in the tree
    ErrHeaderTooShort = 0x0008,    // the file is shorter than the 512-byte header
    ErrDifatChain = 0x0010,        // a DIFAT sector lies outside the file, or the chain loops
    ErrFatSector = 0x0020,         // a FAT sector lies outside the file
    ErrDirectorySector = 0x0040,   // a directory sector lies outside the file
    ErrMiniFatSector = 0x0080,     // a mini FAT sector lies outside the file
    ErrStreamSector = 0x0100,      // a sector of the copied stream lies (partly) outside the file
    ErrEntryIndex = 0x0200,        // the directory id found has no entry
    ErrCreateOutput = 0x0400,      // the output file cannot be created (or written)
    ErrNoRootEntry = 0x0800,       // no directory entry is named "Root Entry"
    // The header's sector shift is not 9 or its mini sector shift not 6.
    // Sectors are read as 512 bytes and mini sectors as 64 all the same (the
    // tables are only readable at those sizes); the bit tells the caller that
    // the header it trusted is damaged, or from a version-4 file, whose
    // 4096-byte sectors booklift does not read.
    ErrSectorShift = 0x1000,
    // The copied stream's chain comes back to a sector it already named, or
    // runs into a sector that holds the FAT or the DIFAT: it is broken there
    // (a zeroed FAT sector makes every chain through it run into sector 0
    // and stay), and the copy stops before that sector.
    ErrStreamChain = 0x2000,
    // The copied stream's size field is 0, or disagrees with the length of
    // its sound chain (the chain holds fewer sectors than the size needs, or
    // more than one sector beyond them): the copy takes the chain's length,
    // which the file bounds, instead of the size field.
    ErrStreamSize = 0x4000,
};
