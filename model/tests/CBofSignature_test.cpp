// Which bytes the substream search takes for a BOF: the 16-byte BIFF8 BOF,
// and the short BIFF8 form (8 to 15 bytes) that some writers give every BOF
// of a stream, but no short BOF of another version or substream type. And a
// whole stream written with short BOFs: its sheets and cells come back.
#include "biff/CBofSignature.h"

#include <gtest/gtest.h>

#include <cstring>

#include "biff/BiffRecordIds.h"
#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelData.h"
#include "model/CExcelProcessData.h"
#include "model/CExcelScanFile.h"
#include "model/CExcelWorkSheetParser.h"
#include "platform/RunState.h"
#include "records/CExcelRecordNUMBER.h"

using testsupport::BiffWriter;
using testsupport::Bytes;

namespace {

// A BOF record: declared body length, version, substream type, then the
// body's other bytes up to the declared length.
Bytes BofBytes(std::uint16_t length, std::uint16_t version, std::uint16_t type) {
    Bytes body = testsupport::Concat(BiffWriter::U16(version), BiffWriter::U16(type));
    body.resize(length, 0);
    return BiffWriter::RecordBytes(biff::kBOF, body);
}

std::uint16_t Substream(const Bytes& bof) {
    Bytes probe = bof;
    probe.resize(std::max<std::size_t>(probe.size(), biff::kBofTestSize), 0);
    return CBofSignature::SubstreamAt(probe.data());
}

// The BOF of an 8-byte body: version 0x0600, type, build and year.
Bytes ShortBof(std::uint16_t type) {
    Bytes body = BiffWriter::BofBody(type);
    body.resize(biff::kBofShortBodyLength);
    return BiffWriter::RecordBytes(biff::kBOF, body);
}

Bytes NumberRecord(std::uint16_t row, double value) {
    Bytes body = testsupport::Concat(BiffWriter::U16(row), {0, 0, 15, 0});
    std::uint8_t bytes[8];
    std::memcpy(bytes, &value, sizeof bytes);
    body.insert(body.end(), bytes, bytes + sizeof bytes);
    return BiffWriter::RecordBytes(biff::kNUMBER, body);
}

}  // namespace

TEST(CBofSignature, TakesTheFullBiff8BofOfGlobalsAndWorksheetsWhateverItsVersion) {
    EXPECT_EQ(Substream(BofBytes(16, 0x0600, biff::kSubstreamGlobals)), biff::kSubstreamGlobals);
    EXPECT_EQ(Substream(BofBytes(16, 0x0600, biff::kSubstreamWorksheet)),
              biff::kSubstreamWorksheet);
    // A damaged version word does not hide a full-length BOF.
    EXPECT_EQ(Substream(BofBytes(16, 0x0000, biff::kSubstreamWorksheet)),
              biff::kSubstreamWorksheet);
    // Macro sheets hold cells; charts, whose BOFs also sit inside worksheets,
    // are not taken.
    EXPECT_EQ(Substream(BofBytes(16, 0x0600, biff::kSubstreamChart)), 0);
    EXPECT_EQ(Substream(BofBytes(16, 0x0600, biff::kSubstreamMacroSheet)),
              biff::kSubstreamMacroSheet);
}

TEST(CBofSignature, TakesShortBiff8BofsOfEightToFifteenBytes) {
    for (std::uint16_t length = 8; length < 16; ++length) {
        SCOPED_TRACE(length);
        EXPECT_EQ(Substream(BofBytes(length, 0x0600, biff::kSubstreamGlobals)),
                  biff::kSubstreamGlobals);
        EXPECT_EQ(Substream(BofBytes(length, 0x0600, biff::kSubstreamWorksheet)),
                  biff::kSubstreamWorksheet);
    }
}

