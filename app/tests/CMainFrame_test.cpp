#include "app/CMainFrame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QSet>
#include <QToolBar>
#include <filesystem>

#include "app/CSFSSelectFileView.h"
#include "app/CViewManger.h"
#include "app/CommandIds.h"
#include "app/tests/support/CAppTestFixture.h"
#include "platform/RunState.h"
#include "platform/SettingsStore.h"

namespace {

bool Enabled(const CMainFrame& frame, int commandId) {
    return frame.GetAction(commandId)->isEnabled();
}

bool Checked(const CMainFrame& frame, int commandId) {
    return frame.GetAction(commandId)->isChecked();
}

QString PaneText(const CMainFrame& frame) {
    const auto* pane = frame.findChild<QLabel*>(QStringLiteral("StatusPane"));
    return pane != nullptr ? pane->text() : QStringLiteral("<no pane>");
}

}  // namespace

// ---- The commands: texts, shortcuts, tool bar ----

class MainFrameCommandTest : public CAppTestFixture {};

TEST_F(MainFrameCommandTest, EveryCommandHasItsTextAndShortcut) {
    Start();
    const struct {
        int id;
        const char* text;
    } kCommands[] = {
        {CommandId::RecoveryMode, "R&ecovery    "},
        {CommandId::MultiFileMode, "&Multi file"},
        {CommandId::Exit, "E&xit"},
        {CommandId::Options, "&Options"},
        {CommandId::Select, "&Select"},
        {CommandId::Repair, "&Repair"},
        {CommandId::Preview, "&Preview"},
        {CommandId::Save, "&Save"},
        {CommandId::SaveFile, "Save file"},
        {CommandId::SaveRepaired, "Save the repaired file"},
        {CommandId::Help, "&Help"},
        {CommandId::ThemeOfficeXP, "Office XP"},
        {CommandId::ThemeOffice2000, "Office 2000"},
        {CommandId::ThemeOffice2003Luna, "Office 2003 Luna"},
        {CommandId::ThemeOffice2003, "Office 2003"},
        {CommandId::ThemeWindowsXP, "Windows XP"},
        {CommandId::Next, "Next"},
        {CommandId::Back, "Back"},
    };
    for (const auto& command : kCommands) {
        const QAction* action = Frame().GetAction(command.id);
        ASSERT_NE(action, nullptr) << command.id;
        EXPECT_EQ(action->text(), QString::fromLatin1(command.text)) << command.id;
    }
    EXPECT_EQ(Frame().GetAction(CommandId::RecoveryMode)->shortcut(), QKeySequence("Ctrl+R"));
    EXPECT_EQ(Frame().GetAction(CommandId::Select)->shortcut(), QKeySequence("Alt+S"));
}

TEST_F(MainFrameCommandTest, ToolBarHoldsTheSelectAndBothSaveCommands) {
    Start();
    const auto* bar = Frame().findChild<QToolBar*>(QStringLiteral("MainToolBar"));
    ASSERT_NE(bar, nullptr);
    for (int id : {CommandId::Select, CommandId::SaveFile, CommandId::SaveRepaired}) {
        EXPECT_TRUE(bar->actions().contains(Frame().GetAction(id))) << id;
        EXPECT_FALSE(Frame().GetAction(id)->icon().isNull()) << id;
    }
    EXPECT_EQ(Frame().GetAction(CommandId::Select)->toolTip(), "Select the file to repair");
}

TEST_F(MainFrameCommandTest, PreviewFollowsStepFlagOneExceptOnThePreview) {
    Start();
    EXPECT_FALSE(Enabled(Frame(), CommandId::Preview));
    Frame().SetStepFlag(1, true);
    EXPECT_TRUE(Enabled(Frame(), CommandId::Preview));
    Views().SetCurrentIndex(CViewManger::SFSPreview);
    Views().Activate();
    EXPECT_FALSE(Enabled(Frame(), CommandId::Preview));
    Views().SetCurrentIndex(CViewManger::SFSSaveOption);
    Views().Activate();
    EXPECT_TRUE(Enabled(Frame(), CommandId::Preview));
}

