// Record framing and CONTINUE joining: what ReadRecord leaves in the spill
// file, which boundaries it remembers, and where the next record is looked
// for.
#include <gtest/gtest.h>

#include "biff/CInputFile.h"
#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelScanWorkBook.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::ScopedTempDir;

namespace {

Bytes Body(std::size_t n, std::uint8_t seed) {
    Bytes body(n);
    for (std::size_t i = 0; i < n; ++i) body[i] = static_cast<std::uint8_t>(seed + i);
    return body;
}

struct Reading {
    ScopedTempDir dir;
    CExcelScanWorkBook scan{""};
    CInputFile file;

    explicit Reading(const Bytes& bytes) {
        const auto path = dir.Path() / "stream";
        EXPECT_TRUE(testsupport::WriteFileBytes(path, bytes));
        EXPECT_TRUE(file.Open(path));
    }
    // The bytes of the record read last.
    Bytes Held() const {
        CExcelRawRecordData* record = scan.GetRecord();
        if (record == nullptr || !record->Load()) return {};
        Bytes bytes(record->GetLoadedBytes(), record->GetLoadedBytes() + record->GetSize());
        record->FreeLoaded();
        return bytes;
    }
};

}  // namespace

// ---- the 8224 rule

TEST(ReadRecord, ALengthOf8224IsABodyLikeAnyOther) {
    BiffWriter w;
    w.Record(0x00FC, Body(8224, 1)).Record(0x0031, {7, 7});
    Reading r(w.GetBytes());
    std::uint64_t position = 0;
    r.scan.ReadRecord(r.file, position);
    EXPECT_EQ(r.scan.GetRecord()->GetSize(), 8228u);
    EXPECT_EQ(position, 8228u);
    r.scan.ReadRecord(r.file, position);
    EXPECT_EQ(r.scan.GetRecord()->GetType(), 0x0031);
    EXPECT_EQ(r.Held(), (Bytes{0x31, 0, 2, 0, 7, 7}));
}

TEST(ReadRecord, ALengthOf8225LeavesTheHeaderAloneAndResumesInsideTheBody) {
    // The damaged record's body happens to hold a FONT record right at its
    // start: that is what is read next.
    Bytes body = BiffWriter::RecordBytes(0x0031, {1, 2, 3});
    body.resize(8225, 0xEE);
    BiffWriter w;
    w.Record(0x00E0, body);
    Reading r(w.GetBytes());
    std::uint64_t position = 0;
    r.scan.ReadRecord(r.file, position);
    EXPECT_EQ(position, 4u);
    EXPECT_EQ(r.Held(), (Bytes{0xE0, 0x00, 0x21, 0x20}));
    EXPECT_EQ(r.scan.GetRecord()->GetType(), 0x00E0);
    r.scan.ReadRecord(r.file, position);
    EXPECT_EQ(r.scan.GetRecord()->GetType(), 0x0031);
    EXPECT_EQ(position, 11u);
}

TEST(ReadRecord, AWrongLengthEndsWhereTheFramingResumes) {
    // Only the SST's length was damaged: it ends where its CONTINUE starts,
    // and the CONTINUE is joined as before.
    {
        BiffWriter w;
        w.RecordWithLength(0x00FC, 0xFFFF, Body(20, 1));
        w.Record(0x003C, Body(10, 0)).Record(0x00E0, Body(20, 5));
        Reading r(w.GetBytes());
        std::uint64_t position = 0;
        r.scan.ReadRecord(r.file, position);
        EXPECT_EQ(r.scan.GetRecord()->GetSize(), 4u + 20 + 9);
        EXPECT_EQ(r.scan.GetContinues().GetCount(), 1u);
        EXPECT_EQ(position, 4u + 20 + 14);
    }
    // An XF cannot be 21 bytes long: its header alone is kept, and the walk
    // goes on at the FONT.
    {
        BiffWriter w;
        w.RecordWithLength(0x00E0, 0xFFFF, Body(21, 1));
        w.Record(0x0031, Body(16, 0)).Record(0x00E0, Body(20, 5));
        Reading r(w.GetBytes());
        std::uint64_t position = 0;
        r.scan.ReadRecord(r.file, position);
        EXPECT_EQ(r.Held(), (Bytes{0xE0, 0x00, 0xFF, 0xFF}));
        EXPECT_EQ(position, 4u + 21);
        r.scan.ReadRecord(r.file, position);
        EXPECT_EQ(r.scan.GetRecord()->GetType(), 0x0031);
    }
    // An XF cannot be 300 bytes long either, though a body could: it ends
    // where the FONT after it starts.
    {
        BiffWriter w;
        w.RecordWithLength(0x00E0, 300, Body(20, 1));
        w.Record(0x0031, Body(16, 0)).Record(0x00E0, Body(20, 5)).Record(0x00E0, Body(20, 6));
        w.Record(0x00E0, Body(300, 7));
        Reading r(w.GetBytes());
        std::uint64_t position = 0;
        r.scan.ReadRecord(r.file, position);
        EXPECT_EQ(r.scan.GetRecord()->GetSize(), 4u + 20);
        EXPECT_EQ(position, 4u + 20);
    }
}

