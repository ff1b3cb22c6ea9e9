// The preview fill: which cells a page takes, what text each cell kind
// shows, how an XF colours and letters a cell, and when the fill stops.
#include "containers/CSheetViewDataFiller.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "biff/BiffRecordIds.h"
#include "containers/CGridUnits.h"
#include "containers/CPreviewPageIndex.h"
#include "containers/CSheetGridStore.h"
#include "containers/tests/PreviewModel.h"
#include "platform/RunState.h"

using testsupport::FontSpec;
using testsupport::PreviewModel;
using testsupport::XFSpec;

namespace {

// Default palette entries as 0xRRGGBB.
constexpr std::uint8_t kRed = 10;
constexpr std::uint8_t kGreen = 11;
constexpr std::uint8_t kBlue = 12;
constexpr std::uint8_t kYellow = 13;
constexpr std::uint8_t kSystemColor = 64;  // not in the default palette

std::u16string Digits(int value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

class PreviewFill : public ::testing::Test {
protected:
    void SetUp() override { PreviewStop = 0; }
    void TearDown() override { PreviewStop = 0; }

    int Fill() {
        m_filler =
            std::make_unique<CSheetViewDataFiller>(&m_grid, &m_model.Sheet(), &m_model.Workbook());
        m_filler->Fill();
        return m_filler->GetResult();
    }

    // The text at the model's (row, column), or "<none>" when the grid has
    // no cell there.
    std::u16string TextAt(int row, int column) const {
        const auto cell = m_grid.GetCell(row + 1, column + 1);
        return cell ? cell->text : u"<none>";
    }

    std::optional<CGridCell> CellAt(int row, int column) const {
        return m_grid.GetCell(row + 1, column + 1);
    }

    PreviewModel m_model;
    CSheetGridStore m_grid;
    std::unique_ptr<CSheetViewDataFiller> m_filler;
};

// Sets PreviewStop once a chosen page has been written.
class StoppingFiller : public CSheetViewDataFiller {
public:
    StoppingFiller(CSheetGridStore* grid, const CExcelWorkSheet* sheet,
                   const CExcelWorkBook* workbook, int stopAfter)
        : CSheetViewDataFiller(grid, sheet, workbook), m_stopAfter(stopAfter) {}

protected:
    void PageFilled(int page) override {
        if (page == m_stopAfter) PreviewStop = 1;
    }

private:
    int m_stopAfter;
};

}  // namespace

// ---- Results ---------------------------------------------------------------

TEST_F(PreviewFill, MissingGridSheetOrWorkbookGivesOneAndWritesNothing) {
    CSheetViewDataFiller noGrid(nullptr, &m_model.Sheet(), &m_model.Workbook());
    CSheetViewDataFiller noSheet(&m_grid, nullptr, &m_model.Workbook());
    CSheetViewDataFiller noWorkbook(&m_grid, &m_model.Sheet(), nullptr);
    m_model.Number(0, 0, 0, 1.0);
    for (CSheetViewDataFiller* filler : {&noGrid, &noSheet, &noWorkbook}) {
        filler->Fill();
        EXPECT_EQ(filler->GetResult(), 1);
        EXPECT_EQ(filler->GetPage(), 0);
    }
    EXPECT_FALSE(CellAt(0, 0));
}

TEST_F(PreviewFill, StopSetBeforeTheFirstPageGivesTwoAndWritesNothing) {
    m_model.Number(0, 0, 0, 1.0);
    PreviewStop = 1;
    EXPECT_EQ(Fill(), 2);
    EXPECT_EQ(m_filler->GetPage(), 0);
    EXPECT_FALSE(CellAt(0, 0));
}

TEST_F(PreviewFill, AnEmptySheetFillsOnePage) {
    EXPECT_EQ(Fill(), 0);
    EXPECT_EQ(m_filler->GetPage(), 1);
    EXPECT_EQ(m_grid.GetRowCount(), 100);
    EXPECT_EQ(m_grid.GetColumnCount(), 27);
}

// ---- Paging ----------------------------------------------------------------

TEST_F(PreviewFill, ALastCellInModelRow250FillsInThreePages) {
    for (std::uint16_t row : {0, 97, 98, 197, 198, 250}) m_model.Number(row, 0, 0, row);
    EXPECT_EQ(Fill(), 0);
    EXPECT_EQ(m_filler->GetPage(), 3);
    EXPECT_EQ(m_filler->GetHighestRow(), 253);
    for (int row : {0, 97, 98, 197, 198, 250}) EXPECT_EQ(TextAt(row, 0), Digits(row)) << row;
}

TEST_F(PreviewFill, TheBoundaryRowBelongsToBothPages) {
    m_model.Number(150, 0, 0, 1.0);  // EnsureCell row 153: two pages
    ASSERT_EQ(Fill(), 0);
    ASSERT_EQ(m_filler->GetPage(), 2);
    EXPECT_TRUE(m_filler->EnsureCell(100, 3));
    EXPECT_TRUE(m_filler->EnsureCell(200, 3));
    EXPECT_FALSE(m_filler->EnsureCell(99, 3));
    EXPECT_FALSE(m_filler->EnsureCell(201, 3));
}

TEST_F(PreviewFill, ACellOnTheFirstPagesBoundaryIsWrittenOnce) {
    // Model row 97 is EnsureCell row 100, the last of page 1 and the first
    // of page 2; it shows in both and with the same text.
    m_model.Label(97, 0, 0, u"edge");
    m_model.Number(150, 0, 0, 1.0);
    ASSERT_EQ(Fill(), 0);
    EXPECT_EQ(TextAt(97, 0), u"edge");
}

TEST_F(PreviewFill, RowsUpToModelRow64997AreShownAndBeyondAreNot) {
    m_model.Number(64997, 0, 0, 1.0);  // EnsureCell row 65,000
    m_model.Number(64998, 0, 0, 2.0);  // 65,001: refused
    ASSERT_EQ(Fill(), 0);
    EXPECT_EQ(m_filler->GetPage(), 650);
    EXPECT_EQ(m_filler->GetHighestRow(), 65000);
    EXPECT_EQ(m_grid.GetRowCount(), 65001);
    EXPECT_EQ(TextAt(64997, 0), u"1");
    EXPECT_FALSE(CellAt(64998, 0));
}

TEST_F(PreviewFill, ModelColumn247IsTheLastShownAnd248TheFirstNot) {
    m_model.Number(0, 247, 0, 1.0);  // EnsureCell column 250
    m_model.Number(1, 248, 0, 2.0);  // 251: above the limit
    ASSERT_EQ(Fill(), 0);
    EXPECT_EQ(m_grid.GetColumnCount(), 250);
    EXPECT_EQ(TextAt(0, 247), u"1");
    EXPECT_FALSE(CellAt(1, 248));
    EXPECT_FALSE(m_filler->EnsureCell(3, 251));
}

TEST_F(PreviewFill, TheGridGrowsToTakeAFarCell) {
    m_model.Label(120, 60, 0, u"far");
    ASSERT_EQ(Fill(), 0);
    EXPECT_EQ(m_grid.GetRowCount(), 223);    // 123 + 100
    EXPECT_EQ(m_grid.GetColumnCount(), 79);  // 27 + 2 steps of 26
    EXPECT_EQ(TextAt(120, 60), u"far");
}

// ---- What each cell kind shows ---------------------------------------------

TEST_F(PreviewFill, SharedTextsInlineTextsAndLostStrings) {
    const std::uint32_t hello = m_model.AddString(u"hello");
    m_model.LabelSST(0, 0, 0, hello);
    m_model.LabelSST(1, 0, 0, 7);  // past the table
    m_model.Label(2, 0, 0, u"inline");
    ASSERT_EQ(Fill(), 0);
    EXPECT_EQ(TextAt(0, 0), u"hello");
    EXPECT_EQ(TextAt(1, 0), u"Lost string");
    EXPECT_EQ(TextAt(2, 0), u"inline");
}

TEST_F(PreviewFill, NumbersAreRenderedWithTheirCellsNumberFormat) {
    m_model.AddFormat(164, u"0.00");
    const std::uint16_t general = m_model.AddXF({});
    const std::uint16_t twoPlaces = m_model.AddXF({.format = 164});
    const std::uint16_t percent = m_model.AddXF({.format = 10});  // built-in "0.00%"
    m_model.Number(0, 0, general, 1234.5);
    m_model.Number(1, 0, twoPlaces, 3.14159);
    m_model.Number(2, 0, percent, 0.256);
    m_model.Number(3, 0, 99, 0.25);                  // no such XF: General
    m_model.RK(4, 0, general, (5u << 2) | 2u);       // integer RK 5
    m_model.RK(5, 0, twoPlaces, (1234u << 2) | 3u);  // integer 1234 / 100
    ASSERT_EQ(Fill(), 0);
    EXPECT_EQ(TextAt(0, 0), u"1234.5");
    EXPECT_EQ(TextAt(1, 0), u"3.14");
    EXPECT_EQ(TextAt(2, 0), u"25.60%");
    EXPECT_EQ(TextAt(3, 0), u"0.25");
    EXPECT_EQ(TextAt(4, 0), u"5");
    EXPECT_EQ(TextAt(5, 0), u"12.34");
}

TEST_F(PreviewFill, FormulaResultsShowTheirCachedValue) {
    m_model.AddFormat(164, u"0.00");
    const std::uint16_t twoPlaces = m_model.AddXF({.format = 164});
    m_model.FormulaNumber(0, 1, twoPlaces, 2.5);
    m_model.FormulaTagged(1, 1, 0, 0, 0, u"text result");
    m_model.FormulaTagged(2, 1, 0, 1, 1);     // TRUE
    m_model.FormulaTagged(3, 1, 0, 1, 0);     // FALSE
    m_model.FormulaTagged(4, 1, 0, 2, 0x07);  // #DIV/0!
    m_model.FormulaTagged(5, 1, 0, 3, 0);     // empty
    ASSERT_EQ(Fill(), 0);
    EXPECT_EQ(TextAt(0, 1), u"2.50");
    EXPECT_EQ(TextAt(1, 1), u"text result");
    EXPECT_EQ(TextAt(2, 1), u"TRUE");
    EXPECT_EQ(TextAt(3, 1), u"FALSE");
    EXPECT_EQ(TextAt(4, 1), u"#DIV/0!");
    EXPECT_FALSE(CellAt(5, 1)) << "an empty result leaves the cell alone";
}

TEST_F(PreviewFill, BooleansAndErrorsShowTheirTextAndUnknownCodesNothing) {
    m_model.BoolErr(0, 2, 0, 1, false);
    m_model.BoolErr(1, 2, 0, 0, false);
    m_model.BoolErr(2, 2, 0, 0x2A, true);
    m_model.BoolErr(3, 2, 0, 0x99, true);  // names no error
    ASSERT_EQ(Fill(), 0);
    EXPECT_EQ(TextAt(0, 2), u"TRUE");
    EXPECT_EQ(TextAt(1, 2), u"FALSE");
    EXPECT_EQ(TextAt(2, 2), u"#N/A");
    EXPECT_FALSE(CellAt(3, 2));
}

TEST_F(PreviewFill, NumbersComeLastAndWinACellATextAlsoClaims) {
    const std::uint32_t word = m_model.AddString(u"word");
    m_model.Number(0, 0, 0, 7.0);
    m_model.LabelSST(0, 0, 0, word);
    ASSERT_EQ(Fill(), 0);
    EXPECT_EQ(TextAt(0, 0), u"7");
}

// ---- Cell formatting -------------------------------------------------------

TEST_F(PreviewFill, BackgroundComesFromThePatternColourWhateverThePatternFlagSays) {
    const std::uint16_t red = m_model.AddXF({.used = 0, .patternColor = kRed, .fillPattern = 1});
    const std::uint16_t system = m_model.AddXF({.used = 0x40, .patternColor = kSystemColor});
    m_model.Label(0, 0, red, u"a");
    m_model.Label(1, 0, system, u"b");
    const std::uint16_t grey =
        m_model.AddXF({.patternColor = kRed, .patternBackground = kBlue, .fillPattern = 2});
    m_model.Label(2, 0, grey, u"c");
    ASSERT_EQ(Fill(), 0);
    EXPECT_EQ(CellAt(0, 0)->background, 0xFF0000u);
    EXPECT_FALSE(CellAt(1, 0)->background);
    // 50 % grey: the pattern colour over the background colour.
    EXPECT_EQ(CellAt(2, 0)->background, 0xFF0000u);
    EXPECT_EQ(CellAt(2, 0)->patternBackground, 0x0000FFu);
    EXPECT_EQ(CellAt(2, 0)->fillPattern, 2);
}

TEST_F(PreviewFill, FontUsedFlagGivesTheCellItsFontAndFontColour) {
    const std::uint16_t font = m_model.AddFont({.name = u"Courier New",
                                                .twips = 240,  // 12 points
                                                .options = 0x000E,
                                                .color = kBlue,
                                                .weight = 700,
                                                .escapement = 1,
                                                .charSet = 2});
    const std::uint16_t used = m_model.AddXF({.font = font, .used = 0x08});
    const std::uint16_t unused = m_model.AddXF({.font = font, .used = 0x00});
    m_model.Label(0, 0, used, u"a");
    m_model.Label(1, 0, unused, u"b");
    ASSERT_EQ(Fill(), 0);

    const auto cell = CellAt(0, 0);
    ASSERT_TRUE(cell && cell->font);
    EXPECT_EQ(cell->font->faceName, u"Courier New");
    EXPECT_EQ(cell->font->height, 16);  // 240 twips / 15
    EXPECT_EQ(cell->font->weight, 700);
    EXPECT_TRUE(cell->font->italic);
    EXPECT_TRUE(cell->font->underline);
    EXPECT_TRUE(cell->font->strikeOut);
    EXPECT_EQ(cell->font->charSet, 2);
    EXPECT_EQ(cell->font->escapement, 1);
    EXPECT_EQ(cell->textColor, 0x0000FFu);

    EXPECT_FALSE(CellAt(1, 0)->font);
    EXPECT_FALSE(CellAt(1, 0)->textColor);
}

TEST_F(PreviewFill, AnOddPointSizeIsRoundedToPixelsAndAnAutomaticColourGivesNone) {
    const std::uint16_t font = m_model.AddFont({.twips = 220});  // 11 points
    const std::uint16_t xf = m_model.AddXF({.font = font, .used = 0x08});
    m_model.Label(0, 0, xf, u"a");
    ASSERT_EQ(Fill(), 0);
    ASSERT_TRUE(CellAt(0, 0)->font);
    EXPECT_EQ(CellAt(0, 0)->font->height, 15);  // 220 twips / 15 = 14.7
    EXPECT_FALSE(CellAt(0, 0)->textColor);
}

TEST_F(PreviewFill, FontIndexFiveSelectsTheFifthFontRecord) {
    for (int i = 0; i < 4; ++i) m_model.AddFont({.name = u"Arial"});
    const std::uint16_t fifth = m_model.AddFont({.name = u"Tahoma"});
    ASSERT_EQ(fifth, 5);
    const std::uint16_t xf = m_model.AddXF({.font = 5, .used = 0x08});
    m_model.Label(0, 0, xf, u"a");
    ASSERT_EQ(Fill(), 0);
    ASSERT_TRUE(CellAt(0, 0)->font);
    EXPECT_EQ(CellAt(0, 0)->font->faceName, u"Tahoma");
}

TEST_F(PreviewFill, TheRightBorderShowsWhateverTheBorderUsedFlagSays) {
    const std::uint16_t border =
        m_model.AddXF({.used = 0x20, .rightBorderColor = kGreen, .rightBorderStyle = 2});
    const std::uint16_t noFlag =
        m_model.AddXF({.used = 0x00, .rightBorderColor = kGreen, .rightBorderStyle = 2});
    m_model.Label(0, 0, border, u"a");
    m_model.Label(1, 0, noFlag, u"b");
    ASSERT_EQ(Fill(), 0);
    const CGridBorderLine medium{0x00FF00, EGridLine::Medium};
    EXPECT_EQ(CellAt(0, 0)->borders.right, medium);
    EXPECT_EQ(CellAt(1, 0)->borders.right, medium);
    EXPECT_EQ(CellAt(1, 0)->borders.left.style, EGridLine::None);
}

TEST_F(PreviewFill, BlankCellsShowTheirXFsBordersAndABlankOverARunWins) {
    const std::uint16_t plain = m_model.AddXF({});
    const std::uint16_t thin = m_model.AddXF({.rightBorderColor = kGreen, .rightBorderStyle = 1});
    const std::uint16_t medium = m_model.AddXF({.rightBorderColor = kGreen, .rightBorderStyle = 2});
    m_model.Blank(0, 0, thin);
    m_model.MulBlank(1, 0, {thin, plain, thin});
    m_model.Blank(1, 1, medium);
    ASSERT_EQ(Fill(), 0);
    ASSERT_TRUE(CellAt(0, 0));
    EXPECT_EQ(CellAt(0, 0)->borders.right.style, EGridLine::Thin);
    EXPECT_TRUE(CellAt(0, 0)->text.empty());
    EXPECT_EQ(CellAt(1, 0)->borders.right.style, EGridLine::Thin);
    EXPECT_EQ(CellAt(1, 1)->borders.right.style, EGridLine::Medium);
    EXPECT_EQ(CellAt(1, 2)->borders.right.style, EGridLine::Thin);
    EXPECT_FALSE(CellAt(1, 3));
}

TEST_F(PreviewFill, AMissingXFLeavesTheCellUnformatted) {
    m_model.AddXF({.used = 0x08, .patternColor = kRed});
    m_model.Label(0, 0, 1, u"lost XF");
    ASSERT_EQ(Fill(), 0);
    const auto cell = CellAt(0, 0);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->text, u"lost XF");
    EXPECT_FALSE(cell->background);
    EXPECT_FALSE(cell->font);
}

