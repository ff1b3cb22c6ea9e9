#include "records/CExcelRecordWBXF.h"

#include <gtest/gtest.h>

#include "biff/tests/support/BiffWriter.h"

using testsupport::Bytes;
using testsupport::SetU16;
using testsupport::SetU32;
using testsupport::SetU8;

namespace {

CExcelRecordWBXF Xf(const Bytes& payload) {
    return CExcelRecordWBXF(payload.data(), static_cast<std::uint32_t>(payload.size()));
}

}  // namespace

TEST(CExcelRecordWBXF, OnlyATwentyBytePayloadIsAnXF) {
    EXPECT_TRUE(CExcelRecordWBXF::AcceptsRawLength(24));
    EXPECT_FALSE(CExcelRecordWBXF::AcceptsRawLength(23));  // payload 19
    EXPECT_FALSE(CExcelRecordWBXF::AcceptsRawLength(25));  // payload 21
    EXPECT_FALSE(CExcelRecordWBXF::AcceptsRawLength(0));
}

TEST(CExcelRecordWBXF, IndicesAndSingleByteFields) {
    Bytes p(20, 0);
    SetU16(p, 0, 5);
    SetU16(p, 2, 0xA4);
    SetU16(p, 4, 0xFFF5);
    SetU8(p, 6, 0x21);
    SetU8(p, 7, 90);
    SetU8(p, 8, 0x13);
    SetU8(p, 9, 0x04 | 0x40);
    const CExcelRecordWBXF xf = Xf(p);
    EXPECT_EQ(xf.GetFontIndex(), 5);
    EXPECT_EQ(xf.GetFormatIndex(), 0xA4);
    EXPECT_EQ(xf.GetTypeProtection(), 0xFFF5);
    EXPECT_EQ(xf.GetAlignment(), 0x21);
    EXPECT_EQ(xf.GetRotation(), 90);
    EXPECT_EQ(xf.GetIndent(), 0x13);
    EXPECT_EQ(xf.GetUsedAttributes(), 0x44);
    EXPECT_TRUE(xf.IsNumberFormatUsed());
    EXPECT_FALSE(xf.IsFontUsed());
    EXPECT_FALSE(xf.IsBorderUsed());
    EXPECT_TRUE(xf.IsPatternUsed());
}

TEST(CExcelRecordWBXF, BorderWordBitGroups) {
    Bytes p(20, 0);
    SetU32(p, 10, 0x40C00001);
    const CExcelRecordWBXF xf = Xf(p);
    EXPECT_EQ(xf.GetLeftBorderStyle(), 1);
    EXPECT_EQ(xf.GetRightBorderColor(), 0x01);
    EXPECT_TRUE(xf.IsDiagonalDown());
    EXPECT_FALSE(xf.IsDiagonalUp());

    // Every group set to a distinct value, packed by hand.
    const std::uint32_t border = 0x2u | (0x5u << 4) | (0x7u << 8) | (0xDu << 12) | (0x40u << 16) |
                                 (0x3Fu << 23) | (1u << 31);
    SetU32(p, 10, border);
    const CExcelRecordWBXF all = Xf(p);
    EXPECT_EQ(all.GetLeftBorderStyle(), 0x2);
    EXPECT_EQ(all.GetRightBorderStyle(), 0x5);
    EXPECT_EQ(all.GetTopBorderStyle(), 0x7);
    EXPECT_EQ(all.GetBottomBorderStyle(), 0xD);
    EXPECT_EQ(all.GetLeftBorderColor(), 0x40);
    EXPECT_EQ(all.GetRightBorderColor(), 0x3F);
    EXPECT_FALSE(all.IsDiagonalDown());
    EXPECT_TRUE(all.IsDiagonalUp());
}

TEST(CExcelRecordWBXF, BorderFillWordAndFillColours) {
    Bytes p(20, 0);
    const std::uint32_t fill =
        0x11u | (0x22u << 7) | (0x33u << 14) | (0x9u << 21) | (1u << 25) | (0x12u << 26);
    SetU32(p, 14, fill);
    SetU16(p, 18, static_cast<std::uint16_t>(0x41u | (0x40u << 7)));
    const CExcelRecordWBXF xf = Xf(p);
    EXPECT_EQ(xf.GetTopBorderColor(), 0x11);
    EXPECT_EQ(xf.GetBottomBorderColor(), 0x22);
    EXPECT_EQ(xf.GetDiagonalColor(), 0x33);
    EXPECT_EQ(xf.GetDiagonalStyle(), 0x9);  // bit 25 belongs to no group
    EXPECT_EQ(xf.GetFillPattern(), 0x12);
    EXPECT_EQ(xf.GetPatternColor(), 0x41);
    EXPECT_EQ(xf.GetPatternBackgroundColor(), 0x40);
}

TEST(CExcelRecordWBXF, ShortPayloadReadsZeroForMissingFields) {
    Bytes p(12, 0xFF);
    const CExcelRecordWBXF xf = Xf(p);
    EXPECT_EQ(xf.GetLength(), 12u);
    EXPECT_EQ(xf.GetFontIndex(), 0xFFFF);
    EXPECT_EQ(xf.GetLeftBorderStyle(), 0);  // the border word needs bytes 10-13
    EXPECT_EQ(xf.GetPatternColor(), 0);
}