// ---- CONTINUE joining

TEST(ReadRecord, JoinsContinueDataWithoutFlagBytesAndRemembersEachBoundary) {
    const Bytes first = Body(30, 0x10);
    Bytes c1 = Body(10, 0x40);
    Bytes c2 = Body(20, 0x80);
    BiffWriter w;
    w.Record(0x00FC, first).Record(0x003C, c1).Record(0x003C, c2).Record(0x000A, {});
    Reading r(w.GetBytes());
    std::uint64_t position = 0;
    r.scan.ReadRecord(r.file, position);

    EXPECT_EQ(r.scan.GetRecord()->GetType(), 0x00FC);
    EXPECT_EQ(r.scan.GetRecord()->GetSize(), 4u + 30 + 9 + 19);
    Bytes expected = BiffWriter::RecordBytes(0x00FC, first);
    expected.insert(expected.end(), c1.begin() + 1, c1.end());
    expected.insert(expected.end(), c2.begin() + 1, c2.end());
    EXPECT_EQ(r.Held(), expected);

    const CExcelContinueRecordOffsetList& list = r.scan.GetContinues();
    ASSERT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(list.GetHead()->GetOffset(), 34u);
    EXPECT_EQ(list.GetHead()->GetFlag(), c1[0]);
    EXPECT_EQ(list.GetTail()->GetOffset(), 34u + 9);
    EXPECT_EQ(list.GetTail()->GetFlag(), c2[0]);
    EXPECT_EQ(position, 34u + 14 + 24);  // on the EOF
}

TEST(ReadRecord, AContinueOfLengthOneAddsABoundaryAndNoData) {
    BiffWriter w;
    w.Record(0x00FC, {1, 2}).Record(0x003C, {0x01}).Record(0x003C, {0x00, 9});
    Reading r(w.GetBytes());
    std::uint64_t position = 0;
    r.scan.ReadRecord(r.file, position);
    EXPECT_EQ(r.Held(), (Bytes{0xFC, 0, 2, 0, 1, 2, 9}));
    ASSERT_EQ(r.scan.GetContinues().GetCount(), 2u);
    EXPECT_EQ(r.scan.GetContinues().GetHead()->GetOffset(), 6u);
    EXPECT_EQ(r.scan.GetContinues().GetHead()->GetFlag(), 0x01);
    EXPECT_EQ(r.scan.GetContinues().GetTail()->GetOffset(), 6u);
}

TEST(ReadRecord, AContinueOfLengthZeroTakesTheNextByteAsItsFlagAndMovesFiveOn) {
    BiffWriter w;
    w.Record(0x00FC, {1}).Record(0x003C, {}).Raw({0x77}).Record(0x0031, {});
    Reading r(w.GetBytes());
    std::uint64_t position = 0;
    r.scan.ReadRecord(r.file, position);
    EXPECT_EQ(r.Held(), (Bytes{0xFC, 0, 1, 0, 1}));
    ASSERT_EQ(r.scan.GetContinues().GetCount(), 1u);
    EXPECT_EQ(r.scan.GetContinues().GetHead()->GetFlag(), 0x77);
    EXPECT_EQ(position, 5u + 5);
}

TEST(ReadRecord, ContinueLengthsAbove8225AreTakenAsEmpty) {
    // 8225 still carries 8224 bytes of data; 8226 is damage.
    Bytes big(8225, 0x11);
    big[0] = 0x05;
    BiffWriter w;
    w.Record(0x00FC, {}).Record(0x003C, big).RecordWithLength(0x003C, 8226, {0x06, 0x3C});
    Reading r(w.GetBytes());
    std::uint64_t position = 0;
    r.scan.ReadRecord(r.file, position);
    EXPECT_EQ(r.scan.GetRecord()->GetSize(), 4u + 8224);
    ASSERT_EQ(r.scan.GetContinues().GetCount(), 2u);
    EXPECT_EQ(r.scan.GetContinues().GetTail()->GetFlag(), 0x06);
    EXPECT_EQ(r.scan.GetContinues().GetTail()->GetOffset(), 4u + 8224);
    EXPECT_EQ(position, 4u + 8229 + 5);
}

