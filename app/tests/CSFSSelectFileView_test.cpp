#include "app/CSFSSelectFileView.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <fstream>

#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CSFSRepairProgressView.h"
#include "app/CStepLinks.h"
#include "app/tests/CSingleFileFixture.h"
#include "platform/RunState.h"
#include "widgets/CHyperLinkLabel.h"

namespace {

const QString kEmptyPathMessage =
    QStringLiteral("Please select the corrupt file using [Select file] and \r\nclick [Recover].");
const QString kMissingFileMessage =
    QStringLiteral("File does not exist. Please select the file\r\n using [Select file] button.");
const QString kFilter = QStringLiteral("Worksheet Files (*.xls)|*.xls|All Files (*.*)|*.*||");

class SelectFileViewTest : public CSingleFileFixture {
protected:
    QLineEdit* PathEdit() const {
        return SelectView()->findChild<QLineEdit*>(QStringLiteral("SourcePath"));
    }

    std::filesystem::path Touch(const char* name) const {
        const std::filesystem::path path = m_scratch / name;
        std::ofstream(path) << "x";
        return path;
    }

    // Drags urls onto screen 0 and drops them the way the desktop does (a
    // drop goes to the widget that accepted the drag); true when the drag
    // was accepted.
    bool Drop(const QList<QUrl>& urls) const {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(SelectView(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(SelectView(), &drop);
        return enter.isAccepted();
    }

    // Nothing of a repair was started.
    void ExpectNoRepair() const {
        EXPECT_EQ(CurrentIndex(), CViewManger::SFSSelectFile);
        EXPECT_EQ(ParsingRunning, 0);
        EXPECT_FALSE(RepairView()->IsTimerActive());
        EXPECT_FALSE(Frame().GetStepFlag(0));
    }
};

// --- "&Recover" refuses what is not a file -------------------------------

TEST_F(SelectFileViewTest, AnEmptyPathGetsTheSelectMessageAndNothingElse) {
    Start();
    PathEdit()->clear();
    ASSERT_TRUE(Click(SelectView(), "Recover"));
    EXPECT_EQ(m_dialogs.informed, QStringList{kEmptyPathMessage});
    ExpectNoRepair();
}

TEST_F(SelectFileViewTest, APathOfOnlyBlanksIsAFileThatDoesNotExist) {
    Start();
    PathEdit()->setText(QStringLiteral("   "));
    ASSERT_TRUE(Click(SelectView(), "Recover"));
    EXPECT_EQ(m_dialogs.informed, QStringList{kMissingFileMessage});
    ExpectNoRepair();
}

TEST_F(SelectFileViewTest, AMissingFileOrAFolderGetsTheDoesNotExistMessage) {
    Start();
    PathEdit()->setText(ToQString(m_scratch / "nowhere.xls"));
    SelectView()->OnRecover();
    PathEdit()->setText(ToQString(m_scratch));
    SelectView()->OnRecover();
    EXPECT_EQ(m_dialogs.informed, (QStringList{kMissingFileMessage, kMissingFileMessage}));
    EXPECT_TRUE(Doc().GetSourcePath().empty());
    ExpectNoRepair();
}

TEST_F(SelectFileViewTest, TheRepairCommandOfTheMainWindowIsRecover) {
    Start();
    PathEdit()->clear();
    SelectView()->OnRepairCommand();
    EXPECT_EQ(m_dialogs.informed, QStringList{kEmptyPathMessage});
}

// --- choosing the file -----------------------------------------------------

TEST_F(SelectFileViewTest, SelectFileTakesTheChosenFileAndRefreshesTheBox) {
    Start();
    const std::filesystem::path chosen = Touch("chosen.xls");
    m_dialogs.openChoices.push_back(QStringList{ToQString(chosen)});
    ASSERT_TRUE(Click(SelectView(), "SelectFile"));
    EXPECT_EQ(m_dialogs.openFilters, QStringList{kFilter});
    EXPECT_EQ(Doc().GetSourcePath(), chosen);
    EXPECT_EQ(PathEdit()->text(), ToQString(chosen));

    // Cancelled: the path stays.
    ASSERT_TRUE(Click(SelectView(), "Browse"));
    SelectView()->OnSelectCommand();
    EXPECT_EQ(m_dialogs.openFilters.size(), 3);
    EXPECT_EQ(Doc().GetSourcePath(), chosen);
}

TEST_F(SelectFileViewTest, TheBoxShowsTheDocumentsPathWhenShownAgain) {
    Start();
    PathEdit()->setText(QStringLiteral("typed but not used"));
    Doc().SetSourcePath(m_scratch / "from-elsewhere.xls");
    Show(CViewManger::SFSSelectFile);
    EXPECT_EQ(PathEdit()->text(), ToQString(m_scratch / "from-elsewhere.xls"));
}

TEST_F(SelectFileViewTest, DroppingSeveralFilesKeepsTheFirstLocalOne) {
    Start();
    const std::filesystem::path first = Touch("first.xls");
    const std::filesystem::path second = Touch("second.xls");
    EXPECT_TRUE(
        Drop({QUrl(QStringLiteral("https://example.org/remote.xls")),
              QUrl::fromLocalFile(ToQString(first)), QUrl::fromLocalFile(ToQString(second))}));
    EXPECT_EQ(Doc().GetSourcePath(), first);
    EXPECT_EQ(PathEdit()->text(), ToQString(first));

    // A drop without any local file changes nothing.
    EXPECT_FALSE(Drop({QUrl(QStringLiteral("https://example.org/other.xls"))}));
    EXPECT_EQ(Doc().GetSourcePath(), first);
}

TEST_F(SelectFileViewTest, ADroppedPathIsCutAtItsLimit) {
    Start();
    const QString longName = QStringLiteral("/") + QString(700, QLatin1Char('a'));
    EXPECT_TRUE(SelectView()->AcceptDroppedFiles({QUrl::fromLocalFile(longName)}));
    EXPECT_EQ(PathEdit()->text(), longName.left(CSFSSelectFileView::kMaxDroppedPathLength));
}

// --- starting the repair ----------------------------------------------------

TEST_F(SelectFileViewTest, RecoverPreparesTheRepairAndOpensOnlyTheSelectLink) {
    Start();
    const std::filesystem::path source = WriteDamagedSample();
    Frame().SetStepFlag(1, true);  // left over from an earlier workbook
    Frame().SetStepFlag(2, true);
    CExcelData* before = Doc().GetWorkbook();
    Recover(source);
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSRepairProgress);
    EXPECT_NE(Doc().GetWorkbook(), before);
    EXPECT_EQ(Doc().GetSourcePath(), source);
    EXPECT_EQ(Frame().GetSingleFileStatusText(), ToQString(source));
    EXPECT_TRUE(Frame().GetStepFlag(0));
    EXPECT_FALSE(Frame().GetStepFlag(1));
    EXPECT_FALSE(Frame().GetStepFlag(2));
    ASSERT_TRUE(WaitForRepairEnd());
}

TEST_F(SelectFileViewTest, RecoverWhileARepairRunsGoesBackToItAndKeepsItsWorkbook) {
    Start();
    const std::filesystem::path source = WriteDamagedSample();
    Doc().GetRepairManager().Suspend();  // the worker waits at its first check
    Recover(source);
    CExcelData* running = Doc().GetWorkbook();
    Show(CViewManger::SFSSelectFile);
    SelectView()->OnRecover();
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSRepairProgress);
    EXPECT_EQ(Doc().GetWorkbook(), running);
    Doc().GetRepairManager().Resume();
    ASSERT_TRUE(WaitForRepairEnd());
}

}  // namespace
