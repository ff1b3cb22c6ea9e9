// Turns a formula compiled for one cell into the form that DV and CF
// records keep: a ptgRef or ptgArea with a relative part becomes a ptgRefN
// or ptgAreaN whose relative rows and columns are offsets from a base cell
// (the first cell of the range the record covers); rows and columns with
// "$" stay as they are, and a reference that is "$" throughout stays a
// ptgRef or ptgArea. Each offset is stored in the field's own width, the row as a
// 16-bit and the column as an 8-bit two's complement.
//
// A list source (the formula 1 of a list validation) that is a single
// reference or name takes the reference class, as the spreadsheet stores
// it; everything else keeps the classes of the cell formula.
#pragma once

#include <cstdint>

#include "server/CXlsFormulaTokens.h"

class CXlsRelativeFormula {
public:
    // The converted copy of `tokens` in `out`. False, with `out` unchanged,
    // for tokens the walker does not know, a reference to another sheet
    // (3-D references and external names: these records cannot name other
    // sheets), or extra data (array constants, which they cannot keep).
    static bool Convert(const CXlsFormulaTokens& tokens, std::uint32_t baseRow,
                        std::uint32_t baseColumn, bool listSource, CXlsFormulaTokens& out);
};
