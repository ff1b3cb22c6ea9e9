#include "records/CExcelCelRange.h"

#include <gtest/gtest.h>

#include "biff/tests/support/BiffWriter.h"
#include "records/CExcelCelRange6.h"
#include "records/CExcelCelRange8.h"

using testsupport::BiffWriter;
using testsupport::Bytes;

namespace {

// 8-byte range: first row, last row, first column, last column (u16 each).
Bytes Ref8(std::uint16_t r1, std::uint16_t r2, std::uint16_t c1, std::uint16_t c2) {
    Bytes b;
    for (std::uint16_t v : {r1, r2, c1, c2}) {
        const Bytes w = BiffWriter::U16(v);
        b.insert(b.end(), w.begin(), w.end());
    }
    return b;
}

std::string Narrow(const std::u16string& s) {
    return std::string(s.begin(), s.end());
}

}  // namespace

TEST(CellRangeText, ColumnLettersOneUpToZThenTwo) {
    const std::pair<std::uint8_t, const char*> names[] = {{0, "A"},   {25, "Z"},  {26, "AA"},
                                                          {51, "AZ"}, {52, "BA"}, {255, "IV"}};
    for (const auto& [column, name] : names)
        EXPECT_EQ(Narrow(CExcelCelRange::ColumnName(column)), name) << int(column);
}

TEST(CellRangeText, FirstCellColonLastCellWithRowsFromOne) {
    CExcelCelRange8 range;
    EXPECT_TRUE(range.GetText().empty());  // not set yet
    Bytes b = Ref8(0, 1, 0, 1);
    ASSERT_TRUE(range.SetRaw(b.data(), 8));
    EXPECT_EQ(Narrow(range.GetText()), "A1:B2");
    b = Ref8(9, 65535, 26, 255);
    ASSERT_TRUE(range.SetRaw(b.data(), 8));
    EXPECT_EQ(Narrow(range.GetText()), "AA10:IV65536");  // the last row does not wrap
}

TEST(CellRangeLayouts, EightByteColumnsAreLowBytesSixByteColumnsAreBytes) {
    CExcelCelRange8 range8;
    const Bytes b = Ref8(3, 7, 0x0102, 0xFF05);
    ASSERT_TRUE(range8.SetRaw(b.data(), 8));
    EXPECT_EQ(range8.GetFirstRow(), 3);
    EXPECT_EQ(range8.GetLastRow(), 7);
    EXPECT_EQ(range8.GetFirstColumn(), 0x02);
    EXPECT_EQ(range8.GetLastColumn(), 0x05);

    CByteBuffer buffer;
    const Bytes b6 = {0x04, 0x00, 0x10, 0x01, 0x02, 0x09};
    buffer.Assign(b6.data(), 6);
    CExcelCelRange6 range6;
    ASSERT_TRUE(range6.SetFrom(buffer));
    buffer.Assign(nullptr, 0);  // the range keeps its own copy
    EXPECT_EQ(Narrow(range6.GetText()), "C5:J273");
}

TEST(CellRangeLayouts, TooFewBytesLeaveTheRangeAsItWas) {
    CExcelCelRange8 range;
    const Bytes b = Ref8(1, 2, 3, 4);
    EXPECT_FALSE(range.SetRaw(b.data(), 7));
    EXPECT_FALSE(range.SetRaw(nullptr, 8));
    EXPECT_FALSE(range.IsSet());
    EXPECT_EQ(range.GetLastColumn(), 0);
    ASSERT_TRUE(range.SetRaw(b.data(), 8));
    EXPECT_FALSE(range.SetRaw(b.data(), 6));
    EXPECT_EQ(Narrow(range.GetText()), "D2:E3");  // still the earlier range
    // The base has no layout at all.
    CExcelCelRange base;
    EXPECT_FALSE(base.SetRaw(b.data(), 8));
    EXPECT_EQ(base.GetFirstRow(), 0);
}
