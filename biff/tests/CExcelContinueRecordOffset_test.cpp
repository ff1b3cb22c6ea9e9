#include "biff/CExcelContinueRecordOffset.h"

#include <gtest/gtest.h>

TEST(CExcelContinueRecordOffsetList, KeepsBoundariesInOrderAndCountsThem) {
    CExcelContinueRecordOffsetList list;
    EXPECT_EQ(list.GetHead(), nullptr);
    EXPECT_EQ(list.Add(100, 0x01), 1u);
    EXPECT_EQ(list.Add(200, 0x00), 2u);
    EXPECT_EQ(list.Add(300, 0xFF), 3u);
    ASSERT_NE(list.GetHead(), nullptr);
    EXPECT_EQ(list.GetHead()->GetOffset(), 100u);
    EXPECT_EQ(list.GetHead()->GetFlag(), 0x01);
    EXPECT_EQ(list.GetHead()->GetNext()->GetOffset(), 200u);
    EXPECT_EQ(list.GetTail()->GetFlag(), 0xFF);
}

TEST(CExcelContinueRecordOffsetList, RemoveUnlinksHeadMiddleAndTail) {
    CExcelContinueRecordOffsetList list;
    for (std::uint32_t i = 0; i < 4; ++i) list.Add(i, static_cast<std::uint8_t>(i));
    // A decoder consumes from the head.
    list.Remove(list.GetHead());
    EXPECT_EQ(list.GetHead()->GetOffset(), 1u);
    list.Remove(list.GetHead()->GetNext());  // offset 2
    EXPECT_EQ(list.GetHead()->GetNext()->GetOffset(), 3u);
    list.Remove(list.GetTail());
    EXPECT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.GetTail(), list.GetHead());
    // An entry that does not belong to the list is not touched.
    CExcelContinueRecordOffsetList other;
    other.Add(9, 9);
    list.Remove(other.GetHead());
    list.Remove(nullptr);
    EXPECT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(other.GetCount(), 1u);
    // Appending after removals links at the new tail.
    list.Add(10, 0);
    EXPECT_EQ(list.GetHead()->GetNext()->GetOffset(), 10u);
}
