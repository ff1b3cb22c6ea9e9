// The checks repair and batch make before any work: which two paths are one
// file, and which folders can take a new file.
#include "cli/CliFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "biff/tests/support/BiffWriter.h"

using testsupport::ScopedTempDir;

namespace {

class CliFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(testsupport::WriteFileBytes(Book(), {1, 2, 3})); }
    std::filesystem::path Book() const { return m_temp.Path() / "book.xls"; }
    const std::filesystem::path& Dir() const { return m_temp.Path(); }

private:
    ScopedTempDir m_temp;
};

TEST_F(CliFilesTest, EveryNameOfTheSourceIsTheSameFile) {
    std::filesystem::create_directory(Dir() / "sub");
    std::filesystem::create_hard_link(Book(), Dir() / "hard.xls");
    std::filesystem::create_symlink(Book(), Dir() / "soft.xls");
    std::filesystem::create_directory_symlink(Dir(), Dir() / "again");
    EXPECT_TRUE(IsSameFile(Book(), Book()));
    EXPECT_TRUE(IsSameFile(Book(), Dir() / "sub" / ".." / "book.xls"));
    EXPECT_TRUE(IsSameFile(Book(), Dir() / "hard.xls"));
    EXPECT_TRUE(IsSameFile(Book(), Dir() / "soft.xls"));
    EXPECT_TRUE(IsSameFile(Book(), Dir() / "again" / "book.xls"));
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(Dir());
    const bool relative = IsSameFile("book.xls", Book());
    std::filesystem::current_path(cwd);
    EXPECT_TRUE(relative);
}

TEST_F(CliFilesTest, OtherFilesAndNewNamesAreNot) {
    ASSERT_TRUE(testsupport::WriteFileBytes(Dir() / "copy.xls", {1, 2, 3}));
    EXPECT_FALSE(IsSameFile(Book(), Dir() / "copy.xls"));
    EXPECT_FALSE(IsSameFile(Book(), Dir() / "new.xls"));
    EXPECT_FALSE(IsSameFile(Book(), Dir() / "missing" / "book.xls"));
    EXPECT_FALSE(IsSameFile(Book(), Dir() / "book.xls.xls"));
}

TEST_F(CliFilesTest, OnlyAnExistingFolderTakesFiles) {
    EXPECT_TRUE(CanWriteInto(Dir()));
    EXPECT_FALSE(CanWriteInto(Book()));
    EXPECT_FALSE(CanWriteInto(Dir() / "missing"));
}

TEST_F(CliFilesTest, ASourceMustBeARegularFile) {
    EXPECT_TRUE(CheckSourceFile(Book()));
    EXPECT_FALSE(CheckSourceFile(Dir()));
    EXPECT_FALSE(CheckSourceFile(Dir() / "missing.xls"));
    EXPECT_FALSE(CheckSourceFile("/dev/null"));
}

}  // namespace