TEST_F(PreviewFill, CellsKnowWhatTheirTextStandsForAndHowTheirXFAlignsIt) {
    const std::uint16_t general = m_model.AddXF({});
    const std::uint16_t centredTopWrapped = m_model.AddXF({.alignment = 0x0A});
    const std::uint16_t rightNoVertical = m_model.AddXF({.alignment = 0x73});  // vertical 7
    m_model.Label(0, 0, centredTopWrapped, u"title");
    m_model.Number(1, 0, rightNoVertical, 3.0);
    m_model.FormulaNumber(2, 0, general, 2.0);
    m_model.FormulaTagged(3, 0, general, 0, 0, u"text result");
    m_model.FormulaTagged(4, 0, general, 2, 0x07);  // #DIV/0!
    m_model.BoolErr(5, 0, general, 1, false);
    const CGridAlignment plain;
    const CGridAlignment centred{EGridHorizontal::Centre, EGridVertical::Top, true};
    const CGridAlignment right{EGridHorizontal::Right, EGridVertical::Bottom, false};
    const struct {
        EGridValue value;
        CGridAlignment alignment;
    } expected[] = {{EGridValue::Text, centred},  {EGridValue::Number, right},
                    {EGridValue::Number, plain},  {EGridValue::Text, plain},
                    {EGridValue::Logical, plain}, {EGridValue::Logical, plain}};
    ASSERT_EQ(Fill(), 0);
    for (int row = 0; row < 6; ++row) {
        const auto cell = CellAt(row, 0);
        ASSERT_TRUE(cell) << row;
        EXPECT_EQ(cell->value, expected[row].value) << row;
        EXPECT_TRUE(cell->alignment == expected[row].alignment) << row;
    }
}

