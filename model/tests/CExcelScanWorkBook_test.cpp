// The globals scan: which records reach which list, BOUNDSHEET decoding and
// its damage cases.
#include "model/CExcelScanWorkBook.h"

#include <gtest/gtest.h>

#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "platform/RunState.h"
#include "records/CExcelSSTDataList.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::ScopedTempDir;

namespace {

// Scans bytes as one globals substream from offset 0 to the end.
struct Globals {
    ScopedTempDir dir;
    CExcelWorkBook workbook;
    bool scanned = false;

    explicit Globals(const Bytes& bytes, CExcelData* data = nullptr) {
        const auto path = dir.Path() / "globals";
        EXPECT_TRUE(testsupport::WriteFileBytes(path, bytes));
        CExcelScanWorkBook scan(path);
        scanned = scan.ScanGlobals(0, static_cast<std::uint32_t>(bytes.size()), data, &workbook);
    }
    const CExcelWorkSheetList& Sheets() const { return workbook.GetWorksheets(); }
};

Bytes BoundSheetBody(std::uint8_t sheetType, std::uint8_t flags, const Bytes& afterFlags,
                     std::uint8_t count) {
    Bytes body{0x10, 0x20, 0x00, 0x00, 0x01, sheetType, count, flags};
    return testsupport::Concat(body, afterFlags);
}

}  // namespace

// ---- dispatch

TEST(ScanGlobals, HandsEachKnownRecordToItsList) {
    Bytes xf(20, 0);
    Bytes font =
        testsupport::Concat(Bytes(14, 0), BiffWriter::UnicodeString(u"Arial", false, true));
    Bytes format = testsupport::Concat({0xA4, 0x00}, BiffWriter::UnicodeString(u"0.0", false));
    Bytes sst = testsupport::Concat({3, 0, 0, 0, 2, 0, 0, 0},
                                    testsupport::Concat(BiffWriter::UnicodeString(u"one", false),
                                                        BiffWriter::UnicodeString(u"two", true)));
    BiffWriter w;
    w.Bof(0x0005)
        .Record(0x0031, font)
        .Record(0x0031, font)
        .Record(0x00E0, xf)
        .Record(0x00E0, Bytes(19, 0))  // not an XF: wrong length
        .Record(0x041E, format)
        .Record(0x0293, {0x10, 0x80, 0x00, 0xFF})
        .Record(0x0092, {0x01, 0x00, 1, 2, 3, 0})
        .Record(0x01AE, {0x01, 0x00, 0x01, 0x04})
        .Record(0x0017, {0x01, 0x00, 0, 0, 0, 0, 0, 0})
        .Record(0x0018, {0, 0, 0})  // NAME: not decoded here
        .Record(0x00FC, sst)
        .BoundSheet(0, u"Sheet1")
        .Eof();
    const std::uint32_t textCellsBefore = RepairCounters[CounterTextCells].load();
    Globals g(w.GetBytes());
    ASSERT_TRUE(g.scanned);
    EXPECT_EQ(g.workbook.GetFonts().GetCount(), 2u);
    EXPECT_EQ(g.workbook.GetXFs().GetCount(), 1u);
    EXPECT_EQ(g.workbook.GetFormats().GetCount(), 1u);
    EXPECT_EQ(g.workbook.GetStyles().GetCount(), 1u);
    EXPECT_EQ(g.workbook.GetPalettes().GetCount(), 1u);
    EXPECT_EQ(g.workbook.GetSupBooks().GetCount(), 1u);
    EXPECT_EQ(g.workbook.GetExternSheets().GetCount(), 1u);
    EXPECT_EQ(g.workbook.GetSharedStrings().GetCount(), 2u);
    EXPECT_EQ(g.workbook.GetSharedString(1), u"two");
    EXPECT_EQ(RepairCounters[CounterTextCells].load() - textCellsBefore, 3u);
    EXPECT_EQ(g.Sheets().GetCount(), 1u);
}

TEST(ScanGlobals, HandsTheSharedStringsTheirContinueBoundaries) {
    // "abcdef" cut after "abc"; the CONTINUE's flag byte says 16-bit, so the
    // rest is "def" in 16-bit characters.
    Bytes body = testsupport::Concat({1, 0, 0, 0, 1, 0, 0, 0}, {6, 0, 0x00, 'a', 'b', 'c'});
    body = testsupport::Concat(body, {'d', 0, 'e', 0, 'f', 0});
    BiffWriter w;
    w.Bof(0x0005).RecordWithContinues(0x00FC, body, {{14, 0x01}}).Eof();
    Globals g(w.GetBytes());
    EXPECT_EQ(g.workbook.GetSharedString(0), u"abcdef");
}

