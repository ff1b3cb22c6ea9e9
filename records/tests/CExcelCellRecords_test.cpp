// Accessors of the cell objects kept as their payload: what the preview and
// the save read from them.
#include <gtest/gtest.h>

#include <memory>

#include "biff/tests/support/BiffWriter.h"
#include "records/CExcelCelRange8.h"
#include "records/CExcelRecordBOOLERR.h"
#include "records/CExcelRecordCOLINFO.h"
#include "records/CExcelRecordMERGEDCELLS.h"
#include "records/CExcelRecordROW.h"

using testsupport::Bytes;
using testsupport::SetU16;
using testsupport::SetU32;

namespace {

template <class T>
std::unique_ptr<T> Make(const Bytes& payload) {
    return std::make_unique<T>(payload.data(), static_cast<std::uint32_t>(payload.size()));
}

std::u16string BoolErrText(std::uint8_t value, std::uint8_t isError) {
    return Make<CExcelRecordBOOLERR>({1, 0, 2, 0, 15, 0, value, isError})->GetText();
}

}  // namespace

TEST(BoolErrText, BooleansAndErrorLiterals) {
    EXPECT_EQ(BoolErrText(1, 0), u"TRUE");
    EXPECT_EQ(BoolErrText(0, 0), u"FALSE");
    EXPECT_EQ(BoolErrText(2, 0), u"TRUE");
    EXPECT_EQ(BoolErrText(0x2A, 1), u"#N/A");
    EXPECT_EQ(BoolErrText(0x00, 0xFF), u"#NULL!");  // any non-zero flag byte
    EXPECT_EQ(BoolErrText(0x2B, 1), u"");
    EXPECT_EQ(BoolErrText(0x01, 1), u"");  // 1 is TRUE only as a boolean
}

TEST(RowRecord, HeightFlagPointsAndDefaultFormat) {
    Bytes p(16, 0);
    SetU16(p, 6, 0x8118);
    EXPECT_FALSE(Make<CExcelRecordROW>(p)->IsCustomHeight());
    SetU16(p, 6, 0x0118);  // 280 twips
    EXPECT_TRUE(Make<CExcelRecordROW>(p)->IsCustomHeight());
    EXPECT_EQ(Make<CExcelRecordROW>(p)->GetHeightPoints(), 14u);
    SetU16(p, 6, 299);
    EXPECT_EQ(Make<CExcelRecordROW>(p)->GetHeightPoints(), 14u);  // truncated
    SetU16(p, 6, 0xFFFF);
    EXPECT_EQ(Make<CExcelRecordROW>(p)->GetHeightPoints(), 1638u);  // 0x7FFF twips

    // Bits 28-31 (thick borders) lie beside the 12-bit XF, not in it.
    SetU32(p, 12, 0xF0000000u | (0x0ABCu << 16) | 0x180u);
    EXPECT_TRUE(Make<CExcelRecordROW>(p)->HasDefaultFormat());
    EXPECT_EQ(Make<CExcelRecordROW>(p)->GetDefaultXFIndex(), 0x0ABC);
    SetU32(p, 12, 0x0FFF017Fu);  // every bit but 7 of the low byte
    EXPECT_FALSE(Make<CExcelRecordROW>(p)->HasDefaultFormat());
}

TEST(ColInfoRecord, PixelsAreSevenPerCharacterTruncated) {
    Bytes p(12, 0);
    const std::pair<std::uint16_t, std::uint32_t> widths[] = {
        {2560, 68}, {0, 0}, {37, 0}, {38, 1}, {0xFFFF, 1744}};
    for (const auto& [width, pixels] : widths) {
        SetU16(p, 4, width);
        EXPECT_EQ(Make<CExcelRecordCOLINFO>(p)->GetWidthPixels(), pixels) << width;
    }
}

TEST(MergedCellsRecord, OnlyRangesBothCountedAndHeldAreGiven) {
    // Count 2, size 10: the record holds range 0 only.
    Bytes p = {2, 0, 0, 0, 1, 0, 0, 0, 2, 0};
    CExcelCelRange8 range;
    EXPECT_TRUE(Make<CExcelRecordMERGEDCELLS>(p)->GetRange(0, range));
    EXPECT_EQ(range.GetText(), u"A1:C2");
    CExcelCelRange8 second;
    EXPECT_FALSE(Make<CExcelRecordMERGEDCELLS>(p)->GetRange(1, second));
    EXPECT_FALSE(second.IsSet());

    // Count 1 with two ranges held: the count rules.
    SetU16(p, 0, 1);
    p.insert(p.end(), {5, 0, 6, 0, 3, 0, 4, 0});
    EXPECT_FALSE(Make<CExcelRecordMERGEDCELLS>(p)->GetRange(1, second));
    SetU16(p, 0, 2);
    EXPECT_TRUE(Make<CExcelRecordMERGEDCELLS>(p)->GetRange(1, second));
    EXPECT_EQ(second.GetText(), u"D6:E7");
    // A huge count over a record of the count alone.
    EXPECT_FALSE(Make<CExcelRecordMERGEDCELLS>({0xFF, 0xFF})->GetRange(0xFFFE, second));
}