TEST_F(PreviewFill, MergedRangesReachTheGridAndACutRecordGivesOnlyTheRangesItHolds) {
    m_model.MergedCells({{0, 0, 0, 5}, {2, 3, 1, 1}, {9, 8, 0, 0}});  // the last one reversed
    m_model.MergedCells({{20, 21, 4, 4}}, 40);                        // announces forty, holds one
    ASSERT_EQ(Fill(), 0);
    const std::vector<CGridRange> expected = {{1, 1, 1, 6}, {3, 2, 4, 2}, {21, 5, 22, 5}};
    EXPECT_EQ(m_grid.GetMergedRanges({1, 1, 65000, 250}), expected);
    EXPECT_EQ(m_grid.GetMergedRanges({4, 1, 30, 3}), std::vector<CGridRange>({{3, 2, 4, 2}}));
}

// ---- Columns and rows ------------------------------------------------------

TEST_F(PreviewFill, ColumnWidthsAndColumnFormatsFollowColInfo) {
    const std::uint16_t yellow = m_model.AddXF({.patternColor = kYellow, .fillPattern = 1});
    m_model.ColInfo(1, 2, 2560, yellow);  // ten digits of 7 pixels, padding included
    m_model.ColInfo(5, 5, 0, 0);          // no width: as good as hidden
    ASSERT_EQ(Fill(), 0);
    EXPECT_TRUE(m_grid.IsColumnHidden(6));
    EXPECT_FALSE(m_grid.IsColumnHidden(2));
    EXPECT_EQ(m_grid.GetColumnWidth(2), 70);
    EXPECT_EQ(m_grid.GetColumnWidth(3), 70);
    EXPECT_EQ(m_grid.GetColumnWidth(4), 0);
    // Every cell of the column in the page, empty ones too.
    EXPECT_EQ(m_grid.GetCell(1, 2)->background, 0xFFFF00u);
    EXPECT_EQ(m_grid.GetCell(98, 3)->background, 0xFFFF00u);
    EXPECT_FALSE(m_grid.GetCell(1, 4));
}

