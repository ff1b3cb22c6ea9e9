// Finding the record framing again after a header whose length cannot be
// right: more than the 8,224 bytes a BIFF8 body can hold, or a size the
// record's layout does not allow.
//
// A position is taken for a record start when a chain of records begins
// there whose every header is sound: a type that workbook streams hold with
// a length its layout allows (NUMBER is 14 bytes, ROW 16, MULRK six
// bytes per column after its six, ...). A chain may end early at the end of
// the stretch or at an EOF record. Random bytes pass one such header now and
// then; three in a row, each starting where the last ends, they almost
// never do.
#pragma once

#include <cstdint>
#include <optional>

#include "biff/IExcelStreamReader.h"

class CRecordChain {
public:
    // Sound headers a chain needs (fewer when the stretch or an EOF ends it).
    static constexpr int kChainLength = 3;

    // True when type is a record of the globals or worksheet substreams with
    // a body of size bytes allowed by its layout. Types outside the table
    // are not sound.
    static bool IsSoundHeader(std::uint16_t type, std::uint32_t size);

    // True when a header declares a length its record cannot have: more
    // than any body holds, or, for a type of the table, a size its layout
    // does not allow (a NUMBER of 3,000 bytes). Types outside the table may
    // have any length up to the most a body holds.
    static bool IsWrongLength(std::uint16_t type, std::uint32_t size);

    // True when a header names a type of the table with a length a body can
    // have, whatever its layout says: writers pad some records (a BOOLERR of
    // 12 bytes), so this is what tells that a record of a wrong length still
    // ends where it says. KnownHeaderAt reads the header at offset.
    static bool IsKnownHeader(std::uint16_t type, std::uint32_t size);
    static bool KnownHeaderAt(IExcelStreamReader& reader, std::uint32_t offset, std::uint32_t end);

    // The first offset in [from, last] at which a chain of sound records
    // starts that stays within end; nothing when there is none. Reads only
    // through reader, at offsets below end.
    static std::optional<std::uint32_t> FindStart(IExcelStreamReader& reader, std::uint32_t from,
                                                  std::uint32_t last, std::uint32_t end);

    // The offset of the first non-zero byte at or after from, below end:
    // where a run of zero bytes (a zeroed sector, or a burst of zeros) ends.
    // Nothing when the zeros reach end or reader fails. A record may begin
    // one byte before it (a type such as 0x0200 starts with a zero byte).
    static std::optional<std::uint32_t> EndOfZeros(IExcelStreamReader& reader, std::uint32_t from,
                                                   std::uint32_t end);

    // True when a chain starts at offset.
    static bool StartsAt(IExcelStreamReader& reader, std::uint32_t offset, std::uint32_t end);
};
