// Decodes the shared-string table (SST record with its CONTINUE records)
// into the workbook's CExcelSSTDataList.
//
// The joined record is loaded once and walked in memory. Strings may cross
// CONTINUE boundaries; the record stream removed the first byte of each
// CONTINUE and remembered it with the boundary's offset:
//  - at a boundary inside a string's characters that byte is the option
//    byte of the rest of the string, whose bit 0 gives the width of the
//    characters that follow;
//  - anywhere else (a string header, a run count, runs, an extension
//    block, including a header that starts exactly at the boundary) the
//    byte is real data and is put back at that offset.
//
// Damage must never shift the table: when the walk cannot go on soundly (a
// damaged CONTINUE crossed, a header with reserved flag bits, an option
// byte that is no option byte, a bucket start of EXTSST not met where the
// walk arrives) the strings that may have been read from the wrong place
// become lost entries, and the walk resumes at the next bucket start EXTSST
// gives, with that bucket's index; without one the table ends there. The
// bytes the walk could not use on the way are handed back as stretches of
// the joined record.
#pragma once

#include <cstdint>
#include <vector>

#include "records/CExcelSSTCursor.h"

class CExcelRawRecordData;
class CExcelContinueRecordOffsetList;
class CExcelSSTDataList;

class CExcelSSTDecoder {
public:
    // Where EXTSST says a bucket's first string starts, already checked
    // against the record framing: string `index` begins at `offset` in the
    // joined record with the first `passed` boundaries behind it.
    struct BucketStart {
        std::uint32_t index;
        std::uint32_t offset;
        std::uint32_t passed;
    };

    // Bytes of the joined record the walk could not use, [begin, end) counted
    // from the record's 4-byte header: the strings it dropped (from the end of
    // the last string kept to where it resumed), or, when the table ended
    // early, everything from where it stopped to the end of the record.
    // Touching stretches are one.
    struct DroppedBytes {
        std::uint32_t begin;
        std::uint32_t end;
    };

    // Appends the strings of record (type 0x00FC) to list, in table order,
    // stopping after cstUnique strings or at the end of the data, whichever
    // comes first; a string cut by the end of the data is kept with the
    // characters present. Adds cstTotal to the text-cell repair counter.
    // Removes from continues the boundaries it used; the others stay.
    // Frees the record's loaded bytes before returning. A record whose
    // spill file cannot be read appends nothing and counts nothing.
    // buckets: in increasing index and offset order; empty without EXTSST.
    // dropped, when given, receives the stretches the walk could not use, in
    // increasing order (at most one more than there are buckets).
    static void Decode(CExcelRawRecordData& record, CExcelSSTDataList& list,
                       CExcelContinueRecordOffsetList& continues,
                       const std::vector<BucketStart>& buckets = {},
                       std::vector<DroppedBytes>* dropped = nullptr);

    // The same walk over bytes already in memory: size bytes of the joined
    // record (4-byte header included) and its boundaries in file order.
    // Returns how many boundaries, from the first, the walk used.
    static std::uint32_t DecodeBytes(const std::uint8_t* bytes, std::uint32_t size,
                                     const std::vector<CExcelSSTCursor::Boundary>& boundaries,
                                     CExcelSSTDataList& list,
                                     const std::vector<BucketStart>& buckets = {},
                                     std::vector<DroppedBytes>* dropped = nullptr);
};
