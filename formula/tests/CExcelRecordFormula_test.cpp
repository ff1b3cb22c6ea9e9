// A FORMULA record's fields, its cached result in each kind and the texts
// the preview shows for it.
#include "formula/CExcelRecordFormula.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "formula/tests/support/FormulaRecordBuilder.h"
#include "model/CExcelWorkBook.h"
#include "platform/RunState.h"
#include "records/CExcelRecordWBFORMAT.h"
#include "records/CExcelRecordWBXF.h"

using testsupport::Bytes;
using testsupport::FormulaBody;
using testsupport::NumberResult;
using testsupport::StringBody;
using testsupport::TaggedResult;

namespace {

// ptgInt 7.
const Bytes kIntSeven = {0x1E, 0x07, 0x00};

CExcelRecordFormula Make(const Bytes& body) {
    return CExcelRecordFormula(body.data(), static_cast<std::uint32_t>(body.size()));
}

// A workbook whose XF n has format index formats[n].
void AddXFs(CExcelWorkBook& workbook, std::initializer_list<std::uint16_t> formats) {
    for (std::uint16_t format : formats) {
        Bytes payload(20, 0);
        payload[2] = static_cast<std::uint8_t>(format);
        payload[3] = static_cast<std::uint8_t>(format >> 8);
        workbook.GetXFs().Add(new CExcelRecordWBXF(payload.data(), 20));
    }
}

void AddFormat(CExcelWorkBook& workbook, std::uint16_t index, const std::string& code) {
    Bytes payload = {static_cast<std::uint8_t>(index), static_cast<std::uint8_t>(index >> 8),
                     static_cast<std::uint8_t>(code.size()), 0, 0};
    payload.insert(payload.end(), code.begin(), code.end());
    workbook.GetFormats().Add(
        new CExcelRecordWBFORMAT(payload.data(), static_cast<std::uint32_t>(payload.size())));
}

}  // namespace

// ---- Fixed fields and the formula data ---------------------------------------

TEST(FormulaRecord, KeepsTheCellAndTheBytesFromTheTokenLengthOn) {
    Bytes body = FormulaBody(0x1234, 0x00FE, 0x0017, NumberResult(1.5), kIntSeven, {0xAA, 0xBB});
    body[14] = 0x03;  // option flags
    const CExcelRecordFormula record = Make(body);
    EXPECT_EQ(record.GetRow(), 0x1234);
    EXPECT_EQ(record.GetColumn(), 0x00FE);
    EXPECT_EQ(record.GetXF(), 0x0017);
    EXPECT_EQ(record.GetOptionFlags(), 0x0003);
    ASSERT_EQ(record.GetFormulaDataLength(), 2u + 3u + 2u);
    const CByteBuffer& data = record.GetFormulaData();
    EXPECT_EQ(data.DataLength(), 7u);
    EXPECT_EQ(data.ReadU16(0), 3u);  // the token length field
    EXPECT_EQ(data.ReadU8(2), 0x1E);
    EXPECT_EQ(data.ReadU8(6), 0xBB);  // extra data kept with the tokens
}

TEST(FormulaRecord, OfOnlyItsTwentyFixedBytesHasNoFormulaDataAndNoText) {
    Bytes body = FormulaBody(1, 2, 0, NumberResult(4), {});
    body.resize(CExcelRecordFormula::kFixedSize);
    const CExcelRecordFormula record = Make(body);
    EXPECT_EQ(record.GetFormulaDataLength(), 0u);
    EXPECT_EQ(record.GetFormulaData().Size(), 0u);
    EXPECT_EQ(record.GetFormulaText(nullptr, nullptr), u"");
    EXPECT_FALSE(record.IsFormulaSound(nullptr, nullptr));
    EXPECT_EQ(record.GetValueText(nullptr), u"4");
}

TEST(FormulaRecord, EachConstructionCountsOneFormulaCell) {
    const std::uint32_t before = RepairCounters[CounterFormulaCells].load();
    const Bytes body = FormulaBody(0, 0, 0, NumberResult(0), kIntSeven);
    {
        const CExcelRecordFormula a = Make(body);
        const CExcelRecordFormula b = Make(body);
    }
    EXPECT_EQ(RepairCounters[CounterFormulaCells].load(), before + 2);
}

// ---- Cached result kinds -------------------------------------------------------

TEST(FormulaRecordResult, PlainBytesAreADouble) {
    const CExcelRecordFormula record = Make(FormulaBody(0, 0, 0, NumberResult(-2.75), kIntSeven));
    EXPECT_EQ(record.GetResultType(), FormulaResultNumber);
    EXPECT_EQ(record.GetNumber(), -2.75);
    EXPECT_EQ(record.GetResultSize(), 8u);
}

TEST(FormulaRecordResult, AnUnknownKindUnderTheTagIsANumber) {
    const CExcelRecordFormula record = Make(FormulaBody(0, 0, 0, TaggedResult(5), kIntSeven));
    EXPECT_EQ(record.GetResultType(), FormulaResultNumber);
    EXPECT_TRUE(std::isnan(record.GetNumber()));
    // The bytes spell a NaN, which renders as the number error.
    CExcelWorkBook workbook;
    EXPECT_EQ(record.GetValueText(&workbook), u"#NUM!");
}

