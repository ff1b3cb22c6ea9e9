// The preview fill of rich shared strings: which formatting runs reach the
// grid store, with which font and colour, and what damage drops.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "containers/CSheetGridStore.h"
#include "containers/CSheetViewDataFiller.h"
#include "containers/tests/PreviewModel.h"
#include "platform/RunState.h"

using testsupport::PreviewModel;

namespace {

constexpr std::uint8_t kBlue = 12;  // default palette entry 0x0000FF
constexpr std::uint16_t kLostFont = 99;

// A run as the store should hold it: no face name for a run that keeps the
// cell's font.
struct ExpectedRun {
    std::uint16_t firstChar;
    std::u16string face;
    std::optional<std::uint32_t> color;
};

struct RunCase {
    const char* name;
    std::u16string text;
    // {first character, font}; font 0 is bold Courier New, 1 blue Tahoma.
    std::vector<std::array<std::uint16_t, 2>> runs;
    std::vector<ExpectedRun> expected;
};

}  // namespace

TEST(PreviewFillRuns, RunsOfASharedStringReachTheStoreOnceForAllItsCells) {
    const std::vector<RunCase> cases = {
        {"plain string", u"plain", {}, {}},
        {"two runs",
         u"plain bold blue",
         {{6, 0}, {11, 1}},
         {{6, u"Courier New", std::nullopt}, {11, u"Tahoma", 0x0000FF}}},
        {"run at the first character", u"bold", {{0, 0}}, {{0, u"Courier New", std::nullopt}}},
        {"runs at or past the end dropped",
         u"abc",
         {{1, 0}, {3, 1}, {9, 1}},
         {{1, u"Courier New", std::nullopt}}},
        {"lost font keeps the cell's", u"abcd", {{2, kLostFont}}, {{2, u"", std::nullopt}}},
        {"runs out of order dropped",
         u"abcdefgh",
         {{4, 0}, {2, 1}, {4, 1}, {6, 1}},
         {{4, u"Courier New", std::nullopt}, {6, u"Tahoma", 0x0000FF}}},
    };
    PreviewStop = 0;
    PreviewModel model;
    ASSERT_EQ(model.AddFont({.name = u"Courier New", .weight = 700}), 0);
    ASSERT_EQ(model.AddFont({.name = u"Tahoma", .color = kBlue}), 1);
    // Each string is shown in two cells of its row.
    for (std::uint16_t row = 0; row < cases.size(); ++row) {
        const std::uint32_t string = model.AddString(cases[row].text, cases[row].runs);
        model.LabelSST(row, 0, 0, string);
        model.LabelSST(row, 1, 0, string);
    }
    CSheetGridStore grid;
    CSheetViewDataFiller filler(&grid, &model.Sheet(), &model.Workbook());
    filler.Fill();
    ASSERT_EQ(filler.GetResult(), 0);

    for (int row = 0; row < static_cast<int>(cases.size()); ++row) {
        const RunCase& test = cases[row];
        SCOPED_TRACE(test.name);
        const auto first = grid.GetCell(row + 1, 1);
        const auto second = grid.GetCell(row + 1, 2);
        ASSERT_TRUE(first && second);
        EXPECT_EQ(first->text, test.text);
        EXPECT_EQ(first->runs, second->runs);
        const auto runs = grid.GetTextRuns(first->runs);
        if (test.expected.empty()) {
            EXPECT_EQ(first->runs, 0u);
            EXPECT_FALSE(runs);
            continue;
        }
        ASSERT_TRUE(runs);
        ASSERT_EQ(runs->size(), test.expected.size());
        for (std::size_t i = 0; i < runs->size(); ++i) {
            const CGridTextRun& run = (*runs)[i];
            const ExpectedRun& expected = test.expected[i];
            EXPECT_EQ(run.firstChar, expected.firstChar);
            EXPECT_EQ(run.font ? run.font->faceName : u"", expected.face);
            EXPECT_EQ(run.textColor, expected.color);
        }
    }
    // An edited text is no longer the rich one.
    grid.SetText(2, 1, u"edited");
    EXPECT_EQ(grid.GetCell(2, 1)->runs, 0u);
}
