// Reads the records of a worksheet substream that make up its cell
// comments into the sheet's comment list, for the worksheet parser: an
// OBJ record of a comment with the text of the TXO record after it, and
// the NOTE record that ties a cell to that object.
//
// Both readers take the record's position (the offset of its 4-byte header
// in the scan file) and its declared payload size, as the cell-record
// decoders do, and read through the parser's read operation, which never
// returns bytes past the end of the sheet being parsed.
//
// An OBJ record of another object type is left alone. For a comment's OBJ
// the reader looks at the records that directly follow it, and only at
// those:
//   OBJ [MSODRAWING | CONTINUE]... TXO CONTINUE...
// At most kMaxDrawingRecords drawing records (the text box's client data,
// which some writers carry in CONTINUE records) may stand between the OBJ
// and its TXO; any other record ends the look-ahead and the object keeps no
// text. The text comes from the CONTINUE records right after the TXO, each
// an option byte and characters, until the TXO's character count is
// reached. What the records hold is kept when they hold less: a CONTINUE
// cut by the end of the sheet gives the characters before the cut, and a
// text that ends early keeps what came. After the first CONTINUE, one that
// would give more characters than are still missing, or that has the size
// of the formatting runs the TXO declares without completing the text, is
// taken for those runs, not for text. The parser steps over the MSODRAWING,
// TXO and CONTINUE records itself.
//
// Runs on the repair worker thread.
#pragma once

#include <cstdint>

class CExcelSheetRecords;
class IExcelStreamReader;

class CExcelCommentReader {
public:
    static constexpr int kMaxDrawingRecords = 4;

    // Reads the OBJ record at position. True when it is a comment's object
    // and its text was kept (possibly cut, possibly empty); false for any
    // other object, for an OBJ too short to hold its type and id, and for a
    // comment's object whose TXO record was not found.
    static bool ReadObj(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
                        std::uint32_t position);

    // Reads the NOTE record at position into the sheet's comment list. A
    // NOTE cut by the end of the sheet keeps the bytes before the cut. False,
    // keeping nothing, when fewer than 8 payload bytes (up to the object id)
    // can be read.
    static bool ReadNote(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
                         std::uint32_t position);
};
