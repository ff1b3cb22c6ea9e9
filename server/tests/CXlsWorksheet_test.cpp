// The worksheet model: values and their limits, formulas and their cached
// results, array formulas, formats with row and column inheritance, merged
// ranges, widths and heights, and that storage stays sparse.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "server/CXlsWorkbook.h"

namespace {

const CXlsFormulaTokens kOnePlusTwo({0x1E, 0x01, 0x00, 0x1E, 0x02, 0x00, 0x03});  // =1+2
const CXlsFormulaTokens kTrue({0x1D, 0x01});                                      // =TRUE

class WorksheetTest : public ::testing::Test {
protected:
    CXlsWorkbook book;
    CXlsWorksheet& sheet = *book.AddSheet(0);

    static bool Bold(CXlsCellFormat& f) {
        f.Font().SetBold(true);
        return true;
    }
    static bool Red(CXlsCellFormat& f) { return f.Interior().SetColorIndex(3); }
};

}  // namespace

// ---- Values ---------------------------------------------------------------------------

TEST_F(WorksheetTest, ValuesReplaceEachOther) {
    ASSERT_TRUE(sheet.SetNumber(3, 2, 1.5));
    EXPECT_EQ(sheet.GetValue(3, 2), CXlsCellValue::Number(1.5));
    ASSERT_TRUE(sheet.SetText(3, 2, u"t\u00e9xt"));
    EXPECT_EQ(sheet.GetValue(3, 2), CXlsCellValue::Text(u"t\u00e9xt"));
    ASSERT_TRUE(sheet.SetBoolean(3, 2, false));
    EXPECT_EQ(sheet.GetValue(3, 2), CXlsCellValue::Boolean(false));
    ASSERT_TRUE(sheet.SetError(3, 2, 0x2A));
    EXPECT_EQ(sheet.GetValue(3, 2), CXlsCellValue::Error(0x2A));
    EXPECT_EQ(sheet.GetValue(3, 3), CXlsCellValue());
}

