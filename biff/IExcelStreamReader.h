// The read operation through which the cell-record decoders fetch a
// record's bytes from the worksheet substream. The worksheet parser
// implements it over its read window; tests implement it over bytes in
// memory.
//
// Offsets count from the first byte of the scan file (the same offsets as
// the record positions the parser hands to the decoders). The readable
// stretch ends at the end of the sheet being parsed: bytes past it belong
// to the next substream and are never returned.
#pragma once

#include <cstdint>

class IExcelStreamReader {
public:
    virtual ~IExcelStreamReader() = default;

    // Copies count bytes starting at offset into out (which has room for
    // count bytes). False, with out's content unspecified, when offset lies
    // beyond the end of the stretch or fewer than count bytes lie between
    // offset and that end. A count of 0 at or before the end succeeds.
    virtual bool Read(std::uint32_t count, std::uint32_t offset, std::uint8_t* out) = 0;
};
