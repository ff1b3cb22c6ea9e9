// The preview screen after a real repair of the damaged sample: its tabs,
// the filled grid, and every change that has to wait for a running fill
// (tab switch, leaving the screen, closing the window).
#include "app/CSFSPreViewData.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CSheetView.h"
#include "app/CSheetViewer.h"
#include "app/CStepLinks.h"
#include "app/CViewManger.h"
#include "app/tests/support/CAppTestFixture.h"
#include "containers/CSheetGridStore.h"
#include "platform/RunState.h"
#include "widgets/CHyperLinkLabel.h"
#include "widgets/CSheetTabBar.h"

namespace {

// Counts the close requests that reach a window.
class CloseCounter : public QObject {
public:
    int closes = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close) ++closes;
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

class PreviewScreenTest : public CAppTestFixture {
protected:
    CSFSPreViewData& Screen() const {
        return *static_cast<CSFSPreViewData*>(Views().GetScreen(CViewManger::SFSPreview));
    }

    // Repairs the damaged sample into the document's workbook on the
    // repair worker, as screen 1 would.
    void RepairSample() {
        const std::filesystem::path source = WriteDamagedSample();
        Doc().SetSourcePath(source);
        Doc().ResetWorkbook(source, nullptr);
        ASSERT_EQ(Doc().GetRepairManager().Start(Doc().GetWorkbook()), 0);
        ASSERT_TRUE(WaitUntil([] { return ParsingRunning == 0; }));
        ASSERT_EQ(ParsingSucceeded.load(), 1);
    }

    // Shows screen 3 and fills its first sheet to the end.
    void OpenPreview() {
        Views().SetCurrentIndex(CViewManger::SFSPreview);
        Views().Activate();
        Screen().Reload();
        ASSERT_TRUE(WaitForWorkersIdle());
    }

    QPushButton* Button(const char* name) const {
        return Screen().findChild<QPushButton*>(QLatin1String(name));
    }

