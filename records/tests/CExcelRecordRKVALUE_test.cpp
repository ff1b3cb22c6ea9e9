#include "records/CExcelRecordRKVALUE.h"

#include <gtest/gtest.h>

#include "biff/CExcelWorkBook.h"
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

TEST(RkDecoding, HundredthsAreAMultiplicationByPointZeroOne) {
    EXPECT_EQ(Rk(0x3FF00001), 0.01);
    EXPECT_EQ(Rk(0x00000193), 1.0);
    EXPECT_EQ(Rk(0xFFFFFFFF), -1.0 * 0.01);
    // 35 * 0.01 and 35 / 100 are different doubles: the product is meant.
    EXPECT_EQ(Rk((35u << 2) | 0x3u), 35 * 0.01);
    EXPECT_NE(Rk((35u << 2) | 0x3u), 35 / 100.0);
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