TEST_F(WorksheetTest, RefusedValuesLeaveTheCellAsItWas) {
    ASSERT_TRUE(sheet.SetNumber(0, 0, 4));
    EXPECT_FALSE(sheet.SetNumber(0, 0, std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(sheet.SetNumber(0, 0, std::nan("")));
    EXPECT_FALSE(sheet.SetError(0, 0, 0x08));
    EXPECT_FALSE(sheet.SetText(0, 0, std::u16string(32768, u'x')));
    EXPECT_EQ(sheet.GetValue(0, 0), CXlsCellValue::Number(4));
    EXPECT_TRUE(sheet.SetText(0, 0, std::u16string(32767, u'x')));
}

TEST_F(WorksheetTest, PositionsOutsideTheSheetAreRefused) {
    EXPECT_TRUE(sheet.SetNumber(65535, 255, 1));
    EXPECT_FALSE(sheet.SetNumber(65536, 0, 1));
    EXPECT_FALSE(sheet.SetNumber(0, 256, 1));
    EXPECT_FALSE(sheet.SetText(70000, 0, u"x"));
    EXPECT_FALSE(sheet.SetFormula(0, 256, kOnePlusTwo));
    EXPECT_FALSE(sheet.ClearContents(CXlsCellRange(0, 0, 65536, 0)));
    EXPECT_EQ(sheet.GetValue(65536, 0), CXlsCellValue());
    EXPECT_EQ(sheet.Cells().CellCount(), 1u);
}

TEST_F(WorksheetTest, EmptyTextClearsTheCellButKeepsItsFormat) {
    ASSERT_TRUE(sheet.SetText(1, 1, u"x"));
    ASSERT_TRUE(sheet.ModifyFormat(CXlsCellRange::Cell(1, 1), Bold));
    ASSERT_TRUE(sheet.SetText(1, 1, u""));
    EXPECT_EQ(sheet.GetValue(1, 1), CXlsCellValue());
    EXPECT_TRUE(sheet.GetFormat(1, 1).Font().Bold());
    ASSERT_TRUE(sheet.SetText(2, 2, u"y"));
    ASSERT_TRUE(sheet.SetText(2, 2, u""));
    EXPECT_EQ(sheet.Cells().CellCount(), 1u) << "an unformatted empty cell is not stored";
}

// ---- Formulas and cached results ----------------------------------------------------------

TEST_F(WorksheetTest, FormulaKeepsTheValueTheCellHeldAsItsResult) {
    ASSERT_TRUE(sheet.SetNumber(0, 0, 3));
    ASSERT_TRUE(sheet.SetFormula(0, 0, kOnePlusTwo));
    EXPECT_EQ(sheet.GetValue(0, 0), CXlsCellValue::Number(3));
    ASSERT_NE(sheet.GetFormula(0, 0), nullptr);
    EXPECT_EQ(*sheet.GetFormula(0, 0), kOnePlusTwo);

    ASSERT_TRUE(sheet.SetText(1, 0, u"cached"));
    ASSERT_TRUE(sheet.SetFormula(1, 0, kOnePlusTwo));
    EXPECT_EQ(sheet.GetValue(1, 0), CXlsCellValue::Text(u"cached"));
    ASSERT_TRUE(sheet.SetBoolean(2, 0, true));
    ASSERT_TRUE(sheet.SetFormula(2, 0, kTrue));
    EXPECT_EQ(sheet.GetValue(2, 0), CXlsCellValue::Boolean(true));
    ASSERT_TRUE(sheet.SetError(3, 0, 0x07));
    ASSERT_TRUE(sheet.SetFormula(3, 0, kTrue));
    EXPECT_EQ(sheet.GetValue(3, 0), CXlsCellValue::Error(0x07));
}

TEST_F(WorksheetTest, FormulaOnAnEmptyCellHasNoResult) {
    ASSERT_TRUE(sheet.SetFormula(5, 5, kOnePlusTwo));
    EXPECT_EQ(sheet.GetValue(5, 5), CXlsCellValue());
    EXPECT_NE(sheet.GetFormula(5, 5), nullptr);
}

TEST_F(WorksheetTest, NewFormulaOnAFormulaCellKeepsTheOldResult) {
    ASSERT_TRUE(sheet.SetNumber(0, 0, 9));
    ASSERT_TRUE(sheet.SetFormula(0, 0, kOnePlusTwo));
    ASSERT_TRUE(sheet.SetFormula(0, 0, kTrue));
    EXPECT_EQ(sheet.GetValue(0, 0), CXlsCellValue::Number(9));
    EXPECT_EQ(*sheet.GetFormula(0, 0), kTrue);
}

TEST_F(WorksheetTest, ValueReplacesAFormula) {
    ASSERT_TRUE(sheet.SetFormula(0, 0, kOnePlusTwo));
    ASSERT_TRUE(sheet.SetNumber(0, 0, 5));
    EXPECT_EQ(sheet.GetFormula(0, 0), nullptr);
    EXPECT_EQ(sheet.GetValue(0, 0), CXlsCellValue::Number(5));
}

TEST_F(WorksheetTest, InvalidTokensAreRefused) {
    EXPECT_FALSE(sheet.SetFormula(0, 0, CXlsFormulaTokens()));
    EXPECT_FALSE(sheet.SetFormula(0, 0, CXlsFormulaTokens(std::vector<std::uint8_t>(1801, 0x03))));
    EXPECT_FALSE(sheet.SetFormula(
        0, 0,
        CXlsFormulaTokens(std::vector<std::uint8_t>(100, 0x03), std::vector<std::uint8_t>(8200))));
    EXPECT_EQ(sheet.Cells().CellCount(), 0u);
}

TEST_F(WorksheetTest, FormulaTokensReadBackExactlyOverOneAnother) {
    // Each case is put on the same cell over the one before it: a slot's
    // tokens and extra data are one run of bytes, inside the slot up to 24
    // bytes and on the heap past that, so a shorter formula over a longer
    // one must not keep the old sizes or bytes.
    struct Case {
        const char* what;
        std::vector<std::uint8_t> tokens;
        std::vector<std::uint8_t> extra;
    };
    const Case cases[] = {
        {"the longest expression", std::vector<std::uint8_t>(1800, 0x03), {}},
        {"tokens only", {0x1E, 0x01, 0x00, 0x1E, 0x02, 0x00, 0x03}, {}},
        {"an array constant's extra data", {0x20, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 1, 9, 9, 9, 9}},
        {"a one-byte token", {0x1D}, {}},
        {"extra data again", {0x20, 1, 2, 3, 4, 5, 6, 7}, {1, 0, 0, 2, 'a', 'b'}},
        {"25 bytes, the fewest kept apart", std::vector<std::uint8_t>(25, 0x03), {}},
        {"24 bytes, the most kept inside", std::vector<std::uint8_t>(20, 0x04), {1, 2, 3, 4}},
        {"extra data past the inside room",
         {0x20, 9, 9, 9, 9, 9, 9, 9},
         std::vector<std::uint8_t>(17, 0x07)},
    };
    for (const Case& c : cases) {
        const CXlsFormulaTokens put(c.tokens, c.extra);
        ASSERT_TRUE(sheet.SetFormula(3, 2, put)) << c.what;
        const CXlsFormulaTokens* got = sheet.GetFormula(3, 2);
        ASSERT_NE(got, nullptr) << c.what;
        EXPECT_EQ(std::vector<std::uint8_t>(got->Tokens().begin(), got->Tokens().end()), c.tokens)
            << c.what;
        EXPECT_EQ(std::vector<std::uint8_t>(got->Extra().begin(), got->Extra().end()), c.extra)
            << c.what;
        CXlsFormulaTokens copy;
        copy = *got;
        EXPECT_EQ(copy, put) << c.what;
        const CXlsFormulaTokens moved(std::move(copy));
        EXPECT_EQ(moved, put) << c.what;
    }
    EXPECT_NE(CXlsFormulaTokens({0x1D}, {1}), CXlsFormulaTokens({0x1D, 1}))
        << "the boundary between tokens and extra data is part of the formula";
}

TEST_F(WorksheetTest, FormulaSlotsAreReusedWhenFormulasGo) {
    // Putting and removing formulas over and over must not grow the sheet.
    for (int round = 0; round < 1000; ++round) {
        ASSERT_TRUE(sheet.SetFormula(0, 0, kOnePlusTwo));
        ASSERT_TRUE(sheet.SetNumber(0, 0, round));
    }
    ASSERT_TRUE(sheet.SetFormula(0, 0, kOnePlusTwo));
    EXPECT_EQ(sheet.GetValue(0, 0), CXlsCellValue::Number(999));
}

// ---- Array formulas -----------------------------------------------------------------------------

TEST_F(WorksheetTest, ArrayFormulaCoversItsRangeAndKeepsEachCellsValue) {
    ASSERT_TRUE(sheet.SetNumber(1, 1, 10));
    ASSERT_TRUE(sheet.SetText(2, 2, u"t"));
    const CXlsCellRange range(1, 1, 2, 2);
    ASSERT_TRUE(sheet.SetArrayFormula(range, kOnePlusTwo));
    for (std::uint32_t r = 1; r <= 2; ++r) {
        for (std::uint32_t c = 1; c <= 2; ++c) {
            ASSERT_NE(sheet.GetArrayRange(r, c), nullptr);
            EXPECT_EQ(*sheet.GetArrayRange(r, c), range);
            EXPECT_EQ(*sheet.GetFormula(r, c), kOnePlusTwo);
        }
    }
    EXPECT_EQ(sheet.GetValue(1, 1), CXlsCellValue::Number(10));
    EXPECT_EQ(sheet.GetValue(2, 2), CXlsCellValue::Text(u"t"));
    EXPECT_EQ(sheet.GetValue(1, 2), CXlsCellValue());
}

TEST_F(WorksheetTest, PartOfAnArrayCannotBeChanged) {
    ASSERT_TRUE(sheet.SetArrayFormula(CXlsCellRange(0, 0, 1, 1), kOnePlusTwo));
    EXPECT_FALSE(sheet.SetNumber(1, 1, 3));
    EXPECT_FALSE(sheet.SetFormula(0, 1, kTrue));
    EXPECT_FALSE(sheet.SetText(0, 0, u""));
    EXPECT_FALSE(sheet.ClearContents(CXlsCellRange(0, 0, 0, 1)));
    EXPECT_FALSE(sheet.SetArrayFormula(CXlsCellRange(1, 1, 2, 2), kTrue)) << "overlaps";
    EXPECT_FALSE(sheet.Merge(CXlsCellRange(0, 0, 3, 3)));
    EXPECT_EQ(*sheet.GetFormula(1, 1), kOnePlusTwo);
}

TEST_F(WorksheetTest, ArrayIsReplacedOrClearedAsAWhole) {
    ASSERT_TRUE(sheet.SetArrayFormula(CXlsCellRange(0, 0, 1, 1), kOnePlusTwo));
    ASSERT_TRUE(sheet.SetArrayFormula(CXlsCellRange(0, 0, 2, 2), kTrue)) << "holds the old one";
    EXPECT_EQ(*sheet.GetArrayRange(0, 0), CXlsCellRange(0, 0, 2, 2));
    EXPECT_EQ(*sheet.GetFormula(1, 1), kTrue);
    ASSERT_TRUE(sheet.ClearContents(CXlsCellRange(0, 0, 5, 5)));
    EXPECT_EQ(sheet.GetFormula(1, 1), nullptr);
    EXPECT_EQ(sheet.Cells().CellCount(), 0u);
    ASSERT_TRUE(sheet.SetNumber(1, 1, 1)) << "the cells are free again";
}

TEST_F(WorksheetTest, ArrayFormulaIsRefusedOverMergedCells) {
    ASSERT_TRUE(sheet.Merge(CXlsCellRange(0, 0, 0, 1)));
    EXPECT_FALSE(sheet.SetArrayFormula(CXlsCellRange(0, 1, 1, 1), kTrue));
}

// ---- Formats and inheritance
// ----------------------------------------------------------------------

TEST_F(WorksheetTest, ModifyFormatChangesOnlyWhatTheChangeSets) {
    ASSERT_TRUE(sheet.ModifyFormat(CXlsCellRange(0, 0, 1, 1), Bold));
    ASSERT_TRUE(sheet.ModifyFormat(CXlsCellRange(1, 1, 2, 2), Red));
    EXPECT_TRUE(sheet.GetFormat(0, 0).Font().Bold());
    EXPECT_FALSE(sheet.GetFormat(0, 0).Interior().IsFilled());
    EXPECT_TRUE(sheet.GetFormat(1, 1).Font().Bold());
    EXPECT_EQ(sheet.GetFormat(1, 1).Interior().ColorIndex(), 3);
    EXPECT_FALSE(sheet.GetFormat(2, 2).Font().Bold());
    EXPECT_EQ(sheet.GetFormatId(0, 0), sheet.GetFormatId(1, 0)) << "equal formats share an id";
}

TEST_F(WorksheetTest, RefusedChangeLeavesEverythingAsItWas) {
    ASSERT_TRUE(sheet.ModifyFormat(CXlsCellRange(0, 0, 3, 3), Bold));
    const auto badColour = [](CXlsCellFormat& f) { return f.Interior().SetColorIndex(99); };
    EXPECT_FALSE(sheet.ModifyFormat(CXlsCellRange(0, 0, 9, 9), badColour));
    EXPECT_FALSE(sheet.ModifyFormat(CXlsCellRange(0, 0, 65536, 0), Bold));
    EXPECT_EQ(sheet.Cells().CellCount(), 16u);
}

TEST_F(WorksheetTest, FormattedEmptyCellsAreKeptAsBlanks) {
    ASSERT_TRUE(sheet.ModifyFormat(CXlsCellRange::Cell(4, 4), Red));
    EXPECT_EQ(sheet.Cells().CellCount(), 1u);
    ASSERT_TRUE(sheet.SetNumber(4, 4, 2));
    EXPECT_EQ(sheet.GetFormat(4, 4).Interior().ColorIndex(), 3) << "a value keeps the format";
}

TEST_F(WorksheetTest, WholeColumnFormatReachesCellsWrittenLater) {
    ASSERT_TRUE(sheet.SetNumber(10, 2, 1));
    ASSERT_TRUE(sheet.ModifyFormat(CXlsCellRange(0, 2, 65535, 3), Bold));
    EXPECT_TRUE(sheet.Column(2).HasFormat());
    EXPECT_TRUE(sheet.GetFormat(10, 2).Font().Bold()) << "existing cell";
    EXPECT_TRUE(sheet.GetFormat(60000, 3).Font().Bold()) << "empty cell shows the column's";
    ASSERT_TRUE(sheet.SetNumber(500, 3, 1));
    EXPECT_TRUE(sheet.GetFormat(500, 3).Font().Bold()) << "new cell takes the column's";
    EXPECT_FALSE(sheet.GetFormat(500, 4).Font().Bold());
    EXPECT_EQ(sheet.Cells().CellCount(), 2u) << "no cell per row of the column";
}

TEST_F(WorksheetTest, RowFormatOutranksColumnFormat) {
    ASSERT_TRUE(sheet.ModifyFormat(CXlsCellRange(0, 1, 65535, 1), Bold));  // column B
    ASSERT_TRUE(sheet.ModifyFormat(CXlsCellRange(7, 0, 7, 255), Red));     // row 8
    EXPECT_EQ(sheet.GetFormat(7, 5).Interior().ColorIndex(), 3);
    EXPECT_FALSE(sheet.GetFormat(7, 5).Font().Bold());
    // Where they cross, the cell keeps both, as the spreadsheet shows it.
    EXPECT_TRUE(sheet.GetFormat(7, 1).Font().Bold());
    EXPECT_EQ(sheet.GetFormat(7, 1).Interior().ColorIndex(), 3);
    EXPECT_FALSE(sheet.GetFormat(8, 5).Interior().IsFilled());
}

TEST_F(WorksheetTest, ColumnFormatOverAFormattedRowKeepsBoth) {
    ASSERT_TRUE(sheet.ModifyFormat(CXlsCellRange(3, 0, 3, 255), Red));
    ASSERT_TRUE(sheet.ModifyFormat(CXlsCellRange(0, 6, 65535, 6), Bold));
    EXPECT_TRUE(sheet.GetFormat(3, 6).Font().Bold());
    EXPECT_EQ(sheet.GetFormat(3, 6).Interior().ColorIndex(), 3);
    EXPECT_TRUE(sheet.GetFormat(4, 6).Font().Bold());
    EXPECT_FALSE(sheet.GetFormat(4, 6).Interior().IsFilled());
}

// ---- Merged ranges
// ---------------------------------------------------------------------------------

TEST_F(WorksheetTest, MergeKeepsOnlyTheTopLeftValue) {
    ASSERT_TRUE(sheet.SetText(0, 0, u"keep"));
    ASSERT_TRUE(sheet.SetNumber(0, 1, 1));
    ASSERT_TRUE(sheet.SetFormula(1, 1, kOnePlusTwo));
    ASSERT_TRUE(sheet.ModifyFormat(CXlsCellRange::Cell(1, 0), Red));
    ASSERT_TRUE(sheet.Merge(CXlsCellRange(0, 0, 1, 1)));
    EXPECT_EQ(sheet.GetValue(0, 0), CXlsCellValue::Text(u"keep"));
    EXPECT_EQ(sheet.GetValue(0, 1), CXlsCellValue());
    EXPECT_EQ(sheet.GetFormula(1, 1), nullptr);
    EXPECT_EQ(sheet.GetFormat(1, 0).Interior().ColorIndex(), 3) << "formats stay";
    ASSERT_EQ(sheet.MergedRanges().size(), 1u);
}

TEST_F(WorksheetTest, MergeOverlappingMergesJoinsThem) {
    ASSERT_TRUE(sheet.Merge(CXlsCellRange(0, 0, 1, 1)));
    ASSERT_TRUE(sheet.Merge(CXlsCellRange(0, 5, 0, 6)));
    ASSERT_TRUE(sheet.Merge(CXlsCellRange(1, 1, 3, 3)));
    ASSERT_EQ(sheet.MergedRanges().size(), 2u);
    EXPECT_EQ(sheet.MergedRanges()[1], CXlsCellRange(0, 0, 3, 3));
    // D4:F4 touches only A1:D4, but the range they make reaches F1:G1.
    ASSERT_TRUE(sheet.Merge(CXlsCellRange(3, 3, 3, 5)));
    ASSERT_EQ(sheet.MergedRanges().size(), 1u);
    EXPECT_EQ(sheet.MergedRanges()[0], CXlsCellRange(0, 0, 3, 6));
}

TEST_F(WorksheetTest, SingleCellIsNotMergedAndUnmergeRemovesTouchingRanges) {
    ASSERT_TRUE(sheet.Merge(CXlsCellRange::Cell(2, 2)));
    EXPECT_TRUE(sheet.MergedRanges().empty());
    ASSERT_TRUE(sheet.Merge(CXlsCellRange(0, 0, 0, 3)));
    ASSERT_TRUE(sheet.Merge(CXlsCellRange(4, 0, 4, 3)));
    ASSERT_TRUE(sheet.Unmerge(CXlsCellRange::Cell(0, 2)));
    ASSERT_EQ(sheet.MergedRanges().size(), 1u);
    EXPECT_EQ(sheet.MergedRanges()[0], CXlsCellRange(4, 0, 4, 3));
    EXPECT_FALSE(sheet.Merge(CXlsCellRange(3, 3, 2, 2))) << "corners out of order";
}

// ---- Widths and heights
// ------------------------------------------------------------------------------

TEST_F(WorksheetTest, ColumnWidthsAndRowHeightsReadBackAsSet) {
    EXPECT_EQ(sheet.GetColumnWidth(3), 8.43);
    ASSERT_TRUE(sheet.SetColumnWidth(3, 20.5));
    EXPECT_EQ(sheet.GetColumnWidth(3), 20.5);
    EXPECT_FALSE(sheet.SetColumnWidth(3, 256));
    EXPECT_FALSE(sheet.SetColumnWidth(3, -1));
    EXPECT_FALSE(sheet.SetColumnWidth(256, 5));
    EXPECT_EQ(sheet.GetColumnWidth(3), 20.5);

    EXPECT_EQ(sheet.GetRowHeight(9), 12.75);
    ASSERT_TRUE(sheet.SetRowHeight(9, 30.25));
    EXPECT_EQ(sheet.GetRowHeight(9), 30.25);
    EXPECT_TRUE(sheet.SetRowHeight(11, 1638.35)) << "32767 twips, as files hold it";
    EXPECT_FALSE(sheet.SetRowHeight(9, 1638.4));
    EXPECT_FALSE(sheet.SetRowHeight(65536, 10));
    ASSERT_TRUE(sheet.SetRowHeight(10, 0));
    EXPECT_EQ(sheet.GetRowHeight(10), 0.0) << "hidden";
    EXPECT_EQ(sheet.Cells().CellCount(), 0u) << "a height needs no cell";
}

// ---- Sparse storage
// -------------------------------------------------------------------------------------

TEST_F(WorksheetTest, SparseStorageHoldsOnlyWrittenCells) {
    ASSERT_TRUE(sheet.SetNumber(65535, 255, 1));
    ASSERT_TRUE(sheet.SetNumber(0, 0, 1));
    EXPECT_EQ(sheet.Cells().CellCount(), 2u);
    std::vector<std::uint32_t> rows;
    sheet.Cells().ForEachRow([&rows](std::uint32_t r, const CXlsRow&) { rows.push_back(r); });
    EXPECT_EQ(rows, (std::vector<std::uint32_t>{0, 65535}));
}

// Values given phase by phase, as the save puts them (one kind over a few
// columns of every row, then the next kind), make rows grow in the middle
// and fill many blocks of formula slots and texts. Each cell reads back
// exactly; a formula keeps the value it covered as its result, and a slot
// freed by a value serves a later formula with that formula's own tokens.
TEST_F(WorksheetTest, CellsGivenPhaseByPhaseReadBackExactly) {
    enum class Put { kNumber, kText, kBoolean, kError, kFormula };
    struct Phase {
        std::uint32_t first, last;
        Put put;
    };
    // The sheet's last column first, so later phases insert before it.
    const Phase phases[] = {
        {255, 255, Put::kNumber}, {0, 7, Put::kNumber},    {20, 25, Put::kText},
        {8, 13, Put::kFormula},   {14, 14, Put::kBoolean}, {15, 15, Put::kError},
        {0, 1, Put::kFormula},    {20, 21, Put::kFormula}, {14, 15, Put::kFormula},
        {8, 9, Put::kNumber},     {30, 31, Put::kFormula},
    };
    constexpr std::uint32_t kRows = 700;
    const auto textOf = [](std::uint32_t r, std::uint32_t c) {
        const std::string s = "cell " + std::to_string(r) + "," + std::to_string(c);
        return std::u16string(s.begin(), s.end());
    };
    // =r+c, different in every cell.
    const auto tokensOf = [](std::uint32_t r, std::uint32_t c) {
        return CXlsFormulaTokens({0x1E, static_cast<std::uint8_t>(r),
                                  static_cast<std::uint8_t>(r >> 8), 0x1E,
                                  static_cast<std::uint8_t>(c), 0x00, 0x03});
    };
    struct Expected {
        CXlsCellValue value;
        const CXlsFormulaTokens* formula = nullptr;
    };
    std::map<std::pair<std::uint32_t, std::uint32_t>, Expected> expected;
    std::vector<std::unique_ptr<CXlsFormulaTokens>> formulas;
    for (const Phase& phase : phases) {
        for (std::uint32_t r = 0; r < kRows; ++r) {
            for (std::uint32_t c = phase.first; c <= phase.last; ++c) {
                Expected& cell = expected[{r, c}];
                switch (phase.put) {
                    case Put::kNumber:
                        ASSERT_TRUE(sheet.SetNumber(r, c, r + c / 1000.0));
                        cell = {CXlsCellValue::Number(r + c / 1000.0)};
                        break;
                    case Put::kText:
                        ASSERT_TRUE(sheet.SetText(r, c, textOf(r, c)));
                        cell = {CXlsCellValue::Text(textOf(r, c))};
                        break;
                    case Put::kBoolean:
                        ASSERT_TRUE(sheet.SetBoolean(r, c, r % 2 == 1));
                        cell = {CXlsCellValue::Boolean(r % 2 == 1)};
                        break;
                    case Put::kError:
                        ASSERT_TRUE(sheet.SetError(r, c, 0x2A));
                        cell = {CXlsCellValue::Error(0x2A)};
                        break;
                    case Put::kFormula:
                        formulas.push_back(std::make_unique<CXlsFormulaTokens>(tokensOf(r, c)));
                        ASSERT_TRUE(sheet.SetFormula(r, c, *formulas.back()));
                        cell.formula = formulas.back().get();
                        break;
                }
            }
        }
    }
    EXPECT_EQ(sheet.Cells().CellCount(), expected.size());
    for (const auto& [at, cell] : expected) {
        const auto [r, c] = at;
        EXPECT_EQ(sheet.GetValue(r, c), cell.value) << r << "," << c;
        const CXlsFormulaTokens* formula = sheet.GetFormula(r, c);
        ASSERT_EQ(formula != nullptr, cell.formula != nullptr) << r << "," << c;
        if (formula) {
            EXPECT_EQ(*formula, *cell.formula) << r << "," << c;
        }
    }
    std::uint32_t previous = 0;
    sheet.Cells().ForEachRow([&](std::uint32_t r, const CXlsRow& row) {
        EXPECT_EQ(r, previous++);
        for (std::size_t i = 1; i < row.Cells().size(); ++i)
            EXPECT_LT(row.Cells()[i - 1].Column(), row.Cells()[i].Column()) << r;
    });
    EXPECT_EQ(previous, kRows);
}

TEST_F(WorksheetTest, FullWidthSheetOf65536RowsByTenColumns) {
    for (std::uint32_t r = 0; r < 65536; ++r) {
        for (std::uint32_t c = 0; c < 10; ++c) ASSERT_TRUE(sheet.SetNumber(r, c, r * 10.0 + c));
    }
    EXPECT_EQ(sheet.Cells().CellCount(), 655360u);
    EXPECT_EQ(sheet.GetValue(65535, 9), CXlsCellValue::Number(655359));
    // Written in reverse order the cells come out sorted all the same.
    CXlsWorksheet& other = *book.AddSheet(1);
    for (std::uint32_t c = 10; c-- > 0;) ASSERT_TRUE(other.SetNumber(7, c, c));
    const auto& cells = other.Cells().Row(7)->Cells();
    for (std::size_t i = 0; i < cells.size(); ++i) EXPECT_EQ(cells[i].Column(), i);
}
