// The preview worker: the run state around a fill and a stop between pages.
#include "repair/CSFSPreviewThreadManager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "containers/IPreviewFill.h"
#include "repair/tests/support/JobFixtures.h"

using jobtest::Eventually;

namespace {

// Fills pages until PreviewStop asks it to end, noting what it saw.
class PagedFill : public IPreviewFill {
public:
    void Fill() override {
        m_runningSeen.store(PreviewRunning.load());
        m_stopSeenAtStart.store(PreviewStop.load());
        while (PreviewStop.load() == 0 && m_pages.load() < kMaxPages) {
            m_pages.fetch_add(1);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    static constexpr int kMaxPages = 1000000;
    std::atomic<int> m_pages{0};
    std::atomic<int> m_runningSeen{-1};
    std::atomic<int> m_stopSeenAtStart{-1};
};

class PreviewWorkerTest : public ::testing::Test {
protected:
    void SetUp() override { jobtest::ResetWorkerRunState(); }
    void TearDown() override { jobtest::ResetWorkerRunState(); }
};

}  // namespace

TEST_F(PreviewWorkerTest, AStopLeftFromAnEarlierPreviewIsClearedAndTheNextStopEndsTheFill) {
    PagedFill fill;
    PreviewStop.store(1);
    CSFSPreviewThreadManager manager;
    manager.SetData(&fill);
    EXPECT_EQ(manager.Start(), 0);
    ASSERT_TRUE(Eventually([&fill] { return fill.m_pages.load() > 2; }));
    EXPECT_EQ(PreviewRunning.load(), 1);
    PreviewStop.store(1);
    ASSERT_TRUE(Eventually([] { return PreviewRunning.load() == 0; }));
    EXPECT_EQ(fill.m_runningSeen.load(), 1);
    EXPECT_EQ(fill.m_stopSeenAtStart.load(), 0);
    EXPECT_LT(fill.m_pages.load(), PagedFill::kMaxPages);
}

TEST_F(PreviewWorkerTest, ASecondStartWaitsForTheFirstFillAndRunsAgain) {
    PagedFill fill;
    CSFSPreviewThreadManager manager;
    manager.SetData(&fill);
    manager.Start();
    ASSERT_TRUE(Eventually([&fill] { return fill.m_pages.load() > 0; }));
    PreviewStop.store(1);
    manager.Start();  // joins the first fill, then clears the stop
    ASSERT_TRUE(Eventually([&fill] { return fill.m_stopSeenAtStart.load() == 0; }));
    PreviewStop.store(1);
    ASSERT_TRUE(Eventually([] { return PreviewRunning.load() == 0; }));
}

TEST_F(PreviewWorkerTest, ANullFillEndsAtOnce) {
    CSFSPreviewThreadManager manager;
    manager.Start();
    ASSERT_TRUE(Eventually([] { return PreviewRunning.load() == 0; }));
}
