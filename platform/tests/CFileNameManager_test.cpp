#include "platform/CFileNameManager.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <thread>
#include <vector>

#include "platform/tests/support/ScopedEnv.h"
#include "platform/tests/support/ScopedTempFolder.h"

using testsupport::ScopedEnv;
using testsupport::ScopedTempFolder;

namespace {

void Touch(const std::filesystem::path& path) { std::ofstream(path) << "taken"; }

// "HHHHHHHH-HHHH-4HHH-VHHHHHHHHHHHHHHH" + extension, H a hex digit of the
// given case, 4 the version and V one of the variant digits 8, 9, A, B.
bool IsTempWorkbookFileName(const std::string& name, bool upper, const std::string& extension) {
    const std::string digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    const std::string shape = "HHHHHHHH-HHHH-4HHH-VHHHHHHHHHHHHHHH";
    if (name.size() != shape.size() + extension.size()) return false;
    if (name.compare(shape.size(), std::string::npos, extension) != 0) return false;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const char c = name[i];
        switch (shape[i]) {
            case 'H':
                if (digits.find(c) == std::string::npos) return false;
                break;
            case 'V':
                if (digits.substr(8, 4).find(c) == std::string::npos) return false;
                break;
            default:
                if (c != shape[i]) return false;
        }
    }
    return true;
}

}  // namespace

// Spill-file names.

TEST(CFileNameManager, SpillNameIsTheTemporaryFolderThenTheNumberedPattern) {
    ScopedTempFolder tmp("spillname");
    ScopedEnv env("TMPDIR", tmp.Path().string());
    EXPECT_EQ(CFileNameManager::GetTempTextFileName(7), tmp.Path() / "_WBR_1234xyz_7.txt");
    EXPECT_EQ(CFileNameManager::GetTempTextFileName(4000000000u).filename(),
              "_WBR_1234xyz_4000000000.txt");
}

TEST(CFileNameManager, TmpdirThatIsNoFolderFallsBackToSlashTmp) {
    ScopedEnv env("TMPDIR", std::string("/nonexistent/mendwell/tmp"));
    EXPECT_EQ(CFileNameManager::GetTempFolder(), std::filesystem::path("/tmp"));
}

// The spill-file counter and exclusive creation.

TEST(CFileNameManager, SpillIdsRiseByOneAndEachFileIsCreatedEmpty) {
    ScopedTempFolder tmp("spillids");
    ScopedEnv env("TMPDIR", tmp.Path().string());
    const SpillFile a = CFileNameManager::CreateSpillFile();
    const SpillFile b = CFileNameManager::CreateSpillFile();
    ASSERT_TRUE(a.created);
    ASSERT_TRUE(b.created);
    EXPECT_GE(a.id, 1u);
    EXPECT_EQ(b.id, a.id + 1);
    EXPECT_EQ(RawRecordCounter.load(), b.id);
    EXPECT_EQ(b.path, CFileNameManager::GetTempTextFileName(b.id));
    EXPECT_EQ(std::filesystem::file_size(b.path), 0u);
}

TEST(CFileNameManager, ANameLeftByAnotherProcessIsSkippedNotReused) {
    ScopedTempFolder tmp("spillskip");
    ScopedEnv env("TMPDIR", tmp.Path().string());
    const std::uint32_t next = RawRecordCounter.load() + 1;
    Touch(CFileNameManager::GetTempTextFileName(next));
    Touch(CFileNameManager::GetTempTextFileName(next + 1));
    const SpillFile spill = CFileNameManager::CreateSpillFile();
    ASSERT_TRUE(spill.created);
    EXPECT_EQ(spill.id, next + 2);
    std::ifstream taken(CFileNameManager::GetTempTextFileName(next));
    std::string content;
    taken >> content;
    EXPECT_EQ(content, "taken");  // the other process's file is untouched
}

TEST(CFileNameManager, GivesUpAfterABoundedRunOfTakenNames) {
    ScopedTempFolder tmp("spillbound");
    ScopedEnv env("TMPDIR", tmp.Path().string());
    const std::uint32_t next = RawRecordCounter.load() + 1;
    for (std::uint32_t i = 0; i < 1000; ++i) Touch(CFileNameManager::GetTempTextFileName(next + i));
    const SpillFile spill = CFileNameManager::CreateSpillFile();
    EXPECT_FALSE(spill.created);
    EXPECT_EQ(RawRecordCounter.load(), next + 999);
    // The run of taken names ends: the following call succeeds.
    EXPECT_TRUE(CFileNameManager::CreateSpillFile().created);
}

TEST(CFileNameManager, ThreadsCreatingSpillFilesAtOnceNeverShareOne) {
    ScopedTempFolder tmp("spillthreads");
    ScopedEnv env("TMPDIR", tmp.Path().string());
    constexpr int kThreads = 4;
    constexpr int kEach = 100;
    std::vector<std::vector<SpillFile>> made(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&made, t] {
            for (int i = 0; i < kEach; ++i) made[t].push_back(CFileNameManager::CreateSpillFile());
        });
    for (std::thread& thread : threads) thread.join();
    std::set<std::uint32_t> ids;
    for (const auto& list : made)
        for (const SpillFile& spill : list) {
            EXPECT_TRUE(spill.created);
            ids.insert(spill.id);
        }
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(kThreads * kEach));
}

// Temporary workbook names.

TEST(CFileNameManager, TempWorkbookNameIsAnUpperCaseUuidWithTheLastBytesJoined) {
    ScopedTempFolder tmp("workbook");
    ScopedEnv env("TMPDIR", tmp.Path().string());
    const std::filesystem::path name = CFileNameManager::MakeTempWorkbookName();
    EXPECT_EQ(name.parent_path(), tmp.Path());
    EXPECT_TRUE(IsTempWorkbookFileName(name.filename().string(), true, ".xls")) << name;
    EXPECT_FALSE(std::filesystem::exists(name));
    EXPECT_NE(CFileNameManager::MakeTempWorkbookName(), name);
}

TEST(CFileNameManager, ExtractedNameIsLowerCaseTmpAndLeavesTheFolderAlone) {
    // A temporary folder with capitals and ".xls" in its name must survive:
    // only the file name is lower-cased and renamed.
    ScopedTempFolder tmp("extracted");
    const std::filesystem::path folder = tmp.Path() / "My.XLS.Temp" / "in.xls";
    std::filesystem::create_directories(folder);
    ScopedEnv env("TMPDIR", folder.string());
    const std::filesystem::path name = CFileNameManager::MakeExtractedWorkbookName();
    EXPECT_EQ(name.parent_path(), folder);
    EXPECT_TRUE(IsTempWorkbookFileName(name.filename().string(), false, ".tmp")) << name;
}
