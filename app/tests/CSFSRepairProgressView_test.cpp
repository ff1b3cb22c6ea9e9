#include "app/CSFSRepairProgressView.h"

#include <gtest/gtest.h>

#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CSFSSelectFileView.h"
#include "app/CStepLinks.h"
#include "app/tests/CSingleFileFixture.h"
#include "platform/RunState.h"
#include "widgets/CHyperLinkLabel.h"

namespace {

class RepairProgressViewTest : public CSingleFileFixture {
protected:
    void ExpectCountersZero() const {
        for (int i = 0; i < RepairCounterCount; ++i) EXPECT_EQ(RepairCounters[i], 0u) << i;
    }
};

TEST_F(RepairProgressViewTest, TheSevenLinesStartWithADashAndRunWithTheirCounts) {
    Start();
    const std::filesystem::path source = WriteDamagedSample();
    Doc().GetRepairManager().Suspend();  // keeps the worker at its first check
    Recover(source);
    const QStringList idle = {"Text cells: -",  "Formula cells: -", "Number cells: -",
                              "Other cells: -", "Sheets: -",        "Charts: -",
                              "Pictures: -"};
    for (int i = 0; i < CSFSRepairProgressView::kLineCount; ++i) {
        EXPECT_EQ(RepairView()->GetLineText(i), idle[i]);
    }

    RepairCounters[CounterTextCells] = 12;
    RepairCounters[CounterNumericCells] = 3;
    RepairView()->OnTimer();
    const QStringList running = {"Text cells: - 12", "Formula cells: - 0", "Numeric cells: - 3",
                                 "Other cells: - 0", "Sheets: - 0",        "Charts: - 0",
                                 "Pictures: - 0"};
    for (int i = 0; i < CSFSRepairProgressView::kLineCount; ++i) {
        EXPECT_EQ(RepairView()->GetLineText(i), running[i]);
    }
    EXPECT_TRUE(RepairView()->IsTimerActive());
    Doc().GetRepairManager().Resume();
    ASSERT_TRUE(WaitForRepairEnd());
}

TEST_F(RepairProgressViewTest, AFailedRepairGoesBackToScreenZeroWithTheCountersAtZero) {
    Start();
    ASSERT_TRUE(RepairToEnd(WriteUnrepairableFile()));
    EXPECT_EQ(ParsingSucceeded, 0);
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSSelectFile);
    ExpectCountersZero();
    EXPECT_EQ(m_dialogs.informed.size(), 1);  // the repair says what the file is
    CStepLinks* links = Links(SelectView());
    EXPECT_TRUE(links->GetLink(CStepLinks::SelectFile)->isEnabled());
    EXPECT_FALSE(links->GetLink(CStepLinks::ViewFile)->isEnabled());
    EXPECT_FALSE(links->GetLink(CStepLinks::SaveFile)->isEnabled());
}

TEST_F(RepairProgressViewTest, AConfirmedStopEndsTheRepairOnScreenZero) {
    Start();
    const std::filesystem::path source = WriteDamagedSample();
    Doc().GetRepairManager().Suspend();
    Recover(source);
    RepairCounters[CounterSheets] = 1;  // as if a sheet had been counted
    m_dialogs.confirmAnswers = {true};
    ASSERT_TRUE(Click(RepairView(), "Stop"));
    EXPECT_EQ(m_dialogs.confirmations.size(), 1);
    EXPECT_EQ(StopRequested, 1);
    Doc().GetRepairManager().Resume();
    ASSERT_TRUE(WaitForRepairEnd());
    if (RepairView()->IsTimerActive()) RepairView()->OnTimer();
    EXPECT_EQ(ParsingSucceeded, 0);
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSSelectFile);
    ExpectCountersZero();
    EXPECT_TRUE(m_dialogs.informed.isEmpty());  // a stop is not a failure to report
}

TEST_F(RepairProgressViewTest, AStopAnsweredNoLeavesTheRepairRunning) {
    Start();
    Doc().GetRepairManager().Suspend();
    Recover(WriteDamagedSample());
    m_dialogs.confirmAnswers = {false};
    EXPECT_FALSE(RepairView()->ConfirmStop());
    EXPECT_EQ(StopRequested, 0);
    EXPECT_EQ(ParsingRunning, 1);
    Doc().GetRepairManager().Resume();
    ASSERT_TRUE(WaitForRepairEnd());
    EXPECT_EQ(ParsingSucceeded, 1);
}

TEST_F(RepairProgressViewTest, StopAsksNothingWhenNoRepairRuns) {
    Start();
    EXPECT_FALSE(RepairView()->ConfirmStop());
    EXPECT_TRUE(m_dialogs.confirmations.isEmpty());
}

TEST_F(RepairProgressViewTest, ClosingWhileTheRepairRanPostsTheCloseAndStaysPut) {
    Start();
    Doc().GetRepairManager().Suspend();
    Recover(WriteDamagedSample());
    ExitPending = 1;
    Doc().GetRepairManager().Resume();
    ASSERT_TRUE(WaitForRepairEnd());
    if (RepairView()->IsTimerActive()) RepairView()->OnTimer();
    EXPECT_FALSE(RepairView()->IsTimerActive());
    // No step onwards: the window goes once the posted close is handled.
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSRepairProgress);
    EXPECT_FALSE(Frame().GetStepFlag(1));
    ExitPending = 0;
}

TEST_F(RepairProgressViewTest, ARepairEndingAfterTheUserLeftOnlyZeroesTheCounters) {
    Start();
    Doc().GetRepairManager().Suspend();
    Recover(WriteDamagedSample());
    Show(CViewManger::SFSSelectFile);
    Doc().GetRepairManager().Resume();
    ASSERT_TRUE(WaitForRepairEnd());
    if (RepairView()->IsTimerActive()) RepairView()->OnTimer();
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSSelectFile);
    ExpectCountersZero();
}

TEST_F(RepairProgressViewTest, AScreenSetButNotShownWhileTheRepairRanIsShownAtItsEnd) {
    Start();
    Doc().GetRepairManager().Suspend();
    Recover(WriteDamagedSample());
    // What leaving for the multiple-file mode does: stop and set screen 7.
    StopRequested = 1;
    Views().SetCurrentIndex(CViewManger::MFSSelectFile);
    Doc().GetRepairManager().Resume();
    ASSERT_TRUE(WaitForRepairEnd());
    if (RepairView()->IsTimerActive()) RepairView()->OnTimer();
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::MFSSelectFile));
    EXPECT_EQ(CurrentIndex(), CViewManger::MFSSelectFile);
}

}  // namespace
