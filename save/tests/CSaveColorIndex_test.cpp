#include "save/CSaveColorIndex.h"

#include <gtest/gtest.h>

namespace {

TEST(CSaveColorIndex, PaletteIndexesBecomeOneToFiftySix) {
    EXPECT_EQ(CSaveColorIndex::MapFill(8), 1);
    EXPECT_EQ(CSaveColorIndex::MapFill(10), 3);
    EXPECT_EQ(CSaveColorIndex::MapFill(63), 56);
    EXPECT_EQ(CSaveColorIndex::MapLine(8), 1);
    EXPECT_EQ(CSaveColorIndex::MapLine(10), 3);
    EXPECT_EQ(CSaveColorIndex::MapLine(63), 56);
}

TEST(CSaveColorIndex, IndexSevenGivesZeroAndSixtyFourWrapsToOne) {
    EXPECT_EQ(CSaveColorIndex::MapFill(7), 0);
    EXPECT_EQ(CSaveColorIndex::MapLine(7), 0);
    EXPECT_EQ(CSaveColorIndex::MapFill(64), 1);
    EXPECT_EQ(CSaveColorIndex::MapLine(64), 1);
}

// Below 7 the subtraction wraps in the width of the rule before the modulo.
TEST(CSaveColorIndex, IndexesBelowSevenWrapInTheirWidth) {
    EXPECT_EQ(CSaveColorIndex::MapFill(0), 249 % 56);    // 8 bits: 0 - 7 = 249
    EXPECT_EQ(CSaveColorIndex::MapLine(0), 65529 % 56);  // 16 bits: 0 - 7 = 65529
    EXPECT_EQ(CSaveColorIndex::MapFill(65535), 248 % 56);
    EXPECT_EQ(CSaveColorIndex::MapLine(65535), 65528 % 56);
}

TEST(CSaveColorIndex, FillsKeepEightBitsLinesSixteen) {
    // 263 - 7 = 256: nothing left in 8 bits, 256 mod 56 in 16.
    EXPECT_EQ(CSaveColorIndex::MapFill(263), 0);
    EXPECT_EQ(CSaveColorIndex::MapLine(263), 256 % 56);
}

TEST(CSaveColorIndex, AutomaticFontColourLandsOnZero) {
    // 0x7FFF - 7 = 32760 = 56 x 585: the server is handed 0, which it does not
    // take as a colour, so the font keeps its automatic colour.
    EXPECT_EQ(CSaveColorIndex::MapLine(0x7FFF), 0);
}

TEST(CSaveColorIndex, EveryResultIsZeroToFiftySix) {
    for (std::uint32_t i = 0; i <= 0xFFFF; ++i) {
        const std::int16_t fill = CSaveColorIndex::MapFill(i);
        const std::int16_t line = CSaveColorIndex::MapLine(i);
        ASSERT_TRUE(fill >= 0 && fill <= 56) << i;
        ASSERT_TRUE(line >= 0 && line <= 56) << i;
    }
}

}  // namespace