TEST_F(PreviewFill, TheSheetLayoutGivesDefaultSizesGridLinesAndFrozenPanes) {
    struct Case {
        std::vector<std::pair<std::uint16_t, std::vector<std::uint8_t>>> records;
        CGridSheetLayout layout;
    };
    const Case cases[] = {
        {{}, {0, 64}},                               // 8 characters
        {{{biff::kDEFCOLWIDTH, {10, 0}}}, {0, 80}},  // 75 rounded up to 80
        {{{biff::kDEFCOLWIDTH, {10, 0}}, {biff::kSTANDARDWIDTH, {0x00, 0x0A}}}, {0, 70}},
        {{{biff::kDEFAULTROWHEIGHT, {0, 0, 0x2C, 0x01}}}, {20, 64}},  // 300 twips
        {{{biff::kWINDOW2, {0x04, 0, 0, 0, 0, 0}}}, {0, 64, false}},  // grid lines off
        {{{biff::kWINDOW2, {0x06, 0, 0, 0, 0, 0}}}, {0, 64, true}},
        // Frozen at B3; the same split unfrozen scrolls with the rest.
        {{{biff::kWINDOW2, {0x0E, 0, 0, 0, 0, 0}}, {biff::kPANE, {1, 0, 2, 0, 2, 0, 1, 0, 0}}},
         {0, 64, true, 2, 1}},
        {{{biff::kWINDOW2, {0x06, 0, 0, 0, 0, 0}}, {biff::kPANE, {1, 0, 2, 0, 2, 0, 1, 0, 0}}},
         {0, 64, true, 0, 0}},
    };
    for (const Case& test : cases) {
        PreviewModel model;
        for (const auto& [type, body] : test.records) model.Layout(type, body);
        CSheetGridStore grid;
        CSheetViewDataFiller filler(&grid, &model.Sheet(), &model.Workbook());
        filler.Fill();
        CGridSheetLayout expected = test.layout;
        expected.digitWidth = CGridUnits::kDefaultDigitWidth;
        EXPECT_EQ(grid.GetLayout(), expected) << test.records.size();
    }
}

