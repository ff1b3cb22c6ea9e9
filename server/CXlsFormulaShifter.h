// Moves the relative references of a compiled formula by a number of rows
// and columns, as the spreadsheet's fill does when it copies a formula to
// other cells (AutoFill): in ptgRef, ptgArea, ptgRef3d and ptgArea3d tokens
// of every class, a row or column written without "$" moves, one written
// with "$" stays. A reference that would leave the sheet (rows 0 to 65535,
// columns 0 to 255) becomes #REF!: ptgRefErr, ptgAreaErr, ptgRefErr3d or
// ptgAreaErr3d of the same class, a 3-D one keeping its EXTERNSHEET index.
// An area whose corners cross over is put back in order, each row and
// column keeping its "$".
#pragma once

#include <cstdint>

#include "server/CXlsFormulaTokens.h"

class CXlsFormulaShifter {
  public:
    // The moved copy of `tokens` in `out` (extra data unchanged); false, with
    // `out` unchanged, when the tokens hold a token it does not know or are
    // cut short.
    static bool Shift(const CXlsFormulaTokens& tokens, std::int32_t rowOffset,
                      std::int32_t columnOffset, CXlsFormulaTokens& out);
};
