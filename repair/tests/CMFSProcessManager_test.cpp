// The multiple-file job from start to end: its rows, result flags and
// destinations, the final message, the step texts, and the job's stop
// protocols (Skip, Skip All, suspension between files). Every file is
// repaired and saved for real, through our "Excel.Application" server.
#include "repair/CMFSProcessManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "containers/CMFSDataContainer.h"
#include "model/CExcelData.h"
#include "platform/ProgressTarget.h"
#include "platform/ScopedMessageCapture.h"
#include "platform/TextConversion.h"
#include "repair/CMFSRSThreadManager.h"
#include "repair/CSourceFileKind.h"
#include "repair/tests/support/JobFixtures.h"
#include "repair/tests/support/RepairFixtures.h"
#include "save/CSaveProcessManagerExcel.h"
#include "server/automation/CXlsApplicationServer.h"

namespace fs = std::filesystem;
using jobtest::Eventually;
using jobtest::RecordingJobStatusList;
using testsupport::ScopedTempDir;

namespace {

const std::u16string kJobDone = u"Files repaired and saved successfully.";

class JobTest : public ::testing::Test {
protected:
    void SetUp() override {
        CXlsApplicationServer::Register();
        jobtest::ResetWorkerRunState();
        fs::create_directories(Folder());
        m_job.SetStatusList(&m_list);
        m_job.SetDestinationFolder(Folder());
    }
    void TearDown() override {
        // A failed test may leave a worker held at a gate: let it end
        // before the job data goes.
        jobtest::ResetWorkerRunState();
        if (m_started) Eventually([] { return JobRunning.load() == 0; });
    }

    fs::path Folder() const { return m_temp.Path() / "Recovered"; }

    // A workbook the repair recovers whole: rows numbers in column A, with
    // the formats they name, in a compound file.
    fs::path GoodSource(const std::string& name, std::uint16_t rows = 10) {
        return Write(name, repairtest::InCompoundFile(
                               repairtest::NumberWorkbook(rows, repairtest::FormattedGlobals())));
    }
    // A file with no BOF record anywhere: nothing to recover.
    fs::path HopelessSource(const std::string& name) {
        const std::string text = "name,amount\r\nnothing here,0\r\n";
        return Write(name, testsupport::Bytes(text.begin(), text.end()));
    }
    fs::path Write(const std::string& name, const testsupport::Bytes& bytes) {
        const fs::path path = m_temp.Path() / name;
        fs::create_directories(path.parent_path());
        EXPECT_TRUE(testsupport::WriteFileBytes(path, bytes));
        return path;
    }

    // Runs the job on its worker as the job screen does and waits for it.
    void RunJob() {
        m_manager.SetData(&m_job);
        m_started = true;
        m_manager.Start();
        ASSERT_TRUE(Eventually([] { return JobRunning.load() == 0; }));
    }

    std::vector<std::u16string> FinalStatuses(std::size_t rows) const {
        std::vector<std::u16string> finals;
        for (std::size_t row = 0; row < rows; ++row) {
            const auto statuses = m_list.StatusesOf(row);
            finals.push_back(statuses.empty() ? u"" : statuses.back());
        }
        return finals;
    }

    ScopedTempDir m_temp;
    RecordingJobStatusList m_list;
    CMFSDataContainer m_job;
    CMFSRSThreadManager m_manager;
    bool m_started = false;
};

using Statuses = std::vector<std::u16string>;

}  // namespace

// A bare stream whose cells name XF records it lacks is saved, but counted
// apart, with what its repair knows it lost as the row's reason.
TEST_F(JobTest, AFileSavedWithLossesIsCountedApart) {
    const fs::path whole = GoodSource("whole.xls");
    const fs::path damaged = Write("damaged.xls", repairtest::NumberWorkbook(5));
    m_job.GetSourceList() = {whole, damaged};
    ScopedMessageCapture messages;
    RunJob();

    EXPECT_EQ(m_job.GetResultFlag(1), 1);
    EXPECT_FALSE(m_job.GetFileResult(0).partial);
    EXPECT_TRUE(m_job.GetFileResult(1).partial);
    EXPECT_EQ(m_job.GetFileResult(1).reason, u"5 cells without their format");
    ASSERT_FALSE(messages.Texts().empty());
    EXPECT_EQ(messages.Texts().back(), u"1 file repaired and saved; 1 saved with losses.");
}