TEST(ScanGlobals, ARecordNotDecodedHereHidesNothingAfterItsDamagedLength) {
    Bytes sst =
        testsupport::Concat({1, 0, 0, 0, 1, 0, 0, 0}, BiffWriter::UnicodeString(u"one", false));
    // More than a body holds; less than a STYLEEXT; lengths a STYLEEXT can
    // have, the true one with its high byte damaged or one bit flipped.
    for (const std::uint16_t length : {0xFFFF, 12, 20 + 0x300, 20 ^ 0x200}) {
        BiffWriter w;
        w.Bof(0x0005).RecordWithLength(0x0892, length, Bytes(20, 0x11));
        w.Record(0x00FC, sst).BoundSheet(0, u"Sheet1").Eof();
        Globals g(w.GetBytes());
        EXPECT_EQ(g.workbook.GetSharedStrings().GetCount(), 1u) << length;
        EXPECT_EQ(g.Sheets().GetCount(), 1u) << length;
    }
}

TEST(ScanGlobals, StopsAtEofAndAtEndAndAtTheEndOfTheFile) {
    BiffWriter w;
    w.Bof(0x0005).BoundSheet(0, u"A").Eof().BoundSheet(0, u"B");
    {
        Globals g(w.GetBytes());
        EXPECT_EQ(g.Sheets().GetCount(), 1u);
    }
    {
        // An end offset beyond the file ends with the file.
        ScopedTempDir dir;
        BiffWriter noEof;
        noEof.Bof(0x0005).BoundSheet(0, u"A");
        ASSERT_TRUE(noEof.WriteTo(dir.Path() / "f"));
        CExcelWorkBook workbook;
        CExcelScanWorkBook scan(dir.Path() / "f");
        ASSERT_TRUE(scan.ScanGlobals(0, 0xFFFFFFF0u, nullptr, &workbook));
        EXPECT_EQ(workbook.GetWorksheets().GetCount(), 1u);
    }
    {
        // A record that starts before end is read whole even if it ends
        // after it; the next one is not.
        ScopedTempDir dir;
        ASSERT_TRUE(w.WriteTo(dir.Path() / "f"));
        CExcelWorkBook workbook;
        CExcelScanWorkBook scan(dir.Path() / "f");
        ASSERT_TRUE(scan.ScanGlobals(0, 21, nullptr, &workbook));
        EXPECT_EQ(workbook.GetWorksheets().GetCount(), 1u);
        CExcelWorkBook none;
        ASSERT_TRUE(scan.ScanGlobals(0, 20, nullptr, &none));
        EXPECT_EQ(none.GetWorksheets().GetCount(), 0u);
    }
}

// ---- BOUNDSHEET

TEST(ReadBOUNDSHEET, ReadsNamesInBothWidthsAndKeepsPositionAndVisibility) {
    BiffWriter w;
    w.Bof(0x0005)
        .BoundSheet(0x1234, u"Narrow \u00E9", 0, 1)
        .BoundSheet(0x5678, u"\u0416\u0418", 0, 2, true)
        .Eof();
    Globals g(w.GetBytes());
    ASSERT_EQ(g.Sheets().GetCount(), 2u);
    EXPECT_EQ(g.Sheets().GetSheetName(0), u"Narrow \u00E9");  // 8-bit 0xE9 is U+00E9
    EXPECT_EQ(g.Sheets().GetAt(0)->GetStart(), 0x1234u);
    EXPECT_EQ(g.Sheets().GetAt(0)->GetEnd(), 0u);
    EXPECT_EQ(g.Sheets().GetAt(0)->GetVisibility(), 1u);
    EXPECT_EQ(g.Sheets().GetSheetName(1), u"\u0416\u0418");
    EXPECT_EQ(g.Sheets().GetAt(1)->GetVisibility(), 2u);
}

TEST(ReadBOUNDSHEET, SkipsTheRunCountAndExtensionSizeBeforeTheName) {
    // Flags 0x0C: a u16 run count, then a u32 extension size, then "Hi".
    BiffWriter w;
    w.Bof(0x0005)
        .Record(0x0085, BoundSheetBody(0, 0x0C, {9, 9, 8, 8, 8, 8, 'H', 'i'}, 2))
        .Record(0x0085, BoundSheetBody(0, 0x08, {9, 9, 'Y', 'o'}, 2))
        .Eof();
    Globals g(w.GetBytes());
    EXPECT_EQ(g.Sheets().GetSheetName(0), u"Hi");
    EXPECT_EQ(g.Sheets().GetSheetName(1), u"Yo");
}

TEST(ReadBOUNDSHEET, DamagedRecordsGiveWhatFits) {
    BiffWriter w;
    w.Bof(0x0005)
        .Record(0x0085, {0x10, 0x20, 0, 0, 0, 0, 3})                    // 7 bytes: too short
        .Record(0x0085, {})                                             // empty
        .Record(0x0085, BoundSheetBody(0, 0x00, {'L', 'o', 'n'}, 200))  // name cut by the record
        .Record(0x0085, BoundSheetBody(0, 0x01, {'A', 0, 'B'}, 2))      // half a 16-bit char
        .Record(0x0085, BoundSheetBody(0, 0x00, {}, 0))                 // empty name
        .Eof();
    Globals g(w.GetBytes());
    ASSERT_EQ(g.Sheets().GetCount(), 3u);
    EXPECT_EQ(g.Sheets().GetSheetName(0), u"Lon");
    EXPECT_EQ(g.Sheets().GetSheetName(1), u"A");
    EXPECT_EQ(g.Sheets().GetSheetName(2), u"unnamed");
}
