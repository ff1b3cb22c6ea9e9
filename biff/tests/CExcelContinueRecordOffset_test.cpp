#include "biff/CExcelContinueRecordOffset.h"

#include <gtest/gtest.h>

TEST(CExcelContinueRecordOffsetList, KeepsBoundariesInOrderAndUnlinksAnyOfThem) {
    CExcelContinueRecordOffsetList list;
    for (std::uint32_t i = 0; i < 4; ++i)
        EXPECT_EQ(list.Add(100 * i, static_cast<std::uint8_t>(i)), i + 1);
    EXPECT_EQ(list.GetHead()->GetNext()->GetOffset(), 100u);
    EXPECT_EQ(list.GetTail()->GetFlag(), 3);
    // A decoder consumes from the head; the others may go from anywhere.
    list.Remove(list.GetHead());
    EXPECT_EQ(list.GetHead()->GetOffset(), 100u);
    list.Remove(list.GetHead()->GetNext());  // offset 200
    list.Remove(list.GetTail());
    EXPECT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.GetTail(), list.GetHead());
    // An entry of another list is not touched.
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
