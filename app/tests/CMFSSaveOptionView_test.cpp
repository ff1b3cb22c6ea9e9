// Screen 8: destination folder and option mask of the job.

#include <QCheckBox>
#include <QLineEdit>
#include <fstream>

#include "app/CMendwellDoc.h"
#include "app/CViewManger.h"
#include "app/tests/CMFSScreenTest.h"
#include "containers/CMFSDataContainer.h"
#include "model/CSaveOption.h"
#include "platform/RunState.h"

namespace {

class CMFSSaveOptionViewTest : public CMFSScreenTest {
protected:
    void SetUp() override {
        CMFSScreenTest::SetUp();
        StartOnFileList();
    }

    void ShowOptions() {
        Views().SetCurrentIndex(CViewManger::MFSSaveOption);
        Views().Activate();
    }

    QCheckBox* Box(const QString& caption) const {
        for (QCheckBox* box : OptionScreen().findChildren<QCheckBox*>()) {
            if (box->text() == caption) return box;
        }
        ADD_FAILURE() << "no check box " << caption.toStdString();
        return nullptr;
    }

    QLineEdit& Folder() const {
        return *OptionScreen().findChild<QLineEdit*>(QStringLiteral("DestinationFolder"));
    }

    CMFSDataContainer& Job() const { return *ProgressScreen().EnsureJobData(); }
};

const QStringList kCaptions = {"Save row information", "Save column information",
                               "Save merged cells",    "Save text",
                               "Save bool value",      "Save formula",
                               "Save number"};
const std::uint32_t kBits[] = {
    CSaveOption::RowInformation, CSaveOption::ColumnInformation, CSaveOption::MergedRanges,
    CSaveOption::Texts,          CSaveOption::BooleansAndErrors, CSaveOption::Formulas,
    CSaveOption::Numbers};

// --- Options --------------------------------------------------------------------

TEST_F(CMFSSaveOptionViewTest, BoxesShowTheJobMaskEachTimeTheScreenIsShown) {
    ShowOptions();
    for (const QString& caption : kCaptions)
        EXPECT_TRUE(Box(caption)->isChecked()) << caption.toStdString();

    Views().SetCurrentIndex(CViewManger::MFSSelectFile);
    Views().Activate();
    Job().GetSaveOptions() =
        CSaveOption(CSaveOption::Numbers | CSaveOption::Texts | CSaveOption::BlankCellFormats);
    ShowOptions();

    for (int i = 0; i < kCaptions.size(); ++i) {
        const bool expected = kBits[i] == CSaveOption::Numbers || kBits[i] == CSaveOption::Texts;
        EXPECT_EQ(Box(kCaptions[i])->isChecked(), expected) << kCaptions[i].toStdString();
    }
    // Showing the mask does not change it.
    EXPECT_EQ(Job().GetSaveOptions().Get(),
              CSaveOption::Numbers | CSaveOption::Texts | CSaveOption::BlankCellFormats);
}

TEST_F(CMFSSaveOptionViewTest, EachBoxEditsOnlyItsOwnBitAndTheBlankFormatBitStays) {
    ShowOptions();
    for (int i = 0; i < kCaptions.size(); ++i) {
        Box(kCaptions[i])->click();
        EXPECT_EQ(Job().GetSaveOptions().Get(), CSaveOption::All & ~kBits[i])
            << kCaptions[i].toStdString();
        Box(kCaptions[i])->click();
        EXPECT_EQ(Job().GetSaveOptions().Get(), CSaveOption::All);
    }
    for (const QString& caption : kCaptions) Box(caption)->click();
    EXPECT_EQ(Job().GetSaveOptions().Get(), std::uint32_t{CSaveOption::BlankCellFormats});
}

// --- Folder -----------------------------------------------------------------------

TEST_F(CMFSSaveOptionViewTest, FolderStartsAtTheRecoveredFilesLocation) {
    ShowOptions();
    EXPECT_EQ(Folder().text(), ToQString(Doc().GetRecoveredLocation()));
}

TEST_F(CMFSSaveOptionViewTest, BrowseTakesTheChosenFolderWithASeparatorAtItsEnd) {
    ShowOptions();
    const QString chosen = ToQString(m_scratch / "picked");
    m_dialogs.folderChoices.push_back(chosen);
    Button(OptionScreen(), QStringLiteral("Browse..."))->click();

    EXPECT_EQ(m_dialogs.folderTitles,
              QStringList{QStringLiteral("Select the destination directory to save the file:")});
    EXPECT_EQ(Folder().text(), chosen + "/");
    EXPECT_EQ(ToQString(Job().GetDestinationFolder()), chosen + "/");
}

TEST_F(CMFSSaveOptionViewTest, BrowseCancelledKeepsTheFolder) {
    ShowOptions();
    const QString before = Folder().text();
    OptionScreen().OnBrowse();
    EXPECT_EQ(Folder().text(), before);
}

TEST_F(CMFSSaveOptionViewTest, TypedFolderIsTheJobFolder) {
    ShowOptions();
    Folder().setText(QString());
    Folder().insert(QStringLiteral("/tmp/typed"));
    EXPECT_EQ(ToQString(Job().GetDestinationFolder()), QStringLiteral("/tmp/typed"));
}

// --- Save -------------------------------------------------------------------------

TEST_F(CMFSSaveOptionViewTest, EmptyFolderIsRefusedAndTheScreenStays) {
    ShowOptions();
    Folder().clear();
    Button(OptionScreen(), QStringLiteral("&Save"))->click();

    EXPECT_EQ(m_dialogs.informed,
              QStringList{QStringLiteral(
                  "Please set the destination folder path to save the repaired file.")});
    EXPECT_EQ(CurrentIndex(), CViewManger::MFSSaveOption);
    EXPECT_EQ(JobRunning.load(), 0u);
    EXPECT_FALSE(ProgressScreen().IsTimerActive());
}

TEST_F(CMFSSaveOptionViewTest, SaveMakesTheFolderLevelByLevelAndRunsAnEmptyJobToItsEnd) {
    ShowOptions();
    const std::filesystem::path folder = m_scratch / "out" / "deeper" / "deepest";
    Folder().setText(ToQString(folder));
    Button(OptionScreen(), QStringLiteral("&Save"))->click();

    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(Folder().text(), ToQString(folder) + "/");
    EXPECT_EQ(ToQString(Job().GetDestinationFolder()), ToQString(folder) + "/");
    EXPECT_EQ(CurrentIndex(), CViewManger::MFSRepairSaveProgress);
    EXPECT_TRUE(ProgressScreen().IsTimerActive());

    // An empty list: the job ends at once, without its final message, and
    // the results table is empty.
    ASSERT_TRUE(WaitForWorkersIdle());
    ProgressScreen().OnTimer();
    EXPECT_EQ(CurrentIndex(), CViewManger::MFSRepairSavedStatus);
    EXPECT_EQ(List(ResultScreen(), QStringLiteral("ResultList"))->RowCount(), 0);
    EXPECT_EQ(JobEnds(), 0);
}

TEST_F(CMFSSaveOptionViewTest, SaveBeforeTheScreenWasShownUsesTheJobFolder) {
    // The main window's save command on the file list.
    const std::filesystem::path folder = m_scratch / "from-list";
    Job().SetDestinationFolder(folder);
    OptionScreen().OnSave();

    EXPECT_TRUE(m_dialogs.informed.isEmpty());
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(CurrentIndex(), CViewManger::MFSRepairSaveProgress);
    ASSERT_TRUE(WaitForWorkersIdle());
}

TEST_F(CMFSSaveOptionViewTest, FolderThatCannotBeMadeStillStartsTheJob) {
    const std::filesystem::path sample = WriteDamagedSample();
    FileListScreen().AddFiles({ToQString(sample)});
    ShowOptions();
    // A plain file stands where a folder would have to be.
    const std::filesystem::path blocker = m_scratch / "blocker";
    std::ofstream(blocker) << "not a folder";
    Folder().setText(ToQString(blocker / "out"));
    Button(OptionScreen(), QStringLiteral("&Save"))->click();

    EXPECT_EQ(CurrentIndex(), CViewManger::MFSRepairSaveProgress);
    ASSERT_TRUE(WaitForJobEnd());
    ProgressScreen().OnTimer();
    ASSERT_EQ(CurrentIndex(), CViewManger::MFSRepairSavedStatus);
    EXPECT_EQ(Column(*List(ResultScreen(), QStringLiteral("ResultList")), 3),
              QStringList{"Failed"});
    // The save's own failure text is the row's reason.
    EXPECT_TRUE(Column(*List(ResultScreen(), QStringLiteral("ResultList")), 4)[0].startsWith(
        QStringLiteral("Failed to save the file ")));
}

TEST_F(CMFSSaveOptionViewTest, BackGoesToTheFileList) {
    ShowOptions();
    Button(OptionScreen(), QStringLiteral("&Back"))->click();
    EXPECT_EQ(CurrentIndex(), CViewManger::MFSSelectFile);
}

}  // namespace
