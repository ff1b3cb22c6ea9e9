// Cell addresses in the spreadsheet's A1 notation, as Range.Address writes
// them and Worksheet.Range reads them: "$B$3", "$A$1:$C$4", whole columns
// "$A:$C", whole rows "$2:$5" (every part absolute unless asked otherwise).
// Rows and columns of a range are 0-based.
#pragma once

#include <string>
#include <string_view>

#include "server/CXlsCellRange.h"

class CXlsCellAddress {
public:
    // The address of a valid range; a range of every column is written as
    // rows, one of every row as columns.
    static std::u16string Format(const CXlsCellRange& range, bool rowAbsolute = true,
                                 bool columnAbsolute = true);
    // The column letters: 0 -> "A", 255 -> "IV".
    static std::u16string ColumnLetters(std::uint32_t column);

    // Reads a whole text holding one cell, area, whole-column or whole-row
    // reference, "$" parts allowed, without a sheet name. False for anything
    // else (names, unions, other sheets, trailing characters).
    static bool Parse(std::u16string_view text, CXlsCellRange& out);
};
