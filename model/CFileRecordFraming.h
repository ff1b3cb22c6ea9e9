// Record framing read straight from a scan file: declared lengths, the
// CONTINUE records that follow a record, and whether sound records start at
// an offset. The globals walk uses these to step over records it does not
// decode and to pick up the framing again after damage.
//
// Offsets count from the first byte of the scan file; `limit` is the end of
// the stretch being walked. Nothing here reads at or past limit or the
// file's end.
#pragma once

#include <cstdint>
#include <vector>

#include "biff/IExcelStreamReader.h"

class CInputFile;

class CFileRecordFraming {
public:
    // Body length of a record whose header declares `declared`: a length
    // above 8224 is damage, and the record is taken as its header alone so
    // that the next record is looked for inside the damaged body.
    static std::uint32_t FramedBodyLength(std::uint32_t declared);

    // Data bytes of a CONTINUE that declares `declared`: the first byte is a
    // flag byte, not data. A length of 0 still has a flag byte (the byte
    // after the header) and moves 5 bytes on; a length above 8225 is damage
    // and is read the same way.
    static std::uint32_t ContinueDataLength(std::uint32_t declared);

    // True when a CONTINUE header starts at position, before limit; its
    // declared length in *declared.
    static bool ContinueAt(const CInputFile& file, std::uint64_t position, std::uint64_t limit,
                           std::uint32_t* declared);

    // True when a record of a known type starts where the record at
    // position ends by its declared length, or it ends the stretch exactly.
    static bool FramingHolds(const CInputFile& file, std::uint64_t position, std::uint32_t length,
                             std::uint64_t limit);

    // The length field of the header at position; 0 when the file ends
    // inside the header.
    static std::uint32_t DeclaredLength(const CInputFile& file, std::uint64_t position);

    // True when a chain of sound records starts at position, before limit.
    static bool ChainAt(const CInputFile& file, std::uint64_t position, std::uint64_t limit);

    // The bytes a framing search after a header may look at, read at once:
    // the longest body, then a chain of the longest records. Reads outside
    // them fail.
    class SearchWindow : public IExcelStreamReader {
    public:
        SearchWindow(const CInputFile& file, std::uint64_t from, std::uint64_t limit);
        bool Read(std::uint32_t count, std::uint32_t offset, std::uint8_t* out) override;

    private:
        std::uint64_t m_from;
        std::vector<std::uint8_t> m_bytes;
    };
};