TEST_F(PreviewFill, ColInfoWidthsStopThreeColumnsShortOfTheColumnCount) {
    m_model.ColInfo(0, 0xFFFF, 2560, 0);  // a damaged range to the last column
    ASSERT_EQ(Fill(), 0);
    EXPECT_EQ(m_grid.GetColumnWidth(24), 70);  // 24 + 3 = 27
    EXPECT_EQ(m_grid.GetColumnWidth(25), 0);
}

TEST_F(PreviewFill, RowHeightsAreTheirTwipsInPixels) {
    m_model.Row(0, 480);  // 24 points
    m_model.Row(1, 300);  // 15 points
    m_model.Row(2, 220);  // 11 points: 14.7 pixels
    m_model.Row(3, 0);    // default height
    ASSERT_EQ(Fill(), 0);
    EXPECT_EQ(m_grid.GetRowHeight(1), 32);
    EXPECT_EQ(m_grid.GetRowHeight(2), 20);
    EXPECT_EQ(m_grid.GetRowHeight(3), 15);
    EXPECT_EQ(m_grid.GetRowHeight(4), 0);
}

TEST_F(PreviewFill, RowsOfTheSecondPageGetTheirHeightsBeforeTheirCellsGrowTheGrid) {
    m_model.Row(97, 480);   // EnsureCell row 100: the grid's last row
    m_model.Row(150, 480);  // beyond the first 100 rows
    m_model.Row(197, 300);
    m_model.Number(0, 0, 0, 1.0);
    m_model.Number(250, 0, 0, 2.0);
    ASSERT_EQ(Fill(), 0);
    EXPECT_EQ(m_grid.GetRowHeight(98), 32);
    EXPECT_EQ(m_grid.GetRowHeight(151), 32);
    EXPECT_EQ(m_grid.GetRowHeight(198), 20);
}