TEST_F(MainFrameCommandTest, SaveFollowsStepFlagTwo) {
    Start();
    EXPECT_FALSE(Enabled(Frame(), CommandId::Save));
    Frame().SetStepFlag(1, true);
    EXPECT_FALSE(Enabled(Frame(), CommandId::Save));
    Frame().SetStepFlag(2, true);
    EXPECT_TRUE(Enabled(Frame(), CommandId::Save));
    Frame().SetAllStepFlags(false);
    EXPECT_FALSE(Enabled(Frame(), CommandId::Save));
}

TEST_F(MainFrameCommandTest, SaveActionWithoutARepairedWorkbookStaysPut) {
    Start();
    Frame().GetAction(CommandId::SaveFile)->trigger();
    EXPECT_EQ(CurrentIndex(), 0);
    Frame().SetStepFlag(1, true);
    Views().SetCurrentIndex(CViewManger::SFSRepairStatus);
    Views().Activate();
    // Screen 2 is not one the save action acts on.
    Frame().GetAction(CommandId::SaveFile)->trigger();
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSRepairStatus);
}

TEST_F(MainFrameCommandTest, SaveRepairedShowsTheSaveOptionsInSingleFileModeOnly) {
    Start();
    Frame().GetAction(CommandId::SaveRepaired)->trigger();
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSSaveOption);
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::SFSSaveOption));
    Frame().OnMultiFileMode();
    Frame().GetAction(CommandId::SaveRepaired)->trigger();
    EXPECT_EQ(CurrentIndex(), CViewManger::MFSSelectFile);
}

TEST_F(MainFrameCommandTest, OptionsEntersSettingsOnceAndShowsThem) {
    Start();
    Frame().GetAction(CommandId::Options)->trigger();
    EXPECT_EQ(CurrentIndex(), CViewManger::Settings);
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::Settings));
    Frame().GetAction(CommandId::Options)->trigger();
    EXPECT_EQ(Views().GetRememberedIndex(), 0);
}

// ---- Themes ----

class MainFrameThemeTest : public CAppTestFixture {};

TEST_F(MainFrameThemeTest, StartsAsWindowsXPWithOnlyThatItemChecked) {
    Start();
    EXPECT_EQ(Frame().GetTheme(), CMainFrame::WindowsXP);
    EXPECT_FALSE(Frame().GetLunaColors());
    for (int id = CommandId::ThemeOfficeXP; id <= CommandId::ThemeWindowsXP; ++id) {
        EXPECT_EQ(Checked(Frame(), id), id == CommandId::ThemeWindowsXP) << id;
    }
}

TEST_F(MainFrameThemeTest, EachThemeCommandSetsItsThemeAndOwnPalette) {
    Start();
    const struct {
        int id;
        int theme;
        bool luna;
    } kThemes[] = {
        {CommandId::ThemeOfficeXP, CMainFrame::OfficeXP, false},
        {CommandId::ThemeOffice2000, CMainFrame::Office2000, false},
        {CommandId::ThemeOffice2003Luna, CMainFrame::Office2003, true},
        {CommandId::ThemeOffice2003, CMainFrame::Office2003, false},
        {CommandId::ThemeWindowsXP, CMainFrame::WindowsXP, false},
    };
    QSet<QRgb> windows;
    for (const auto& theme : kThemes) {
        Frame().GetAction(theme.id)->trigger();
        EXPECT_EQ(Frame().GetTheme(), theme.theme) << theme.id;
        EXPECT_EQ(Frame().GetLunaColors(), theme.luna) << theme.id;
        for (int id = CommandId::ThemeOfficeXP; id <= CommandId::ThemeWindowsXP; ++id) {
            EXPECT_EQ(Checked(Frame(), id), id == theme.id) << theme.id << " item " << id;
        }
        windows.insert(QApplication::palette().color(QPalette::Window).rgb());
    }
    EXPECT_EQ(windows.size(), 5);
}

// ---- Status bar ----

