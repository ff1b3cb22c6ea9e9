#include "model/CDamageLog.h"

#include <gtest/gtest.h>

// Touching ranges of one kind in one sheet become one range that keeps the
// first's row before and the last's row after; a gap, another kind or
// another sheet (or the globals) starts a new range.
TEST(CDamageLog, TouchingRangesOfOneKindInOneSheetAreOne) {
    using K = ESkipReason;
    const struct {
        CDamagedRange next;
        std::size_t ranges;
        std::uint32_t lastEnd;
    } steps[] = {
        {{100, 104, K::OversizedRecord, 8, 3, 4, false}, 1, 104},
        {{104, 108, K::OversizedRecord, 8, 3, 7, false}, 1, 108},  // continues
        {{108, 112, K::ZeroedBytes, 8, 3, 7, false}, 2, 112},      // another kind
        {{116, 120, K::ZeroedBytes, 8, 3, 7, false}, 3, 120},      // a gap
        {{120, 124, K::ZeroedBytes, 900, 0, 1, false}, 4, 124},    // another sheet
        {{124, 128, K::ZeroedBytes, 900, {}, {}, true}, 5, 128},   // its workbook's globals
        {{128, 132, K::ZeroedBytes, 900, {}, {}, true}, 5, 132},   // continues
    };
    CDamageLog log;
    for (const auto& step : steps) {
        log.Skipped(step.next);
        ASSERT_EQ(log.GetRanges().size(), step.ranges) << step.next.begin;
        EXPECT_EQ(log.GetRanges().back().end, step.lastEnd);
        EXPECT_EQ(log.GetReported(), step.ranges);
    }
    EXPECT_EQ(log.GetRanges()[0].rowBefore, std::optional<std::uint16_t>(3));
    EXPECT_EQ(log.GetRanges()[0].rowAfter, std::optional<std::uint16_t>(7));
}
