// Screen 7: building the job's file list.
#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "app/CViewManger.h"
#include "app/tests/CMFSScreenTest.h"

namespace {

class CMFSSelectFileViewTest : public CMFSScreenTest {
protected:
    void SetUp() override {
        CMFSScreenTest::SetUp();
        StartOnFileList();
        m_a = ToQString(WriteDamagedSample(QStringLiteral("a.xls")));
        m_b = ToQString(WriteDamagedSample(QStringLiteral("b.xls")));
        m_c = ToQString(WriteDamagedSample(QStringLiteral("c.xls")));
    }

    void Drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&FileListScreen(), &enter);
        m_enterAccepted = enter.isAccepted();
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&FileListScreen(), &drop);
    }

    CMFSFileList& FileList() const { return *List(FileListScreen(), QStringLiteral("FileList")); }

    QString m_a, m_b, m_c;
    bool m_enterAccepted = false;
};

// --- Adding -------------------------------------------------------------------

TEST_F(CMFSSelectFileViewTest, AddFilesAsksForWorksheetsAndListsThemNumberedFromOne) {
    m_dialogs.openChoices.push_back({m_b, m_a});
    Button(FileListScreen(), QStringLiteral("&Add files"))->click();

    ASSERT_EQ(m_dialogs.openFilters.size(), 1);
    EXPECT_EQ(m_dialogs.openFilters.front(),
              QStringLiteral("Worksheet Files (*.xls)|*.xls|All Files (*.*)|*.*||"));
    EXPECT_EQ(Sources(), (QStringList{m_b, m_a}));
    EXPECT_EQ(Column(FileList(), 0), (QStringList{"1", "2"}));
    EXPECT_EQ(Column(FileList(), 1), (QStringList{m_b, m_a}));
    EXPECT_TRUE(m_dialogs.informed.isEmpty());
}

TEST_F(CMFSSelectFileViewTest, CancelledDialogAddsNothing) {
    FileListScreen().OnSelectCommand();
    EXPECT_EQ(m_dialogs.openFilters.size(), 1);
    EXPECT_TRUE(Sources().isEmpty());
    EXPECT_EQ(FileList().RowCount(), 0);
}

TEST_F(CMFSSelectFileViewTest, EachDuplicateIsRefusedWithItsOwnMessageAndTheRestAdded) {
    FileListScreen().AddFiles({m_a, m_b});
    FileListScreen().AddFiles({m_a, m_c, m_b});

    EXPECT_EQ(m_dialogs.informed, (QStringList{m_a + kDuplicateTail, m_b + kDuplicateTail}));
    EXPECT_EQ(Sources(), (QStringList{m_a, m_b, m_c}));
    EXPECT_EQ(Column(FileList(), 1), (QStringList{m_a, m_b, m_c}));
}

TEST_F(CMFSSelectFileViewTest, SameFileTwiceInOneSelectionIsReportedOnceAndKeptOnce) {
    FileListScreen().AddFiles({m_c, m_c});

    EXPECT_EQ(m_dialogs.informed, QStringList{m_c + kDuplicateTail});
    EXPECT_EQ(Sources(), QStringList{m_c});
}

TEST_F(CMFSSelectFileViewTest, AddedFilesReachTheOtherScreensAtOnce) {
    FileListScreen().AddFiles({m_a, m_b});
    // The job screen, hidden, was refreshed with the list.
    EXPECT_EQ(Column(*List(ProgressScreen(), QStringLiteral("JobList")), 1),
              (QStringList{m_a, m_b}));
}

// --- Removing -----------------------------------------------------------------

TEST_F(CMFSSelectFileViewTest, RemoveFileDropsOnlyTheSelectedEntries) {
    FileListScreen().AddFiles({m_a, m_b, m_c});
    FileList().topLevelItem(0)->setSelected(true);
    FileList().topLevelItem(2)->setSelected(true);
    Button(FileListScreen(), QStringLiteral("R&emove file"))->click();

    EXPECT_EQ(Sources(), QStringList{m_b});
    EXPECT_EQ(Column(FileList(), 0), QStringList{"1"});
    EXPECT_EQ(Column(FileList(), 1), QStringList{m_b});
}

TEST_F(CMFSSelectFileViewTest, RemoveFileWithoutSelectionKeepsTheList) {
    FileListScreen().AddFiles({m_a, m_b});
    FileListScreen().RemoveSelectedFiles();
    EXPECT_EQ(Sources(), (QStringList{m_a, m_b}));
}

TEST_F(CMFSSelectFileViewTest, RemoveAllFilesEmptiesTheList) {
    FileListScreen().AddFiles({m_a, m_b});
    Button(FileListScreen(), QStringLiteral("Re&move all files"))->click();
    EXPECT_TRUE(Sources().isEmpty());
    EXPECT_EQ(FileList().RowCount(), 0);
}

// --- Dropping files -------------------------------------------------------------

TEST_F(CMFSSelectFileViewTest, DroppedLocalFilesAreAddedLikeChosenOnes) {
    FileListScreen().AddFiles({m_a});
    Drop({QUrl::fromLocalFile(m_b), QUrl(QStringLiteral("https://example.org/x.xls")),
          QUrl::fromLocalFile(m_a)});

    EXPECT_TRUE(m_enterAccepted);
    EXPECT_EQ(Sources(), (QStringList{m_a, m_b}));
    EXPECT_EQ(m_dialogs.informed, QStringList{m_a + kDuplicateTail});
}

TEST_F(CMFSSelectFileViewTest, DropWithoutLocalFilesIsNotAccepted) {
    Drop({QUrl(QStringLiteral("https://example.org/x.xls"))});
    EXPECT_FALSE(m_enterAccepted);
    EXPECT_TRUE(Sources().isEmpty());
}

// --- Moving on ------------------------------------------------------------------

TEST_F(CMFSSelectFileViewTest, RepairAndSaveGoesToTheSaveOptions) {
    FileListScreen().AddFiles({m_a});
    Button(FileListScreen(), QStringLiteral("&Repair and save"))->click();
    EXPECT_EQ(CurrentIndex(), CViewManger::MFSSaveOption);
}

TEST_F(CMFSSelectFileViewTest, ListSurvivesLeavingAndComingBack) {
    FileListScreen().AddFiles({m_a, m_b});
    FileListScreen().OnRepairCommand();
    Button(OptionScreen(), QStringLiteral("&Back"))->click();

    EXPECT_EQ(CurrentIndex(), CViewManger::MFSSelectFile);
    EXPECT_EQ(Column(FileList(), 1), (QStringList{m_a, m_b}));
}

}  // namespace
