#include "platform/PauseGate.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Polls until the condition holds, for at most ten seconds (a generous bound
// so that a broken gate fails the test instead of hanging it).
template <typename Condition>
bool Eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::yield();
    }
    return true;
}

// A worker loop as the repair's: pass the gate, then do one step of work.
struct Worker {
    PauseGate& gate;
    std::atomic<std::uint64_t> steps{0};
    std::atomic<bool> stop{false};
    std::thread thread;

    explicit Worker(PauseGate& g) : gate(g) {
        thread = std::thread([this] {
            while (!stop.load()) {
                gate.Pass();
                steps.fetch_add(1);
            }
        });
    }
    ~Worker() {
        stop.store(true);
        while (gate.IsSuspended()) gate.Resume();
        thread.join();
    }
};

}  // namespace

TEST(PauseGate, AnOpenGateLetsTheWorkerThrough) {
    PauseGate gate;
    EXPECT_FALSE(gate.IsSuspended());
    gate.Pass();
    Worker worker(gate);
    EXPECT_TRUE(Eventually([&] { return worker.steps.load() > 1000; }));
}

TEST(PauseGate, ASuspendedWorkerMakesNoProgressUntilResumed) {
    PauseGate gate;
    Worker worker(gate);
    ASSERT_TRUE(Eventually([&] { return worker.steps.load() > 0; }));

    EXPECT_TRUE(gate.Suspend());
    ASSERT_TRUE(Eventually([&] { return gate.WaitingCount() == 1; }));
    const std::uint64_t parked = worker.steps.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // give it a chance to misbehave
    EXPECT_EQ(worker.steps.load(), parked);
    EXPECT_EQ(gate.WaitingCount(), 1u);

    EXPECT_TRUE(gate.Resume());
    EXPECT_TRUE(Eventually([&] { return worker.steps.load() > parked; }));
    EXPECT_FALSE(gate.IsSuspended());
}

TEST(PauseGate, EachSuspendNeedsItsResume) {
    PauseGate gate;
    Worker worker(gate);
    gate.Suspend();
    gate.Suspend();
    ASSERT_TRUE(Eventually([&] { return gate.WaitingCount() == 1; }));
    const std::uint64_t parked = worker.steps.load();

    gate.Resume();
    EXPECT_TRUE(gate.IsSuspended());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(worker.steps.load(), parked);

    gate.Resume();
    EXPECT_TRUE(Eventually([&] { return worker.steps.load() > parked; }));
}

TEST(PauseGate, ResumeOfAnOpenGateIsHarmless) {
    PauseGate gate;
    EXPECT_TRUE(gate.Resume());
    EXPECT_TRUE(gate.Resume());
    EXPECT_FALSE(gate.IsSuspended());
    // A stray resume must not cancel the next suspension in advance.
    gate.Suspend();
    EXPECT_TRUE(gate.IsSuspended());
    gate.Resume();
    EXPECT_FALSE(gate.IsSuspended());
}

TEST(PauseGate, TheWorkerGatesAreSeparate) {
    RepairWorkerGate.Suspend();
    EXPECT_TRUE(RepairWorkerGate.IsSuspended());
    EXPECT_FALSE(SaveWorkerGate.IsSuspended());
    EXPECT_FALSE(JobWorkerGate.IsSuspended());
    SaveWorkerGate.Pass();  // returns at once
    RepairWorkerGate.Resume();
    EXPECT_FALSE(RepairWorkerGate.IsSuspended());
}
