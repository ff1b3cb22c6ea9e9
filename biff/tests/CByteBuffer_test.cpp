#include "biff/CByteBuffer.h"

#include <gtest/gtest.h>

TEST(CByteBuffer, KeepsTwoZeroBytesAfterTheData) {
    const std::uint8_t bytes[] = {0x41, 0x42, 0x43};
    CByteBuffer buffer(bytes, 3);
    ASSERT_EQ(buffer.Size(), 5u);
    EXPECT_EQ(buffer.Data()[3], 0);
    EXPECT_EQ(buffer.Data()[4], 0);
}

TEST(CByteBuffer, ReadsAreBoundedByTheDataNotTheTerminator) {
    const std::uint8_t bytes[] = {0x01, 0x02, 0x03};
    CByteBuffer buffer(bytes, 3);
    EXPECT_EQ(buffer.ReadU16(1), 0x0302);
    EXPECT_EQ(buffer.ReadU16(2), 0);  // would take a terminator byte
    EXPECT_EQ(buffer.ReadU32(0), 0u);
    EXPECT_EQ(buffer.ReadU8(3), 0);
    EXPECT_EQ(buffer.ReadU32(0xFFFFFFFEu), 0u);  // no wrap-around of off + width
}

TEST(CByteBuffer, EmptyAndZeroFilledBuffersReadAsZero) {
    CByteBuffer none;
    EXPECT_EQ(none.Size(), 0u);
    EXPECT_EQ(none.ReadU8(0), 0);
    EXPECT_EQ(none.ReadString(0, 2), u"");

    const std::uint8_t zeros[8] = {};
    CByteBuffer buffer(zeros, 8);
    EXPECT_EQ(buffer.ReadU32(4), 0u);
    EXPECT_EQ(buffer.ReadString(0, 2), u"");
}

TEST(CByteBuffer, ReadsLittleEndianDoubles) {
    const std::uint8_t one[] = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
    CByteBuffer buffer(one, 8);
    EXPECT_EQ(buffer.ReadDouble(0), 1.0);
    EXPECT_EQ(buffer.ReadDouble(1), 0.0);
}

TEST(CByteBuffer, ReadStringPastTheLastByteIsEmpty) {
    const std::uint8_t bytes[] = {0x02, 0x00, 0x00, 'h', 'i'};
    CByteBuffer buffer(bytes, 5);
    EXPECT_EQ(buffer.ReadString(0, 2), u"hi");
    EXPECT_EQ(buffer.ReadString(7, 2), u"");
}