TEST(CBofSignature, RefusesShortBofsOfOtherVersionsAndOtherLengths) {
    // BIFF5/7 workbooks use the same record type with an 8-byte body: their
    // records are not BIFF8 and are not read as such.
    EXPECT_EQ(Substream(BofBytes(8, 0x0500, biff::kSubstreamWorksheet)), 0);
    EXPECT_EQ(Substream(BofBytes(8, 0x0000, biff::kSubstreamGlobals)), 0);
    EXPECT_EQ(Substream(BofBytes(8, 0x0600, 0x0100)), 0);  // workspace
    EXPECT_EQ(Substream(BofBytes(8, 0x0600, 0x0000)), 0);
    for (std::uint16_t length : {0, 4, 7, 17, 20, 0x0809}) {
        SCOPED_TRACE(length);
        Bytes bof = BofBytes(16, 0x0600, biff::kSubstreamWorksheet);
        testsupport::SetU16(bof, biff::kBofLengthOffset, length);
        EXPECT_EQ(Substream(bof), 0);
    }
    Bytes other = BofBytes(16, 0x0600, biff::kSubstreamWorksheet);
    other[1] = 0x04;  // the BIFF4 BOF type
    EXPECT_EQ(Substream(other), 0);
}

TEST(CBofSignature, AStreamOfShortBofsGivesItsSheetsAndCells) {
    // Globals, then two worksheets, every BOF in the 8-byte form; the
    // BOUNDSHEETs hold the real positions. Filler after the last sheet
    // keeps its BOF out of the file's last 513 bytes, which are not searched.
    const Bytes globalsBof = ShortBof(biff::kSubstreamGlobals);
    BiffWriter probe;
    probe.BoundSheet(0, u"One").BoundSheet(0, u"Two");
    const auto firstSheet =
        static_cast<std::uint32_t>(globalsBof.size() + probe.Size() + 4);  // + EOF
    BiffWriter one;
    one.Raw(ShortBof(biff::kSubstreamWorksheet)).Raw(NumberRecord(0, 3.5)).Eof();
    const auto secondSheet = firstSheet + static_cast<std::uint32_t>(one.Size());

    BiffWriter w;
    w.Raw(globalsBof).BoundSheet(firstSheet, u"One").BoundSheet(secondSheet, u"Two").Eof();
    ASSERT_EQ(w.Size(), firstSheet);
    w.Raw(one.GetBytes());
    w.Raw(ShortBof(biff::kSubstreamWorksheet)).Raw(NumberRecord(4, -2.25)).Eof();
    w.Record(0x00EC, Bytes(600, 0));

    testsupport::ScopedTempDir dir;
    const auto path = dir.Path() / "short.bin";
    ASSERT_TRUE(testsupport::WriteFileBytes(path, w.GetBytes()));
    ResetRepairCounters();
    StopRequested.store(0);
    CExcelData data;
    data.SetSourcePath(path);
    CExcelScanFile scan(path);
    ASSERT_TRUE(scan.ScanForSubstreams(&data));
    EXPECT_EQ(RepairCounters[CounterSheets].load(), 2u);
    CExcelProcessData::CreateWorkbooks(&data);
    scan.BuildWorkbooks(&data);
    CExcelWorkSheetParser parser;
    parser.SetStreamFileName(path);
    parser.SetData(&data);
    ASSERT_TRUE(parser.Run());

    ASSERT_EQ(data.GetWorkbooks().GetCount(), 1u);
    const CExcelWorkSheetList& sheets = data.GetWorkbooks().GetHead()->GetWorksheets();
    ASSERT_EQ(sheets.GetCount(), 2u);
    EXPECT_EQ(sheets.GetAt(0)->GetName(), u"One");
    EXPECT_EQ(sheets.GetAt(1)->GetName(), u"Two");
    ASSERT_EQ(sheets.GetAt(0)->GetNumbers().GetCount(), 1u);
    ASSERT_EQ(sheets.GetAt(1)->GetNumbers().GetCount(), 1u);
    EXPECT_EQ(sheets.GetAt(0)->GetNumbers().GetHead()->GetValue(), 3.5);
    EXPECT_EQ(sheets.GetAt(1)->GetNumbers().GetHead()->GetValue(), -2.25);
}
