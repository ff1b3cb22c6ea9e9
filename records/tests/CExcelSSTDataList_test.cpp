#include "records/CExcelSSTDataList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

CExcelSSTData Entry(const std::u16string& text) {
    CExcelSSTData entry;
    entry.SetText(text);
    return entry;
}

}  // namespace

TEST(CExcelSSTDataList, LookupByIndex) {
    CExcelSSTDataList list;
    list.Add(Entry(u"zero"));
    list.Add(Entry(u"one"));
    bool found = false;
    EXPECT_EQ(list.GetString(1, found), u"one");
    EXPECT_TRUE(found);
    EXPECT_EQ(list.GetString(0, found), u"zero");
    EXPECT_TRUE(found);
}

TEST(CExcelSSTDataList, IndexAtOrPastTheCountIsNotFound) {
    CExcelSSTDataList list;
    bool found = true;
    EXPECT_EQ(list.GetString(0, found), u"");
    EXPECT_FALSE(found);
    list.Add(Entry(u"only"));
    found = true;
    EXPECT_EQ(list.GetString(1, found), u"");
    EXPECT_FALSE(found);
    found = true;
    list.GetString(0xFFFFFFFF, found);
    EXPECT_FALSE(found);
}

TEST(CExcelSSTDataList, AddCopiesTextAndRunsDeeply) {
    CExcelSSTDataList list;
    {
        CExcelSSTData entry = Entry(u"rich");
        entry.SetFlags(true, false);
        entry.AddRun(new CFormatingRuns(0, 5));
        entry.AddRun(new CFormatingRuns(2, 7));
        list.Add(entry);
    }  // the offered entry is gone; the copy must not share its runs
    const CExcelSSTData* copy = list.GetAt(0);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->IsRich());
    ASSERT_EQ(copy->GetRuns().GetCount(), 2u);
    EXPECT_EQ(copy->GetRuns().GetHead()->GetFontIndex(), 5);
    EXPECT_EQ(copy->GetRuns().GetTail()->GetFirstChar(), 2);
}

TEST(CExcelSSTDataList, LargeTableKeepsOrder) {
    CExcelSSTDataList list;
    for (int i = 0; i < 100000; ++i)
        list.Add(std::make_unique<CExcelSSTData>(Entry(std::u16string(1, char16_t(i)))));
    ASSERT_EQ(list.GetCount(), 100000u);
    bool found = false;
    EXPECT_EQ(list.GetString(54321, found), std::u16string(1, char16_t(54321)));
    EXPECT_TRUE(found);
    std::uint32_t inPlace = 0;
    for (std::uint32_t i = 0; i < list.GetCount(); ++i)
        if (list.GetAt(i) && list.GetAt(i)->GetText() == std::u16string(1, char16_t(i))) ++inPlace;
    EXPECT_EQ(inPlace, 100000u);
}

// Each case is a sequence of changes to the table, checked against a plain
// vector of what each index should give: texts spread over the store's
// chunks, lost indices between kept ones, rich and plain strings, and
// dropped strings whose characters the store takes back for later ones.
TEST(CExcelSSTDataList, TableMatchesItsChangesWhateverTheirOrder) {
    enum class Op { Plain, Rich, Lost, SetLost, Resize };
    struct Step {
        Op op;
        std::uint32_t value;  // characters, or the index or count changed
        std::uint32_t times = 1;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const std::uint32_t kMax = CExcelSSTData::kMaxChars;
    const std::vector<Case> cases = {
        {"plain strings over several chunks", {{Op::Plain, 100, 3000}}},
        {"strings of a chunk and more",
         {{Op::Plain, 10},
          {Op::Plain, kMax},
          {Op::Plain, 0},
          {Op::Plain, 300},
          {Op::Plain, kMax + 5}}},
        {"lost indices between kept ones",
         {{Op::Plain, 5}, {Op::Lost, 0}, {Op::Plain, 7}, {Op::Lost, 0, 2}, {Op::Plain, 1}}},
        {"rich and plain mixed", {{Op::Rich, 4}, {Op::Plain, 4}, {Op::Rich, 0}, {Op::Plain, 9}}},
        {"dropped strings make room for later ones",
         {{Op::Plain, 50, 5},
          {Op::SetLost, 3},
          {Op::Resize, 2},
          {Op::Plain, 60, 3},
          {Op::Resize, 8},
          {Op::Plain, 5}}},
        {"a string lost and then dropped",
         {{Op::Rich, 10, 3}, {Op::SetLost, 1}, {Op::Resize, 2}, {Op::Plain, 4}, {Op::SetLost, 9}}},
        {"dropped back to nothing", {{Op::Plain, 700, 4}, {Op::Resize, 0}, {Op::Rich, 3, 2}}},
    };
    for (const Case& c : cases) {
        CExcelSSTDataList list;
        struct Expected {
            std::u16string text;
            bool rich;
        };
        std::vector<std::optional<Expected>> expected;
        char16_t serial = 0;
        for (const Step& step : c.steps) {
            for (std::uint32_t n = 0; n < step.times; ++n) {
                if (step.op == Op::Plain || step.op == Op::Rich) {
                    std::u16string text(step.value, char16_t(u'a' + serial % 26));
                    if (!text.empty()) text[0] = char16_t(0x4E00 + serial);
                    ++serial;
                    CExcelSSTData entry;
                    entry.SetText(text);
                    const bool rich = step.op == Op::Rich;
                    entry.SetFlags(rich, false);
                    if (rich) entry.AddRun(new CFormatingRuns(0, serial));
                    list.Add(entry);
                    text.resize(std::min(step.value, kMax));
                    expected.push_back(Expected{text, rich});
                } else if (step.op == Op::Lost) {
                    list.AddLost();
                    expected.emplace_back();
                } else if (step.op == Op::SetLost) {
                    list.SetLost(step.value);
                    if (step.value < expected.size()) expected[step.value].reset();
                } else {
                    list.Resize(step.value);
                    expected.resize(step.value);
                }
            }
        }
        ASSERT_EQ(list.GetCount(), expected.size()) << c.name;
        std::uint32_t lost = 0;
        for (std::uint32_t i = 0; i < expected.size(); ++i) {
            const CExcelSSTData* entry = list.GetAt(i);
            ASSERT_EQ(entry != nullptr, expected[i].has_value()) << c.name << " index " << i;
            if (!entry) {
                ++lost;
                continue;
            }
            EXPECT_TRUE(entry->GetText() == expected[i]->text) << c.name << " index " << i;
            EXPECT_EQ(entry->IsRich(), expected[i]->rich) << c.name << " index " << i;
            EXPECT_EQ(entry->GetRuns().GetCount(), expected[i]->rich ? 1u : 0u) << c.name;
        }
        EXPECT_EQ(list.GetLostCount(), lost) << c.name;
        EXPECT_EQ(list.GetAt(list.GetCount()), nullptr) << c.name;
    }
}