TEST(ReadRecord, AContinueOnItsOwnIsARecordOfTypeContinue) {
    // After a record with a damaged length the next thing read may be a
    // CONTINUE: it is its own record, and the CONTINUE after it is joined.
    BiffWriter w;
    w.Record(0x003C, {0xAA, 1}).Record(0x003C, {0xBB, 2});
    Reading r(w.GetBytes());
    std::uint64_t position = 0;
    r.scan.ReadRecord(r.file, position);
    EXPECT_EQ(r.scan.GetRecord()->GetType(), 0x003C);
    EXPECT_EQ(r.Held(), (Bytes{0x3C, 0, 2, 0, 0xAA, 1, 2}));
    EXPECT_EQ(r.scan.GetContinues().GetCount(), 1u);
}

TEST(ReadRecord, ReplacesTheRecordAndBoundariesOfTheReadBefore) {
    BiffWriter w;
    w.Record(0x00FC, {1}).Record(0x003C, {0, 2}).Record(0x0031, {3});
    Reading r(w.GetBytes());
    std::uint64_t position = 0;
    r.scan.ReadRecord(r.file, position);
    r.scan.ReadRecord(r.file, position);
    EXPECT_EQ(r.scan.GetContinues().GetCount(), 0u);
    EXPECT_EQ(r.scan.GetRecord()->GetType(), 0x0031);
}

// ---- the end of the file

TEST(ReadRecord, ALastRecordRunningPastTheEndIsCutThere) {
    BiffWriter w;
    w.RecordWithLength(0x00FC, 100, {1, 2, 3});
    Reading r(w.GetBytes());
    std::uint64_t position = 0;
    r.scan.ReadRecord(r.file, position);
    EXPECT_EQ(r.Held(), (Bytes{0xFC, 0, 100, 0, 1, 2, 3}));
    EXPECT_EQ(r.scan.GetRecord()->GetSize(), 7u);
    EXPECT_EQ(position, 104u);
}

TEST(ReadRecord, AContinueCutByTheEndKeepsOnlyItsBytes) {
    BiffWriter w;
    w.Record(0x00FC, {1}).RecordWithLength(0x003C, 50, {0x01, 'a', 'b'});
    Reading r(w.GetBytes());
    std::uint64_t position = 0;
    r.scan.ReadRecord(r.file, position);
    EXPECT_EQ(r.Held(), (Bytes{0xFC, 0, 1, 0, 1, 'a', 'b'}));
    EXPECT_EQ(r.scan.GetContinues().GetHead()->GetFlag(), 0x01);
}

TEST(ReadRecord, AHeaderCutByTheEndGivesATypelessRecord) {
    Reading r(Bytes{0xFC});
    std::uint64_t position = 0;
    r.scan.ReadRecord(r.file, position);
    EXPECT_EQ(r.scan.GetRecord()->GetType(), 0);
    EXPECT_EQ(position, 4u);
    r.scan.ReadRecord(r.file, position);  // past the end: nothing, still moves on
    EXPECT_EQ(r.scan.GetRecord()->GetSize(), 0u);
    EXPECT_EQ(position, 8u);
}

TEST(ReadRecord, JoinsOnlyContinueRecordsThatStartBeforeTheLimit) {
    // The limit is the end of the substream being read: a CONTINUE whose
    // header lies before it is joined whole, even if its body runs past.
    BiffWriter w;
    w.Record(0x00FC, {1}).Record(0x003C, {0, 2, 3, 4}).Record(0x003C, {0, 5});
    Reading r(w.GetBytes());
    std::uint64_t position = 0;
    r.scan.ReadRecord(r.file, position, 6);
    EXPECT_EQ(r.Held(), (Bytes{0xFC, 0, 1, 0, 1, 2, 3, 4}));
    EXPECT_EQ(r.scan.GetContinues().GetCount(), 1u);
    EXPECT_EQ(position, 13u);  // on the CONTINUE that was not joined
}

// ---- long tables

TEST(ReadRecord, JoinsAThousandContinueRecords) {
    Bytes expected = BiffWriter::RecordBytes(0x00FC, Body(8224, 3));
    BiffWriter w;
    w.Record(0x00FC, Body(8224, 3));
    for (int i = 0; i < 1000; ++i) {
        Bytes c = Body(8224, static_cast<std::uint8_t>(i));
        w.Record(0x003C, c);
        expected.insert(expected.end(), c.begin() + 1, c.end());
    }
    w.Eof();
    Reading r(w.GetBytes());
    std::uint64_t position = 0;
    r.scan.ReadRecord(r.file, position);
    EXPECT_EQ(r.scan.GetContinues().GetCount(), 1000u);
    EXPECT_EQ(r.scan.GetContinues().GetTail()->GetOffset(), 8228u + 999 * 8223);
    EXPECT_EQ(r.scan.GetRecord()->GetSize(), expected.size());
    EXPECT_EQ(r.Held(), expected);
    EXPECT_EQ(position, w.Size() - 4);
}
