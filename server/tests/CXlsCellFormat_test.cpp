// Cell formatting values: what each setter accepts and refuses, the
// spreadsheet's fill and diagonal rules, and the pool that keeps each
// distinct format once.
#include <gtest/gtest.h>

#include <cmath>

#include "server/CXlsFormatPool.h"

namespace {
constexpr int kAuto = CXlsColorIndex::kAutomatic;
constexpr int kNone = CXlsColorIndex::kNone;
}  // namespace

// ---- Colour indices --------------------------------------------------------------

TEST(XlsColorIndex, PaletteColoursAreBiffIndexPlusSeven) {
    EXPECT_EQ(CXlsColorIndex::ToBiff(1, 64), 8);
    EXPECT_EQ(CXlsColorIndex::ToBiff(56, 64), 63);
    EXPECT_EQ(CXlsColorIndex::ToBiff(kAuto, 64), 64);
    EXPECT_EQ(CXlsColorIndex::ToBiff(kNone, 65), 65);
    EXPECT_EQ(CXlsColorIndex::ToBiff(kAuto, 0x7FFF), 0x7FFF);
}

// ---- Font ------------------------------------------------------------------------------

TEST(XlsFont, DefaultIsArial10Automatic) {
    const CXlsFont font;
    EXPECT_EQ(font.Name(), u"Arial");
    EXPECT_EQ(font.HeightTwips(), 200);
    EXPECT_EQ(font.ColorIndex(), kAuto);
}

TEST(XlsFont, RefusedValuesLeaveTheFontUnchanged) {
    CXlsFont font;
    EXPECT_FALSE(font.SetName(u""));
    EXPECT_FALSE(font.SetName(std::u16string(256, u'a')));
    EXPECT_FALSE(font.SetSize(0.5));
    EXPECT_FALSE(font.SetSize(410));
    EXPECT_FALSE(font.SetSize(std::nan("")));
    EXPECT_FALSE(font.SetUnderline(3));
    EXPECT_FALSE(font.SetColorIndex(0));
    EXPECT_FALSE(font.SetColorIndex(57));
    EXPECT_EQ(font, CXlsFont());
}

TEST(XlsFont, SizeIsKeptInTwips) {
    CXlsFont font;
    ASSERT_TRUE(font.SetSize(11.5));
    EXPECT_EQ(font.HeightTwips(), 230);
    ASSERT_TRUE(font.SetSize(10.26));
    EXPECT_EQ(font.Size(), 10.25) << "rounded to the nearest twip";
}

TEST(XlsFont, NoneColourMeansAutomatic) {
    CXlsFont font;
    ASSERT_TRUE(font.SetColorIndex(3));
    ASSERT_TRUE(font.SetColorIndex(kNone));
    EXPECT_EQ(font.ColorIndex(), kAuto);
}

// ---- Interior -----------------------------------------------------------------------------

TEST(XlsInterior, ColourOnAnUnfilledCellMakesASolidFill) {
    CXlsInterior fill;
    EXPECT_FALSE(fill.IsFilled());
    ASSERT_TRUE(fill.SetColorIndex(6));
    EXPECT_EQ(fill.Pattern(), CXlsInterior::kPatternSolid);
    ASSERT_TRUE(fill.SetPattern(4));
    ASSERT_TRUE(fill.SetColorIndex(3));
    EXPECT_EQ(fill.Pattern(), 4) << "a hatching keeps its pattern";
}

TEST(XlsInterior, NoneColourOrPatternZeroRemovesTheFill) {
    CXlsInterior fill;
    ASSERT_TRUE(fill.SetColorIndex(6));
    ASSERT_TRUE(fill.SetColorIndex(kNone));
    EXPECT_FALSE(fill.IsFilled());
    ASSERT_TRUE(fill.SetColorIndex(6));
    ASSERT_TRUE(fill.SetPattern(0));
    EXPECT_EQ(fill.ColorIndex(), kNone);
    EXPECT_EQ(fill, CXlsInterior()) << "back to the default, so formats compare equal";
}

