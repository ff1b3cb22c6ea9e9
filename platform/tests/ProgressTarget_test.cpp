#include "platform/ProgressTarget.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST(ProgressTarget, StartsLikeAFreshProgressBar) {
    ProgressTarget target;
    EXPECT_EQ(target.GetLower(), 0u);
    EXPECT_EQ(target.GetUpper(), 100u);
    EXPECT_EQ(target.GetPosition(), 0u);
}

TEST(ProgressTarget, KeepsFullThirtyTwoBitBounds) {
    ProgressTarget target;
    target.SetRange(7, 0xFFFFFFFFu);
    EXPECT_EQ(target.GetLower(), 7u);
    EXPECT_EQ(target.GetUpper(), 0xFFFFFFFFu);
}

TEST(ProgressTarget, AReaderNeverSeesHalfOfARangeChange) {
    // The worker switches between two ranges (a repair's, then a save's) for
    // as long as a screen keeps reading: every range read must be one that
    // was set, and the position only ever moves forward.
    ProgressTarget target;
    target.SetRange(0, 10);
    std::atomic<bool> started{false};
    std::atomic<bool> stop{false};
    std::uint32_t written = 0;
    std::thread worker([&] {
        started.store(true);
        while (!stop.load()) {
            ++written;
            if (written % 2) target.SetRange(100, 200);
            else target.SetRange(0, 10);
            target.SetPosition(written);
        }
    });
    while (!started.load()) std::this_thread::yield();
    int torn = 0;
    std::uint32_t lastPosition = 0;
    bool backwards = false;
    for (int read = 0; read < 1000000; ++read) {
        const ProgressTarget::Range range = target.GetRange();
        const bool known = (range.lower == 0 && range.upper == 10) ||
                           (range.lower == 100 && range.upper == 200);
        if (!known) ++torn;
        const std::uint32_t position = target.GetPosition();
        if (position < lastPosition) backwards = true;
        lastPosition = position;
    }
    stop.store(true);
    worker.join();
    EXPECT_EQ(torn, 0);
    EXPECT_FALSE(backwards);
    EXPECT_EQ(target.GetPosition(), written);
}
