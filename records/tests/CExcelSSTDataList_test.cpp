#include "records/CExcelSSTDataList.h"

#include <gtest/gtest.h>

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
    std::uint32_t walked = 0;
    for (const CExcelSSTData* e = list.GetHead(); e; e = e->GetNext()) ++walked;
    EXPECT_EQ(walked, 100000u);
}
