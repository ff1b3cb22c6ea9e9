#include "records/CExcelRecordWBFONT.h"

#include <gtest/gtest.h>

#include "biff/tests/support/BiffWriter.h"

using testsupport::BiffWriter;
using testsupport::Bytes;

namespace {

// A FONT payload: height, options, colour, weight, escapement, underline,
// family, character set, reserved, then the short-form name.
Bytes FontPayload(std::uint16_t height, std::uint16_t options, const std::u16string& name,
                  bool wideName = false) {
    Bytes p;
    for (std::uint16_t v :
         {height, options, std::uint16_t(0x7FFF), std::uint16_t(700), std::uint16_t(2)}) {
        const Bytes b = BiffWriter::U16(v);
        p.insert(p.end(), b.begin(), b.end());
    }
    p.insert(p.end(), {1, 2, 0xA1, 0});  // underline, family, character set, reserved
    const Bytes n = BiffWriter::UnicodeString(name, wideName, true);
    p.insert(p.end(), n.begin(), n.end());
    return p;
}

CExcelRecordWBFONT Font(const Bytes& payload) {
    return CExcelRecordWBFONT(payload.data(), static_cast<std::uint32_t>(payload.size()));
}

}  // namespace

TEST(CExcelRecordWBFONT, HeightInWholePoints) {
    EXPECT_EQ(Font(FontPayload(200, 0, u"Arial")).GetHeightPoints(), 10u);
    EXPECT_EQ(Font(FontPayload(210, 0, u"Arial")).GetHeightPoints(), 10u);
    EXPECT_EQ(Font(FontPayload(219, 0, u"Arial")).GetHeight(), 219);
}

TEST(CExcelRecordWBFONT, OptionBitsEachAsAFlag) {
    const Bytes italicStrike = FontPayload(200, 0x0A, u"x");
    EXPECT_FALSE(Font(italicStrike).IsBold());
    EXPECT_TRUE(Font(italicStrike).IsItalic());
    EXPECT_FALSE(Font(italicStrike).IsUnderlined());
    EXPECT_TRUE(Font(italicStrike).IsStrikeOut());
    const Bytes boldUnderline = FontPayload(200, 0x05, u"x");
    EXPECT_TRUE(Font(boldUnderline).IsBold());
    EXPECT_TRUE(Font(boldUnderline).IsUnderlined());
    EXPECT_FALSE(Font(boldUnderline).IsItalic());
}

TEST(CExcelRecordWBFONT, FieldsAndName) {
    const Bytes payload = FontPayload(240, 0, u"Times New Roman");
    const CExcelRecordWBFONT font = Font(payload);
    EXPECT_EQ(font.GetColorIndex(), 0x7FFF);
    EXPECT_EQ(font.GetWeight(), 700);
    EXPECT_EQ(font.GetEscapement(), 2);
    EXPECT_EQ(font.GetCharSet(), 0xA1);
    EXPECT_EQ(font.GetName(), u"Times New Roman");
    EXPECT_EQ(Font(FontPayload(200, 0, u"\u5b8b\u4f53", true)).GetName(), u"\u5b8b\u4f53");
}

TEST(CExcelRecordWBFONT, NameCutByTheEndOfThePayload) {
    Bytes payload = FontPayload(200, 0, u"Calibri");
    payload.resize(payload.size() - 3);
    EXPECT_EQ(Font(payload).GetName(), u"Cali");
}

TEST(CExcelRecordWBFONT, ShortPayloadReadsZeroAndNoName) {
    const Bytes payload = {0xC8, 0x00, 0x02};
    const CExcelRecordWBFONT font = Font(payload);
    EXPECT_EQ(font.GetHeightPoints(), 10u);
    EXPECT_FALSE(font.IsItalic());  // the options word is cut
    EXPECT_EQ(font.GetWeight(), 0);
    EXPECT_EQ(font.GetName(), u"");
}
