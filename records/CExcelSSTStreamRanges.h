// Where a stretch of the joined shared-string record lies in the scanned
// stream. The joined record is the SST record (header included) followed by
// the body of each CONTINUE without its first byte, which the record stream
// holds aside at the boundary; in the stream every CONTINUE keeps its 4-byte
// header and that byte.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "records/CExcelSSTDecoder.h"
#include "records/CExcelSSTIndex.h"

class CExcelSSTStreamRanges {
public:
    // Ranges [first, second) of the stream holding the joined-record
    // stretch, in stream order: one per run of records that lie back to
    // back in the stream (the CONTINUE headers between them included), one
    // per record otherwise. The held-aside byte of a CONTINUE belongs to a
    // stretch that reaches past its boundary or starts there. pieces: the
    // records joined, in file order, the SST first (see CExcelSSTIndex);
    // joinedSize: bytes of the joined record. Nothing lies past the end of
    // the last piece or past 4 GiB.
    static std::vector<std::pair<std::uint32_t, std::uint32_t>> Map(
        const std::vector<CExcelSSTIndex::Piece>& pieces, std::uint32_t joinedSize,
        const CExcelSSTDecoder::DroppedBytes& stretch);
};
