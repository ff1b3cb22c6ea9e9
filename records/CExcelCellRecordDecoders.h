// Decoders of the cell-level records of a worksheet substream (NUMBER, RK,
// MULRK, LABELSST, LABEL, RSTRING, BLANK, MULBLANK, BOOLERR, ROW, COLINFO,
// MERGEDCELLS, QUICKTIP), as one table: record type -> accepted payload
// sizes -> decoder.
//
// The worksheet parser calls a decoder with the record's position (the
// offset of its 4-byte header in the scan file) and its declared payload
// size. The decoder checks the size, reads the payload through the
// parser's read operation, builds one record object (MULRK: one per
// column), appends it to the worksheet's list for its kind and counts it in
// RepairCounters. Nothing is reported for a refused record: a size outside
// the accepted range, or a payload that cannot be read completely, appends
// nothing and returns false.
//
// Runs on the repair worker thread; the counters are atomic.
#pragma once

#include <cstdint>

class CExcelSheetRecords;
class IExcelStreamReader;

class CExcelCellRecordDecoders {
public:
    // Returns whether at least one object was appended.
    using Decoder = bool (*)(IExcelStreamReader& reader, CExcelSheetRecords& sheet,
                             std::uint32_t size, std::uint32_t position);

    struct Entry {
        std::uint16_t type;
        std::uint32_t minSize;  // accepted payload sizes, both ends included
        std::uint32_t maxSize;
        Decoder decode;
    };

    // MULRK cells read from bytes past the end of their own record (the
    // column fields promise more entries than the record holds) are taken
    // from the bytes that follow, up to this many per sheet. Without a
    // bound, damaged MULRK records that each promise a whole row would all
    // read the same following bytes again, and a sheet of one megabyte
    // could ask for tens of millions of cells.
    static constexpr std::uint32_t kMulRkOverrunPerSheet = 65536;

    // The table entry of a record type, or null for a type decoded elsewhere.
    static const Entry* Find(std::uint16_t type);
    // The whole table; count in *count.
    static const Entry* Table(std::uint32_t* count);
    // Whether a payload of size bytes is accepted for the type.
    static bool AcceptsSize(std::uint16_t type, std::uint32_t size);

    // Decodes one record of a type of the table; false for any other type.
    //
    // MULRK gives one RK object per column from the first to the last column
    // field. The count comes from the column fields, not from the size:
    // entries are read as long as the substream has bytes, so promised
    // entries past the record's end take the following bytes (within the
    // sheet's overrun allowance above). The first entry that cannot be read
    // ends the expansion and the cells before it stay. A first column above
    // the last column gives nothing.
    static bool Decode(std::uint16_t type, IExcelStreamReader& reader, CExcelSheetRecords& sheet,
                       std::uint32_t size, std::uint32_t position);
};