TEST_F(PreviewFill, ARowRecordAloneAddsNoPage) {
    m_model.Row(5000, 480);
    ASSERT_EQ(Fill(), 0);
    EXPECT_EQ(m_filler->GetPage(), 1);
    EXPECT_EQ(m_grid.GetRowCount(), 100);
}

TEST_F(PreviewFill, ARowsDefaultFormatReachesEveryColumnOfTheGrid) {
    const std::uint16_t red = m_model.AddXF({.patternColor = kRed, .fillPattern = 1});
    m_model.Row(5, 0, red);
    ASSERT_EQ(Fill(), 0);
    EXPECT_EQ(m_grid.GetCell(6, 1)->background, 0xFF0000u);
    EXPECT_EQ(m_grid.GetCell(6, 26)->background, 0xFF0000u);
    EXPECT_FALSE(m_grid.GetCell(5, 1));
}

// ---- Stopping --------------------------------------------------------------

TEST_F(PreviewFill, AStopDuringTheFillEndsItBeforeTheNextPage) {
    m_model.Number(0, 0, 0, 1.0);
    m_model.Number(150, 0, 0, 2.0);
    m_model.Number(250, 0, 0, 3.0);
    StoppingFiller filler(&m_grid, &m_model.Sheet(), &m_model.Workbook(), 1);
    filler.Fill();
    EXPECT_EQ(filler.GetResult(), 0);
    EXPECT_EQ(filler.GetPage(), 1);
    EXPECT_EQ(TextAt(0, 0), u"1");
    EXPECT_FALSE(CellAt(150, 0));
    EXPECT_FALSE(CellAt(250, 0));
}

