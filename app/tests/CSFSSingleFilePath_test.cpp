#include <gtest/gtest.h>

#include <QTimer>

#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CSFSRepairProgressView.h"
#include "app/CSFSSaveOptionView.h"
#include "app/CSFSSavedStatusView.h"
#include "app/CSFSSavingProgressView.h"
#include "app/CStepLinks.h"
#include "app/tests/CSingleFileFixture.h"
#include "model/CExcelData.h"
#include "platform/RunState.h"
#include "repair/RepairFile.h"
#include "widgets/CHyperLinkLabel.h"

namespace {

class SingleFilePathTest : public CSingleFileFixture {};

// The sheet names a repair of path finds.
std::vector<std::u16string> SheetNamesOf(const std::filesystem::path& path) {
    CExcelData data;
    data.SetSourcePath(path);
    std::vector<std::u16string> names;
    if (!RepairFile(&data)) return names;
    for (const CExcelWorkBook& workbook : data.GetWorkbooks()) {
        for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
            names.push_back(sheet.GetName());
        }
    }
    return names;
}

TEST_F(SingleFilePathTest, ADamagedWorkbookGoesFromChoiceToSavedFile) {
    Start();
    const std::filesystem::path source = WriteDamagedSample();

    // 0 -> 1: the repair runs; its timer is held so the counters can be read
    // before the tick that ends the screen zeroes them.
    Recover(source);
    ASSERT_EQ(CurrentIndex(), CViewManger::SFSRepairProgress);
    ASSERT_TRUE(RepairView()->IsTimerActive());
    RepairView()->findChild<QTimer*>(QStringLiteral("RepairTimer"))->stop();
    ASSERT_TRUE(WaitForRepairEnd());
    ASSERT_EQ(ParsingSucceeded, 1);
    EXPECT_EQ(RepairCounters[CounterSheets], 2u);
    EXPECT_GT(RepairCounters[CounterTextCells], 0u);
    EXPECT_GT(RepairCounters[CounterNumericCells], 0u);
    EXPECT_GT(RepairCounters[CounterFormulaCells], 0u);
    EXPECT_EQ(RepairView()->GetProgressTarget(), Doc().GetWorkbook()->GetProgressWindow());

    // 1 -> 3: the preview, with the default destination proposed.
    RepairView()->OnTimer();
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSPreview);
    for (int i = 0; i < RepairCounterCount; ++i) EXPECT_EQ(RepairCounters[i], 0u) << i;
    EXPECT_TRUE(Frame().GetStepFlag(0));
    EXPECT_TRUE(Frame().GetStepFlag(1));
    const std::filesystem::path destination = m_scratch / "damaged(Mendwell).xls";
    EXPECT_EQ(OptionView()->GetDestinationPath(), ToQString(destination));

    // 3 -> 4 -> 5 -> 6.
    ASSERT_TRUE(WaitForWorkersIdle());
    Show(CViewManger::SFSSaveOption);
    ASSERT_TRUE(SaveToEnd());
    EXPECT_EQ(SaveResult, 0u);
    ASSERT_EQ(CurrentIndex(), CViewManger::SFSSavedStatus);
    EXPECT_EQ(SavedView()->GetSavedPath(), ToQString(destination));
    ASSERT_TRUE(std::filesystem::is_regular_file(destination));
    EXPECT_EQ(SheetNamesOf(destination), (std::vector<std::u16string>{u"Sales", u"Notes"}));
    EXPECT_TRUE(m_dialogs.informed.isEmpty());
}

TEST_F(SingleFilePathTest, TheSavingScreenShowsTheSaveProgressText) {
    Start();
    Show(CViewManger::SFSSavingProgress);
    SaveRunning = 1;  // as a save worker publishes it
    SaveProgressText.Set(u"Writing sheet Sales");
    SaveProgress = 5;
    SavingView()->OnTimer();
    EXPECT_EQ(SavingView()->GetProgressText(), QStringLiteral("Writing sheet Sales"));
    SaveProgressText.Set(u"");
    SaveRunning = 0;
}

TEST_F(SingleFilePathTest, OpenHandsTheSavedFileToTheDesktopAndBackGoesToTheOptions) {
    Start();
    const std::filesystem::path saved = m_scratch / "saved.xls";
    Doc().GetWorkbook()->SetDestinationPath(saved);
    Show(CViewManger::SFSSavedStatus);
    ASSERT_TRUE(Click(SavedView(), "Open"));
    EXPECT_EQ(m_dialogs.opened, QStringList{ToQString(saved)});
    ASSERT_TRUE(Click(SavedView(), "Back"));
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSSaveOption);
}

TEST_F(SingleFilePathTest, TheLinksFollowTheStepFlagsEachTimeAScreenIsShown) {
    Start();
    Frame().SetStepFlag(0, true);
    Frame().SetStepFlag(2, true);
    Show(CViewManger::SFSSavedStatus);
    CStepLinks* links = Links(SavedView());
    EXPECT_TRUE(links->GetLink(CStepLinks::SelectFile)->isEnabled());
    EXPECT_FALSE(links->GetLink(CStepLinks::ViewFile)->isEnabled());
    EXPECT_TRUE(links->GetLink(CStepLinks::SaveFile)->isEnabled());
    links->GetLink(CStepLinks::SelectFile)->Click();
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSSelectFile);
}

}  // namespace