class MainFrameStatusTest : public CAppTestFixture {};

TEST_F(MainFrameStatusTest, SingleFileTextShowsEverywhereButTheFirstScreen) {
    Start();
    Frame().SetSingleFileStatusText("/data/book.xls");
    Frame().SetMultiFileStatusText("3 files");
    EXPECT_EQ(PaneText(Frame()), "");
    Views().SetCurrentIndex(CViewManger::SFSSaveOption);
    Views().Activate();
    EXPECT_EQ(PaneText(Frame()), "/data/book.xls");
    Frame().OnMultiFileMode();
    EXPECT_EQ(PaneText(Frame()), "3 files");
    Views().SetCurrentIndex(CViewManger::MFSSaveOption);
    Views().Activate();
    EXPECT_EQ(PaneText(Frame()), "3 files");
}

// ---- Mode switching ----

class ModeSwitchTest : public CAppTestFixture {
protected:
    void TearDown() override {
        // The "workers" of these tests are flags set by hand.
        JobRunning = 0;
        ParsingRunning = 0;
        SaveRunning = 0;
        CAppTestFixture::TearDown();
    }
};

TEST_F(ModeSwitchTest, WithNothingRunningSwitchesAndShowsTheModesFirstScreen) {
    Start();
    Frame().GetAction(CommandId::MultiFileMode)->trigger();
    EXPECT_EQ(Frame().GetMode(), CMainFrame::EMode::MultipleFile);
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::MFSSelectFile));
    EXPECT_TRUE(Checked(Frame(), CommandId::MultiFileMode));
    EXPECT_FALSE(Checked(Frame(), CommandId::RecoveryMode));
    Frame().GetAction(CommandId::RecoveryMode)->trigger();
    EXPECT_EQ(Frame().GetMode(), CMainFrame::EMode::SingleFile);
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::SFSSelectFile));
    EXPECT_TRUE(Checked(Frame(), CommandId::RecoveryMode));
    EXPECT_TRUE(m_dialogs.confirmations.isEmpty());
}

TEST_F(ModeSwitchTest, SwitchingToTheModeInForceDoesNothing) {
    Start();
    Views().SetCurrentIndex(CViewManger::SFSSaveOption);
    Views().Activate();
    Frame().OnRecoveryMode();
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSSaveOption);
    Frame().OnMultiFileMode();
    Views().SetCurrentIndex(CViewManger::MFSSaveOption);
    Views().Activate();
    Frame().OnMultiFileMode();
    EXPECT_EQ(CurrentIndex(), CViewManger::MFSSaveOption);
}

TEST_F(ModeSwitchTest, RunningJobRefusedLeavesModeAndScreen) {
    Start();
    Frame().OnMultiFileMode();
    Views().SetCurrentIndex(CViewManger::MFSRepairSaveProgress);
    Views().Activate();
    JobRunning = 1;
    m_dialogs.confirmAnswers = {false};
    Frame().OnRecoveryMode();
    EXPECT_EQ(m_dialogs.confirmations.size(), 1);
    EXPECT_EQ(Frame().GetMode(), CMainFrame::EMode::MultipleFile);
    EXPECT_EQ(CurrentIndex(), CViewManger::MFSRepairSaveProgress);
    EXPECT_EQ(SkipAll.load(), 0u);
}

TEST_F(ModeSwitchTest, RunningJobConfirmedSwitchesButShowsScreenZeroOnlyWhenItEnds) {
    Start();
    Frame().OnMultiFileMode();
    Views().SetCurrentIndex(CViewManger::MFSRepairSaveProgress);
    Views().Activate();
    JobRunning = 1;
    m_dialogs.confirmAnswers = {true};
    Frame().OnRecoveryMode();
    EXPECT_EQ(Frame().GetMode(), CMainFrame::EMode::SingleFile);
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSSelectFile);
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::MFSRepairSaveProgress));
    EXPECT_EQ(SkipAll.load(), 1u);
}