TEST(XlsInterior, PatternRangeAndColours) {
    CXlsInterior fill;
    EXPECT_FALSE(fill.SetPattern(19));
    EXPECT_FALSE(fill.SetPattern(-1));
    EXPECT_TRUE(fill.SetPattern(18));
    EXPECT_EQ(fill.ColorIndex(), kAuto) << "a pattern on an uncoloured cell";
    EXPECT_FALSE(fill.SetPatternColorIndex(99));
    EXPECT_TRUE(fill.SetPatternColorIndex(kNone));
    EXPECT_EQ(fill.PatternColorIndex(), kAuto);
}

// ---- Borders ---------------------------------------------------------------------------------

TEST(XlsBorders, EdgesAreIndependent) {
    CXlsBorders b;
    ASSERT_TRUE(b.SetLineStyle(CXlsBorders::kTop, 2));
    ASSERT_TRUE(b.SetColorIndex(CXlsBorders::kTop, 10));
    EXPECT_EQ(b.LineStyle(CXlsBorders::kTop), 2);
    EXPECT_EQ(b.LineStyle(CXlsBorders::kLeft), 0);
    EXPECT_EQ(b.ColorIndex(CXlsBorders::kTop), 10);
    EXPECT_TRUE(b.HasLines());
    EXPECT_FALSE(b.SetLineStyle(CXlsBorders::kTop, 14));
    EXPECT_FALSE(b.SetColorIndex(CXlsBorders::kTop, 0));
    EXPECT_FALSE(b.SetLineStyle(CXlsBorders::kEdgeCount, 1));
}

TEST(XlsBorders, DiagonalsShareOneStyleAndColour) {
    CXlsBorders b;
    ASSERT_TRUE(b.SetLineStyle(CXlsBorders::kDiagonalDown, 1));
    ASSERT_TRUE(b.SetLineStyle(CXlsBorders::kDiagonalUp, 5));
    EXPECT_EQ(b.LineStyle(CXlsBorders::kDiagonalDown), 5) << "the later style wins for both";
    ASSERT_TRUE(b.SetColorIndex(CXlsBorders::kDiagonalUp, 3));
    EXPECT_EQ(b.ColorIndex(CXlsBorders::kDiagonalDown), 3);
    // Switching one direction off keeps the other.
    ASSERT_TRUE(b.SetLineStyle(CXlsBorders::kDiagonalDown, 0));
    EXPECT_FALSE(b.DiagonalDown());
    EXPECT_TRUE(b.DiagonalUp());
    EXPECT_EQ(b.LineStyle(CXlsBorders::kDiagonalUp), 5);
    EXPECT_EQ(b.LineStyle(CXlsBorders::kDiagonalDown), 0);
    ASSERT_TRUE(b.SetLineStyle(CXlsBorders::kDiagonalUp, 0));
    EXPECT_FALSE(b.HasLines());
}

// ---- Cell format and pool -----------------------------------------------------------------------

TEST(XlsCellFormat, EmptyNumberFormatIsGeneral) {
    CXlsCellFormat format;
    ASSERT_TRUE(format.SetNumberFormat(u"0.00"));
    ASSERT_TRUE(format.SetNumberFormat(u""));
    EXPECT_EQ(format.NumberFormat(), u"General");
    EXPECT_FALSE(format.SetNumberFormat(std::u16string(256, u'0')));
}

TEST(XlsFormatPool, EqualFormatsShareAnIdAndIdsStayValid) {
    CXlsFormatPool pool;
    EXPECT_EQ(pool.Intern(CXlsCellFormat()), CXlsFormatPool::kDefaultId);
    CXlsCellFormat bold;
    bold.Font().SetBold(true);
    const std::uint32_t a = pool.Intern(bold);
    CXlsCellFormat boldAgain;
    boldAgain.Font().SetBold(true);
    EXPECT_EQ(pool.Intern(boldAgain), a);
    CXlsCellFormat red = bold;
    red.Font().SetColorIndex(3);
    const std::uint32_t b = pool.Intern(red);
    EXPECT_NE(a, b);
    for (int i = 0; i < 1000; ++i) {
        CXlsCellFormat f;
        f.Font().SetSize(1 + i % 400);
        f.SetNumberFormat(u"0." + std::u16string(static_cast<std::size_t>(i % 20), u'0'));
        pool.Intern(f);
    }
    EXPECT_TRUE(pool.Get(a).Font().Bold());
    EXPECT_EQ(pool.Get(b).Font().ColorIndex(), 3);
    EXPECT_EQ(pool.Get(999999), CXlsCellFormat()) << "unknown ids read as the default";
}
