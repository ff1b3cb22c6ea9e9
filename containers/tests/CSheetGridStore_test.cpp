// The preview grid's data store: how it grows for a cell about to be
// written, which writes it ignores, when it asks for a repaint, and that a
// writer thread and a reader thread can share it.
#include "containers/CSheetGridStore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <utility>
#include <vector>

// ---- Fallback marks ----------------------------------------------------------

// Marks come before the fill grows the grid to their cells, so only the
// limits bound them; an area is answered alike whether it holds more cells
// than there are marks or fewer.
TEST(CSheetGridStoreMarks, MarksAreKeptUpToTheLimitsAndFoundInAnyArea) {
    using Cells = std::vector<std::pair<int, int>>;
    CSheetGridStore store;
    EXPECT_TRUE(store.GetFallbackCells({1, 1, 65000, 250}).empty());
    store.SetFallbackMark(5000, 200, u"far");  // past the counts: kept
    store.SetFallbackMark(2, 3, u"lost");
    store.SetFallbackMark(2, 1, u"lost");
    store.SetFallbackMark(0, 1, u"header");    // a header: dropped
    store.SetFallbackMark(65001, 1, u"past");  // past the limits
    store.SetFallbackMark(1, 251, u"past");
    store.SetFallbackMark(3, 3, u"");  // no why: no mark
    EXPECT_EQ(store.GetFallbackMark(2, 3), u"lost");
    EXPECT_EQ(store.GetFallbackMark(5000, 200), u"far");
    EXPECT_EQ(store.GetFallbackMark(3, 3), u"");
    EXPECT_EQ(store.GetFallbackMark(-1, 3), u"");

    const struct {
        CGridRange area;
        Cells cells;
    } cases[] = {
        {{1, 1, 65000, 250}, {{2, 1}, {2, 3}, {5000, 200}}},  // more cells than marks
        {{2, 2, 2, 3}, {{2, 3}}},                             // fewer cells than marks
        {{-5, -5, 2, 1}, {{2, 1}}},                           // reaching into the headers
        {{4, 1, 3, 250}, {}},                                 // upside down
    };
    for (const auto& c : cases) EXPECT_EQ(store.GetFallbackCells(c.area), c.cells);

    // Texts are shared; a new text past the limit marks nothing.
    for (std::size_t i = 2; i < CSheetGridStore::kMarkTextLimit; ++i)
        store.SetFallbackMark(10, 1, u"why " + std::u16string(i, u'x'));
    store.SetFallbackMark(11, 1, u"one too many");
    store.SetFallbackMark(12, 1, u"lost");
    EXPECT_EQ(store.GetFallbackMark(11, 1), u"");
    EXPECT_EQ(store.GetFallbackMark(12, 1), u"lost");
}

// ---- Growth rule -----------------------------------------------------------

TEST(CSheetGridStoreGrowth, StartsWithAHundredRowsAndTwentySevenColumns) {
    CSheetGridStore store;
    EXPECT_EQ(store.GetRowCount(), 100);
    EXPECT_EQ(store.GetColumnCount(), 27);
}

TEST(CSheetGridStoreGrowth, RowsGrowOnlyPastTheRowCountPlusOneAndThenAHundredAhead) {
    CSheetGridStore store;
    const auto before = store.GetRevision();
    EXPECT_TRUE(store.EnsureCell(101, 3));
    EXPECT_EQ(store.GetRowCount(), 100);
    EXPECT_EQ(store.GetRevision(), before);

    EXPECT_TRUE(store.EnsureCell(102, 3));
    EXPECT_EQ(store.GetRowCount(), 202);
    EXPECT_GT(store.GetRevision(), before);
}

TEST(CSheetGridStoreGrowth, RowCountStopsAtTheLimitPlusOne) {
    CSheetGridStore store;
    EXPECT_TRUE(store.EnsureCell(64950, 3));
    EXPECT_EQ(store.GetRowCount(), CSheetGridStore::kRowLimit + 1);
    EXPECT_TRUE(store.EnsureCell(65000, 3));
    EXPECT_EQ(store.GetRowCount(), 65001);
}

TEST(CSheetGridStoreGrowth, RowAboveTheLimitIsRefusedAndChangesNothing) {
    CSheetGridStore store;
    const auto before = store.GetRevision();
    EXPECT_FALSE(store.EnsureCell(65001, 3));
    EXPECT_EQ(store.GetRowCount(), 100);
    EXPECT_EQ(store.GetRevision(), before);
}

