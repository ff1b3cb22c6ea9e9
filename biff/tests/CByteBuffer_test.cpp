#include "biff/CByteBuffer.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

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

TEST(CByteBuffer, AssignReplacesTheDataAndItsBound) {
    const std::uint8_t longer[] = {1, 2, 3, 4, 5, 6};
    const std::uint8_t shorter[] = {9, 8};
    CByteBuffer buffer(longer, 6);
    buffer.Assign(shorter, 2);
    EXPECT_EQ(buffer.Size(), 4u);
    EXPECT_EQ(buffer.ReadU16(0), 0x0809);
    EXPECT_EQ(buffer.ReadU8(2), 0);  // an old byte is not readable through the new bound
    EXPECT_EQ(buffer.ReadU32(0), 0u);
    buffer.Assign(nullptr, 0);
    EXPECT_EQ(buffer.Size(), 2u);
    EXPECT_EQ(buffer.ReadU8(0), 0);
}

TEST(CByteBuffer, CopiesAreIndependent) {
    const std::uint8_t bytes[] = {0x11, 0x22};
    CByteBuffer original(bytes, 2);
    CByteBuffer copy(original);
    original.Assign(nullptr, 0);
    EXPECT_EQ(copy.Size(), 4u);
    EXPECT_EQ(copy.ReadU16(0), 0x2211);
}

TEST(CByteBuffer, ReadStringAtTheTerminatorIsEmpty) {
    // Offsets up to Size() - 1 reach the terminator bytes: a string read
    // there finds a zero count, not bytes from outside the buffer.
    const std::uint8_t bytes[] = {0x05, 0x00, 0x00, 'a'};
    CByteBuffer buffer(bytes, 4);
    EXPECT_EQ(buffer.ReadString(4, 2), u"");
    EXPECT_EQ(buffer.ReadString(5, 2), u"");
    EXPECT_EQ(buffer.ReadString(0, 2), u"a");  // the count of 5 is cut at the data
}

TEST(CByteBuffer, CopiesMovesAndReassignsKeepTheBytesOnEitherSideOfTheInlineSize) {
    // Short bodies are kept in the buffer itself, longer ones on the heap:
    // each size must survive a copy, a move and an assignment of its own
    // bytes alike.
    for (const std::uint32_t n : {0u, 1u, 25u, 26u, 27u, 200u}) {
        SCOPED_TRACE(n);
        std::vector<std::uint8_t> bytes(n);
        for (std::uint32_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(i + 1);
        const auto same = [&](const CByteBuffer& buffer) {
            ASSERT_EQ(buffer.Size(), n + 2);
            for (std::uint32_t i = 0; i < n; ++i) EXPECT_EQ(buffer.ReadU8(i), i + 1);
            EXPECT_EQ(buffer.Data()[n], 0);
            EXPECT_EQ(buffer.Data()[n + 1], 0);
        };
        CByteBuffer original(bytes.data(), n);
        CByteBuffer copy(original);
        same(copy);
        CByteBuffer moved(std::move(copy));
        same(moved);
        EXPECT_EQ(copy.Size(), 0u);  // NOLINT: a moved-from buffer is empty
        const std::uint8_t other[] = {7, 7, 7};
        CByteBuffer assigned(other, 3);
        assigned = original;
        same(assigned);
        assigned = std::move(moved);
        same(assigned);
        // Its own bytes, shortened by one (or left empty).
        assigned.Assign(assigned.Data(), n == 0 ? 0 : n - 1);
        ASSERT_EQ(assigned.DataLength(), n == 0 ? 0 : n - 1);
        if (n > 1) {
            EXPECT_EQ(assigned.ReadU8(n - 2), n - 1);
        }
    }
}
