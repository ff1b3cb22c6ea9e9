// The damaged ranges the readers reported during one repair, in the order
// reported; a range that continues the one before it (same kind, same
// sheet, no gap) extends it. Holds at most kMaxRanges of them; past that it
// only counts, so that a file of nothing but damage cannot grow it without
// bound.
#pragma once

#include <cstdint>
#include <vector>

#include "biff/IDamageReporter.h"

class CDamageLog : public IDamageReporter {
public:
    static constexpr std::size_t kMaxRanges = 10000;

    void Skipped(const CDamagedRange& range) override;
    void Clear();

    const std::vector<CDamagedRange>& GetRanges() const { return m_ranges; }
    // Ranges reported, kept or not.
    std::uint64_t GetReported() const { return m_reported; }

private:
    std::vector<CDamagedRange> m_ranges;
    std::uint64_t m_reported = 0;
};
