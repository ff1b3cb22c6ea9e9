// LABEL and RSTRING: text cells whose string lies in the record itself.
// What they protect: the text as a spreadsheet program shows it, 8-bit and
// 16-bit, with RSTRING's runs left out; a damaged count never reading past
// the record; the text-cell counter, which the shared-string total does not
// cover for these cells.
#include <gtest/gtest.h>

#include "biff/BiffRecordIds.h"
#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelWorkSheet.h"
#include "platform/RunState.h"
#include "records/CExcelCellRecordDecoders.h"
#include "records/CExcelRecordLABEL.h"
#include "records/tests/support/MemoryStreamReader.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::Concat;
using testsupport::MemoryStreamReader;

namespace {

// row, column, XF, then the string bytes as given.
Bytes LabelBody(std::uint16_t row, std::uint16_t column, std::uint16_t xf, const Bytes& string) {
    return Concat(
        Concat(Concat(BiffWriter::U16(row), BiffWriter::U16(column)), BiffWriter::U16(xf)), string);
}

// Decodes the one record at offset 0 of stream, with the size its header
// declares; the stretch ends at `end` (the whole stream unless told).
bool DecodeFirst(const Bytes& stream, CExcelWorkSheet& sheet, std::uint32_t end = UINT32_MAX) {
    MemoryStreamReader reader(stream, end);
    const std::uint16_t type = static_cast<std::uint16_t>(stream[0] | (stream[1] << 8));
    const std::uint16_t size = static_cast<std::uint16_t>(stream[2] | (stream[3] << 8));
    return CExcelCellRecordDecoders::Decode(type, reader, sheet, size, 0);
}

}  // namespace

TEST(LabelText, EightBitCharactersAreWidenedByteForByte) {
    ResetRepairCounters();
    CExcelWorkSheet sheet;
    const Bytes body = LabelBody(7, 3, 21, BiffWriter::UnicodeString(u"Caf\u00e9 total", false));
    ASSERT_TRUE(DecodeFirst(BiffWriter::RecordBytes(biff::kLABEL, body), sheet));
    ASSERT_EQ(sheet.GetLabels().GetCount(), 1u);
    const CExcelRecordLABEL& label = *sheet.GetLabels().GetHead();
    EXPECT_EQ(label.GetRow(), 7);
    EXPECT_EQ(label.GetColumn(), 3);
    EXPECT_EQ(label.GetXFIndex(), 21);
    EXPECT_EQ(label.GetText(), u"Caf\u00e9 total");
    EXPECT_EQ(RepairCounters[CounterTextCells].load(), 1u);
}

TEST(LabelText, SixteenBitCharactersAreUtf16) {
    CExcelWorkSheet sheet;
    const std::u16string text = u"\u6771\u4eac \u0416 \U0001F600";  // a surrogate pair too
    const Bytes body = LabelBody(0, 0, 15, BiffWriter::UnicodeString(text, true));
    ASSERT_TRUE(DecodeFirst(BiffWriter::RecordBytes(biff::kLABEL, body), sheet));
    EXPECT_EQ(sheet.GetLabels().GetHead()->GetText(), text);
}

TEST(LabelText, ZeroCharactersStayInTheText) {
    CExcelWorkSheet sheet;
    const std::u16string text(u"a\0b", 3);
    const Bytes body = LabelBody(0, 0, 15, BiffWriter::UnicodeString(text, false));
    ASSERT_TRUE(DecodeFirst(BiffWriter::RecordBytes(biff::kLABEL, body), sheet));
    EXPECT_EQ(sheet.GetLabels().GetHead()->GetText(), text);
}

TEST(LabelText, RichAndExtensionFieldsBeforeTheCharactersAreSkipped) {
    CExcelWorkSheet sheet;
    // count 2, flags: rich (u16 run count) and extended (u32 size) present.
    Bytes string = Concat(BiffWriter::U16(2), Bytes{0x0C});
    string = Concat(Concat(string, BiffWriter::U16(1)), BiffWriter::U32(0));
    string = Concat(string, Bytes{'O', 'K'});
    ASSERT_TRUE(
        DecodeFirst(BiffWriter::RecordBytes(biff::kLABEL, LabelBody(0, 0, 15, string)), sheet));
    EXPECT_EQ(sheet.GetLabels().GetHead()->GetText(), u"OK");
}

