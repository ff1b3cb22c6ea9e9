// Records that outgrow 8224 bytes: where the CONTINUE records start, that a
// string's header never splits, that its characters go on after a fresh
// option byte, and that surrogate pairs stay together.
#include "server/CBiffContinuedRecord.h"

#include <gtest/gtest.h>

#include "server/CMemoryByteSink.h"
#include "server/tests/support/XlsStructureReader.h"

using servertest::Bytes;
using servertest::ReadContinuedString;
using servertest::ReadRecords;
using servertest::Record;

namespace {

constexpr std::uint16_t kContinue = 0x003C;
constexpr std::uint16_t kString = 0x0207;

std::vector<Record> WriteString(const std::u16string& text, std::uint32_t filler = 0) {
    CMemoryByteSink sink;
    CBiffRecordWriter out(sink);
    CBiffContinuedRecord record(out, kString);
    if (filler > 0) {
        EXPECT_TRUE(record.Reserve(filler));
        record.Current().Zeros(filler);
    }
    EXPECT_TRUE(record.PutLongString(text));
    EXPECT_TRUE(record.Finish());
    return ReadRecords(sink.Bytes(), 0, false);
}

std::vector<const Bytes*> Bodies(const std::vector<Record>& records) {
    std::vector<const Bytes*> bodies;
    for (const Record& r : records) bodies.push_back(&r.body);
    return bodies;
}

}  // namespace

TEST(BiffContinuedRecord, ShortStringIsOneRecord) {
    const auto records = WriteString(u"abc");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].body, (Bytes{3, 0, 0, 'a', 'b', 'c'}));
}

TEST(BiffContinuedRecord, EightBitCharactersGoOnAfterAFreshOptionByte) {
    const std::u16string text(20000, u'x');
    const auto records = WriteString(text);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].type, kString);
    EXPECT_EQ(records[0].body.size(), 8224u);
    EXPECT_EQ(records[1].type, kContinue);
    EXPECT_EQ(records[1].body.size(), 8224u);
    EXPECT_EQ(records[1].body[0], 0x00) << "option byte: 8-bit characters";
    EXPECT_EQ(records[2].body[0], 0x00);
    // 8221 + 8223 + rest
    EXPECT_EQ(records[2].body.size(), 1u + 20000 - 8221 - 8223);
    std::size_t body = 0, offset = 0;
    EXPECT_EQ(ReadContinuedString(Bodies(records), body, offset), text);
}

TEST(BiffContinuedRecord, WideCharactersNeverSplitInTheMiddle) {
    std::u16string text;
    for (int i = 0; i < 9000; ++i) text.push_back(static_cast<char16_t>(0x4E00 + i % 100));
    const auto records = WriteString(text);
    ASSERT_EQ(records.size(), 3u);
    for (std::size_t i = 1; i < records.size(); ++i) {
        EXPECT_EQ(records[i].body[0], 0x01) << "option byte: 16-bit characters";
        EXPECT_EQ((records[i].body.size() - 1) % 2, 0u);
    }
    EXPECT_EQ(records[0].body.size() % 2, 1u) << "3-byte header, then whole characters";
    std::size_t body = 0, offset = 0;
    EXPECT_EQ(ReadContinuedString(Bodies(records), body, offset), text);
}

TEST(BiffContinuedRecord, HeaderThatDoesNotFitStartsTheNextRecordWithoutOptionByte) {
    // Two bytes left: not enough for count, option byte and a character.
    const auto records = WriteString(u"hello", 8222);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].body.size(), 8222u);
    EXPECT_EQ(records[1].type, kContinue);
    EXPECT_EQ(records[1].body, (Bytes{5, 0, 0, 'h', 'e', 'l', 'l', 'o'}));
}

TEST(BiffContinuedRecord, HeaderWithOneCharacterStaysIfThatFits) {
    // Four bytes left: header and the first character, the rest continues.
    const auto records = WriteString(u"hello", 8220);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(Bytes(records[0].body.end() - 4, records[0].body.end()), (Bytes{5, 0, 0, 'h'}));
    EXPECT_EQ(records[1].body, (Bytes{0, 'e', 'l', 'l', 'o'}));
}

TEST(BiffContinuedRecord, SurrogatePairStaysInOneRecord) {
    // 16-bit characters: room for 4110 after the header, so a pair at
    // 4109-4110 would straddle the boundary.
    std::u16string text(4109, u'a');
    text += u"\U0001F600";
    text += u"bc";
    const auto records = WriteString(text);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].body.size(), 3u + 2 * 4109) << "one unit short of full";
    EXPECT_EQ(records[1].body, (Bytes{1, 0x3D, 0xD8, 0x00, 0xDE, 'b', 0, 'c', 0}));
    std::size_t body = 0, offset = 0;
    EXPECT_EQ(ReadContinuedString(Bodies(records), body, offset), text);
}

TEST(BiffContinuedRecord, PositionsNameTheRecordThatHoldsTheNextByte) {
    CMemoryByteSink sink;
    CBiffRecordWriter out(sink);
    CBiffContinuedRecord record(out, kString);
    ASSERT_TRUE(record.Reserve(8000));
    record.Current().Zeros(8000);
    EXPECT_EQ(record.NextPosition(), 4u + 8000);
    EXPECT_EQ(record.NextOffsetInRecord(), 4u + 8000);
    ASSERT_TRUE(record.ReserveLongStringHead(std::u16string(300, u'z')));
    EXPECT_EQ(record.NextPosition(), 4u + 8000) << "room for the head is left";
    ASSERT_TRUE(record.Reserve(300));
    EXPECT_EQ(record.NextPosition(), 4u + 8000 + 4) << "a CONTINUE record was started";
    EXPECT_EQ(record.NextOffsetInRecord(), 4u);
}

TEST(BiffContinuedRecord, RefusesUnitsLargerThanARecord) {
    CMemoryByteSink sink;
    CBiffRecordWriter out(sink);
    CBiffContinuedRecord record(out, kString);
    EXPECT_FALSE(record.Reserve(8225));
    EXPECT_FALSE(record.PutLongString(std::u16string(70000, u'a')));
}
