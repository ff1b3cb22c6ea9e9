// Which cells are dates: built-in date formats by index, codes of FORMAT
// records by their sections, the locale-dependent built-ins without a code,
// and cells whose XF is missing.
#include "format/CDateFormatTest.h"

#include <gtest/gtest.h>

#include <string>

#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelWorkBook.h"
#include "records/CExcelRecordWBFORMAT.h"
#include "records/CExcelRecordWBXF.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::Concat;

namespace {

void AddFormat(CExcelWorkBook& workbook, std::uint16_t index, const std::u16string& code) {
    const Bytes payload = Concat(BiffWriter::U16(index), BiffWriter::UnicodeString(code, true));
    workbook.GetFormats().Add(
        new CExcelRecordWBFORMAT(payload.data(), static_cast<std::uint32_t>(payload.size())));
}

// A 20-byte XF whose format index is formatIndex.
void AddXF(CExcelWorkBook& workbook, std::uint16_t formatIndex) {
    Bytes payload(20, 0);
    testsupport::SetU16(payload, 2, formatIndex);
    workbook.GetXFs().Add(new CExcelRecordWBXF(payload.data(), 20));
}

bool IsDate(std::u16string_view code) {
    return CDateFormatTest::IsDateFormat(164, code);
}

}  // namespace

// --- Format codes -------------------------------------------------------------

TEST(DateFormatTestCodes, DateAndTimeCodesAreDates) {
    EXPECT_TRUE(IsDate(u"yyyy-mm-dd"));
    EXPECT_TRUE(IsDate(u"d/m/yy h:mm"));
    EXPECT_TRUE(IsDate(u"h:mm AM/PM"));
    EXPECT_TRUE(IsDate(u"[h]:mm:ss"));
    EXPECT_TRUE(IsDate(u"mm:ss.0"));
    EXPECT_TRUE(IsDate(u"[$-409]d-mmm-yy;@"));
    EXPECT_TRUE(IsDate(u"DD.MM.YYYY"));
}

TEST(DateFormatTestCodes, NumberTextAndLiteralCodesAreNot) {
    EXPECT_FALSE(IsDate(u"General"));
    EXPECT_FALSE(IsDate(u"0.00"));
    EXPECT_FALSE(IsDate(u"#,##0.00_);[Red](#,##0.00)"));
    EXPECT_FALSE(IsDate(u"0.00E+00"));
    EXPECT_FALSE(IsDate(u"@"));
    EXPECT_FALSE(IsDate(u"# ?/?"));
    // Letters of date codes inside quotes or after a backslash are text.
    EXPECT_FALSE(IsDate(u"0.0\"h\""));
    EXPECT_FALSE(IsDate(u"0\\d"));
    EXPECT_FALSE(IsDate(u"\"Yes\";\"Yes\";\"No\""));
}

TEST(DateFormatTestCodes, OnlyTheFirstSectionDecides) {
    EXPECT_FALSE(IsDate(u"0.00;yyyy-mm-dd"));
    EXPECT_TRUE(IsDate(u"yyyy-mm-dd;0.00"));
}

// --- Built-in formats ------------------------------------------------------------

TEST(DateFormatTestBuiltIns, DateIndicesWithoutFormatRecords) {
    CExcelWorkBook workbook;
    for (std::uint16_t index = 0; index < 60; ++index) AddXF(workbook, index);
    CDateFormatTest dates(workbook);
    for (std::uint16_t index = 0; index < 60; ++index) {
        const bool expected = (index >= 14 && index <= 22) || (index >= 27 && index <= 36) ||
                              (index >= 45 && index <= 47) || (index >= 50 && index <= 58);
        EXPECT_EQ(dates.IsDateXF(index), expected) << "format index " << index;
    }
}

TEST(DateFormatTestBuiltIns, AFormatRecordDecidesOverTheIndex) {
    CExcelWorkBook workbook;
    AddFormat(workbook, 14, u"0.00");       // a date index spelled as a number
    AddFormat(workbook, 30, u"#,##0");      // a foreign date index spelled as a number
    AddFormat(workbook, 4, u"yyyy-mm-dd");  // 0-5 are always built in
    AddFormat(workbook, 164, u"dd/mm/yyyy");
    AddXF(workbook, 14);
    AddXF(workbook, 30);
    AddXF(workbook, 4);
    AddXF(workbook, 164);
    AddXF(workbook, 165);  // no record, no built-in code
    CDateFormatTest dates(workbook);
    EXPECT_FALSE(dates.IsDateXF(0));
    EXPECT_FALSE(dates.IsDateXF(1));
    EXPECT_FALSE(dates.IsDateXF(2));
    EXPECT_TRUE(dates.IsDateXF(3));
    EXPECT_FALSE(dates.IsDateXF(4));
}

TEST(DateFormatTestBuiltIns, AnXFPastTheListIsGeneral) {
    CExcelWorkBook workbook;
    AddXF(workbook, 14);
    CDateFormatTest dates(workbook);
    EXPECT_TRUE(dates.IsDateXF(0));
    EXPECT_FALSE(dates.IsDateXF(1));
    EXPECT_FALSE(dates.IsDateXF(0xFFFF));
}