TEST(RstringText, TheRunsAfterTheStringAreNotText) {
    ResetRepairCounters();
    CExcelWorkSheet sheet;
    // Two formatting runs (first character u16, font u16) after the string.
    Bytes runs = BiffWriter::U16(2);
    for (std::uint16_t word : {0, 5, 3, 6}) runs = Concat(runs, BiffWriter::U16(word));
    for (bool wide : {false, true}) {
        const Bytes body =
            Concat(LabelBody(2, 1, 30, BiffWriter::UnicodeString(u"bold plain", wide)), runs);
        ASSERT_TRUE(DecodeFirst(BiffWriter::RecordBytes(biff::kRSTRING, body), sheet));
        EXPECT_EQ(sheet.GetLabels().GetTail()->GetText(), u"bold plain") << wide;
        EXPECT_EQ(sheet.GetLabels().GetTail()->GetXFIndex(), 30);
    }
    EXPECT_EQ(sheet.GetLabels().GetCount(), 2u);
    EXPECT_EQ(RepairCounters[CounterTextCells].load(), 2u);
}

TEST(LabelDamage, ACountPastTheRecordIsCutAtTheRecordsEnd) {
    CExcelWorkSheet sheet;
    // The count promises 200 characters; the record holds 5 (8-bit) and
    // 2.5 (16-bit). Bytes after the record look like text and must not be
    // taken.
    const Bytes after = BiffWriter::RecordBytes(0x0041, Bytes(64, 'X'));
    const Bytes narrow = Concat(LabelBody(0, 0, 15, Concat(BiffWriter::U16(200), Bytes{0x00})),
                                Bytes{'h', 'e', 'l', 'l', 'o'});
    const Bytes wide = Concat(LabelBody(1, 0, 15, Concat(BiffWriter::U16(200), Bytes{0x01})),
                              Bytes{'h', 0, 'i', 0, '!'});
    ASSERT_TRUE(DecodeFirst(Concat(BiffWriter::RecordBytes(biff::kLABEL, narrow), after), sheet));
    ASSERT_TRUE(DecodeFirst(Concat(BiffWriter::RecordBytes(biff::kLABEL, wide), after), sheet));
    EXPECT_EQ(sheet.GetLabels().GetHead()->GetText(), u"hello");
    EXPECT_EQ(sheet.GetLabels().GetTail()->GetText(), u"hi");  // the odd byte is dropped
}

TEST(LabelDamage, ARecordWithoutFlagsOrCharactersGivesAnEmptyText) {
    CExcelWorkSheet sheet;
    // Size 8: the count and nothing after it; size 9: flags but the
    // characters lie past the record; size 11: the run-count flag eats them.
    const Bytes noFlags = LabelBody(0, 0, 15, BiffWriter::U16(3));
    const Bytes noCharacters = LabelBody(1, 0, 15, Concat(BiffWriter::U16(3), Bytes{0x01}));
    const Bytes eatenByRuns =
        LabelBody(2, 0, 15, Concat(BiffWriter::U16(1), Bytes{0x08, 0x01, 0x00}));
    for (const Bytes& body : {noFlags, noCharacters, eatenByRuns}) {
        const Bytes record = Concat(BiffWriter::RecordBytes(biff::kLABEL, body), Bytes(8, 'X'));
        ASSERT_TRUE(DecodeFirst(record, sheet)) << body.size();
        EXPECT_EQ(sheet.GetLabels().GetTail()->GetText(), u"") << body.size();
    }
}

TEST(LabelDamage, SizesOutsideARecordBodyAreRefused) {
    ResetRepairCounters();
    CExcelWorkSheet sheet;
    // 7: not even a count. 8,225: longer than any record body; its "text"
    // would be the records after it.
    const Bytes stream = BiffWriter::RecordBytes(biff::kLABEL, Bytes(9000, 'A'));
    MemoryStreamReader reader(stream);
    for (std::uint16_t type : {biff::kLABEL, biff::kRSTRING}) {
        EXPECT_FALSE(CExcelCellRecordDecoders::Decode(type, reader, sheet, 7, 0));
        EXPECT_FALSE(CExcelCellRecordDecoders::Decode(type, reader, sheet, 8225, 0));
        EXPECT_TRUE(CExcelCellRecordDecoders::Decode(type, reader, sheet, 8224, 0));
    }
    EXPECT_EQ(sheet.GetLabels().GetCount(), 2u);
    EXPECT_EQ(RepairCounters[CounterTextCells].load(), 2u);
}

TEST(LabelDamage, APayloadCutByTheEndOfTheSheetIsDropped) {
    ResetRepairCounters();
    CExcelWorkSheet sheet;
    const Bytes record = BiffWriter::RecordBytes(
        biff::kLABEL, LabelBody(0, 0, 15, BiffWriter::UnicodeString(u"next sheet", false)));
    EXPECT_FALSE(DecodeFirst(record, sheet, static_cast<std::uint32_t>(record.size() - 1)));
    EXPECT_EQ(sheet.GetLabels().GetCount(), 0u);
    EXPECT_EQ(RepairCounters[CounterTextCells].load(), 0u);
}