    // What the fill wrote at a grid cell of the current sheet.
    std::u16string CellText(int row, int column) const {
        const CSheetView* view = Screen().GetCurrentView();
        if (view == nullptr) return u"<no grid>";
        const auto cell = view->GetGridStore().GetCell(row, column);
        return cell ? cell->text : u"";
    }
};

// --- What the preview shows ---------------------------------------------------

TEST_F(PreviewScreenTest, OneTabPerWorksheetAndTheFirstSheetFilled) {
    Start();
    RepairSample();
    OpenPreview();
    CSheetTabBar* tabs = Screen().GetTabBar();
    ASSERT_EQ(tabs->GetCount(), 2);
    EXPECT_EQ(tabs->GetTabText(0), QStringLiteral("Sales"));
    EXPECT_EQ(tabs->GetTabText(1), QStringLiteral("Notes"));
    EXPECT_EQ(tabs->GetCurrentIndex(), 0);
    ASSERT_NE(Screen().GetCurrentView(), nullptr);
    EXPECT_EQ(Screen().GetCurrentView()->GetSheetIndex(), 0);
    // Sales!A1 is the shared string "Region", at grid row 1, column 1.
    EXPECT_EQ(CellText(1, 1), u"Region");
}

TEST_F(PreviewScreenTest, WorkbookWithoutWorksheetsShowsOneUnnamedTabAndNoCells) {
    Start();
    Doc().ResetWorkbook(m_scratch / "nothing.xls", nullptr);
    OpenPreview();
    ASSERT_EQ(Screen().GetTabBar()->GetCount(), 1);
    EXPECT_EQ(Screen().GetTabBar()->GetTabText(0), QStringLiteral("Unnamed1"));
    EXPECT_EQ(Screen().GetCurrentView(), nullptr);
    EXPECT_EQ(PreviewRunning.load(), 0);
}

TEST_F(PreviewScreenTest, ReloadReplacesTheViewerAndStartsAgainOnTheFirstSheet) {
    Start();
    RepairSample();
    OpenPreview();
    Screen().GetTabBar()->SetCurrentIndex(1);
    ASSERT_TRUE(WaitForWorkersIdle());
    ASSERT_EQ(Screen().GetCurrentView()->GetSheetIndex(), 1);
    const CSheetViewer* before = Screen().GetViewer();
    Screen().Reload();
    ASSERT_TRUE(WaitForWorkersIdle());
    EXPECT_NE(Screen().GetViewer(), before);
    EXPECT_EQ(Screen().GetTabBar()->GetCurrentIndex(), 0);
    EXPECT_EQ(Screen().GetCurrentView()->GetSheetIndex(), 0);
}

TEST_F(PreviewScreenTest, FormulaBarShowsTheSelectedCellsOwnFormula) {
    Start();
    RepairSample();
    OpenPreview();
    CSheetView* view = Screen().GetCurrentView();
    ASSERT_NE(view, nullptr);
    QLineEdit* bar = Screen().findChild<QLineEdit*>(QStringLiteral("FormulaBar"));
    ASSERT_EQ(bar, Screen().GetFormulaBar());
    // Before anyone moves, the bar shows the first cell, Sales!A1, once the
    // grid has looked at what the fill wrote.
    view->RefreshFromStore();
    EXPECT_EQ(bar->text(), QStringLiteral("Region"));
    // Sales!D2 holds the FORMULA B2+C2; A2 is the text "North".
    view->SetCurrentCell(2, 4);
    EXPECT_EQ(bar->text(), QStringLiteral("B2+C2"));
    view->SetCurrentCell(2, 1);
    EXPECT_EQ(bar->text(), QStringLiteral("North"));
}

// --- Changes deferred while the preview fills ---------------------------------

TEST_F(PreviewScreenTest, TabSwitchAtOnceWhenNoFillRuns) {
    Start();
    RepairSample();
    OpenPreview();
    Screen().GetTabBar()->SetCurrentIndex(1);
    EXPECT_FALSE(Screen().IsTimerActive());
    ASSERT_NE(Screen().GetCurrentView(), nullptr);
    EXPECT_EQ(Screen().GetCurrentView()->GetSheetIndex(), 1);
    ASSERT_TRUE(WaitForWorkersIdle());
    // Notes!A1 is "Notes".
    EXPECT_EQ(CellText(1, 1), u"Notes");
}

TEST_F(PreviewScreenTest, TabSwitchWhileFillingWaitsForTheFillToEnd) {
    Start();
    RepairSample();
    OpenPreview();
    const CSheetView* first = Screen().GetCurrentView();
    PreviewRunning = 1;  // the fill of the first sheet still runs
    Screen().GetTabBar()->SetCurrentIndex(1);
    EXPECT_EQ(PreviewStop.load(), 1);
    EXPECT_TRUE(Screen().IsTimerActive());
    EXPECT_EQ(Screen().GetCurrentView(), first);

    // Ticks while the fill runs change nothing.
    Screen().OnTimer();
    EXPECT_TRUE(Screen().IsTimerActive());
    EXPECT_EQ(Screen().GetCurrentView(), first);

    PreviewRunning = 0;
    Screen().OnTimer();
    EXPECT_FALSE(Screen().IsTimerActive());
    ASSERT_NE(Screen().GetCurrentView(), nullptr);
    EXPECT_EQ(Screen().GetCurrentView()->GetSheetIndex(), 1);
    ASSERT_TRUE(WaitForWorkersIdle());
    EXPECT_EQ(CellText(1, 1), u"Notes");
}

TEST_F(PreviewScreenTest, TabChangesWhileASwitchIsPendingAreIgnored) {
    Start();
    RepairSample();
    OpenPreview();
    PreviewRunning = 1;
    Screen().GetTabBar()->SetCurrentIndex(1);
    ASSERT_TRUE(Screen().IsTimerActive());
    PreviewStop = 0;
    Screen().GetTabBar()->SetCurrentIndex(0);
    // The second change neither stopped the fill again nor restarted the wait.
    EXPECT_EQ(PreviewStop.load(), 0);
    EXPECT_TRUE(Screen().IsTimerActive());
    PreviewRunning = 0;
    // The switch shows whichever tab is selected when the fill has ended.
    Screen().OnTimer();
    EXPECT_EQ(Screen().GetCurrentView()->GetSheetIndex(), 0);
}

TEST_F(PreviewScreenTest, BackWhileFillingLeavesOnceTheFillHasEnded) {
    Start();
    RepairSample();
    OpenPreview();
    PreviewRunning = 1;
    Button("PreviewBack")->click();
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSRepairStatus);
    EXPECT_EQ(Views().GetShownScreen(), &Screen());
    EXPECT_EQ(PreviewStop.load(), 1);
    EXPECT_TRUE(Screen().IsTimerActive());

