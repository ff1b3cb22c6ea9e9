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
#pragma once

#include <cstdint>
#include <vector>

#include "records/CExcelSSTCursor.h"

class CExcelRawRecordData;
class CExcelContinueRecordOffsetList;
class CExcelSSTDataList;

class CExcelSSTDecoder {
public:
    // Appends the strings of record (type 0x00FC) to list, in table order,
    // stopping after cstUnique strings or at the end of the data, whichever
    // comes first; a string cut by the end of the data is kept with the
    // characters present. Adds cstTotal to the text-cell repair counter.
    // Removes from continues the boundaries it used; the others stay.
    // Frees the record's loaded bytes before returning. A record whose
    // spill file cannot be read appends nothing and counts nothing.
    static void Decode(CExcelRawRecordData& record, CExcelSSTDataList& list,
                       CExcelContinueRecordOffsetList& continues);

    // The same walk over bytes already in memory: size bytes of the joined
    // record (4-byte header included) and its boundaries in file order.
    // Returns how many boundaries, from the first, the walk used.
    static std::uint32_t DecodeBytes(const std::uint8_t* bytes, std::uint32_t size,
                                     const std::vector<CExcelSSTCursor::Boundary>& boundaries,
                                     CExcelSSTDataList& list);
};