TEST_F(JobTest, ThreeFilesWhereTheSecondCannotBeRepaired) {
    const fs::path first = GoodSource("first.xls");
    const fs::path second = HopelessSource("second.xls");
    const fs::path third = GoodSource("third.xls", 40);
    m_job.GetSourceList() = {first, second, third};
    const fs::path firstDestination =
        CSaveProcessManagerExcel::MakeDestinationName(first, Folder());
    ScopedMessageCapture messages;
    RunJob();

    EXPECT_EQ(FinalStatuses(3), (Statuses{u"Saved", u"Skipped", u"Saved"}));
    for (std::size_t row = 0; row < 3; ++row)
        EXPECT_EQ(m_list.StatusesOf(row).front(), u"Saving") << "row " << row;
    EXPECT_EQ(m_job.GetResultFlag(0), 1);
    EXPECT_EQ(m_job.GetResultFlag(1), 0);
    EXPECT_EQ(m_job.GetResultFlag(2), 1);
    // The failed file keeps the reason the repair gave for it.
    EXPECT_EQ(m_job.GetFileResult(1).outcome, EFileOutcome::Failed);
    EXPECT_EQ(m_job.GetFileResult(1).reason, CSourceFileKind::Message(ESourceKind::PlainText));
    EXPECT_EQ(m_job.GetFileResult(2).reason, u"");

    const auto& destinations = m_job.GetDestinationList();
    ASSERT_EQ(destinations.size(), 3u);
    EXPECT_EQ(destinations[0], firstDestination);
    for (const fs::path& destination : destinations) EXPECT_EQ(destination.parent_path(), Folder());
    EXPECT_TRUE(fs::exists(destinations[0]));
    EXPECT_FALSE(fs::exists(destinations[1]));
    EXPECT_TRUE(fs::exists(destinations[2]));
    // Every row shows the destination its file was given.
    for (const auto& call : m_list.Rows()) EXPECT_EQ(call.destination, destinations[call.row]);

    // The main status text follows the file in progress and is cleared at
    // the end; the file that could not be repaired never reached the save.
    EXPECT_EQ(m_list.StatusTexts(),
              (Statuses{TextFromPath(first), TextFromPath(second), TextFromPath(third), u""}));
    EXPECT_EQ(m_list.Steps(), (Statuses{u"Parsing file...", u"Saving file...", u"Parsing file...",
                                        u"Parsing file...", u"Saving file..."}));
    ASSERT_FALSE(messages.Texts().empty());
    EXPECT_EQ(messages.Texts().back(), u"2 files repaired and saved; 1 failed.");
    // The last file's workbook stays with the job.
    ASSERT_NE(m_job.GetCurrentWorkbook(), nullptr);
    EXPECT_EQ(m_job.GetCurrentWorkbook()->GetSourcePath(), third);
}

TEST_F(JobTest, EachFileIsSavedWithTheJobsOptionsAndProgressTarget) {
    ProgressTarget progress;
    m_job.SetProgressTarget(&progress);
    m_job.GetSaveOptions().Clear(CSaveOption::Formulas | CSaveOption::MergedRanges);
    m_job.GetSourceList() = {HopelessSource("only.xls")};
    ScopedMessageCapture messages;
    RunJob();

    const CExcelData* data = m_job.GetCurrentWorkbook();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->GetSaveOptions().Get(),
              255u & ~(CSaveOption::Formulas | CSaveOption::MergedRanges));
    EXPECT_EQ(data->GetProgressWindow(), &progress);
    EXPECT_EQ(data->GetSaveProgressWindow(), &progress);
}

TEST_F(JobTest, AnEmptyListEndsAtOnceWithoutAMessage) {
    m_job.GetDestinationList() = {Folder() / "left from before.xls"};
    ScopedMessageCapture messages;
    RunJob();
    EXPECT_EQ(messages.Count(), 0u);
    EXPECT_TRUE(m_list.Rows().empty());
    EXPECT_TRUE(m_list.StatusTexts().empty());
    EXPECT_TRUE(m_list.Steps().empty());
    EXPECT_EQ(m_job.GetDestinationList().size(), 1u);
    EXPECT_EQ(m_job.GetCurrentWorkbook(), nullptr);
}

