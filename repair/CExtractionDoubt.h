// Why a copy of the "Workbook" stream that booklift made cannot be taken
// for the workbook as it stands, so that the repair also scans the damaged
// file itself and keeps the better of the two recoveries.
//
// Signs of the copy (the copy's own bits and its first bytes) are read
// before it is scanned; a scan of the copy that recovers neither a sheet
// nor a cell is the last sign, known only after the scan.
#pragma once

#include <cstdint>
#include <filesystem>

enum class EExtractionDoubt : std::uint8_t {
    None,
    ChainBroken,       // ErrStreamChain: the chain came back to a sector or ran into the FAT
    SizeDisagrees,     // ErrStreamSize: the size field is 0 or disagrees with the chain
    NoBofAtStart,      // the copy does not start with the workbook globals' BOF record
    RepeatedSector,    // a later sector of the copy holds the bytes of its first
    NothingRecovered,  // the copy's scan found no cell
    Reassembled,       // no chain was usable: the stream was rebuilt from the file's sectors
};

class CExtractionDoubt {
public:
    // The first sign a copy shows: the copy's bits (EErrorCode, those of
    // CopyWorkbook), then its bytes at copy. None when the copy is sound
    // (a file that cannot be read counts as one without a BOF).
    static EExtractionDoubt OfCopy(unsigned long copyBits, const std::filesystem::path& copy);

    // The doubt in the domain's words, for the command-line report
    // ("the chain comes back to a sector it already named").
    static const char* Describe(EExtractionDoubt doubt);
};