TEST(CSheetGridStoreGrowth, ColumnsGrowInStepsOfTwentySix) {
    CSheetGridStore store;
    EXPECT_TRUE(store.EnsureCell(3, 28));  // the column count + 1: no growth
    EXPECT_EQ(store.GetColumnCount(), 27);
    EXPECT_TRUE(store.EnsureCell(3, 29));
    EXPECT_EQ(store.GetColumnCount(), 53);
    EXPECT_TRUE(store.EnsureCell(3, 54));
    EXPECT_EQ(store.GetColumnCount(), 53);
    EXPECT_TRUE(store.EnsureCell(3, 106));  // two steps at once: 79, then 105 (+ 1 reaches 106)
    EXPECT_EQ(store.GetColumnCount(), 105);
}

TEST(CSheetGridStoreGrowth, ColumnCountIsCappedAtTheLimitAndBeyondIsRefused) {
    CSheetGridStore store;
    EXPECT_TRUE(store.EnsureCell(3, 250));
    EXPECT_EQ(store.GetColumnCount(), CSheetGridStore::kColumnLimit);
    EXPECT_FALSE(store.EnsureCell(3, 251));
    EXPECT_EQ(store.GetColumnCount(), 250);
}

TEST(CSheetGridStoreGrowth, NegativeCoordinatesAreRefused) {
    CSheetGridStore store;
    EXPECT_FALSE(store.EnsureCell(-1, 3));
    EXPECT_FALSE(store.EnsureCell(3, -1));
    EXPECT_EQ(store.GetRowCount(), 100);
    EXPECT_EQ(store.GetColumnCount(), 27);
}

// ---- Writes ----------------------------------------------------------------

TEST(CSheetGridStoreWrites, WritesOutsideTheCountsAreIgnoredUntilTheGridGrows) {
    CSheetGridStore store;
    store.SetText(100, 1, u"past the last row");
    store.SetText(1, 27, u"past the last column");
    store.SetText(-1, 1, u"negative");
    store.SetBackground(100, 1, 0xFF0000);
    EXPECT_FALSE(store.GetCell(100, 1));
    EXPECT_FALSE(store.GetCell(1, 27));
    EXPECT_FALSE(store.GetCell(-1, 1));

    store.SetText(99, 26, u"last cell");
    ASSERT_TRUE(store.GetCell(99, 26));
    EXPECT_EQ(store.GetCell(99, 26)->text, u"last cell");

    ASSERT_TRUE(store.EnsureCell(103, 30));
    store.SetText(100, 28, u"after growth");
    ASSERT_TRUE(store.GetCell(100, 28));
    EXPECT_EQ(store.GetCell(100, 28)->text, u"after growth");
}

TEST(CSheetGridStoreWrites, EachPartOfACellIsKeptApart) {
    CSheetGridStore store;
    CGridFont font;
    font.faceName = u"Courier";
    font.height = 15;
    store.SetText(2, 3, u"x");
    store.SetFont(2, 3, font);
    store.SetTextColor(2, 3, 0x0000FF);
    CGridBorders borders;
    borders.right = {0x00FF00, EGridLine::Thin};
    store.SetBorders(2, 3, borders);
    const auto cell = store.GetCell(2, 3);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->text, u"x");
    EXPECT_EQ(cell->font, font);
    EXPECT_EQ(cell->textColor, 0x0000FFu);
    EXPECT_EQ(cell->borders, borders);
    EXPECT_FALSE(cell->background);
    // Neighbours in the packed key stay untouched.
    EXPECT_FALSE(store.GetCell(2, 4));
    EXPECT_FALSE(store.GetCell(3, 3));
}

TEST(CSheetGridStoreWrites, AStyleReplacesOnlyThePartsItHolds) {
    CSheetGridStore store;
    store.SetText(1, 1, u"kept");
    store.SetTextColor(1, 1, 0x112233);
    CGridBorders borders;
    borders.top = {0x445566, EGridLine::Double};
    store.SetBorders(1, 1, borders);
    CGridStyle style;
    style.background = 0xFFFF00;
    style.textColor = 0x0000FF;
    store.ApplyStyle(1, 1, style);
    auto cell = store.GetCell(1, 1);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->text, u"kept");
    EXPECT_EQ(cell->background, 0xFFFF00u);
    EXPECT_EQ(cell->textColor, 0x0000FFu);
    EXPECT_EQ(cell->borders, borders);
    EXPECT_FALSE(cell->font);

    store.SetTextAndStyle(1, 1, u"new", nullptr);
    cell = store.GetCell(1, 1);
    EXPECT_EQ(cell->text, u"new");
    EXPECT_EQ(cell->background, 0xFFFF00u);

    store.ApplyStyle(100, 1, style);
    store.SetTextAndStyle(1, 27, u"outside", &style);
    EXPECT_FALSE(store.GetCell(100, 1));
    EXPECT_FALSE(store.GetCell(1, 27));
}

