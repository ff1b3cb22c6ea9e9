// The spreadsheet's default fill (AutoFill with Type 0): the source range
// is copied over the rest of a destination that extends it down, up, right
// or left, the source repeating when the destination is longer. A formula
// is copied with its relative references moved by the distance from the
// source cell (references that leave the sheet become #REF!); each filled
// formula cell keeps the value it held as its cached result. Values and
// formats are copied as they are; empty source cells clear their copies.
#pragma once

#include <cstdint>

#include "server/CXlsCellRange.h"
#include "server/CXlsWorksheet.h"

class CXlsAutoFill {
public:
    enum class EResult : std::uint8_t {
        kFilled,
        kBadShape,    // the destination does not hold the source at one end
        kArrayPart,   // source or destination holds part of an array formula
        kBadFormula,  // a formula whose references could not be moved
        kRefused,     // the sheet refused a cell (the cells before it are filled)
    };

    static EResult Fill(CXlsWorksheet& sheet, const CXlsCellRange& source,
                        const CXlsCellRange& destination);

    // Whether any cell of the range belongs to an array formula that is not
    // wholly inside it (cells are visited only where they are stored).
    static bool CutsArray(const CXlsWorksheet& sheet, const CXlsCellRange& range);
    // Whether any cell of the range belongs to an array formula.
    static bool TouchesArray(const CXlsWorksheet& sheet, const CXlsCellRange& range);
};
