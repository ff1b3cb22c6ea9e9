// Making the folders of an output path.
#include "platform/CDirectoryManager.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/tests/support/ScopedTempFolder.h"

using testsupport::ScopedTempFolder;
namespace fs = std::filesystem;

TEST(CDirectoryManager, MakesEveryMissingFolderOfANestedPath) {
    ScopedTempFolder temp("dirmanager");
    const fs::path deep = temp.Path() / "out" / "2024" / "repaired";
    EXPECT_TRUE(CDirectoryManager::CreatePath(deep));
    EXPECT_TRUE(fs::is_directory(deep));
}

TEST(CDirectoryManager, TakesBackslashesAsSeparators) {
    ScopedTempFolder temp("dirmanager");
    const std::string typed = temp.Path().native() + "\\out\\repaired";
    EXPECT_TRUE(CDirectoryManager::CreatePath(typed));
    EXPECT_TRUE(fs::is_directory(temp.Path() / "out" / "repaired"));
    // No folder whose name holds the backslash.
    EXPECT_FALSE(fs::exists(temp.Path().native() + "\\out"));
}

TEST(CDirectoryManager, PassesOverFoldersThatExistAndThoseItCannotMake) {
    ScopedTempFolder temp("dirmanager");
    fs::create_directories(temp.Path() / "kept");
    std::ofstream(temp.Path() / "kept" / "marker") << "x";
    EXPECT_TRUE(CDirectoryManager::CreatePath(temp.Path() / "kept" / "new"));
    EXPECT_TRUE(fs::exists(temp.Path() / "kept" / "marker"));
    EXPECT_TRUE(fs::is_directory(temp.Path() / "kept" / "new"));

    // A file where a folder should be: nothing can be made below it, and the
    // file is left alone; the caller learns it when writing.
    std::ofstream(temp.Path() / "plain") << "x";
    EXPECT_TRUE(CDirectoryManager::CreatePath(temp.Path() / "plain" / "below"));
    EXPECT_TRUE(fs::is_regular_file(temp.Path() / "plain"));
    // Doubled and trailing separators name no extra folder.
    EXPECT_TRUE(CDirectoryManager::CreatePath(temp.Path().native() + "//twice//over/"));
    EXPECT_TRUE(fs::is_directory(temp.Path() / "twice" / "over"));
}

TEST(CDirectoryManager, RefusesAPathWithoutSeparator) {
    ScopedTempFolder temp("dirmanager");
    const fs::path before = fs::current_path();
    fs::current_path(temp.Path());
    EXPECT_FALSE(CDirectoryManager::CreatePath("lonely"));
    EXPECT_FALSE(fs::exists(temp.Path() / "lonely"));
    EXPECT_FALSE(CDirectoryManager::CreatePath(""));
    // A relative path with a separator is made below the current folder.
    EXPECT_TRUE(CDirectoryManager::CreatePath("rel\\sub"));
    EXPECT_TRUE(fs::is_directory(temp.Path() / "rel" / "sub"));
    fs::current_path(before);
}
