// The EXTSST index of a shared-string table (record 0x00FF after the SST
// and its CONTINUE records): where the first string of every bucket of N
// strings starts, turned into places in the joined SST record that the
// decoder can resume at after damage.
//
// The index is as untrusted as the table: an entry counts only when the
// record it names is one of the records joined into the SST, the offset
// lies inside that record's bytes, and the places keep increasing. Entries
// that fail are dropped one by one; the others stay. When none names a
// joined record (the records were read from the raw file, not from the
// stream), every position is moved by the distance the first entry gives.
#pragma once

#include <cstdint>
#include <vector>

#include "records/CExcelSSTDecoder.h"

class CExcelSSTIndex {
public:
    // One record joined into the SST, in file order: the SST itself first,
    // then each CONTINUE. streamPosition: its 4-byte header in the stream.
    // dataOffset: where its bytes begin in the joined record; for the SST
    // 0 (the joined record starts with its header), for a CONTINUE where its
    // second body byte went (the first is held by its boundary).
    struct Piece {
        std::uint32_t streamPosition;
        std::uint32_t dataOffset;
    };

    // body: size bytes of the EXTSST payload. joinedSize: bytes of the
    // joined record. Bucket starts in increasing index and offset order.
    static std::vector<CExcelSSTDecoder::BucketStart> Buckets(const std::uint8_t* body,
                                                              std::uint32_t size,
                                                              const std::vector<Piece>& pieces,
                                                              std::uint32_t joinedSize);
};
