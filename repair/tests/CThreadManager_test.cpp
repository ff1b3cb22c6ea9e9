// The save worker as the save screen and the multiple-file job drive it:
// the run state it publishes, stop requests left from an earlier save, and
// suspension at the save's stop checks.
#include "repair/CThreadManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "containers/CMFSDataContainer.h"
#include "model/CExcelData.h"
#include "platform/ScopedMessageCapture.h"
#include "repair/RepairFile.h"
#include "repair/tests/support/JobFixtures.h"
#include "repair/tests/support/RepairFixtures.h"
#include "server/automation/CXlsApplicationServer.h"

namespace fs = std::filesystem;
using jobtest::Eventually;
using jobtest::kWorkerBoundMs;
using testsupport::ScopedTempDir;

namespace {

class CThreadManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        CXlsApplicationServer::Register();
        jobtest::ResetWorkerRunState();
    }
    void TearDown() override { jobtest::ResetWorkerRunState(); }

    // A repaired workbook of one sheet with rows numbers in column A, to be
    // saved as out.xls in the test's folder.
    std::unique_ptr<CExcelData> RepairedWorkbook(std::uint16_t rows) {
        const fs::path source = m_temp.Path() / "source.xls";
        EXPECT_TRUE(testsupport::WriteFileBytes(
            source, repairtest::InCompoundFile(repairtest::NumberWorkbook(rows))));
        auto data = std::make_unique<CExcelData>();
        data->SetSourcePath(source);
        EXPECT_TRUE(RepairFile(data.get()));
        data->SetDestinationPath(m_temp.Path() / "out.xls");
        return data;
    }

    ScopedTempDir m_temp;
};

}  // namespace

TEST_F(CThreadManagerTest, ASaveHandedJobDataEndsWithResultTwoAndSignalsDone) {
    CMFSDataContainer job;
    CThreadManager manager;
    manager.SetData(&job);
    EXPECT_EQ(manager.Start(), 0);
    ASSERT_TRUE(SaveDone.WaitFor(kWorkerBoundMs));
    std::uint32_t result = 0;
    EXPECT_TRUE(manager.GetResult(&result));
    EXPECT_EQ(result, 2u);
    EXPECT_EQ(SaveRunning.load(), 0);
}

TEST_F(CThreadManagerTest, APollerThatSeesTheSaveEndReadsThatSavesResult) {
    // The saving screen reads SaveResult as soon as SaveRunning drops; a
    // result still left from an earlier save would send it the wrong way.
    CMFSDataContainer job;
    CThreadManager manager;
    manager.SetData(&job);
    for (int run = 0; run < 20; ++run) {
        SaveResult.store(0);
        manager.Start();
        ASSERT_TRUE(Eventually([] { return SaveRunning.load() == 0; }));
        EXPECT_EQ(SaveResult.load(), 2u) << "run " << run;
        ASSERT_TRUE(SaveDone.WaitFor(kWorkerBoundMs));
    }
}

TEST_F(CThreadManagerTest, SetDataAndStartClearAStopRequestLeftFromAnEarlierSave) {
    CMFSDataContainer job;
    CThreadManager manager;
    manager.Stop();
    EXPECT_EQ(SaveStopRequested.load(), 1);
    manager.SetData(&job);
    EXPECT_EQ(SaveStopRequested.load(), 0);
    manager.Stop();
    manager.Start();
    EXPECT_EQ(SaveStopRequested.load(), 0);
    ASSERT_TRUE(SaveDone.WaitFor(kWorkerBoundMs));
}

TEST_F(CThreadManagerTest, AStopLeftFromAnEarlierSaveDoesNotStopTheNextOne) {
    auto data = RepairedWorkbook(20);
    ScopedMessageCapture messages;
    CThreadManager manager;
    manager.SetData(data.get());
    manager.Stop();
    manager.Start();
    ASSERT_TRUE(SaveDone.WaitFor(kWorkerBoundMs));
    EXPECT_EQ(SaveResult.load(), 0u);
    EXPECT_TRUE(fs::exists(data->GetDestinationPath()));
    EXPECT_EQ(messages.Count(), 0u);
}

TEST_F(CThreadManagerTest, ASuspendedSaveHoldsAtItsStopCheckAndAStopThereEndsIt) {
    auto data = RepairedWorkbook(20);
    ScopedMessageCapture messages;
    CThreadManager manager;
    manager.SetData(data.get());
    EXPECT_TRUE(manager.Suspend());
    manager.Start();
    const bool held = Eventually([] { return SaveWorkerGate.WaitingCount() == 1; });
    EXPECT_TRUE(held) << "the save never reached a stop check";
    EXPECT_EQ(SaveRunning.load(), 1);
    EXPECT_FALSE(fs::exists(data->GetDestinationPath()));

    // The save screen's "&Stop" once confirmed: the request is seen at the
    // check the worker is held at.
    manager.Stop();
    EXPECT_TRUE(manager.Resume());
    ASSERT_TRUE(SaveDone.WaitFor(kWorkerBoundMs));
    EXPECT_EQ(SaveResult.load(), 1u);
    EXPECT_EQ(SaveRunning.load(), 0);
    EXPECT_FALSE(fs::exists(data->GetDestinationPath()));
}

TEST_F(CThreadManagerTest, ResumingWhatThisManagerNeverSuspendedLeavesTheGateClosed) {
    // The job screen holds the save gate through the job's own suspension;
    // a stray Resume of a save manager must not let the save run on.
    SaveWorkerGate.Suspend();
    CThreadManager manager;
    EXPECT_TRUE(manager.Resume());
    EXPECT_TRUE(SaveWorkerGate.IsSuspended());
    SaveWorkerGate.Resume();
}