// Cells share their looks: a change to one cell's look, or the same style
// applied over two different looks, must leave every other cell as it was.
TEST(CSheetGridStoreWrites, CellsOfOneLookKeepTheirOwnChanges) {
    CSheetGridStore store;
    CGridStyle bold;
    bold.font = CGridFont{u"Arial", 13, 700};
    CGridStyle yellow;
    yellow.background = 0xFFFF00;
    yellow.fillPattern = 1;
    store.SetTextAndStyle(1, 1, u"a", &bold, EGridValue::Text);
    store.SetTextAndStyle(1, 2, u"b", &bold, EGridValue::Number);
    store.SetTextColor(1, 1, 0xFF0000);
    store.ApplyStyle(2, 1, yellow);
    store.ApplyStyle(2, 1, bold);
    store.ApplyStyle(1, 1, bold);  // the same style over another look
    CGridStyle boldToo;
    boldToo.font = CGridFont{u"Arial Black", 13, 700};
    store.ApplyStyle(1, 2, boldToo);  // a style that differs in one field

    struct Expected {
        int row, column;
        const char16_t* text;
        const char16_t* face;
        std::optional<std::uint32_t> color, background;
        EGridValue value;
    };
    const Expected expected[] = {
        {1, 1, u"a", u"Arial", 0xFF0000, std::nullopt, EGridValue::Text},
        {1, 2, u"b", u"Arial Black", std::nullopt, std::nullopt, EGridValue::Number},
        {2, 1, u"", u"Arial", std::nullopt, 0xFFFF00, EGridValue::Unknown},
    };
    for (const Expected& want : expected) {
        SCOPED_TRACE(testing::Message() << want.row << "," << want.column);
        const auto cell = store.GetCell(want.row, want.column);
        ASSERT_TRUE(cell && cell->font);
        EXPECT_EQ(cell->text, want.text);
        EXPECT_EQ(cell->font->faceName, want.face);
        EXPECT_EQ(cell->font->weight, 700);
        EXPECT_EQ(cell->textColor, want.color);
        EXPECT_EQ(cell->background, want.background);
        EXPECT_EQ(cell->fillPattern, want.background ? 1 : 0);
        EXPECT_EQ(cell->value, want.value);
    }
}

TEST(CSheetGridStoreWrites, SizesOutsideTheCountsAreIgnored) {
    CSheetGridStore store;
    store.SetColumnWidth(27, 80);
    store.SetRowHeight(100, 34);
    store.SetColumnWidth(-1, 80);
    EXPECT_EQ(store.GetColumnWidth(27), 0);
    EXPECT_EQ(store.GetRowHeight(100), 0);
    store.SetColumnWidth(26, 80);
    store.SetRowHeight(99, 34);
    EXPECT_EQ(store.GetColumnWidth(26), 80);
    EXPECT_EQ(store.GetRowHeight(99), 34);
}

// ---- Revision --------------------------------------------------------------

TEST(CSheetGridStoreRevision, InvalidateAndSizeChangesBumpItCellTextDoesNot) {
    CSheetGridStore store;
    auto revision = store.GetRevision();
    store.SetText(1, 1, u"a");
    EXPECT_EQ(store.GetRevision(), revision);

    store.Invalidate();
    EXPECT_GT(store.GetRevision(), revision);
    revision = store.GetRevision();

    store.SetColumnWidth(1, 68);
    EXPECT_GT(store.GetRevision(), revision);
    revision = store.GetRevision();
    store.SetColumnWidth(1, 68);  // the same width again: nothing changed
    EXPECT_EQ(store.GetRevision(), revision);

    store.SetRowHeight(1, 34);
    EXPECT_GT(store.GetRevision(), revision);
}

// ---- Sharing ---------------------------------------------------------------

TEST(CSheetGridStoreSharing, AWriterThreadAndAReaderThreadShareTheStore) {
    CSheetGridStore store;
    constexpr int kRows = 2000;
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int row = 1; row <= kRows; ++row) {
            store.EnsureCell(row + 2, 3 + row % 60);
            store.SetText(row, 1 + row % 60, u"cell");
            store.SetBackground(row, 1 + row % 60, 0xFFFF00);
            if (row % 100 == 0) store.Invalidate();
        }
        done = true;
    });
    std::uint64_t seen = 0;
    while (!done) {
        // Counts only grow, and every copy handed out is whole.
        const int rows = store.GetRowCount();
        EXPECT_GE(rows, 100);
        if (auto cell = store.GetCell(rows / 2, 1 + (rows / 2) % 60)) {
            EXPECT_EQ(cell->text, u"cell");
        }
        const std::uint64_t revision = store.GetRevision();
        EXPECT_GE(revision, seen);
        seen = revision;
    }
    writer.join();
    EXPECT_GT(store.GetRowCount(), kRows);
    ASSERT_TRUE(store.GetCell(kRows, 1 + kRows % 60));
    EXPECT_EQ(store.GetCell(kRows, 1 + kRows % 60)->text, u"cell");
}