    PreviewRunning = 0;
    Screen().OnTimer();
    EXPECT_FALSE(Screen().IsTimerActive());
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::SFSRepairStatus));
}

TEST_F(PreviewScreenTest, SaveWhileFillingTakesTheLastChoiceMade) {
    Start();
    RepairSample();
    OpenPreview();
    PreviewRunning = 1;
    Button("PreviewBack")->click();
    Button("PreviewSave")->click();
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSSaveOption);
    EXPECT_TRUE(Screen().IsTimerActive());
    PreviewRunning = 0;
    Screen().OnTimer();
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::SFSSaveOption));
}

TEST_F(PreviewScreenTest, BackAndSaveLeaveAtOnceWhenNoFillRuns) {
    Start();
    RepairSample();
    OpenPreview();
    Button("PreviewSave")->click();
    EXPECT_FALSE(Screen().IsTimerActive());
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::SFSSaveOption));

    OpenPreview();
    Button("PreviewBack")->click();
    EXPECT_FALSE(Screen().IsTimerActive());
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::SFSRepairStatus));
}

TEST_F(PreviewScreenTest, StopForExitClosesTheWindowOnceTheFillHasEnded) {
    Start();
    RepairSample();
    OpenPreview();
    CloseCounter counter;
    Frame().installEventFilter(&counter);
    PreviewRunning = 1;
    Screen().StopForExit();
    EXPECT_EQ(ExitPending.load(), 1);
    EXPECT_EQ(PreviewStop.load(), 1);
    EXPECT_TRUE(Screen().IsTimerActive());
    Screen().OnTimer();
    Pump();
    EXPECT_EQ(counter.closes, 0);

    PreviewRunning = 0;
    Screen().OnTimer();
    EXPECT_FALSE(Screen().IsTimerActive());
    EXPECT_TRUE(WaitUntil([&] { return counter.closes > 0; }, 5000));
    // Closing does not switch the sheet or the screen.
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSPreview);
    Frame().removeEventFilter(&counter);
}

// --- Links and buttons --------------------------------------------------------

TEST_F(PreviewScreenTest, ShowingSetsAllStepFlagsAndDisablesViewFile) {
    Start();
    Views().SetCurrentIndex(CViewManger::SFSPreview);
    Views().Activate();
    for (int flag = 0; flag < 3; ++flag) EXPECT_TRUE(Frame().GetStepFlag(flag)) << flag;
    CStepLinks* links = Screen().GetStepLinks();
    EXPECT_TRUE(links->GetLink(CStepLinks::SelectFile)->isEnabled());
    EXPECT_FALSE(links->GetLink(CStepLinks::ViewFile)->isEnabled());
    EXPECT_TRUE(links->GetLink(CStepLinks::SaveFile)->isEnabled());
    Views().RefreshAll();
    EXPECT_FALSE(links->GetLink(CStepLinks::ViewFile)->isEnabled());
}

TEST_F(PreviewScreenTest, StepLinksGoOneScreenBackAndForward) {
    Start();
    RepairSample();
    OpenPreview();
    Screen().GetStepLinks()->GetLink(CStepLinks::SaveFile)->Click();
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::SFSSaveOption));

    OpenPreview();
    Screen().GetStepLinks()->GetLink(CStepLinks::SelectFile)->Click();
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::SFSRepairStatus));
}

TEST_F(PreviewScreenTest, TabBarCloseGoesBackToTheFileChoice) {
    Start();
    RepairSample();
    OpenPreview();
    PreviewRunning = 1;
    Screen().GetTabBar()->GetButton(CSheetTabBar::Close)->click();
    EXPECT_EQ(Views().GetShownScreen(), &Screen());
    EXPECT_TRUE(Screen().IsTimerActive());
    PreviewRunning = 0;
    Screen().OnTimer();
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::SFSSelectFile));
}