// ---- Page index --------------------------------------------------------------

TEST(CPreviewPageIndexTest, ABoundaryRowIsFiledUnderBothItsPagesAndRowsKeepListOrder) {
    const int a = 0, b = 0, c = 0, d = 0, e = 0;
    CPreviewPageIndex<int> index;
    index.Add(0, &a);      // page 1 only (there is no page 0 to fill)
    index.Add(100, &b);    // pages 1 and 2
    index.Add(101, &c);    // page 2
    index.Add(200, &d);    // pages 2 and 3
    index.Add(65001, &e);  // above the limit: no page
    index.Add(-1, &e);
    EXPECT_EQ(index.Page(1), (std::vector<const int*>{&a, &b}));
    EXPECT_EQ(index.Page(2), (std::vector<const int*>{&b, &c, &d}));
    EXPECT_EQ(index.Page(3), (std::vector<const int*>{&d}));
    EXPECT_TRUE(index.Page(4).empty());
    EXPECT_TRUE(index.Page(651).empty());
    EXPECT_TRUE(index.Page(-1).empty());
}

TEST(CPreviewPageIndexTest, RowSixtyFiveThousandIsTheLastFiled) {
    const int last = 0;
    CPreviewPageIndex<int> index;
    index.Add(65000, &last);
    EXPECT_EQ(index.Page(650), (std::vector<const int*>{&last}));
    EXPECT_EQ(index.Page(651), (std::vector<const int*>{&last}));
}
