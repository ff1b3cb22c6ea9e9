#include "records/CConstData.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t Color(std::uint32_t index, bool& found) {
    found = false;
    return CConstData::GetDefaultColor(index, found);
}

}  // namespace

TEST(CConstData, BasicColoursWithRedInTheLowByte) {
    bool found = false;
    EXPECT_EQ(Color(8, found), 0x000000u);
    EXPECT_TRUE(found);
    EXPECT_EQ(Color(9, found), 0xFFFFFFu);
    EXPECT_EQ(Color(10, found), 0x0000FFu);  // red
    EXPECT_EQ(Color(12, found), 0xFF0000u);  // blue
    EXPECT_EQ(Color(15, found), 0xFFFF00u);  // cyan
    EXPECT_TRUE(found);
    EXPECT_EQ(Color(23, found), 0x808080u);
    EXPECT_TRUE(found);
}

TEST(CConstData, ExtendedColours) {
    bool found = false;
    EXPECT_EQ(Color(40, found), 0xFFCC00u);  // 0x00CCFF sky blue
    EXPECT_TRUE(found);
    EXPECT_EQ(Color(53, found), 0x0066FFu);  // 0xFF6600 orange
    EXPECT_EQ(Color(63, found), 0x333333u);
    EXPECT_TRUE(found);
    EXPECT_EQ(Color(24, found), 0xFF9999u);  // 0x9999FF, the first chart colour
    EXPECT_EQ(Color(36, found), 0x800080u);  // purple
    EXPECT_EQ(Color(39, found), 0xFF0000u);  // blue
    EXPECT_TRUE(found);
}

TEST(CConstData, UndefinedIndicesAreWhiteAndNotFound) {
    for (std::uint32_t index : {0u, 7u, 64u, 0x7FFFu, 0xFFFFFFFFu}) {
        bool found = true;
        EXPECT_EQ(Color(index, found), 0xFFFFFFu) << index;
        EXPECT_FALSE(found) << index;
    }
}
