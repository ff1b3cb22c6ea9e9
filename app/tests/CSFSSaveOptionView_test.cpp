#include "app/CSFSSaveOptionView.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <fstream>

#include "app/CMendwellDoc.h"
#include "app/CSFSSavingProgressView.h"
#include "app/CStepLinks.h"
#include "app/tests/CSingleFileFixture.h"
#include "model/CExcelData.h"
#include "model/CSaveOption.h"
#include "platform/RunState.h"
#include "repair/CThreadManager.h"
#include "widgets/CHyperLinkLabel.h"

namespace {

const QString kFilter = QStringLiteral("Worksheet Files (*.xls)|*.xls|All Files (*.*)|*.*||");

class SaveOptionViewTest : public CSingleFileFixture {};

// --- the default destination ------------------------------------------------

TEST_F(SaveOptionViewTest, TheDefaultDestinationSkipsNamesAlreadyTaken) {
    Start();
    const std::filesystem::path source = WriteDamagedSample(QStringLiteral("book.xls"));
    std::ofstream(m_scratch / "book(Mendwell).xls") << "taken";
    std::ofstream(m_scratch / "book(Mendwell)_0.xls") << "taken";
    ASSERT_TRUE(RepairToEnd(source));
    ASSERT_EQ(CurrentIndex(), CViewManger::SFSPreview);
    EXPECT_EQ(OptionView()->GetDestinationPath(), ToQString(m_scratch / "book(Mendwell)_1.xls"));
}

TEST_F(SaveOptionViewTest, ASourceWithoutADotGetsTheSuffixAndXlsAppended) {
    Start();
    ASSERT_TRUE(RepairToEnd(WriteDamagedSample(QStringLiteral("book"))));
    ASSERT_EQ(CurrentIndex(), CViewManger::SFSPreview);
    EXPECT_EQ(OptionView()->GetDestinationPath(), ToQString(m_scratch / "book(Mendwell).xls"));
}

// --- the options --------------------------------------------------------------

TEST_F(SaveOptionViewTest, EachBoxControlsItsOwnOptionAndBlankFormatsAreAlwaysSaved) {
    Start();
    const QStringList captions = {"Save row information", "Save column information",
                                  "Save merged cells",    "Save text",
                                  "Save bool value",      "Save formula",
                                  "Save number"};
    const std::uint32_t bits[] = {
        CSaveOption::RowInformation, CSaveOption::ColumnInformation, CSaveOption::MergedRanges,
        CSaveOption::Texts,          CSaveOption::BooleansAndErrors, CSaveOption::Formulas,
        CSaveOption::Numbers};
    EXPECT_EQ(OptionView()->GetOptionMask(), static_cast<std::uint32_t>(CSaveOption::All));
    for (int i = 0; i < CSFSSaveOptionView::kOptionCount; ++i) {
        QCheckBox* box = OptionView()->GetOptionBox(i);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), captions[i]);
        box->setChecked(false);
        EXPECT_EQ(OptionView()->GetOptionMask(), CSaveOption::All & ~bits[i]) << i;
        box->setChecked(true);
    }
    for (int i = 0; i < CSFSSaveOptionView::kOptionCount; ++i) {
        OptionView()->GetOptionBox(i)->setChecked(false);
    }
    EXPECT_EQ(OptionView()->GetOptionMask(),
              static_cast<std::uint32_t>(CSaveOption::BlankCellFormats));
}

TEST_F(SaveOptionViewTest, SaveHandsTheCheckedOptionsAndPathToTheWorkbook) {
    Start();
    Show(CViewManger::SFSSaveOption);
    OptionView()->GetOptionBox(3)->setChecked(false);  // "Save text"
    const std::filesystem::path destination = m_scratch / "out.xls";
    OptionView()->SetDestinationPath(ToQString(destination));
    ASSERT_TRUE(SaveToEnd());
    const CExcelData* workbook = Doc().GetWorkbook();
    EXPECT_EQ(workbook->GetSaveOptions().Get(), CSaveOption::All & ~CSaveOption::Texts);
    EXPECT_EQ(workbook->GetDestinationPath(), destination);
    EXPECT_EQ(workbook->GetSaveProgressWindow(), SavingView()->GetProgressTarget());
}