TEST_F(ModeSwitchTest, RunningRepairAsksAndKeepsEverythingOnNo) {
    Start();
    Views().SetCurrentIndex(CViewManger::SFSRepairProgress);
    Views().Activate();
    ParsingRunning = 1;
    m_dialogs.confirmAnswers = {false};
    Frame().OnMultiFileMode();
    EXPECT_EQ(m_dialogs.confirmations.size(), 1);
    EXPECT_EQ(Frame().GetMode(), CMainFrame::EMode::SingleFile);
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSRepairProgress);
    EXPECT_EQ(StopRequested.load(), 0);
}

TEST_F(ModeSwitchTest, RunningRepairConfirmedStopsItAndSetsScreenSeven) {
    Start();
    Views().SetCurrentIndex(CViewManger::SFSRepairProgress);
    Views().Activate();
    ParsingRunning = 1;
    m_dialogs.confirmAnswers = {true};
    Frame().OnMultiFileMode();
    EXPECT_EQ(Frame().GetMode(), CMainFrame::EMode::MultipleFile);
    EXPECT_EQ(CurrentIndex(), CViewManger::MFSSelectFile);
    EXPECT_EQ(StopRequested.load(), 1);
}

TEST_F(ModeSwitchTest, RunningSaveUsesTheSavingConfirmation) {
    Start();
    Views().SetCurrentIndex(CViewManger::SFSSavingProgress);
    Views().Activate();
    SaveRunning = 1;
    m_dialogs.confirmAnswers = {false, true};
    Frame().OnMultiFileMode();
    EXPECT_EQ(Frame().GetMode(), CMainFrame::EMode::SingleFile);
    EXPECT_EQ(SaveStopRequested.load(), 0);
    Frame().OnMultiFileMode();
    EXPECT_EQ(Frame().GetMode(), CMainFrame::EMode::MultipleFile);
    EXPECT_EQ(CurrentIndex(), CViewManger::MFSSelectFile);
    EXPECT_EQ(SaveStopRequested.load(), 1);
    EXPECT_EQ(m_dialogs.confirmations.size(), 2);
}

// ---- Closing the window ----

class MainFrameCloseTest : public ModeSwitchTest {};

TEST_F(MainFrameCloseTest, NothingRunningClosesAtOnce) {
    Start();
    EXPECT_TRUE(Frame().close());
    EXPECT_TRUE(m_dialogs.confirmations.isEmpty());
    EXPECT_EQ(ExitPending.load(), 0);
}

TEST_F(MainFrameCloseTest, TheWindowComesBackWhereItWasClosed) {
    Start();
    QApplication::setQuitOnLastWindowClosed(false);
    Frame().ShowPlaced();
    // The first time: two thirds of the screen, or the smallest window.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(Frame().geometry().width(),
              std::min(screen.width(), std::max(screen.width() * 2 / 3, 640)));
    Frame().setGeometry(QRect(10, 20, 700, 500));
    ASSERT_TRUE(Frame().close());
    EXPECT_EQ(SettingsStore(m_settingsFolder).Read(ESetting::WindowPlace), u"10,20,700,500,0");
    Frame().setGeometry(QRect(0, 0, 650, 490));
    Frame().ShowPlaced();
    EXPECT_EQ(Frame().geometry(), QRect(10, 20, 700, 500));
    Frame().close();
    QApplication::setQuitOnLastWindowClosed(true);
}

TEST_F(MainFrameCloseTest, ExitCommandClosesWhenIdle) {
    Start();
    Frame().show();
    ASSERT_TRUE(Frame().isVisible());
    QApplication::setQuitOnLastWindowClosed(false);
    Frame().GetAction(CommandId::Exit)->trigger();
    EXPECT_FALSE(Frame().isVisible());
    QApplication::setQuitOnLastWindowClosed(true);
}

TEST_F(MainFrameCloseTest, RunningRepairRefusedKeepsTheWindowAndTheWork) {
    Start();
    ParsingRunning = 1;
    m_dialogs.confirmAnswers = {false};
    EXPECT_FALSE(Frame().close());
    EXPECT_EQ(ExitPending.load(), 0);
    EXPECT_EQ(StopRequested.load(), 0);
}

