// What the readers tell about the bytes they could not use: a range of the
// scan file (the extracted Workbook stream or the damaged file itself),
// why it was skipped, the sheet (or the globals) whose records it fell
// among, and the rows
// of the last cell before it and the first cell after it, so that a user
// learns where in the sheet something may be missing.
#pragma once

#include <cstdint>
#include <optional>

enum class ESkipReason : std::uint8_t {
    ZeroedBytes,      // a run of zero bytes where records belong (a zeroed sector)
    OversizedRecord,  // a header declaring a length its record cannot have
    UnreadableBytes,  // bytes the file would not give
    UnsoundStrings,   // shared strings dropped rather than read from the wrong place
};

struct CDamagedRange {
    std::uint32_t begin = 0;
    std::uint32_t end = 0;  // one past the last byte
    ESkipReason kind = ESkipReason::ZeroedBytes;
    // The offset of the BOF of the sheet whose stretch holds the range, or
    // of the workbook's globals when globals is true.
    std::uint32_t substream = 0;
    std::optional<std::uint16_t> rowBefore;  // 0-based
    std::optional<std::uint16_t> rowAfter;
    // The range lies among a workbook's global records (formats, fonts,
    // the shared strings, the sheet list), not a sheet's.
    bool globals = false;
};

class IDamageReporter {
public:
    virtual ~IDamageReporter() = default;
    virtual void Skipped(const CDamagedRange& range) = 0;
};
