#include "records/CExcelRecordRKVALUE.h"

#include <gtest/gtest.h>

#include "model/CExcelWorkBook.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordWBXF.h"

namespace {

double Rk(std::uint32_t rk) {
    return CExcelRecordRKVALUE::DecodeRK(rk);
}

}  // namespace

TEST(RkDecoding, DoubleFormIsTheHighWordOfADouble) {
    EXPECT_EQ(Rk(0x3FF00000), 1.0);
    EXPECT_EQ(Rk(0x405EC000), 123.0);
    EXPECT_EQ(Rk(0xC0000000), -2.0);
}

TEST(RkDecoding, IntegerFormIsAnArithmeticShift) {
    EXPECT_EQ(Rk(0x00000192), 100.0);
    EXPECT_EQ(Rk(0x7FFFFFFE), 536870911.0);
    EXPECT_EQ(Rk(0xFFFFFFFE), -1.0);
    EXPECT_EQ(Rk(0x80000002), -536870912.0);
}

// An integer n with both flags: the integer form of n / 100.
std::uint32_t IntegerHundredths(std::int32_t n) {
    return (static_cast<std::uint32_t>(n) << 2) | 0x3u;
}

TEST(RkDecoding, HundredthsAreTheQuotientTheWriterMeant) {
    // Each literal is what was typed; the writer stored it times 100. The
    // decoded double must be the literal's own, as spreadsheet programs show
    // it (330 * 0.01 would be 3.3000000000000003, 7 * 0.01 0.07000000000000001).
    const struct {
        std::int32_t stored;
        double typed;
    } cases[] = {
        {330, 3.3},    {7, 0.07},     {110, 1.1},       {510, 5.1},     {35, 0.35},
        {-250, -2.5},  {-1, -0.01},   {12345, 123.45},  {29, 0.29},     {57, 0.57},
        {100, 1.0},    {0, 0.0},      {-330, -3.3},     {536870911, 5368709.11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(Rk(IntegerHundredths(c.stored)), c.typed);
    }
}

TEST(RkDecoding, HundredthsOfTheDoubleFormAreDividedToo) {
    EXPECT_EQ(Rk(0x3FF00001), 0.01);         // 1.0 / 100
    EXPECT_EQ(Rk(0x40C81C81), 123.45);       // 12345.0 / 100
    EXPECT_EQ(Rk(0xC0000001), -0.02);        // -2.0 / 100
    EXPECT_EQ(Rk(0x4074A001), 3.3);          // 330.0 / 100
}

TEST(NumericCellFormat, XFIndexSelectsTheXFByPositionElseGeneral) {
    CExcelWorkBook workbook;
    for (std::uint8_t format : {0, 14, 0xA4}) {
        std::uint8_t xf[20] = {0, 0, format};
        workbook.GetXFs().Add(new CExcelRecordWBXF(xf, 20));
    }
    EXPECT_EQ(CExcelRecordRKVALUE(0, 0, 1, 0).GetFormatIndex(workbook), 14);
    EXPECT_EQ(CExcelRecordNUMBER(0, 0, 2, 1.5).GetFormatIndex(workbook), 0xA4);
    EXPECT_EQ(CExcelRecordRKVALUE(0, 0, 3, 0).GetFormatIndex(workbook), 0);
    EXPECT_EQ(CExcelRecordNUMBER(0, 0, 0xFFFF, 0).GetFormatIndex(workbook), 0);
}
