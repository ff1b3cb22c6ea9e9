#include "save/CSaveFileMover.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

using EMethod = CSaveFileMover::EMethod;

void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs the move in a child process that, when this one is root, first
// becomes nobody (uid and gid 65534) and owns the folders under root, so
// that a folder's missing write bit stops it as it stops any user. The
// move's result; none when the child could not run it.
std::optional<bool> MoveAsUnprivileged(const fs::path& root, const fs::path& temp,
                                       const fs::path& destination, EMethod method) {
    constexpr uid_t kNobody = 65534;
    const bool drop = ::geteuid() == 0;
    if (drop) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
            if (::lchown(entry.path().c_str(), kNobody, kNobody) != 0) return std::nullopt;
        if (::lchown(root.c_str(), kNobody, kNobody) != 0) return std::nullopt;
    }
    const pid_t child = ::fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        if (drop &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(2);
        ::_exit(CSaveFileMover::MoveIntoPlace(temp, destination, method) ? 0 : 1);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0)
        if (errno != EINTR) return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) return std::nullopt;
    return WEXITSTATUS(status) == 0;
}

std::size_t EntriesIn(const fs::path& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++n;
    return n;
}

// Two folders standing for the temporary folder and the destination's.
class CSaveFileMoverTest : public ::testing::TestWithParam<EMethod> {
protected:
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = info->name();
        for (char& c : name) {
            if (c == '/') c = '-';
        }
        m_root = fs::temp_directory_path() /
                 ("mendwell-mover-" + std::to_string(::getpid()) + "-" + name);
        fs::remove_all(m_root);
        fs::create_directories(m_root / "tmp");
        fs::create_directories(m_root / "dest");
        m_temp = m_root / "tmp" / "0A1B2C3D-0000-0000-0000000000000000.xls";
        m_destination = m_root / "dest" / "Book1(Mendwell).xls";
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(m_root / "dest", fs::perms::owner_all, ec);
        fs::remove_all(m_root, ec);
    }

    fs::path m_root;
    fs::path m_temp;
    fs::path m_destination;
};

TEST_P(CSaveFileMoverTest, NewFileReplacesTheDestination) {
    Write(m_temp, "new workbook");
    Write(m_destination, "old workbook, longer than the new one");
    EXPECT_TRUE(CSaveFileMover::MoveIntoPlace(m_temp, m_destination, GetParam()));
    EXPECT_EQ(Read(m_destination), "new workbook");
    EXPECT_FALSE(fs::exists(m_temp));
    EXPECT_EQ(EntriesIn(m_root / "dest"), 1u);  // no copy left beside it
}

TEST_P(CSaveFileMoverTest, NewFileLandsWhereThereWasNone) {
    Write(m_temp, "new workbook");
    EXPECT_TRUE(CSaveFileMover::MoveIntoPlace(m_temp, m_destination, GetParam()));
    EXPECT_EQ(Read(m_destination), "new workbook");
    EXPECT_FALSE(fs::exists(m_temp));
}

TEST_P(CSaveFileMoverTest, MissingTemporaryFileLeavesTheDestination) {
    Write(m_destination, "old workbook");
    EXPECT_FALSE(CSaveFileMover::MoveIntoPlace(m_temp, m_destination, GetParam()));
    EXPECT_EQ(Read(m_destination), "old workbook");
    fs::create_directory(m_temp);  // a folder is no written workbook either
    EXPECT_FALSE(CSaveFileMover::MoveIntoPlace(m_temp, m_destination, GetParam()));
    EXPECT_EQ(Read(m_destination), "old workbook");
}

TEST_P(CSaveFileMoverTest, MissingDestinationFolderKeepsTheTemporaryFile) {
    Write(m_temp, "new workbook");
    const fs::path destination = m_root / "gone" / "Book1.xls";
    EXPECT_FALSE(CSaveFileMover::MoveIntoPlace(m_temp, destination, GetParam()));
    EXPECT_EQ(Read(m_temp), "new workbook");
    EXPECT_FALSE(fs::exists(destination));
}

// A destination that cannot be replaced (here a folder of that name) is
// kept whole, and so is the temporary file.
TEST_P(CSaveFileMoverTest, UnreplaceableDestinationIsKept) {
    Write(m_temp, "new workbook");
    fs::create_directory(m_destination);
    Write(m_destination / "inside", "kept");
    EXPECT_FALSE(CSaveFileMover::MoveIntoPlace(m_temp, m_destination, GetParam()));
    EXPECT_EQ(Read(m_destination / "inside"), "kept");
    EXPECT_EQ(Read(m_temp), "new workbook");
    EXPECT_EQ(EntriesIn(m_root / "dest"), 1u);
}

TEST_P(CSaveFileMoverTest, UnwritableDestinationFolderKeepsBothFiles) {
    Write(m_temp, "new workbook");
    Write(m_destination, "old workbook");
    fs::permissions(m_root / "dest", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(MoveAsUnprivileged(m_root, m_temp, m_destination, GetParam()),
              std::optional<bool>(false));
    EXPECT_EQ(Read(m_destination), "old workbook");
    EXPECT_EQ(Read(m_temp), "new workbook");
}

TEST_P(CSaveFileMoverTest, SameFileIsAlreadyInPlace) {
    Write(m_temp, "new workbook");
    EXPECT_TRUE(CSaveFileMover::MoveIntoPlace(m_temp, m_temp, GetParam()));
    EXPECT_EQ(Read(m_temp), "new workbook");
}

INSTANTIATE_TEST_SUITE_P(BothWays, CSaveFileMoverTest,
                         ::testing::Values(EMethod::RenameFirst, EMethod::CopyOnly),
                         [](const ::testing::TestParamInfo<EMethod>& info) {
                             return info.param == EMethod::RenameFirst ? std::string("Rename")
                                                                       : std::string("Copy");
                         });

// The copy keeps the bytes and the permission bits the workbook was written
// with (the rename keeps them by itself).
TEST(CSaveFileMover, CopyKeepsContentsAndPermissions) {
    const fs::path root =
        fs::temp_directory_path() / ("mendwell-mover-" + std::to_string(::getpid()) + "-perm");
    fs::remove_all(root);
    fs::create_directories(root);
    const fs::path temp = root / "t.xls";
    std::string bytes(300000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    Write(temp, bytes);
    ::chmod(temp.c_str(), 0640);
    EXPECT_TRUE(CSaveFileMover::MoveIntoPlace(temp, root / "d.xls", EMethod::CopyOnly));
    EXPECT_EQ(Read(root / "d.xls"), bytes);
    struct stat status {};
    ASSERT_EQ(::stat((root / "d.xls").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    fs::remove_all(root);
}

}  // namespace
