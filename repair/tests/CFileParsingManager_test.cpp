// The repair worker as the screens and the multiple-file job drive it: the
// run state it publishes, stop requests, suspension between its steps.
#include "repair/CFileParsingManager.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "model/CExcelData.h"
#include "platform/ScopedMessageCapture.h"
#include "repair/CRepairVerdict.h"
#include "repair/tests/support/JobFixtures.h"
#include "repair/tests/support/RepairFixtures.h"

using namespace repairtest;
using jobtest::Eventually;
using jobtest::kWorkerBoundMs;
using testsupport::ScopedTempDir;
namespace fs = std::filesystem;

namespace {

class CFileParsingManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRunState();
        ParsingDone.Reset();
    }
    void TearDown() override { ResetRunState(); }

    std::unique_ptr<CExcelData> Source(const Bytes& bytes) {
        const fs::path path = m_temp.Path() / "damaged.xls";
        EXPECT_TRUE(testsupport::WriteFileBytes(path, bytes));
        auto data = std::make_unique<CExcelData>();
        data->SetSourcePath(path);
        return data;
    }

    ScopedTempDir m_temp;
};

}  // namespace

TEST_F(CFileParsingManagerTest, AWaitBeforeAnyStartReturnsAtOnce) {
    ParsingRunning.store(1);  // left over from a worker that died with the process before
    CFileParsingManager manager;
    EXPECT_EQ(ParsingRunning.load(), 0);
    EXPECT_TRUE(ParsingDone.WaitFor(kWorkerBoundMs));
}

TEST_F(CFileParsingManagerTest, StartClearsAStaleStopRequestAndTheRepairRuns) {
    auto data = Source(InCompoundFile(NumberWorkbook(30)));
    CFileParsingManager manager;
    ParsingDone.Reset();
    StopRequested.store(1);
    EXPECT_EQ(manager.Start(data.get()), 0);
    ASSERT_TRUE(ParsingDone.WaitFor(kWorkerBoundMs));
    EXPECT_EQ(ParsingSucceeded.load(), 1);
    EXPECT_EQ(ParsingRunning.load(), 0);
    EXPECT_EQ(StopRequested.load(), 0);
    EXPECT_EQ(CRepairVerdict::CountCellRecords(*data), 30u);
}

TEST_F(CFileParsingManagerTest, OneManagerRunsOneRepairAfterAnother) {
    auto first = Source(NumberWorkbook(5));
    CFileParsingManager manager;
    manager.Start(first.get());
    ASSERT_TRUE(ParsingDone.WaitFor(kWorkerBoundMs));
    EXPECT_EQ(ParsingSucceeded.load(), 1);

    CExcelData second;
    second.SetSourcePath("");
    ScopedMessageCapture messages;
    manager.Start(&second);
    ASSERT_TRUE(ParsingDone.WaitFor(kWorkerBoundMs));
    EXPECT_EQ(ParsingSucceeded.load(), 0);
    EXPECT_EQ(messages.Count(), 1u);  // "Invalid source file path"
}

TEST_F(CFileParsingManagerTest, AStopDuringTheScanEndsTheRepairAsFailed) {
    // A large file of zero bytes keeps the BOF search busy long enough to be
    // stopped in the middle; it is sparse, so it costs no disk.
    const fs::path path = m_temp.Path() / "large.xls";
    testsupport::WriteFileBytes(path, {});
    constexpr std::uint32_t kLength = 256u << 20;
    fs::resize_file(path, kLength);
    CExcelData data;
    data.SetSourcePath(path);
    ScopedMessageCapture messages;

    CFileParsingManager manager;
    ParsingDone.Reset();
    manager.Start(&data);
    // The search publishes its position as it goes.
    ASSERT_TRUE(Eventually([] { return RepairProgress.load() > 0; }));
    EXPECT_EQ(ParsingRunning.load(), 1);
    StopRequested.store(1);
    ASSERT_TRUE(ParsingDone.WaitFor(kWorkerBoundMs));

    EXPECT_EQ(ParsingSucceeded.load(), 0);
    EXPECT_EQ(StopRequested.load(), 0);
    EXPECT_EQ(ParsingRunning.load(), 0);
    // The search ended where it saw the request, not at the end of the file,
    // and a stopped repair is not reported as one that found nothing.
    EXPECT_LT(RepairProgress.load(), kLength / 2);
    EXPECT_EQ(messages.Count(), 0u);
}

TEST_F(CFileParsingManagerTest, ASuspendedWorkerWaitsAtItsNextCheckUntilResumed) {
    auto data = Source(InCompoundFile(NumberWorkbook(30)));
    CFileParsingManager manager;
    ParsingDone.Reset();
    EXPECT_TRUE(manager.Suspend());
    manager.Start(data.get());
    ASSERT_TRUE(Eventually([] { return RepairWorkerGate.WaitingCount() == 1; }));
    // Held at its first check: running, nothing done, not ended.
    EXPECT_EQ(ParsingRunning.load(), 1);
    EXPECT_EQ(data->GetBOFList().GetCount(), 0u);
    EXPECT_TRUE(data->GetExtractedPath().empty());
    EXPECT_FALSE(ParsingDone.WaitFor(0));

    EXPECT_TRUE(manager.Resume());
    ASSERT_TRUE(ParsingDone.WaitFor(kWorkerBoundMs));
    EXPECT_EQ(ParsingSucceeded.load(), 1);
    EXPECT_EQ(CRepairVerdict::CountCellRecords(*data), 30u);
}

TEST_F(CFileParsingManagerTest, AManagerDestroyedMidRunStopsAndJoinsItsWorker) {
    // The desktop document frees its manager before the workbook: once the
    // manager is gone nothing may read the workbook (ASan sees a detached
    // worker reading the freed data).
    const fs::path path = m_temp.Path() / "large.xls";
    testsupport::WriteFileBytes(path, {});
    fs::resize_file(path, 256u << 20);
    auto data = std::make_unique<CExcelData>();
    data->SetSourcePath(path);
    {
        CFileParsingManager manager;
        manager.Start(data.get());
        ASSERT_TRUE(Eventually([] { return RepairProgress.load() > 0; }));
        manager.Suspend();  // a question left open when the program closes
    }
    EXPECT_EQ(ParsingRunning.load(), 0);
    EXPECT_EQ(StopRequested.load(), 0);
    EXPECT_EQ(ParsingSucceeded.load(), 0);
    EXPECT_FALSE(RepairWorkerGate.IsSuspended());
    data.reset();
}
