// Whether a BIFF8 BOF record of a workbook's globals, a worksheet or a macro
// sheet starts at some bytes: the one test that the substream search and the
// repair's verdict on what a scan found both make.
#pragma once

#include <cstdint>

class CBofSignature {
public:
    // bytes points at a candidate record's first byte and has at least
    // biff::kBofTestSize bytes readable. Returns the substream type
    // (biff::kSubstreamGlobals, biff::kSubstreamWorksheet, which dialog
    // sheets share, or biff::kSubstreamMacroSheet) of a BOF that starts
    // there, or 0 when none does: other substream types (charts, whose BOFs
    // also sit inside worksheets) are not taken, and a body length other
    // than 16 only in the short BIFF8 form (8 to 15 bytes, version 0x0600).
    static std::uint16_t SubstreamAt(const std::uint8_t* bytes);
};
