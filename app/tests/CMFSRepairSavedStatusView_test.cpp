// Screen 10: the results of a job and opening the saved files.

#include <QAction>
#include <QApplication>
#include <QKeyEvent>

#include "app/CMendwellDoc.h"
#include "app/CRepairReportDialog.h"
#include "app/CViewManger.h"
#include "app/CommandIds.h"
#include "app/tests/CMFSScreenTest.h"
#include "containers/CMFSDataContainer.h"

namespace {

class CMFSRepairSavedStatusViewTest : public CMFSScreenTest {
protected:
    void SetUp() override {
        CMFSScreenTest::SetUp();
        StartOnFileList();
    }

    CMFSFileList& Results() const { return *List(ResultScreen(), QStringLiteral("ResultList")); }

    // A finished job over a saved file and a failed one, on screen 10.
    void RunSavedAndFailed() {
        RunToJob({WriteDamagedSample(), WriteUnrepairableFile()}, ToQString(m_scratch / "out"));
        ASSERT_TRUE(WaitForJobEnd());
        ProgressScreen().OnTimer();
        ASSERT_EQ(CurrentIndex(), CViewManger::MFSRepairSavedStatus);
        ASSERT_EQ(Column(Results(), 3), (QStringList{"Saved", "Failed"}));
    }

    QString Destination(std::size_t row) const {
        return ToQString(Doc().GetJobData()->GetDestinationList().at(row));
    }

    QAction* OpenFileAction() const {
        for (QAction* action : Results().actions()) {
            if (action->text() == QStringLiteral("Open file")) return action;
        }
        return nullptr;
    }
};

// Each begun file keeps its report: a double-click or Enter on its row opens
// it in the report dialog, the partial and the failed file alike; opening
// the saved file itself is the context menu's.
TEST_F(CMFSRepairSavedStatusViewTest, DoubleClickOrEnterOpensTheRowsReport) {
    RunSavedAndFailed();
    const auto openDialog = [this]() -> CRepairReportDialog* {
        const auto dialogs = ResultScreen().findChildren<CRepairReportDialog*>();
        return dialogs.size() == 1 ? dialogs.front() : nullptr;
    };
    emit Results().itemDoubleClicked(Results().topLevelItem(0), 1);
    CRepairReportDialog* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(m_dialogs.opened.isEmpty());
    EXPECT_TRUE(dialog->GetText().contains(QStringLiteral("Result: partial")));
    EXPECT_TRUE(dialog->GetText().contains(QStringLiteral("damaged.xls")));
    EXPECT_TRUE(dialog->GetText().contains(QStringLiteral("\"Sales\"")));
    delete dialog;

    Results().setCurrentItem(Results().topLevelItem(1));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&Results(), &enter);
    dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->GetText().contains(QStringLiteral("Result: failed")));
    EXPECT_TRUE(dialog->GetText().contains(QStringLiteral("notes.xls")));
}

TEST_F(CMFSRepairSavedStatusViewTest, ContextMenuOpenFileOpensOnlyASavedRow) {
    RunSavedAndFailed();
    QAction* open = OpenFileAction();
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->data().toInt(), CommandId::OpenFile);
    EXPECT_EQ(Results().contextMenuPolicy(), Qt::ActionsContextMenu);

    open->trigger();  // no row chosen yet
    Results().setCurrentItem(Results().topLevelItem(1));
    open->trigger();
    EXPECT_TRUE(m_dialogs.opened.isEmpty());

    Results().setCurrentItem(Results().topLevelItem(0));
    open->trigger();
    EXPECT_EQ(m_dialogs.opened, QStringList{Destination(0)});
}

TEST_F(CMFSRepairSavedStatusViewTest, FailedRowStillShowsWhereItWouldHaveGone) {
    RunSavedAndFailed();
    EXPECT_EQ(Column(Results(), 2), (QStringList{Destination(0), Destination(1)}));
    EXPECT_FALSE(std::filesystem::exists(Doc().GetJobData()->GetDestinationList().at(1)));
}

TEST_F(CMFSRepairSavedStatusViewTest, BackGoesToTheFileListWithTheListKept) {
    RunSavedAndFailed();
    Button(ResultScreen(), QStringLiteral("&Back"))->click();
    EXPECT_EQ(CurrentIndex(), CViewManger::MFSSelectFile);
    EXPECT_EQ(Sources().size(), 2);
}

TEST_F(CMFSRepairSavedStatusViewTest, RowsBeforeAnyJobShowDotsAndFailed) {
    FileListScreen().AddFiles({ToQString(WriteDamagedSample())});
    Views().SetCurrentIndex(CViewManger::MFSRepairSavedStatus);
    Views().Activate();
    EXPECT_EQ(Column(Results(), 2), QStringList{"..."});
    EXPECT_EQ(Column(Results(), 3), QStringList{"Failed"});
    EXPECT_FALSE(ResultScreen().OpenRow(0));
    EXPECT_EQ(ResultScreen().OpenReport(0), nullptr);  // never begun: no report
}

}  // namespace
