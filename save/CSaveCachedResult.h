// Writes the cached result of a FORMULA record as its cell's value: a
// number, a text (from the STRING record), a Boolean or a cell error; an
// empty result writes nothing. The cell's format, number format included,
// is the cell format the formula writer puts afterwards.
//
// The save writes every formula cell's result this way before it writes the
// formulas: the server keeps a cell's value as the cached result of a
// formula put on it afterwards, so the saved file carries the values the
// source showed, and a formula that cannot be written leaves the value.
#pragma once

#include <cstdint>

class CExcelRecordFormula;
class CXLEzAutomation;

class CSaveCachedResult {
public:
    // row and column are 1-based, as the facade takes them.
    static void Write(CXLEzAutomation& automation, const CExcelRecordFormula& record,
                      std::int32_t row, std::int32_t column);

    // The value byte of a tagged result: 0/1 for a Boolean, the code for an
    // error (byte 2 of the eight cached-result bytes).
    static std::uint8_t TaggedValue(const CExcelRecordFormula& record);
};
