#include "platform/ApplicationFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/tests/support/ScopedTempFolder.h"

TEST(ApplicationFolder, IsTheStartFolderWithASeparatorAndStaysWhenTheCurrentOneMoves) {
    const std::filesystem::path first = ApplicationFolder();
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.string().back(), '/');
    EXPECT_TRUE(first.is_absolute());

    testsupport::ScopedTempFolder elsewhere("appfolder");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.Path());
    const std::filesystem::path later = ApplicationFolder();
    std::filesystem::current_path(before);
    EXPECT_EQ(later, first);
}