TEST_F(MainFrameCloseTest, RunningRepairConfirmedWaitsForTheWorkerWithExitPending) {
    Start();
    ParsingRunning = 1;
    m_dialogs.confirmAnswers = {true};
    EXPECT_FALSE(Frame().close());
    EXPECT_EQ(ExitPending.load(), 1);
    EXPECT_EQ(StopRequested.load(), 1);
}

TEST_F(MainFrameCloseTest, RunningJobConfirmedWaitsWithExitPending) {
    Start();
    Frame().OnMultiFileMode();
    JobRunning = 1;
    m_dialogs.confirmAnswers = {true};
    EXPECT_FALSE(Frame().close());
    EXPECT_EQ(ExitPending.load(), 1);
    EXPECT_EQ(SkipAll.load(), 1u);
}

TEST_F(MainFrameCloseTest, RunningSaveConfirmedWaitsWithExitPending) {
    Start();
    SaveRunning = 1;
    m_dialogs.confirmAnswers = {true};
    EXPECT_FALSE(Frame().close());
    EXPECT_EQ(ExitPending.load(), 1);
    EXPECT_EQ(SaveStopRequested.load(), 1);
}

// The worker may end while the question is open; its screen's timer then
// finds ExitPending still clear and will never post the close.
TEST_F(MainFrameCloseTest, WorkerEndedDuringTheQuestionClosesAtOnce) {
    Start();
    ParsingRunning = 1;
    m_dialogs.confirmAnswers = {true};
    m_dialogs.onConfirm = [] { ParsingRunning = 0; };
    EXPECT_TRUE(Frame().close());
    EXPECT_EQ(ExitPending.load(), 1);
}

TEST_F(MainFrameCloseTest, FillingPreviewIsToldToStopAndTheWindowStays) {
    Start();
    PreviewRunning = 1;
    EXPECT_FALSE(Frame().close());
    EXPECT_TRUE(m_dialogs.confirmations.isEmpty());
    EXPECT_EQ(ExitPending.load(), 1);
    EXPECT_EQ(PreviewStop.load(), 1);
    PreviewRunning = 0;
}

// ---- Help ----

class MainFrameHelpTest : public CAppTestFixture {};

TEST_F(MainFrameHelpTest, HelpOpensAnExistingPage) {
    Start();
    Frame().GetAction(CommandId::Help)->trigger();
    ASSERT_EQ(m_dialogs.opened.size(), 1);
    const std::filesystem::path page(m_dialogs.opened.front().toStdString());
    EXPECT_EQ(page.filename(), "Mendwell for Excel.html");
    EXPECT_TRUE(std::filesystem::is_regular_file(page));
    EXPECT_TRUE(m_dialogs.informed.isEmpty());
}

TEST_F(MainFrameHelpTest, HelpThatCannotBeOpenedSaysSo) {
    Start();
    m_dialogs.openWithDesktopResult = false;
    Frame().OnHelp();
    ASSERT_EQ(m_dialogs.informed.size(), 1);
    EXPECT_TRUE(m_dialogs.informed.front().contains("Mendwell for Excel.html"));
}

// With real workers: whichever of repair or preview is running when the
// window is closed, the window goes once that work has stopped.
class MainFrameCloseWithWorkerTest : public CAppTestFixture {};

TEST_F(MainFrameCloseWithWorkerTest, ClosingDuringARealRepairClosesOnceTheWorkStops) {
    const std::filesystem::path sample = WriteDamagedSample();
    Start({ToQString(sample)});
    QApplication::setQuitOnLastWindowClosed(false);
    Frame().show();
    m_dialogs.defaultConfirmAnswer = true;
    static_cast<CSFSSelectFileView*>(Views().GetScreen(0))->OnRecover();
    Frame().close();
    EXPECT_TRUE(WaitUntil([this] { return !Frame().isVisible(); }));
    EXPECT_TRUE(WaitForWorkersIdle());
    QApplication::setQuitOnLastWindowClosed(true);
}
