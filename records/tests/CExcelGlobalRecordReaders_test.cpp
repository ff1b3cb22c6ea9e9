#include "records/CExcelGlobalRecordReaders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "biff/CExcelRawRecordData.h"
#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelWorkBook.h"
#include "records/CExcelRecordGWBEXTERNSHEET.h"
#include "records/CExcelRecordGWBSUPBOOK.h"
#include "records/CExcelRecordPALETTE.h"
#include "records/CExcelRecordSTYLE.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBFORMAT.h"
#include "records/CExcelRecordWBXF.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::Concat;
using testsupport::ScopedTempDir;

namespace {

using Reader = bool (*)(CExcelRawRecordData&, CExcelWorkbookGlobals&);

bool Read(Reader reader, const Bytes& raw, CExcelWorkBook& book) {
    CExcelRawRecordData record(raw.data(), static_cast<std::uint32_t>(raw.size()));
    return reader(record, book);
}

using ContinuedReader = bool (*)(CExcelRawRecordData&, CExcelWorkbookGlobals&,
                                 const CExcelContinueRecordOffsetList*);

bool Read(ContinuedReader reader, const Bytes& raw, CExcelWorkBook& book) {
    CExcelRawRecordData record(raw.data(), static_cast<std::uint32_t>(raw.size()));
    return reader(record, book, nullptr);
}

}  // namespace

TEST(GlobalRecordReaders, EachRecordLandsInItsList) {
    ScopedTempDir temp;
    CExcelWorkBook book;
    const Bytes font = Concat(Bytes{0xC8, 0, 0, 0, 0xFF, 0x7F, 0x90, 1, 0, 0, 0, 0, 0, 0},
                              BiffWriter::UnicodeString(u"Arial", false, true));
    EXPECT_TRUE(
        Read(CExcelGlobalRecordReaders::ReadFONT, BiffWriter::RecordBytes(0x31, font), book));
    EXPECT_TRUE(
        Read(CExcelGlobalRecordReaders::ReadXF, BiffWriter::RecordBytes(0xE0, Bytes(20, 1)), book));
    EXPECT_TRUE(
        Read(CExcelGlobalRecordReaders::ReadFORMAT,
             BiffWriter::RecordBytes(
                 0x41E, Concat(BiffWriter::U16(164), BiffWriter::UnicodeString(u"0.0", false))),
             book));
    EXPECT_TRUE(Read(CExcelGlobalRecordReaders::ReadSTYLE,
                     BiffWriter::RecordBytes(0x293, {0x00, 0x80, 0x03, 0xFF}), book));
    EXPECT_TRUE(Read(CExcelGlobalRecordReaders::ReadPALETTE,
                     BiffWriter::RecordBytes(0x92, {1, 0, 0x11, 0x22, 0x33, 0}), book));
    EXPECT_TRUE(Read(CExcelGlobalRecordReaders::ReadSUPBOOK,
                     BiffWriter::RecordBytes(0x1AE, {2, 0, 1, 4}), book));
    EXPECT_TRUE(Read(CExcelGlobalRecordReaders::ReadEXTERNSHEET,
                     BiffWriter::RecordBytes(0x17, {1, 0, 0, 0, 1, 0, 1, 0}), book));

    ASSERT_EQ(book.GetFonts().GetCount(), 1u);
    EXPECT_EQ(book.GetFonts().GetHead()->GetName(), u"Arial");
    EXPECT_EQ(book.GetFonts().GetHead()->GetWeight(), 400);
    ASSERT_EQ(book.GetXFs().GetCount(), 1u);
    EXPECT_EQ(book.GetXFs().GetHead()->GetFontIndex(), 0x0101);
    ASSERT_EQ(book.GetFormats().GetCount(), 1u);
    EXPECT_EQ(book.GetFormats().GetHead()->GetFormatString(), u"0.0");
    ASSERT_EQ(book.GetStyles().GetCount(), 1u);
    EXPECT_EQ(book.GetStyles().GetHead()->GetLength(), 4u);
    ASSERT_EQ(book.GetPalettes().GetCount(), 1u);
    EXPECT_EQ(book.GetPalettes().GetHead()->GetPayload().ReadU8(2), 0x11);
    ASSERT_EQ(book.GetSupBooks().GetCount(), 1u);
    EXPECT_TRUE(book.GetSupBooks().GetHead()->IsSelf());
    ASSERT_EQ(book.GetExternSheets().GetCount(), 1u);
    EXPECT_EQ(book.GetExternSheets().GetHead()->GetEntries().GetCount(), 1u);
}