TEST_F(JobTest, ASecondRunOverTheSameJobListsOnlyItsOwnDestinations) {
    // Also without any status list: the command-line tool may run a job
    // that shows no rows.
    m_job.SetStatusList(nullptr);
    m_job.GetSourceList() = {GoodSource("a.xls"), HopelessSource("b.xls")};
    ScopedMessageCapture messages;
    RunJob();
    ASSERT_EQ(m_job.GetDestinationList().size(), 2u);

    // The first file is now hopeless too: its flag is overwritten.
    Write("a.xls", {0x00, 0x01, 0x02});
    RunJob();
    EXPECT_EQ(m_job.GetDestinationList().size(), 2u);
    EXPECT_EQ(m_job.GetResultFlag(0), 0);
    EXPECT_EQ(m_job.GetResultFlag(1), 0);
    const auto texts = messages.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), u"1 file repaired and saved; 1 failed."), 1);
    EXPECT_EQ(texts.back(), u"0 files repaired and saved; 2 failed.");
}

TEST_F(JobTest, SkipDuringASaveSkipsOnlyThatFile) {
    m_job.GetSourceList() = {GoodSource("one.xls"), GoodSource("two.xls"), GoodSource("three.xls")};
    // Hold the second file's save at its first stop check, so that the skip
    // lands while the save runs.
    int saves = 0;
    m_list.OnStep = [&saves](const std::u16string& step) {
        if (step == u"Saving file..." && ++saves == 2) SaveWorkerGate.Suspend();
    };
    ScopedMessageCapture messages;
    m_manager.SetData(&m_job);
    m_started = true;
    m_manager.Start();
    const bool held = Eventually([] { return SaveWorkerGate.WaitingCount() == 1; });
    EXPECT_TRUE(held) << "the second save never reached a stop check";
    EXPECT_EQ(SaveRunning.load(), 1);
    CMFSRSThreadManager::SkipFile();
    SaveWorkerGate.Resume();
    ASSERT_TRUE(Eventually([] { return JobRunning.load() == 0; }));

    EXPECT_EQ(FinalStatuses(3), (Statuses{u"Saved", u"Skipped", u"Saved"}));
    EXPECT_EQ(m_job.GetResultFlag(0), 1);
    EXPECT_EQ(m_job.GetResultFlag(1), 0);
    EXPECT_EQ(m_job.GetResultFlag(2), 1);
    ASSERT_EQ(m_job.GetDestinationList().size(), 3u);
    EXPECT_FALSE(fs::exists(m_job.GetDestinationList()[1]));
    EXPECT_TRUE(fs::exists(m_job.GetDestinationList()[2]));
    EXPECT_EQ(m_job.GetFileResult(1).outcome, EFileOutcome::Skipped);
    EXPECT_EQ(m_job.GetFileResult(1).reason, u"Skipped by the user.");
    ASSERT_FALSE(messages.Texts().empty());
    EXPECT_EQ(messages.Texts().back(), u"2 files repaired and saved; 1 skipped.");
}

TEST_F(JobTest, ASkipBetweenARepairAndItsSaveSkipsThatFile) {
    m_job.GetSourceList() = {GoodSource("one.xls"), GoodSource("two.xls")};
    // The repair of the first file has ended; its save has not started.
    bool skipped = false;
    m_list.OnStep = [&skipped](const std::u16string& step) {
        if (step == u"Saving file..." && !skipped) {
            skipped = true;
            CMFSRSThreadManager::SkipFile();
        }
    };
    ScopedMessageCapture messages;
    RunJob();
    EXPECT_EQ(FinalStatuses(2), (Statuses{u"Skipped", u"Saved"}));
    ASSERT_EQ(m_job.GetDestinationList().size(), 2u);
    EXPECT_FALSE(fs::exists(m_job.GetDestinationList()[0]));
    EXPECT_TRUE(fs::exists(m_job.GetDestinationList()[1]));
}