TEST(FormulaRecordResult, OnlyBothTagBytesMakeAKind) {
    Bytes result = TaggedResult(1, 1);
    result[6] = 0xFE;  // FE FF: the top of an ordinary negative double
    EXPECT_EQ(Make(FormulaBody(0, 0, 0, result, kIntSeven)).GetResultType(), FormulaResultNumber);
    result[6] = 0xFF;
    result[7] = 0x7F;
    EXPECT_EQ(Make(FormulaBody(0, 0, 0, result, kIntSeven)).GetResultType(), FormulaResultNumber);
}

// ---- Value text -----------------------------------------------------------------

TEST(FormulaValueText, BooleanFromByteTwo) {
    const Bytes trueResult = {0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0xFF, 0xFF};
    const CExcelRecordFormula yes = Make(FormulaBody(0, 0, 0, trueResult, kIntSeven));
    EXPECT_EQ(yes.GetResultType(), FormulaResultBoolean);
    EXPECT_EQ(yes.GetValueText(nullptr), u"TRUE");
    EXPECT_EQ(Make(FormulaBody(0, 0, 0, TaggedResult(1, 0), kIntSeven)).GetValueText(nullptr),
              u"FALSE");
    // Any non-zero value byte is true.
    EXPECT_EQ(Make(FormulaBody(0, 0, 0, TaggedResult(1, 0x80), kIntSeven)).GetValueText(nullptr),
              u"TRUE");
}

TEST(FormulaValueText, ErrorFromItsCode) {
    EXPECT_EQ(Make(FormulaBody(0, 0, 0, TaggedResult(2, 0x07), kIntSeven)).GetValueText(nullptr),
              u"#DIV/0!");
    EXPECT_EQ(Make(FormulaBody(0, 0, 0, TaggedResult(2, 0x2A), kIntSeven)).GetValueText(nullptr),
              u"#N/A");
    // A code that is no error has no text.
    EXPECT_EQ(Make(FormulaBody(0, 0, 0, TaggedResult(2, 0x03), kIntSeven)).GetValueText(nullptr),
              u"");
}

TEST(FormulaValueText, EmptyKindHasNoText) {
    const CExcelRecordFormula record = Make(FormulaBody(0, 0, 0, TaggedResult(3, 9), kIntSeven));
    EXPECT_EQ(record.GetResultType(), FormulaResultEmpty);
    EXPECT_EQ(record.GetValueText(nullptr), u"");
}

TEST(FormulaValueText, StringWithoutAStringRecordIsEmpty) {
    // Bytes that would read as a wide string of two characters if taken as
    // STRING data.
    const Bytes result = {0x00, 0x00, 0x01, 0x41, 0x00, 0x42, 0xFF, 0xFF};
    const CExcelRecordFormula record = Make(FormulaBody(0, 0, 0, result, kIntSeven));
    EXPECT_EQ(record.GetResultType(), FormulaResultString);
    EXPECT_EQ(record.GetValueText(nullptr), u"");
}

TEST(FormulaValueText, StringRecordOfEightBitCharacters) {
    CExcelRecordFormula record = Make(FormulaBody(0, 0, 0, TaggedResult(0), kIntSeven));
    const Bytes string = StringBody(u"caf\u00E9 bar", false);
    record.SetStringResult(string.data(), static_cast<std::uint32_t>(string.size()));
    EXPECT_EQ(record.GetValueText(nullptr), u"caf\u00E9 bar");
    EXPECT_EQ(record.GetResultSize(), string.size() + 2);
    EXPECT_TRUE(record.HasStringResult());
}

TEST(FormulaValueText, StringRecordOfWideCharactersTakesItsCount) {
    CExcelRecordFormula record = Make(FormulaBody(0, 0, 0, TaggedResult(0), kIntSeven));
    Bytes string = StringBody(u"\u4E2D\u6587", true);
    record.SetStringResult(string.data(), static_cast<std::uint32_t>(string.size()));
    EXPECT_EQ(record.GetValueText(nullptr), u"\u4E2D\u6587");

    // A zero character is a character like any other; the count ends the
    // text.
    string = StringBody(std::u16string(u"ab\0cd", 5), true);
    record.SetStringResult(string.data(), static_cast<std::uint32_t>(string.size()));
    EXPECT_EQ(record.GetValueText(nullptr), std::u16string(u"ab\0cd", 5));
    string[0] = 1;
    record.SetStringResult(string.data(), static_cast<std::uint32_t>(string.size()));
    EXPECT_EQ(record.GetValueText(nullptr), u"a");
}

