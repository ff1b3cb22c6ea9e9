// Rewrites the records of Excel 5.0/95 (BIFF5) substreams as BIFF8 records,
// so that a reader of BIFF8 streams reads an Excel 5.0/95 workbook.
//
// A BIFF5 substream runs from a BIFF5 BOF (type 0x0809, length 8, version
// 0x0500) to its EOF, BOF/EOF pairs nested inside it included. Strings are
// decoded in the code page of the CODEPAGE record and written as BIFF8
// strings (CODEPAGE then says 1200); XF, DIMENSIONS, BOF and the string
// records take their BIFF8 layout; formulas are rewritten token by token,
// and a formula cell whose tokens have no BIFF8 form keeps its cached value
// as a plain cell. 3-D references to this workbook's sheets go through one
// SUPBOOK for the own workbook and one EXTERNSHEET, written in the globals
// where the first EXTERNSHEET or NAME stood, or after the BOUNDSHEETs when
// those came later (BIFF8 readers want the sheet list first); the NAMEs
// move with them. Page breaks gain their BIFF8 spans. BOUNDSHEET positions are moved
// to where the sheets' BOFs now are. Records whose layout or stream offsets
// no longer hold (EXTERNNAME, NOTE, OBJ, TXO, IMDATA, INDEX, DBCELL,
// WRITEACCESS, EXTERNCOUNT, XCT, CRN) are dropped; all others are copied.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

class CBiff5Upgrade {
public:
    // Whether bytes hold the BOF of a BIFF5 workbook globals substream
    // (type 0x0809, length 8, version 0x0500, substream type 0x0005) at an
    // offset that is a multiple of 64 (a stream starts at a sector or
    // mini-sector boundary, or at 0 for a bare stream). Checks only those
    // offsets.
    static bool HoldsBiff5Workbook(std::span<const std::uint8_t> bytes);

    // bytes with every BIFF5 substream rewritten as BIFF8 records. Bytes
    // outside BIFF5 substreams, and BIFF8 substreams, are kept as they are.
    // A record whose length runs past the input or past 8224 bytes ends the
    // rewriting there; the bytes from it on are copied up to the next BIFF5
    // BOF. Never throws; the result is at most a few times the input's size.
    static std::vector<std::uint8_t> Upgrade(std::span<const std::uint8_t> bytes);
};