TEST_F(JobTest, SkipAllDuringTheFirstOfThreeLeavesTheOtherRowsAlone) {
    m_job.GetSourceList() = {GoodSource("one.xls"), GoodSource("two.xls"), GoodSource("three.xls")};
    // Hold the first repair at its first stop check while "Skip &All" is
    // confirmed, as the job screen holds the job while it asks.
    m_list.OnStep = [](const std::u16string& step) {
        if (step == u"Parsing file...") RepairWorkerGate.Suspend();
    };
    ScopedMessageCapture messages;
    m_manager.SetData(&m_job);
    m_started = true;
    m_manager.Start();
    ASSERT_TRUE(Eventually([] { return RepairWorkerGate.WaitingCount() == 1; }));
    m_manager.Suspend();
    m_manager.Resume();
    m_manager.Stop();
    CMFSRSThreadManager::SkipFile();
    RepairWorkerGate.Resume();
    ASSERT_TRUE(Eventually([] { return JobRunning.load() == 0; }));

    EXPECT_EQ(m_list.StatusesOf(0), (Statuses{u"Saving", u"Skipped"}));
    EXPECT_TRUE(m_list.StatusesOf(1).empty());
    EXPECT_TRUE(m_list.StatusesOf(2).empty());
    EXPECT_EQ(m_job.GetResultFlag(0), 0);
    EXPECT_EQ(m_job.GetDestinationList().size(), 1u);
    EXPECT_EQ(m_list.Steps(), (Statuses{u"Parsing file..."}));
    EXPECT_EQ(m_job.GetFileResult(2).outcome, EFileOutcome::NotBegun);
    EXPECT_EQ(m_job.GetFileResult(2).reason, u"The job was stopped before this file was begun.");
    EXPECT_EQ(messages.Texts(), (Statuses{u"0 files repaired and saved; 1 skipped; 2 not begun."}));
    EXPECT_EQ(m_list.StatusTexts().back(), u"");
}

TEST_F(JobTest, ASuspendedJobWaitsBeforeItsNextFileUntilResumed) {
    m_job.GetSourceList() = {HopelessSource("one.xls")};
    ScopedMessageCapture messages;
    m_manager.SetData(&m_job);
    EXPECT_TRUE(m_manager.Suspend());
    m_started = true;
    m_manager.Start();
    ASSERT_TRUE(Eventually([] { return JobWorkerGate.WaitingCount() == 1; }));
    EXPECT_EQ(JobRunning.load(), 1u);
    EXPECT_TRUE(m_list.Rows().empty());

    EXPECT_TRUE(m_manager.Resume());
    ASSERT_TRUE(Eventually([] { return JobRunning.load() == 0; }));
    EXPECT_EQ(m_list.StatusesOf(0), (Statuses{u"Saving", u"Skipped"}));
    EXPECT_FALSE(RepairWorkerGate.IsSuspended());
    EXPECT_FALSE(SaveWorkerGate.IsSuspended());
}

TEST_F(JobTest, SourcesWhoseNamesCollideGetDistinctDestinationsAndKeepWhatWasThere) {
    const fs::path first = GoodSource("north/book.xls");
    const fs::path second = GoodSource("south/book.xls", 25);
    // A file from an earlier job already holds the first name.
    const fs::path taken = CSaveProcessManagerExcel::MakeDestinationName(first, Folder());
    ASSERT_FALSE(taken.empty());
    ASSERT_TRUE(testsupport::WriteFileBytes(taken, {'k', 'e', 'e', 'p'}));
    m_job.GetSourceList() = {first, second};
    ScopedMessageCapture messages;
    RunJob();

    EXPECT_EQ(FinalStatuses(2), (Statuses{u"Saved", u"Saved"}));
    const auto& destinations = m_job.GetDestinationList();
    ASSERT_EQ(destinations.size(), 2u);
    EXPECT_NE(destinations[0], taken);
    EXPECT_NE(destinations[1], taken);
    EXPECT_NE(destinations[0], destinations[1]);
    EXPECT_TRUE(fs::exists(destinations[0]));
    EXPECT_TRUE(fs::exists(destinations[1]));
    EXPECT_EQ(testsupport::ReadFileBytes(taken), (testsupport::Bytes{'k', 'e', 'e', 'p'}));
    ASSERT_FALSE(messages.Texts().empty());
    EXPECT_EQ(messages.Texts().back(), kJobDone);
}
