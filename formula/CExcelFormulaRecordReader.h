// Reads the FORMULA and TABLE records of a worksheet substream into the
// worksheet model, for the worksheet parser.
//
// Both readers take the record's position (the offset of its 4-byte header
// in the scan file) and its declared payload size, as the cell-record
// decoders do, and read through the parser's read operation, which never
// returns bytes past the end of the sheet being parsed.
//
// A FORMULA record takes its companions from the records that directly
// follow it, and only from those:
//   FORMULA [SHRFMLA | ARRAY] [STRING [CONTINUE...]]
// The SHRFMLA or ARRAY record right after it is attached, and the FORMULA
// record becomes one of the sheet's formula hosts; a STRING record right
// after that (or right after the FORMULA record when nothing was attached)
// gives the text of a string result, carried on by the CONTINUE records
// that directly follow it while characters are owed. A record of any other
// type in between ends the look-ahead, so nothing further away is ever
// taken. The parser steps over SHRFMLA, ARRAY, STRING and CONTINUE records
// itself.
//
// Runs on the repair worker thread.
#pragma once

#include <cstdint>

class CExcelSheetFormulas;
class IExcelStreamReader;

class CExcelFormulaRecordReader {
public:
    // Reads the FORMULA record at position and its companions. False when
    // the size is below 20 or above 0xFFFF, or the record's data cannot be
    // read (nothing is kept); also false when the header or data of a record
    // after it cannot be read (the FORMULA record stays in the sheet's
    // formula list, with whatever was attached before the failure).
    static bool ReadFormula(IExcelStreamReader& reader, CExcelSheetFormulas& sheet,
                            std::uint32_t size, std::uint32_t position);

    // Reads a TABLE record of exactly 16 bytes into the sheet's table list.
    // False, keeping nothing, for any other size or when its data cannot be
    // read.
    static bool ReadTable(IExcelStreamReader& reader, CExcelSheetFormulas& sheet,
                          std::uint32_t size, std::uint32_t position);
};
