// The CONTINUE chain of a shared-string table read through damage: the
// records after an SST are CONTINUE records up to EXTSST, so a header in
// that chain whose type or length was damaged can be told apart from the
// end of the table by where the chain goes on after it.
//
// Positions are offsets in the scanned file; limit is the end of the
// stretch being read (no header at or past it is looked at). Reads only
// through file, never more than the longest CONTINUE ahead at once.
#pragma once

#include <cstdint>

class CInputFile;

class CSstContinueChain {
public:
    // The type and length of the header at position; false when it does not
    // lie whole before limit.
    static bool HeaderAt(const CInputFile& file, std::uint64_t position, std::uint64_t limit,
                         std::uint16_t& type, std::uint32_t& length);

    // An SST (at position) whose declared length no body has, or that ends
    // where the next header's length is one no body has: length becomes
    // the bytes up to the CONTINUE or EXTSST the chain goes on at, when
    // there is one (true then).
    static bool RepairSstLength(const CInputFile& file, std::uint64_t position, std::uint64_t limit,
                                std::uint32_t& length);

    // A CONTINUE of the SST at sstPosition whose declared length does not
    // end where the chain goes on: data becomes the bytes up to the next
    // CONTINUE or EXTSST the chain goes on at, when there is one.
    static void RepairContinue(const CInputFile& file, std::uint64_t position, std::uint64_t limit,
                               std::uint64_t sstPosition, std::uint32_t& data);

    // True when the header at position, met inside the SST's CONTINUE chain,
    // is a CONTINUE whose type (taken as it stands, data set from its
    // length) or whole header (damaged set, data up to where the chain goes
    // on) was damaged; false when the chain ends there.
    static bool DamagedContinue(const CInputFile& file, std::uint64_t position, std::uint64_t limit,
                                std::uint64_t sstPosition, std::uint32_t& data, bool& damaged);
};
