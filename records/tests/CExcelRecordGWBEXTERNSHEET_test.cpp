#include "records/CExcelRecordGWBEXTERNSHEET.h"

#include <gtest/gtest.h>

#include "records/CExcelRecordGWBSUPBOOK.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

CExcelRecordGWBEXTERNSHEET Extern(const Bytes& payload) {
    return CExcelRecordGWBEXTERNSHEET(payload.data(), static_cast<std::uint32_t>(payload.size()));
}

CExcelRecordGWBSUPBOOK Book(const Bytes& payload) {
    return CExcelRecordGWBSUPBOOK(payload.data(), static_cast<std::uint32_t>(payload.size()));
}

}  // namespace

TEST(CExcelRecordGWBEXTERNSHEET, EntriesInOrder) {
    const CExcelRecordGWBEXTERNSHEET record = Extern({2, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 4, 0});
    EXPECT_EQ(record.GetDeclaredCount(), 2);
    ASSERT_EQ(record.GetEntries().GetCount(), 2u);
    EXPECT_EQ(record.GetEntry(0)->GetSupBookIndex(), 0);
    EXPECT_EQ(record.GetEntry(0)->GetFirstSheet(), 1);
    EXPECT_EQ(record.GetEntry(0)->GetLastSheet(), 1);
    EXPECT_EQ(record.GetEntry(1)->GetSupBookIndex(), 1);
    EXPECT_EQ(record.GetEntry(1)->GetLastSheet(), 4);
    EXPECT_EQ(record.GetEntry(2), nullptr);
}

TEST(CExcelRecordGWBEXTERNSHEET, CountThreeInFourteenBytesGivesTwoEntries) {
    EXPECT_EQ(Extern({3, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 4, 0}).GetEntries().GetCount(), 2u);
}

TEST(CExcelRecordGWBEXTERNSHEET, EntryRunningPastThePayloadIsDropped) {
    // The third entry begins inside the payload but has only 3 of its bytes.
    const CExcelRecordGWBEXTERNSHEET record =
        Extern({3, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 4, 0, 7, 0, 9});
    EXPECT_EQ(record.GetEntries().GetCount(), 2u);
}

TEST(CExcelRecordGWBEXTERNSHEET, HugeCountOverAShortPayload) {
    EXPECT_EQ(Extern({0xFF, 0xFF, 0, 0, 0, 0, 0, 0}).GetEntries().GetCount(), 1u);
    EXPECT_EQ(Extern({5}).GetEntries().GetCount(), 0u);
    EXPECT_EQ(Extern({}).GetDeclaredCount(), 0);
}

TEST(CExcelRecordGWBSUPBOOK, Kinds) {
    EXPECT_EQ(Book({3, 0, 0x01, 0x04}).GetKind(), CExcelRecordGWBSUPBOOK::KindSelf);
    EXPECT_EQ(Book({3, 0, 0x01, 0x04}).GetSheetCount(), 3);
    EXPECT_EQ(Book({0x01, 0x00, 0x01, 0x3A}).GetKind(), CExcelRecordGWBSUPBOOK::KindAddIn);
    // An external book: sheet count, then the encoded file name.
    EXPECT_EQ(Book({2, 0, 5, 0, 0, 'a', '.', 'x', 'l', 's'}).GetKind(),
              CExcelRecordGWBSUPBOOK::KindOther);
}

TEST(CExcelRecordGWBSUPBOOK, SelfNeedsSheetsAndAllFourBytes) {
    EXPECT_FALSE(Book({0, 0, 0x01, 0x04}).IsSelf());  // no sheets
    EXPECT_FALSE(Book({3, 0, 0x01}).IsSelf());        // cut marker
    EXPECT_FALSE(Book({3, 0, 0x02, 0x04}).IsSelf());
    EXPECT_FALSE(Book({}).IsSelf());
    EXPECT_EQ(Book({}).GetSheetCount(), 0);
    EXPECT_FALSE(Book({0x01, 0x00, 0x01, 0x3A}).IsSelf());
}

// The file name and sheet names of a SUPBOOK: a string is kept only whole,
// and nothing after a cut one.
TEST(CExcelRecordGWBSUPBOOK, FileAndSheetNamesAreKeptWhole) {
    const struct {
        Bytes payload;
        std::u16string file;
        std::vector<std::u16string> sheets;
        CExcelRecordGWBSUPBOOK::EKind kind;
    } cases[] = {
        {{2, 0, 5, 0, 0, 'a', '.', 'x', 'l', 's', 1, 0, 0, 'A', 2, 0, 1, 'B', 0, 0x14, 0x04},
         u"a.xls",
         {u"A", u"B\u0414"},
         CExcelRecordGWBSUPBOOK::KindOther},
        // A sheet count past the names present, then a name cut short.
        {{9, 0, 1, 0, 0, 'b', 1, 0, 0, 'S', 4, 0, 0, 'T'},
         u"b",
         {u"S"},
         CExcelRecordGWBSUPBOOK::KindOther},
        {{2, 0, 1, 0, 0, ' ', 1, 0, 0, ' ', 1, 0, 0, ' '},
         u" ",
         {u" ", u" "},
         CExcelRecordGWBSUPBOOK::KindUnused},
        {{0, 0, 1, 0, 0, 0}, std::u16string(1, u'\0'), {}, CExcelRecordGWBSUPBOOK::KindSameSheet},
        {{1, 0, 7, 0, 0, 'c', 'u', 't'}, u"", {}, CExcelRecordGWBSUPBOOK::KindOther},
        {{3, 0, 0x01, 0x04}, u"", {}, CExcelRecordGWBSUPBOOK::KindSelf},
    };
    for (const auto& c : cases) {
        const CExcelRecordGWBSUPBOOK book = Book(c.payload);
        EXPECT_EQ(book.GetFileName(), c.file);
        EXPECT_EQ(book.GetKind(), c.kind);
        for (std::uint32_t k = 0; k <= c.sheets.size(); ++k)
            EXPECT_EQ(book.GetSheetName(k), k < c.sheets.size() ? c.sheets[k] : u"");
    }
}