TEST(FormulaValueText, StringCutShortGivesWhatIsThere) {
    CExcelRecordFormula record = Make(FormulaBody(0, 0, 0, TaggedResult(0), kIntSeven));
    // Count 10, but three 8-bit characters present.
    Bytes string = StringBody(u"xyz", false);
    string[0] = 10;
    record.SetStringResult(string.data(), static_cast<std::uint32_t>(string.size()));
    EXPECT_EQ(record.GetValueText(nullptr), u"xyz");
    // Wide characters with a dangling odd byte: the half character is not
    // read.
    string = StringBody(u"pq", true);
    string.push_back(0x41);
    record.SetStringResult(string.data(), static_cast<std::uint32_t>(string.size()));
    EXPECT_EQ(record.GetValueText(nullptr), u"pq");
    // Not even the flags byte.
    record.SetStringResult(string.data(), 2);
    EXPECT_EQ(record.GetValueText(nullptr), u"");
}

TEST(FormulaValueText, NumberWithoutAWorkbookKeepsSixSignificantDigits) {
    EXPECT_EQ(Make(FormulaBody(0, 0, 0, NumberResult(0.5), kIntSeven)).GetValueText(nullptr),
              u"0.5");
    EXPECT_EQ(Make(FormulaBody(0, 0, 0, NumberResult(1234567), kIntSeven)).GetValueText(nullptr),
              u"1.23457E+06");
}

TEST(FormulaValueText, NumberWithAWorkbookFollowsTheXFsFormatIndex) {
    CExcelWorkBook workbook;
    AddXFs(workbook, {0, 4, 10});
    EXPECT_EQ(Make(FormulaBody(0, 0, 1, NumberResult(1234.5), kIntSeven)).GetValueText(&workbook),
              u"1,234.50");
    EXPECT_EQ(Make(FormulaBody(0, 0, 2, NumberResult(0.256), kIntSeven)).GetValueText(&workbook),
              u"25.60%");
    // An XF index past the list falls back to General.
    EXPECT_EQ(Make(FormulaBody(0, 0, 3, NumberResult(1234.5), kIntSeven)).GetValueText(&workbook),
              u"1234.5");
}

// ---- Number format text -----------------------------------------------------------

TEST(FormulaNumberFormat, FromTheXFsFormatIndex) {
    CExcelWorkBook workbook;
    AddXFs(workbook, {0, 4, 164});
    AddFormat(workbook, 164, "0.000\" kg\"");
    EXPECT_EQ(Make(FormulaBody(0, 0, 1, NumberResult(1), kIntSeven)).GetNumberFormatText(workbook),
              u"#,##0.00");
    EXPECT_EQ(Make(FormulaBody(0, 0, 2, NumberResult(1), kIntSeven)).GetNumberFormatText(workbook),
              u"0.000\" kg\"");
    EXPECT_EQ(Make(FormulaBody(0, 0, 2, NumberResult(1), kIntSeven)).GetFormatIndex(workbook), 164);
    // No such XF: format index 0, General.
    EXPECT_EQ(Make(FormulaBody(0, 0, 9, NumberResult(1), kIntSeven)).GetNumberFormatText(workbook),
              u"General");
}

// ---- Attached records -------------------------------------------------------------

TEST(FormulaRecordAttached, SharedAndArrayRangesFromTheirOwnData) {
    CExcelRecordFormula record = Make(FormulaBody(0, 0, 0, NumberResult(0), kIntSeven));
    const Bytes shared = testsupport::SharedFormulaBody(3, 40, 2, 7, kIntSeven);
    const Bytes array = testsupport::ArrayBody(5, 6, 250, 255, kIntSeven);
    record.SetSharedFormulaRecord(shared.data(), static_cast<std::uint32_t>(shared.size()));
    record.SetArrayRecord(array.data(), static_cast<std::uint32_t>(array.size()));
    ASSERT_NE(record.GetSharedFormulaRecord(), nullptr);
    EXPECT_EQ(record.GetSharedFormulaRecord()->DataLength(), shared.size());
    EXPECT_EQ(record.GetSharedFirstRow(), 3u);
    EXPECT_EQ(record.GetSharedLastRow(), 40u);
    EXPECT_EQ(record.GetSharedFirstColumn(), 2u);
    EXPECT_EQ(record.GetSharedLastColumn(), 7u);
    EXPECT_EQ(record.GetArrayFirstRow(), 5u);
    EXPECT_EQ(record.GetArrayLastRow(), 6u);
    EXPECT_EQ(record.GetArrayFirstColumn(), 250u);
    EXPECT_EQ(record.GetArrayLastColumn(), 255u);
}

TEST(FormulaRecordAttached, AnEmptyCompanionIsAttachedButHasNoRange) {
    CExcelRecordFormula record = Make(FormulaBody(0, 0, 0, NumberResult(0), kIntSeven));
    const Bytes cut = {0x09, 0x00, 0x0A};
    record.SetSharedFormulaRecord(cut.data(), static_cast<std::uint32_t>(cut.size()));
    ASSERT_NE(record.GetSharedFormulaRecord(), nullptr);
    EXPECT_EQ(record.GetSharedFirstRow(), 9u);
    EXPECT_EQ(record.GetSharedLastRow(), 0u);  // past the three bytes there are
    record.SetArrayRecord(nullptr, 0);
    ASSERT_NE(record.GetArrayRecord(), nullptr);
    EXPECT_EQ(record.GetArrayRecord()->DataLength(), 0u);
}
