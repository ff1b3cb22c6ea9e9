// The whole multiple-file path: list, options, job, results.
#include <QLineEdit>

#include "app/CMendwellDoc.h"
#include "app/CViewManger.h"
#include "app/tests/CMFSScreenTest.h"
#include "containers/CMFSDataContainer.h"
#include "platform/RunState.h"
#include "repair/CSourceFileKind.h"

namespace {

// The samples are damaged: their saves are counted as saved with losses.
const QString kMixedEnd = QStringLiteral("2 files saved with losses; 1 failed.");

class CMFSJobPathTest : public CMFSScreenTest {
protected:
    void SetUp() override {
        CMFSScreenTest::SetUp();
        StartOnFileList();
    }

    QStringList ResultColumn(int column) const {
        return Column(*List(ResultScreen(), QStringLiteral("ResultList")), column);
    }
};

TEST_F(CMFSJobPathTest, ThreeFilesWithAnUnrepairableOneInTheMiddle) {
    const std::vector<std::filesystem::path> files = {
        WriteDamagedSample(QStringLiteral("first.xls")), WriteUnrepairableFile(),
        WriteDamagedSample(QStringLiteral("third.xls"))};
    const std::filesystem::path out = m_scratch / "recovered";
    RunToJob(files, ToQString(out));
    ASSERT_EQ(CurrentIndex(), CViewManger::MFSRepairSaveProgress);
    EXPECT_TRUE(ProgressScreen().IsTimerActive());

    ASSERT_TRUE(WaitForJobEnd());
    EXPECT_EQ(Informed(kMixedEnd), 1);
    ProgressScreen().OnTimer();

    ASSERT_EQ(CurrentIndex(), CViewManger::MFSRepairSavedStatus);
    EXPECT_FALSE(ProgressScreen().IsTimerActive());
    EXPECT_EQ(ResultColumn(0), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(ResultColumn(1),
              (QStringList{ToQString(files[0]), ToQString(files[1]), ToQString(files[2])}));
    EXPECT_EQ(ResultColumn(3), (QStringList{"Saved", "Failed", "Saved"}));
    // The failed row says why: what the repair said about the file; a file
    // saved with losses says what its repair knows it lost.
    const QString lost = QStringLiteral("the file was damaged; nothing known lost");
    EXPECT_EQ(ResultColumn(4), (QStringList{lost,
                                            QString::fromStdU16String(std::u16string(
                                                CSourceFileKind::Message(ESourceKind::PlainText))),
                                            lost}));

    const auto& destinations = Doc().GetJobData()->GetDestinationList();
    ASSERT_EQ(destinations.size(), 3u);
    EXPECT_EQ(ResultColumn(2), (QStringList{ToQString(destinations[0]), ToQString(destinations[1]),
                                            ToQString(destinations[2])}));
    for (std::size_t i : {0u, 2u}) {
        EXPECT_EQ(destinations[i].parent_path(), out);
        EXPECT_TRUE(std::filesystem::is_regular_file(destinations[i])) << destinations[i];
        EXPECT_GT(std::filesystem::file_size(destinations[i]), 0u);
    }
    EXPECT_FALSE(std::filesystem::exists(destinations[1]));
    // The job's own message comes last, after what the repair said about the
    // file it could not use.
    ASSERT_FALSE(m_dialogs.informed.isEmpty());
    EXPECT_EQ(m_dialogs.informed.back(), kMixedEnd);
}

TEST_F(CMFSJobPathTest, EveryFileFailingStillReachesTheResults) {
    RunToJob({WriteUnrepairableFile(QStringLiteral("a.xls")),
              WriteUnrepairableFile(QStringLiteral("b.xls"))},
             ToQString(m_scratch / "out"));
    ASSERT_TRUE(WaitForJobEnd());
    ProgressScreen().OnTimer();

    ASSERT_EQ(CurrentIndex(), CViewManger::MFSRepairSavedStatus);
    EXPECT_EQ(ResultColumn(3), (QStringList{"Failed", "Failed"}));
}

TEST_F(CMFSJobPathTest, SecondJobOverTheSameListStartsItsRowsAfresh) {
    const std::filesystem::path sample = WriteDamagedSample();
    RunToJob({sample}, ToQString(m_scratch / "out"));
    ASSERT_TRUE(WaitForJobEnd());
    ProgressScreen().OnTimer();
    Button(ResultScreen(), QStringLiteral("&Back"))->click();

    Button(FileListScreen(), QStringLiteral("&Repair and save"))->click();
    Button(OptionScreen(), QStringLiteral("&Save"))->click();
    // The rows of the first run are gone the moment the second begins.
    EXPECT_EQ(Column(*List(ProgressScreen(), QStringLiteral("JobList")), 3), QStringList{""});
    ASSERT_TRUE(WaitUntil([this] { return JobRunning.load() == 0 && JobEnds() == 2; }));
    ProgressScreen().OnTimer();
    EXPECT_EQ(ResultColumn(3), QStringList{"Saved"});
    EXPECT_EQ(Doc().GetJobData()->GetDestinationList().size(), 1u);
}

}  // namespace