TEST_F(SaveOptionViewTest, OnlyASavedResultLeadsOnToTheSavedScreen) {
    Start();
    // What a save worker leaves behind when it ends: 0 saved, 1 stopped or
    // failed, 2 no workbook to save.
    const std::pair<std::uint32_t, int> outcomes[] = {
        {0u, CViewManger::SFSSavedStatus},
        {1u, CViewManger::SFSSaveOption},
        {2u, CViewManger::SFSSaveOption},
    };
    for (const auto& [result, screen] : outcomes) {
        Show(CViewManger::SFSSavingProgress);
        SaveResult = result;
        SavingView()->OnTimer();
        EXPECT_EQ(CurrentIndex(), screen) << result;
    }
}

TEST_F(SaveOptionViewTest, AnEmptyDestinationIsRefusedWithAMessage) {
    Start();
    Show(CViewManger::SFSSaveOption);
    for (const char* text : {"", "  "}) {
        OptionView()->SetDestinationPath(QString::fromLatin1(text));
        ASSERT_TRUE(Click(OptionView(), "Save"));
    }
    EXPECT_EQ(m_dialogs.informed.size(), 2);
    EXPECT_EQ(SaveRunning, 0);
    EXPECT_FALSE(SavingView()->IsTimerActive());
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSSaveOption);
}

TEST_F(SaveOptionViewTest, BrowseProposesTheDestinationAndTakesOnlyAConfirmedChoice) {
    Start();
    OptionView()->SetDestinationPath(QStringLiteral("/tmp/proposed.xls"));
    m_dialogs.saveChoices.push_back(QStringLiteral("/tmp/chosen.xls"));
    ASSERT_TRUE(Click(OptionView(), "Browse"));
    EXPECT_EQ(m_dialogs.saveSuggestions, QStringList{QStringLiteral("/tmp/proposed.xls")});
    EXPECT_EQ(OptionView()->GetDestinationPath(), QStringLiteral("/tmp/chosen.xls"));
    OptionView()->OnBrowse();  // cancelled
    EXPECT_EQ(OptionView()->GetDestinationPath(), QStringLiteral("/tmp/chosen.xls"));
}

// --- stopping the save ----------------------------------------------------------

TEST_F(SaveOptionViewTest, AStoppedSaveGoesBackToTheOptionsWithoutAFile) {
    Start();
    ASSERT_TRUE(RepairToEnd(WriteDamagedSample()));
    ASSERT_TRUE(WaitForWorkersIdle());
    Show(CViewManger::SFSSaveOption);
    const std::filesystem::path destination = m_scratch / "stopped.xls";
    OptionView()->SetDestinationPath(ToQString(destination));
    // Too small a workbook to catch in flight: hold the worker at its first
    // stop check instead.
    OptionView()->GetThreadManager().Suspend();
    ASSERT_TRUE(Click(OptionView(), "Save"));
    ASSERT_EQ(CurrentIndex(), CViewManger::SFSSavingProgress);
    CStepLinks* links = Links(SavingView());
    for (int i = 0; i < CStepLinks::LinkCount; ++i) {
        EXPECT_FALSE(links->GetLink(static_cast<CStepLinks::ELink>(i))->isEnabled()) << i;
    }
    m_dialogs.confirmAnswers = {false, true};
    EXPECT_FALSE(SavingView()->ConfirmStop());
    EXPECT_EQ(SaveStopRequested, 0);
    ASSERT_TRUE(Click(SavingView(), "Stop"));
    EXPECT_EQ(SaveStopRequested, 1);
    EXPECT_EQ(m_dialogs.confirmations.size(), 2);
    OptionView()->GetThreadManager().Resume();
    ASSERT_TRUE(WaitUntil([] { return SaveRunning == 0; }));
    if (SavingView()->IsTimerActive()) SavingView()->OnTimer();
    EXPECT_EQ(SaveResult, 1u);
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSSaveOption);
    EXPECT_FALSE(std::filesystem::exists(destination));
}

TEST_F(SaveOptionViewTest, SavingStopAsksNothingWhenNoSaveRuns) {
    Start();
    EXPECT_FALSE(SavingView()->ConfirmStop());
    EXPECT_TRUE(m_dialogs.confirmations.isEmpty());
}

TEST_F(SaveOptionViewTest, BackReturnsToThePreview) {
    Start();
    Show(CViewManger::SFSSaveOption);
    ASSERT_TRUE(Click(OptionView(), "Back"));
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSPreview);
}

}  // namespace
