#include "records/CExcelRecordWBFORMAT.h"

#include <gtest/gtest.h>

#include "biff/tests/support/BiffWriter.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::Concat;

namespace {

CExcelRecordWBFORMAT Format(const Bytes& payload) {
    return CExcelRecordWBFORMAT(payload.data(), static_cast<std::uint32_t>(payload.size()));
}

}  // namespace

TEST(CExcelRecordWBFORMAT, EightBitFormatString) {
    const Bytes p = Concat(BiffWriter::U16(0xA4), BiffWriter::UnicodeString(u"0.00%", false));
    EXPECT_EQ(Format(p).GetFormatIndex(), 0xA4);
    EXPECT_EQ(Format(p).GetFormatString(), u"0.00%");
}

TEST(CExcelRecordWBFORMAT, SixteenBitFormatString) {
    const std::u16string text = u"#,##0 \"\u20ac\";[Red]-#,##0";
    const Bytes p = Concat(BiffWriter::U16(0xA5), BiffWriter::UnicodeString(text, true));
    EXPECT_EQ(Format(p).GetFormatString(), text);
}

TEST(CExcelRecordWBFORMAT, PayloadTooShortForAStringGivesEmptyText) {
    EXPECT_EQ(Format({0xA4, 0x00}).GetFormatString(), u"");
    EXPECT_EQ(Format({0xA4, 0x00}).GetFormatIndex(), 0xA4);
    EXPECT_EQ(Format({0xA4, 0x00, 0x03}).GetFormatString(), u"");
    EXPECT_EQ(Format({0xA4}).GetFormatIndex(), 0);
}

TEST(CExcelRecordWBFORMAT, StringCutByTheEndOfThePayload) {
    Bytes p = Concat(BiffWriter::U16(0xA4), BiffWriter::UnicodeString(u"yyyy-mm-dd", false));
    p.resize(p.size() - 6);
    EXPECT_EQ(Format(p).GetFormatString(), u"yyyy");
}
