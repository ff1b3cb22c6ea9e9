// The formula text of FORMULA records as the preview and the save ask for
// it: decoded once, relative to the record's own cell, through the SHRFMLA,
// ARRAY or TABLE record that belongs to it.
#include <gtest/gtest.h>

#include "biff/BiffRecordIds.h"
#include "biff/tests/support/BiffWriter.h"
#include "formula/CExcelFormulaRecordReader.h"
#include "formula/CExcelRecordFormula.h"
#include "formula/tests/support/FormulaRecordBuilder.h"
#include "model/CExcelWorkSheet.h"
#include "records/tests/support/MemoryStreamReader.h"

using testsupport::ArrayBody;
using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::FormulaBody;
using testsupport::MemoryStreamReader;
using testsupport::NumberResult;
using testsupport::SharedFormulaBody;
using testsupport::TableBody;

namespace {

// ptgExp and ptgTbl pointing at a cell.
Bytes Exp(std::uint16_t row, std::uint16_t column) {
    return {0x01, static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(row >> 8),
            static_cast<std::uint8_t>(column), static_cast<std::uint8_t>(column >> 8)};
}
Bytes Tbl(std::uint16_t row, std::uint16_t column) {
    Bytes token = Exp(row, column);
    token[0] = 0x02;
    return token;
}
// ptgRefN with both parts relative: row offset, column offset.
Bytes RelativeRefN(std::int16_t rowOffset, std::int8_t columnOffset) {
    const auto row = static_cast<std::uint16_t>(rowOffset);
    return {0x2C, static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(row >> 8),
            static_cast<std::uint8_t>(columnOffset), 0xC0};
}
// ptgInt value.
Bytes Int(std::uint16_t value) {
    return {0x1E, static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
}
Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}
constexpr std::uint8_t kPtgAdd = 0x03;

CExcelRecordFormula Make(const Bytes& body) {
    return CExcelRecordFormula(body.data(), static_cast<std::uint32_t>(body.size()));
}

void ReadAll(const Bytes& stream, CExcelWorkSheet& sheet) {
    MemoryStreamReader reader(stream);
    for (std::uint32_t at = 0; at + 4 <= stream.size();) {
        const std::uint16_t type = CDataReader::GetU16(&stream[at]);
        const std::uint16_t size = CDataReader::GetU16(&stream[at + 2]);
        if (type == biff::kFORMULA) CExcelFormulaRecordReader::ReadFormula(reader, sheet, size, at);
        if (type == biff::kTABLE) CExcelFormulaRecordReader::ReadTable(reader, sheet, size, at);
        at += 4 + size;
    }
}

}  // namespace

TEST(FormulaText, DecodedFromTheRecordsOwnTokensWithoutAnEqualsSign) {
    const CExcelRecordFormula record =
        Make(FormulaBody(0, 0, 0, NumberResult(12), Join({Int(5), Int(7), {kPtgAdd}})));
    EXPECT_EQ(record.GetFormulaText(nullptr, nullptr), u"5+7");
    EXPECT_TRUE(record.IsFormulaSound(nullptr, nullptr));
}

TEST(FormulaText, ExtraDataAfterTheTokensReachesTheDecoder) {
    // ptgArray (value class) with a one-by-one array constant of 2.5.
    const Bytes tokens = {0x40, 0, 0, 0, 0, 0, 0, 0};
    Bytes extra = {0x00, 0x00, 0x00, 0x01};
    const Bytes number = NumberResult(2.5);
    extra.insert(extra.end(), number.begin(), number.end());
    const CExcelRecordFormula record = Make(FormulaBody(0, 0, 0, NumberResult(0), tokens, extra));
    EXPECT_EQ(record.GetFormulaText(nullptr, nullptr), u"{2.5}");
}

TEST(FormulaText, RelativeTokensResolveAgainstTheRecordsCell) {
    // ptgRefN one row up, two columns left, in a FORMULA record of cell D10.
    CExcelRecordFormula record = Make(FormulaBody(9, 3, 0, NumberResult(0), Exp(9, 3)));
    const Bytes shared = SharedFormulaBody(9, 20, 3, 3, RelativeRefN(-1, -2));
    record.SetSharedFormulaRecord(shared.data(), static_cast<std::uint32_t>(shared.size()));
    EXPECT_EQ(record.GetFormulaText(nullptr, nullptr), u"B9");
}

TEST(FormulaText, IsDecodedOnceAndKeptEvenWhenEmpty) {
    CExcelRecordFormula record = Make(FormulaBody(0, 0, 0, NumberResult(0), Exp(0, 0)));
    EXPECT_EQ(record.GetFormulaText(nullptr, nullptr), u"");
    // Tokens attached after the first decode do not change the kept text.
    const Bytes shared = SharedFormulaBody(0, 0, 0, 0, Int(42));
    record.SetSharedFormulaRecord(shared.data(), static_cast<std::uint32_t>(shared.size()));
    EXPECT_EQ(record.GetFormulaText(nullptr, nullptr), u"");
    EXPECT_FALSE(record.HasFormulaText(nullptr, nullptr));
    EXPECT_FALSE(record.IsFormulaSound(nullptr, nullptr));

    // The same record with the tokens attached before its first decode.
    CExcelRecordFormula fresh = Make(FormulaBody(0, 0, 0, NumberResult(0), Exp(0, 0)));
    fresh.SetSharedFormulaRecord(shared.data(), static_cast<std::uint32_t>(shared.size()));
    EXPECT_TRUE(fresh.IsFormulaSound(nullptr, nullptr));
    EXPECT_EQ(fresh.GetFormulaText(nullptr, nullptr), u"42");
}

