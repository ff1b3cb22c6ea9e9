// Failure bits of the header analysis (CInterfaceOle::AnalizeFileStructureOle).
// A bit is set when its condition does NOT hold. N is the file length divided
// by the sector size booklift reads, 512, in unsigned integer division;
// the comparisons with N - 1 and N - 2 are made in signed 64-bit arithmetic so
// that a file shorter than one sector (N = 0) fails them instead of wrapping.
#pragma once

#include <cstdint>

enum EStructureFlag : std::uint32_t {
    StructSignature = 0x001,           // bytes D0 CF 11 E0 A1 B1 1A E1 at 0
    StructByteOrder = 0x002,           // byte-order mark 0xFEFF or 0xFFFE
    StructSectorShift = 0x004,         // sector shift 9
    StructMiniSectorShift = 0x008,     // mini sector shift 6
    StructFatSectorCount = 0x010,      // FAT sector count <= N - 1
    StructFirstDirectory = 0x020,      // first directory sector >= 0 and <= N - 2
    StructMiniStreamCutoff = 0x040,    // mini stream cutoff 4096
    StructFirstMiniFat = 0x080,        // first mini FAT sector <= N - 2
    StructMiniFatSectorCount = 0x100,  // mini FAT sector count <= N - 1
    StructFirstDifat = 0x200,          // first DIFAT sector <= N - 2
    StructDifatSectorCount = 0x400,    // DIFAT sector count <= N - 1
    StructAll = 0x7FF,
};