TEST(GlobalRecordReaders, XFOfAnyOtherLengthIsDroppedAndLaterIndicesShift) {
    ScopedTempDir temp;
    CExcelWorkBook book;
    Bytes first(20, 0), damaged(19, 0), last(21, 0), third(20, 0);
    first[0] = 1;
    third[0] = 3;
    EXPECT_TRUE(
        Read(CExcelGlobalRecordReaders::ReadXF, BiffWriter::RecordBytes(0xE0, first), book));
    EXPECT_FALSE(
        Read(CExcelGlobalRecordReaders::ReadXF, BiffWriter::RecordBytes(0xE0, damaged), book));
    EXPECT_FALSE(
        Read(CExcelGlobalRecordReaders::ReadXF, BiffWriter::RecordBytes(0xE0, last), book));
    EXPECT_TRUE(
        Read(CExcelGlobalRecordReaders::ReadXF, BiffWriter::RecordBytes(0xE0, third), book));
    ASSERT_EQ(book.GetXFs().GetCount(), 2u);
    EXPECT_EQ(book.GetXFs().GetAt(1)->GetFontIndex(), 3);
}

TEST(GlobalRecordReaders, LengthRulesCountTheHeader) {
    ScopedTempDir temp;
    CExcelWorkBook book;
    // A record cut inside its header (2 or 3 bytes of a last record).
    EXPECT_TRUE(Read(CExcelGlobalRecordReaders::ReadFORMAT, {0x1E, 0x04}, book));
    EXPECT_FALSE(Read(CExcelGlobalRecordReaders::ReadSTYLE, {0x93, 0x02}, book));
    EXPECT_TRUE(Read(CExcelGlobalRecordReaders::ReadSTYLE, {0x93, 0x02, 0x00}, book));
    EXPECT_TRUE(Read(CExcelGlobalRecordReaders::ReadPALETTE, {0x92, 0x00}, book));
    EXPECT_FALSE(Read(CExcelGlobalRecordReaders::ReadFONT, {}, book));
    EXPECT_TRUE(Read(CExcelGlobalRecordReaders::ReadFONT, {0x31}, book));
    // Objects made from such records hold an empty payload.
    EXPECT_EQ(book.GetFormats().GetHead()->GetFormatString(), u"");
    EXPECT_EQ(book.GetStyles().GetHead()->GetLength(), 0u);
    EXPECT_EQ(book.GetPalettes().GetHead()->GetLength(), 0u);
    EXPECT_EQ(book.GetFonts().GetHead()->GetName(), u"");
}

TEST(GlobalRecordReaders, UnreadableSpillFileAppendsNothing) {
    ScopedTempDir temp;
    CExcelWorkBook book;
    // Only a record past the memory limit has a spill file to lose.
    constexpr std::uint32_t kLimit = 64;
    const Bytes raw = BiffWriter::RecordBytes(0x17, Bytes(kLimit, 0));
    CExcelRawRecordData record(raw.data(), static_cast<std::uint32_t>(raw.size()), kLimit);
    ASSERT_TRUE(record.IsSpilled());
    std::filesystem::remove(record.GetSpillPath());
    EXPECT_FALSE(CExcelGlobalRecordReaders::ReadEXTERNSHEET(record, book));
    EXPECT_EQ(book.GetExternSheets().GetCount(), 0u);
}
