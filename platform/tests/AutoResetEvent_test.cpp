#include "platform/AutoResetEvent.h"

#include <gtest/gtest.h>

#include <thread>

TEST(AutoResetEvent, SignalBeforeWaitIsKeptAndConsumedOnce) {
    AutoResetEvent event;
    event.Set();
    EXPECT_TRUE(event.WaitFor(0));
    EXPECT_FALSE(event.WaitFor(0));
}

TEST(AutoResetEvent, WakesAWaiterOnAnotherThread) {
    AutoResetEvent event;
    std::thread worker([&] { event.Set(); });
    event.Wait();
    worker.join();
    EXPECT_FALSE(event.WaitFor(0));
}
