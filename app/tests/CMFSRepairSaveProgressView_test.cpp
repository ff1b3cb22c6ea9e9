// Screen 9: starting the job, its rows, skipping, and the timer's end.

#include <QLabel>

#include "app/CMainFrame.h"
#include "app/CViewManger.h"
#include "app/tests/CMFSScreenTest.h"
#include "platform/PauseGate.h"
#include "platform/RunState.h"

namespace {

class CMFSRepairSaveProgressViewTest : public CMFSScreenTest {
protected:
    void SetUp() override {
        CMFSScreenTest::SetUp();
        StartOnFileList();
        m_out = ToQString(m_scratch / "out");
    }

    std::vector<std::filesystem::path> ThreeSamples() {
        return {WriteDamagedSample(QStringLiteral("one.xls")),
                WriteDamagedSample(QStringLiteral("two.xls")),
                WriteDamagedSample(QStringLiteral("three.xls"))};
    }

    QStringList ResultColumn(int column) const {
        return Column(*List(ResultScreen(), QStringLiteral("ResultList")), column);
    }

    QString m_out;
};

// --- Starting ---------------------------------------------------------------------

TEST_F(CMFSRepairSaveProgressViewTest, NoJobDataShowsTheErrorAndStartsNothing) {
    ProgressScreen().StartJob();

    EXPECT_EQ(m_dialogs.informed, QStringList{QStringLiteral("Error: NULL data container")});
    EXPECT_EQ(JobRunning.load(), 0u);
    EXPECT_FALSE(ProgressScreen().IsTimerActive());
}

TEST_F(CMFSRepairSaveProgressViewTest, HasTheFourColumnsAndBothButtons) {
    CMFSFileList* list = List(ProgressScreen(), QStringLiteral("JobList"));
    ASSERT_EQ(list->columnCount(), 4);
    const QTreeWidgetItem* header = list->headerItem();
    EXPECT_EQ(header->text(0), QStringLiteral("S. No."));
    EXPECT_EQ(header->text(1), QStringLiteral("Source File"));
    EXPECT_EQ(header->text(2), QStringLiteral("Destination File"));
    EXPECT_EQ(header->text(3), QStringLiteral("Status"));
    EXPECT_NE(Button(ProgressScreen(), QStringLiteral("&Skip")), nullptr);
    EXPECT_NE(Button(ProgressScreen(), QStringLiteral("Skip &All")), nullptr);
}

// --- While the job runs ------------------------------------------------------------
// The job's final message is answered on this thread, so the job cannot end
// before the test lets the event loop run.

TEST_F(CMFSRepairSaveProgressViewTest, TimerWhileTheJobRunsKeepsTheScreen) {
    RunToJob({WriteDamagedSample()}, m_out);
    ASSERT_EQ(JobRunning.load(), 1u);
    ProgressScreen().OnTimer();

    EXPECT_EQ(CurrentIndex(), CViewManger::MFSRepairSaveProgress);
    EXPECT_TRUE(ProgressScreen().IsTimerActive());
    ASSERT_TRUE(WaitForJobEnd());
}

TEST_F(CMFSRepairSaveProgressViewTest, SkipAllAnsweredNoLeavesTheJobRunningUnchanged) {
    RunToJob(ThreeSamples(), m_out);
    std::uint32_t runningWhileAsked = 0;
    bool pausedWhileAsked = false;
    m_dialogs.onConfirm = [&] {
        runningWhileAsked = JobRunning.load();
        pausedWhileAsked = JobWorkerGate.IsSuspended() && RepairWorkerGate.IsSuspended() &&
                           SaveWorkerGate.IsSuspended();
    };
    m_dialogs.confirmAnswers.push_back(false);
    Button(ProgressScreen(), QStringLiteral("Skip &All"))->click();

    EXPECT_EQ(m_dialogs.confirmations.size(), 1);
    EXPECT_EQ(runningWhileAsked, 1u);
    EXPECT_TRUE(pausedWhileAsked);
    EXPECT_FALSE(JobWorkerGate.IsSuspended());
    EXPECT_EQ(SkipAll.load(), 0u);
    ASSERT_TRUE(WaitForJobEnd());
    ProgressScreen().OnTimer();
    EXPECT_EQ(ResultColumn(3), (QStringList{"Saved", "Saved", "Saved"}));
}

TEST_F(CMFSRepairSaveProgressViewTest, SkipAllConfirmedEndsTheJobAfterTheCurrentFile) {
    RepairWorkerGate.Suspend();
    RunToJob(ThreeSamples(), m_out);
    const bool held = WaitUntil([] { return RepairWorkerGate.WaitingCount() == 1; });
    m_dialogs.confirmAnswers.push_back(true);
    const bool confirmed = ProgressScreen().ConfirmSkipAll();
    RepairWorkerGate.Resume();
    ASSERT_TRUE(held);
    EXPECT_TRUE(confirmed);

    ASSERT_TRUE(WaitForJobEnd());
    ProgressScreen().OnTimer();
    ASSERT_EQ(CurrentIndex(), CViewManger::MFSRepairSavedStatus);
    // The files never begun have no destination and count as failed.
    const QStringList status = ResultColumn(3);
    const QStringList destinations = ResultColumn(2);
    ASSERT_EQ(status.size(), 3);
    EXPECT_EQ(status.mid(1), (QStringList{"Failed", "Failed"}));
    EXPECT_EQ(destinations.mid(1), (QStringList{"...", "..."}));
    EXPECT_EQ(ResultColumn(4).mid(1),
              QStringList(2, QStringLiteral("The job was stopped before this file was begun.")));
    EXPECT_NE(destinations[0], QStringLiteral("..."));
}

TEST_F(CMFSRepairSaveProgressViewTest, SkipAllWithoutAJobAsksNothing) {
    EXPECT_FALSE(ProgressScreen().ConfirmSkipAll());
    EXPECT_TRUE(m_dialogs.confirmations.isEmpty());
}

TEST_F(CMFSRepairSaveProgressViewTest, SkipWithoutAJobLeavesNoStopRequestBehind) {
    Button(ProgressScreen(), QStringLiteral("&Skip"))->click();
    EXPECT_EQ(StopRequested.load(), 0u);
    EXPECT_EQ(SaveStopRequested.load(), 0u);
}

TEST_F(CMFSRepairSaveProgressViewTest, SkipEndsTheOnlyFileWithoutSavingIt) {
    // The repair is held at its first stop check, so that the skip surely
    // comes while it runs.
    RepairWorkerGate.Suspend();
    RunToJob({WriteDamagedSample()}, m_out);
    const bool held = WaitUntil([] { return RepairWorkerGate.WaitingCount() == 1; });
    Button(ProgressScreen(), QStringLiteral("&Skip"))->click();
    RepairWorkerGate.Resume();
    ASSERT_TRUE(held);

    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_EQ(Column(*List(ProgressScreen(), QStringLiteral("JobList")), 3),
              QStringList{"Skipped"});
    ProgressScreen().OnTimer();
    EXPECT_EQ(ResultColumn(3), QStringList{"Failed"});
}

// --- The end ------------------------------------------------------------------------

TEST_F(CMFSRepairSaveProgressViewTest, RowsShowWhatTheJobReportedFromItsThread) {
    const std::vector<std::filesystem::path> files = {WriteDamagedSample(QStringLiteral("x.xls")),
                                                      WriteUnrepairableFile()};
    RunToJob(files, m_out);
    ASSERT_TRUE(WaitForJobEnd());
    // Still on screen 9: the timer has not seen the end yet.
    CMFSFileList* list = List(ProgressScreen(), QStringLiteral("JobList"));
    EXPECT_EQ(Column(*list, 0), (QStringList{"1", "2"}));
    EXPECT_EQ(Column(*list, 1), (QStringList{ToQString(files[0]), ToQString(files[1])}));
    EXPECT_EQ(Column(*list, 3), (QStringList{"Saved", "Skipped"}));
    EXPECT_TRUE(Column(*list, 2)[0].startsWith(m_out + "/"));
    EXPECT_TRUE(Column(*list, 2)[1].startsWith(m_out + "/"));
    // The job's last step text, and the status text it cleared.
    EXPECT_EQ(ProgressScreen().findChild<QLabel*>(QStringLiteral("JobStatusLine"))->text(),
              QStringLiteral("Parsing file..."));
    EXPECT_TRUE(Frame().GetMultiFileStatusText().isEmpty());

    // Showing the screen again keeps what was reported.
    Views().Activate();
    EXPECT_EQ(Column(*list, 3), (QStringList{"Saved", "Skipped"}));
}

TEST_F(CMFSRepairSaveProgressViewTest, EndWithExitPendingClosesInsteadOfShowingResults) {
    RunToJob({WriteUnrepairableFile()}, m_out);
    ASSERT_TRUE(WaitForJobEnd());
    ExitPending = 1;
    ProgressScreen().OnTimer();

    EXPECT_EQ(CurrentIndex(), CViewManger::MFSRepairSaveProgress);
    EXPECT_FALSE(ProgressScreen().IsTimerActive());
}

TEST_F(CMFSRepairSaveProgressViewTest, EndOnAnotherScreenActivatesThatScreen) {
    RunToJob({WriteUnrepairableFile()}, m_out);
    ASSERT_TRUE(WaitForJobEnd());
    Views().SetCurrentIndex(CViewManger::MFSSelectFile);
    ProgressScreen().OnTimer();

    EXPECT_EQ(CurrentIndex(), CViewManger::MFSSelectFile);
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::MFSSelectFile));
}

}  // namespace
