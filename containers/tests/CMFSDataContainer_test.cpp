// The job data as the job screens fill it and the job worker leaves it: its
// state when new, the workbook it owns, the result flags by position.
#include "containers/CMFSDataContainer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelData.h"

namespace fs = std::filesystem;
using testsupport::ScopedTempDir;

namespace {

// A parsed workbook that owns an extracted stream copy at path: the copy
// is deleted exactly when the workbook is destroyed.
std::unique_ptr<CExcelData> WorkbookOwning(const fs::path& path) {
    EXPECT_TRUE(testsupport::WriteFileBytes(path, {0x09, 0x08}));
    auto data = std::make_unique<CExcelData>();
    data->SetExtractedPath(path);
    return data;
}

}  // namespace

TEST(CMFSDataContainerTest, ANewJobHasNothingListedNothingSavedAndEveryOptionSet) {
    CMFSDataContainer job;
    EXPECT_TRUE(job.GetSourceList().empty());
    EXPECT_TRUE(job.GetDestinationList().empty());
    for (std::size_t position : {0u, 1u, 1023u, 1024u}) EXPECT_EQ(job.GetResultFlag(position), 0);
    EXPECT_EQ(job.GetSaveOptions().Get(), 255u);
    EXPECT_TRUE(job.GetDestinationFolder().empty());
    EXPECT_EQ(job.GetCurrentWorkbook(), nullptr);
    EXPECT_EQ(job.GetStatusList(), nullptr);
    EXPECT_EQ(job.GetProgressTarget(), nullptr);
}

TEST(CMFSDataContainerTest, DestroyingTheJobDestroysItsCurrentWorkbook) {
    ScopedTempDir temp;
    const fs::path copy = temp.Path() / "stream.tmp";
    {
        CMFSDataContainer job;
        job.SetCurrentWorkbook(WorkbookOwning(copy));
        ASSERT_TRUE(fs::exists(copy));
    }
    EXPECT_FALSE(fs::exists(copy));
}

TEST(CMFSDataContainerTest, ANewCurrentWorkbookDestroysThePreviousOneAndKeepsItself) {
    ScopedTempDir temp;
    const fs::path first = temp.Path() / "first.tmp";
    const fs::path second = temp.Path() / "second.tmp";
    CMFSDataContainer job;
    job.SetCurrentWorkbook(WorkbookOwning(first));
    job.SetCurrentWorkbook(WorkbookOwning(second));
    EXPECT_FALSE(fs::exists(first));
    EXPECT_TRUE(fs::exists(second));
    ASSERT_NE(job.GetCurrentWorkbook(), nullptr);
    EXPECT_EQ(job.GetCurrentWorkbook()->GetExtractedPath(), second);
}

TEST(CMFSDataContainerTest, ResultFlagsReachPositionsBeyondOneThousandAndTwentyFour) {
    CMFSDataContainer job;
    job.SetResultFlag(5000, 1);
    job.SetResultFlag(1024, 1);
    EXPECT_EQ(job.GetResultFlag(5000), 1);
    EXPECT_EQ(job.GetResultFlag(1024), 1);
    EXPECT_EQ(job.GetResultFlag(1023), 0);
    EXPECT_EQ(job.GetResultFlag(4999), 0);
    EXPECT_EQ(job.GetResultFlag(5001), 0);
    // Reading far beyond what was set allocates nothing and reads 0.
    EXPECT_EQ(job.GetResultFlag(static_cast<std::size_t>(-1)), 0);
}

TEST(CMFSDataContainerTest, KeptReportsShareOneBudgetThatANewRunGivesBack) {
    constexpr std::uint64_t budget = CMFSDataContainer::kReportObjectBudget;
    CMFSDataContainer job;
    EXPECT_TRUE(job.ReserveReportBytes(budget - 10));
    EXPECT_FALSE(job.ReserveReportBytes(11));  // does not fit: nothing taken
    EXPECT_TRUE(job.ReserveReportBytes(10));
    EXPECT_FALSE(job.ReserveReportBytes(1));
    job.ClearFileResults();
    EXPECT_FALSE(job.ReserveReportBytes(budget + 1));
    EXPECT_TRUE(job.ReserveReportBytes(budget));
}
