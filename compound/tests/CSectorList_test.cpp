#include "compound/CSectorList.h"

#include <gtest/gtest.h>

TEST(CSectorList, LookupPastTheLastValueIsEndOfChain) {
    CSectorList list;
    list.Add(7);
    list.Add(-3);
    EXPECT_EQ(list.GetAt(0), 7);
    EXPECT_EQ(list.GetAt(1), -3);
    EXPECT_EQ(list.GetAt(2), -2);
    EXPECT_EQ(list.GetAt(0xFFFFFFFFu), -2);
    EXPECT_EQ(CSectorList().GetAt(0), -2);
}

TEST(CSectorList, NegativeIdsHaveNoPosition) {
    CSectorList list;
    list.Add(5);
    EXPECT_EQ(list.Lookup(0), 5);
    EXPECT_EQ(list.Lookup(-1), -2);
    EXPECT_EQ(list.Lookup(INT32_MIN), -2);
}

TEST(CSectorList, ReadsLittleEndianSignedValues) {
    const std::uint8_t bytes[] = {0x01, 0x02, 0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF};
    CSectorList list;
    list.AddLittleEndian(bytes, 2);
    ASSERT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(list.GetAt(0), 0x0201);
    EXPECT_EQ(list.GetAt(1), -2);
}