// The kept text reads back whole whatever its characters: one byte each
// up to U+00FF, two past it.
TEST(FormulaText, KeptTextReadsBackInEveryCharacterWidth) {
    const std::u16string cases[] = {u"ab", u"\u00e9\u00ff", u"\u20ac", u"a\u0100b", u""};
    for (const std::u16string& literal : cases) {
        // ptgStr: character count, flags (1: two bytes a character), characters.
        Bytes tokens = {0x17, static_cast<std::uint8_t>(literal.size()), 0x01};
        for (const char16_t unit : literal) {
            tokens.push_back(static_cast<std::uint8_t>(unit));
            tokens.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
        const CExcelRecordFormula record = Make(FormulaBody(0, 0, 0, NumberResult(0), tokens));
        const std::u16string expected = u"\"" + literal + u"\"";
        EXPECT_EQ(record.GetFormulaText(nullptr, nullptr), expected);
        EXPECT_EQ(record.GetFormulaText(nullptr, nullptr), expected) << "the kept decode";
        EXPECT_TRUE(record.HasFormulaText(nullptr, nullptr));
    }
}

TEST(FormulaText, EveryCellOfASharedRangeDecodesTheRangeRelativeToItself) {
    const Bytes stream =
        BiffWriter()
            .Record(biff::kFORMULA, FormulaBody(4, 2, 0, NumberResult(1), Exp(4, 2)))
            .Record(biff::kSHRFMLA,
                    SharedFormulaBody(4, 6, 2, 2, Join({RelativeRefN(0, -1), Int(1), {kPtgAdd}})))
            .Record(biff::kFORMULA, FormulaBody(5, 2, 0, NumberResult(1), Exp(4, 2)))
            .Record(biff::kFORMULA, FormulaBody(6, 2, 0, NumberResult(1), Exp(4, 2)))
            .Eof()
            .GetBytes();
    CExcelWorkSheet sheet;
    ReadAll(stream, sheet);
    ASSERT_EQ(sheet.GetFormulas().GetCount(), 3u);
    const CExcelRecordFormula& first = *sheet.GetFormulas().GetAt(0);
    EXPECT_EQ(first.GetFormulaText(nullptr, &sheet), u"B5+1");
    EXPECT_TRUE(first.IsFormulaSound(nullptr, &sheet));
    EXPECT_EQ(first.GetSharedLastRow(), 6u);
    EXPECT_EQ(sheet.GetFormulas().GetAt(1)->GetFormulaText(nullptr, &sheet), u"B6+1");
    EXPECT_EQ(sheet.GetFormulas().GetAt(2)->GetFormulaText(nullptr, &sheet), u"B7+1");
}

TEST(FormulaText, ArrayFormulaDecodesTheArrayTokens) {
    const Bytes stream =
        BiffWriter()
            .Record(biff::kFORMULA, FormulaBody(0, 0, 0, NumberResult(1), Exp(0, 0)))
            .Record(biff::kARRAY, ArrayBody(0, 1, 0, 0, Int(9)))
            .Eof()
            .GetBytes();
    CExcelWorkSheet sheet;
    ReadAll(stream, sheet);
    ASSERT_EQ(sheet.GetFormulas().GetCount(), 1u);
    EXPECT_EQ(sheet.GetFormulas().GetHead()->GetFormulaText(nullptr, &sheet), u"9");
}

TEST(FormulaText, DataTableCellsShowTheirTableButAreNotSound) {
    // A two-input table over B2:D4 with inputs B1 and C1; the cell C3 of
    // its body holds a ptgTbl pointing at the table's first cell B2.
    const Bytes stream =
        BiffWriter()
            .Record(biff::kFORMULA, FormulaBody(2, 2, 0, NumberResult(1), Tbl(1, 1)))
            .Record(biff::kTABLE, TableBody(1, 3, 1, 3, 0x0C, 0, 1, 0, 2))
            .Eof()
            .GetBytes();
    CExcelWorkSheet sheet;
    ReadAll(stream, sheet);
    ASSERT_EQ(sheet.GetFormulas().GetCount(), 1u);
    ASSERT_EQ(sheet.GetTables().GetCount(), 1u);
    const CExcelRecordFormula& cell = *sheet.GetFormulas().GetHead();
    EXPECT_EQ(cell.GetFormulaText(nullptr, &sheet), u"{=TABLE(B1,C1)}");
    EXPECT_FALSE(cell.IsFormulaSound(nullptr, &sheet));
}
