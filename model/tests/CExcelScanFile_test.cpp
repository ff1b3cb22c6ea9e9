// The BOF search, the substream ends, the workbooks made from them and the
// sheets: which substreams are found where, and what the model holds after
// a whole scan.
#include "model/CExcelScanFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelData.h"
#include "model/CExcelProcessData.h"
#include "platform/MessageSink.h"
#include "platform/ProgressTarget.h"
#include "platform/RunState.h"
#include "records/CExcelSSTDataList.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::ScopedTempDir;

namespace {

constexpr std::uint16_t kGlobals = 0x0005;
constexpr std::uint16_t kWorksheet = 0x0010;

// A filler record whose body holds no 09 08 pair.
Bytes Filler(std::size_t n) {
    return BiffWriter::RecordBytes(0x00EC, Bytes(n, 0x00));
}

struct Entry {
    std::u16string name;
    std::uint32_t start;
    std::uint32_t end;
    bool operator==(const Entry&) const = default;
};

std::vector<Entry> Entries(const CExcelData& data) {
    std::vector<Entry> out;
    for (const CExcelBOFRecord& e : data.GetBOFList())
        out.push_back({e.GetName(), e.GetStart(), e.GetEnd()});
    return out;
}

std::vector<std::u16string> SheetNames(const CExcelWorkBook& workbook) {
    std::vector<std::u16string> names;
    for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) names.push_back(sheet.GetName());
    return names;
}

// Captures the messages shown while it lives.
struct Messages {
    std::vector<std::u16string> texts;
    MessageHandler previous;
    Messages() {
        previous = SetMessageHandler([this](std::u16string_view t) { texts.emplace_back(t); });
    }
    ~Messages() { SetMessageHandler(previous); }
};

// Runs the scan the way the repair does: search, workbooks, globals.
struct Scan {
    ScopedTempDir dir;
    std::filesystem::path path;
    std::unique_ptr<CExcelData> data = std::make_unique<CExcelData>();
    bool found = false;

    explicit Scan(const Bytes& bytes, bool raw = false) {
        path = dir.Path() / "scan.bin";
        EXPECT_TRUE(testsupport::WriteFileBytes(path, bytes));
        // The repair scans the extracted stream, or the source file itself.
        data->SetSourcePath(raw ? path : dir.Path() / "source.xls");
        if (!raw) data->SetExtractedPath(path);
        ResetRepairCounters();
        CExcelScanFile scan(data->GetScanPath());
        found = scan.ScanForSubstreams(data.get());
        CExcelProcessData::CreateWorkbooks(data.get());
        scan.BuildWorkbooks(data.get());
    }
    CExcelWorkBook& Workbook(std::uint32_t k) { return *data->GetWorkbooks().GetAt(k); }
};

}  // namespace

// ---- where the search looks

TEST(ScanForSubstreams, FilesOf513BytesOrLessAreNotSearched) {
    BiffWriter w;
    w.Bof(kGlobals).Raw(Filler(513 - 28)).Eof();
    ASSERT_EQ(w.Size(), 513u);
    Scan scan(w.GetBytes());
    EXPECT_TRUE(scan.found);
    EXPECT_EQ(Entries(*scan.data), (std::vector<Entry>{{u"Workbook globals", 0, 513}}));
    ASSERT_EQ(scan.data->GetWorkbooks().GetCount(), 1u);
}

TEST(ScanForSubstreams, ABofInTheLast513BytesIsNotFound) {
    // A worksheet BOF 514 bytes before the end is searched; 513 is not.
    for (const std::size_t tail : {514u, 513u}) {
        BiffWriter w;
        w.Bof(kGlobals).Fill(600, 0);
        const auto at = static_cast<std::uint32_t>(w.Size());
        w.Bof(kWorksheet).Fill(tail - 20, 0);
        Scan scan(w.GetBytes());
        const auto length = static_cast<std::uint32_t>(w.Size());
        if (tail == 514) {
            EXPECT_EQ(Entries(*scan.data), (std::vector<Entry>{{u"Workbook globals", 0, at},
                                                               {u"Worksheet", at, length}}));
            EXPECT_EQ(RepairCounters[CounterSheets].load(), 1u);
        } else {
            EXPECT_EQ(Entries(*scan.data), (std::vector<Entry>{{u"Workbook globals", 0, length}}));
            EXPECT_EQ(RepairCounters[CounterSheets].load(), 0u);
        }
    }
}

TEST(ScanForSubstreams, FindsBofsAtOddOffsetsAndInsideRecordBodies) {
    // A worksheet BOF carried inside another record's body, at an odd
    // offset: the search does not follow record boundaries.
    BiffWriter inner;
    inner.Bof(kWorksheet);
    BiffWriter w;
    w.Bof(kGlobals).Record(0x00EC, testsupport::Concat({0xAB}, inner.GetBytes()));
    w.Fill(600, 0);
    const std::uint32_t at = 20 + 4 + 1;
    Scan scan(w.GetBytes());
    const auto entries = Entries(*scan.data);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].start, at);

    BiffWriter odd;
    odd.Raw({0x01}).Bof(kGlobals).Fill(600, 0);
    Scan oddScan(odd.GetBytes());
    EXPECT_EQ(
        Entries(*oddScan.data),
        (std::vector<Entry>{{u"Workbook globals", 1, static_cast<std::uint32_t>(odd.Size())}}));
}

TEST(ScanForSubstreams, TakesOnlyBofsOfLength16AndKnownSubstreamTypes) {
    BiffWriter w;
    w.Bof(kGlobals);
    // A globals BOF with length 20, a chart BOF and an old BIFF BOF number.
    w.Record(0x0809, testsupport::Concat(BiffWriter::BofBody(kGlobals), {0, 0, 0, 0}));
    w.Bof(0x0020);
    w.Record(0x0409, BiffWriter::BofBody(kWorksheet));
    w.Fill(600, 0);
    Scan scan(w.GetBytes());
    EXPECT_EQ(Entries(*scan.data).size(), 1u);
    EXPECT_EQ(RepairCounters[CounterSheets].load(), 0u);
}

TEST(ScanForSubstreams, TwoGlobalsBofsMakeTwoWorkbooksInFileOrder) {
    Bytes stream = testsupport::WorkbookStream(BiffWriter(), {u"A"}, BiffWriter().Raw(Filler(40)));
    const auto secondStart = static_cast<std::uint32_t>(stream.size());
    stream = testsupport::Concat(
        stream,
        testsupport::WorkbookStream(BiffWriter(), {u"B", u"C"}, BiffWriter().Raw(Filler(600))));
    Scan scan(stream);
    ASSERT_EQ(scan.data->GetWorkbooks().GetCount(), 2u);
    EXPECT_EQ(scan.Workbook(0).GetStart(), 0u);
    EXPECT_EQ(scan.Workbook(1).GetStart(), secondStart);
    // The first globals substream ends where its first worksheet begins.
    EXPECT_EQ(scan.Workbook(0).GetEnd(), scan.data->GetBOFList().GetAt(1)->GetStart());
    EXPECT_EQ(SheetNames(scan.Workbook(0)), (std::vector<std::u16string>{u"A"}));
    EXPECT_EQ(SheetNames(scan.Workbook(1)), (std::vector<std::u16string>{u"B", u"C"}));
}

TEST(ScanForSubstreams, AWorksheetBeforeAnyGlobalsGetsAGlobalsEntryAtOffsetZero) {
    BiffWriter w;
    w.Fill(10, 0).Bof(kWorksheet).Fill(600, 0);
    Scan scan(w.GetBytes());
    EXPECT_EQ(Entries(*scan.data),
              (std::vector<Entry>{{u"Workbook globals", 0, 10},
                                  {u"Worksheet", 10, static_cast<std::uint32_t>(w.Size())}}));
    ASSERT_EQ(scan.data->GetWorkbooks().GetCount(), 1u);
    EXPECT_EQ(SheetNames(scan.Workbook(0)), (std::vector<std::u16string>{u"unknown0"}));
}

TEST(ScanForSubstreams, NoBofAnywhereGivesOneWorkbookOverTheWholeFile) {
    BiffWriter w;
    w.Raw(Filler(2000));
    Scan scan(w.GetBytes());
    EXPECT_TRUE(scan.found);
    EXPECT_EQ(Entries(*scan.data),
              (std::vector<Entry>{{u"Workbook globals", 0, static_cast<std::uint32_t>(w.Size())}}));
    ASSERT_EQ(scan.data->GetWorkbooks().GetCount(), 1u);
    EXPECT_EQ(scan.Workbook(0).GetWorksheets().GetCount(), 0u);
}

TEST(ScanForSubstreams, DrivesTheProgressTargetAndRepairProgress) {
    ScopedTempDir dir;
    BiffWriter w;
    w.Bof(kGlobals).Fill(2000, 0);
    const auto path = dir.Path() / "f";
    ASSERT_TRUE(w.WriteTo(path));
    ProgressTarget progress;
    CExcelData data;
    data.SetSourcePath(path);
    data.SetProgressWindow(&progress);
    CExcelScanFile scan(path);
    ASSERT_TRUE(scan.ScanForSubstreams(&data));
    EXPECT_EQ(RepairProgress.load(), w.Size() / 2);
    EXPECT_EQ(progress.GetPosition(), w.Size() / 2);
}

// ---- failures

TEST(ScanForSubstreams, AFileThatCannotBeOpenedFailsWithTheFirstMessage) {
    ScopedTempDir dir;
    Messages messages;
    CExcelData data;
    CExcelScanFile scan(dir.Path() / "missing.xls");
    EXPECT_FALSE(scan.ScanForSubstreams(&data));
    EXPECT_EQ(messages.texts,
              std::vector<std::u16string>{u"error code 0x01 : Failed to open source file"});
    EXPECT_EQ(data.GetBOFList().GetCount(), 0u);
}

TEST(SetSubstreamEnds, AFileThatCannotBeOpenedFailsWithTheSecondMessage) {
    ScopedTempDir dir;
    Messages messages;
    CExcelData data;
    data.GetBOFList().Add(CExcelBOFRecord(CExcelBOFRecord::kGlobalsName, 0));
    CExcelScanFile scan(dir.Path() / "missing.xls");
    EXPECT_FALSE(scan.SetSubstreamEnds(&data));
    EXPECT_EQ(messages.texts,
              std::vector<std::u16string>{u"error code 0x02 : Failed to open source file"});
}

TEST(SetSubstreamEnds, AnEmptyListFails) {
    ScopedTempDir dir;
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.Path() / "f", {1, 2, 3}));
    CExcelData data;
    CExcelScanFile scan(dir.Path() / "f");
    EXPECT_FALSE(scan.SetSubstreamEnds(&data));
}

TEST(ScanForSubstreams, AStopRequestEndsTheSearchWithFalse) {
    ScopedTempDir dir;
    BiffWriter w;
    w.Bof(kGlobals).Fill(2000, 0);
    ASSERT_TRUE(w.WriteTo(dir.Path() / "f"));
    CExcelData data;
    CExcelScanFile scan(dir.Path() / "f");
    StopRequested.store(1);
    EXPECT_FALSE(scan.ScanForSubstreams(&data));
    EXPECT_FALSE(scan.SetSubstreamEnds(&data));
    StopRequested.store(0);
    EXPECT_EQ(data.GetBOFList().GetCount(), 0u);
}

// ---- sheets

TEST(BuildWorkbooks, WorksheetBofsBeyondTheBoundSheetsBecomeUnknownSheets) {
    // Three BOUNDSHEETs, four worksheet substreams.
    Bytes stream = testsupport::WorkbookStream(BiffWriter(), {u"One", u"Two", u"Three"},
                                               BiffWriter().Raw(Filler(30)));
    BiffWriter extra;
    extra.Substream(kWorksheet, BiffWriter().Raw(Filler(600)));
    stream = testsupport::Concat(stream, extra.GetBytes());
    Scan scan(stream);
    EXPECT_EQ(SheetNames(scan.Workbook(0)),
              (std::vector<std::u16string>{u"One", u"Two", u"Three", u"unknown3"}));
    const CExcelWorkSheet* fourth = scan.Workbook(0).GetWorksheets().GetAt(3);
    EXPECT_EQ(fourth->GetStart(), scan.data->GetBOFList().GetTail()->GetStart());
    EXPECT_EQ(fourth->GetEnd(), stream.size());
    EXPECT_EQ(fourth->GetVisibility(), 0u);
    EXPECT_EQ(RepairCounters[CounterSheets].load(), 4u);
}

TEST(BuildWorkbooks, ChartBoundSheetsMakeNoSheet) {
    BiffWriter globals;
    globals.BoundSheet(0, u"Chart1", 2).BoundSheet(0, u"Macro1", 1).BoundSheet(0, u"Module", 6);
    Bytes stream = testsupport::WorkbookStream(globals, {u"Data"}, BiffWriter().Raw(Filler(600)));
    Scan scan(stream);
    EXPECT_EQ(SheetNames(scan.Workbook(0)), (std::vector<std::u16string>{u"Macro1", u"Data"}));
}

TEST(BuildWorkbooks, ExtractedStreamsKeepTheBoundSheetPositions) {
    const Bytes stream =
        testsupport::WorkbookStream(BiffWriter(), {u"A", u"B"}, BiffWriter().Raw(Filler(600)));
    Scan scan(stream);
    const CExcelWorkSheetList& sheets = scan.Workbook(0).GetWorksheets();
    ASSERT_EQ(sheets.GetCount(), 2u);
    const CExcelBOFRecord* firstSheetBof = scan.data->GetBOFList().GetAt(1);
    EXPECT_EQ(sheets.GetAt(0)->GetStart(), firstSheetBof->GetStart());
    EXPECT_EQ(sheets.GetAt(0)->GetEnd(), 0u);  // not placed on the BOF
    EXPECT_EQ(sheets.GetAt(1)->GetEnd(), 0u);
}

TEST(BuildWorkbooks, TheRawFileIsReanchoredOnTheBofsFound) {
    // The stream sits 1536 bytes into the file (behind a compound-file
    // header and directory, say): BOUNDSHEET positions are stream offsets,
    // wrong by 1536 in the file, and are replaced by the BOFs found.
    const Bytes stream =
        testsupport::WorkbookStream(BiffWriter(), {u"A", u"B"}, BiffWriter().Raw(Filler(600)));
    Bytes file(1536, 0xFF);
    file = testsupport::Concat(file, stream);
    Scan scan(file, /*raw=*/true);
    const CExcelWorkSheetList& sheets = scan.Workbook(0).GetWorksheets();
    ASSERT_EQ(sheets.GetCount(), 2u);
    const CExcelBOFRecordList& bofs = scan.data->GetBOFList();
    ASSERT_EQ(bofs.GetCount(), 3u);
    EXPECT_EQ(bofs.GetHead()->GetStart(), 1536u);
    EXPECT_EQ(sheets.GetAt(0)->GetName(), u"A");
    EXPECT_EQ(sheets.GetAt(0)->GetStart(), bofs.GetAt(1)->GetStart());
    EXPECT_EQ(sheets.GetAt(0)->GetEnd(), bofs.GetAt(2)->GetStart());
    EXPECT_EQ(sheets.GetAt(1)->GetStart(), bofs.GetAt(2)->GetStart());
    EXPECT_EQ(sheets.GetAt(1)->GetEnd(), file.size());
}

TEST(BuildWorkbooks, AMacroSheetsSubstreamShiftsNoSheetName) {
    // A worksheet, a macro sheet and a worksheet, their BOUNDSHEET positions
    // all damaged: in the damaged file itself and in an extracted stream the
    // sheets pair with the sheet BOFs in order, the macro sheet's included.
    BiffWriter w;
    w.Bof(kGlobals)
        .BoundSheet(0, u"A", 0)
        .BoundSheet(0, u"Macro1", 1)
        .BoundSheet(0, u"B", 0)
        .Eof()
        .Substream(kWorksheet, BiffWriter().Raw(Filler(40)))
        .Substream(0x0040, BiffWriter().Raw(Filler(40)))
        .Substream(kWorksheet, BiffWriter().Raw(Filler(40)))
        .Raw(Filler(600));
    for (const bool raw : {true, false}) {
        Scan scan(w.GetBytes(), raw);
        const CExcelWorkSheetList& sheets = scan.Workbook(0).GetWorksheets();
        EXPECT_EQ(SheetNames(scan.Workbook(0)),
                  (std::vector<std::u16string>{u"A", u"Macro1", u"B"}))
            << raw;
        ASSERT_EQ(scan.data->GetBOFList().GetCount(), 4u) << raw;
        for (std::uint32_t k = 0; k < 3 && k < sheets.GetCount(); ++k)
            EXPECT_EQ(sheets.GetAt(k)->GetStart(), scan.data->GetBOFList().GetAt(k + 1)->GetStart())
                << raw << k;
    }
}

TEST(BuildWorkbooks, ReanchoringStopsAtTheLastBofFound) {
    // Three BOUNDSHEETs but the third sheet's substream is gone.
    BiffWriter globals;
    Bytes stream =
        testsupport::WorkbookStream(globals, {u"A", u"B", u"C"}, BiffWriter().Raw(Filler(600)));
    // Cut the third worksheet substream (BOF + filler + EOF = 628 bytes).
    testsupport::Truncate(stream, stream.size() - 628);
    stream = testsupport::Concat(stream, Bytes(600, 0));
    Scan scan(stream, /*raw=*/true);
    const CExcelWorkSheetList& sheets = scan.Workbook(0).GetWorksheets();
    ASSERT_EQ(sheets.GetCount(), 3u);
    EXPECT_NE(sheets.GetAt(1)->GetEnd(), 0u);
    EXPECT_EQ(sheets.GetAt(2)->GetEnd(), 0u);  // keeps its BOUNDSHEET position
}

// ---- the globals scan through the whole pipeline

TEST(BuildWorkbooks, AnEofEndsTheGlobalsScan) {
    // A BOUNDSHEET after the globals EOF but before the next BOF: inside the
    // globals substream by offsets, yet never read.
    BiffWriter w;
    w.Bof(kGlobals).BoundSheet(0, u"Seen").Eof().BoundSheet(0, u"Unseen").Raw(Filler(600));
    Scan scan(w.GetBytes());
    EXPECT_EQ(scan.Workbook(0).GetEnd(), w.Size());
    EXPECT_EQ(SheetNames(scan.Workbook(0)), (std::vector<std::u16string>{u"Seen"}));
}

TEST(BuildWorkbooks, BofsHiddenInALongContinueChainDoNotMakeEachWorkbookRejoinIt) {
    // 3000 CONTINUE records, each carrying a globals BOF: 3001 workbooks.
    // Each workbook joins only the CONTINUE records inside its own
    // substream; joining the rest of the chain every time would write
    // 3000 x 3000 CONTINUE bodies to spill files.
    BiffWriter w;
    w.Bof(kGlobals);
    Bytes sst{1, 0, 0, 0, 1, 0, 0, 0};
    sst = testsupport::Concat(sst, BiffWriter::UnicodeString(u"kept", false));
    w.Record(0x00FC, sst);
    for (int i = 0; i < 3000; ++i)
        w.Record(0x003C, testsupport::Concat({0x00}, BiffWriter().Bof(kGlobals).GetBytes()));
    w.Raw(Filler(600));
    Scan scan(w.GetBytes());
    ASSERT_EQ(scan.data->GetWorkbooks().GetCount(), 3001u);
    EXPECT_EQ(scan.Workbook(0).GetSharedString(0), u"kept");
    EXPECT_EQ(scan.Workbook(0).GetSharedStrings().GetCount(), 1u);
    EXPECT_EQ(scan.Workbook(3000).GetSharedStrings().GetCount(), 0u);
}

TEST(BuildWorkbooks, LeavesNoTemporaryFileOnceTheDataIsGone) {
    ScopedTempDir dir;
    BiffWriter globals;
    globals.RecordWithContinues(
        0x00FC,
        testsupport::Concat({1, 0, 0, 0, 1, 0, 0, 0}, BiffWriter::UnicodeString(u"abcdef", false)),
        {{11, 0x00}});
    const Bytes stream =
        testsupport::WorkbookStream(globals, {u"S"}, BiffWriter().Raw(Filler(600)));
    const auto extracted = dir.Path() / "extracted.tmp";
    ASSERT_TRUE(testsupport::WriteFileBytes(extracted, stream));
    {
        CExcelData data;
        data.SetSourcePath("/nonexistent/source.xls");
        data.SetExtractedPath(extracted);
        CExcelScanFile scan(data.GetScanPath());
        ASSERT_TRUE(scan.ScanForSubstreams(&data));
        CExcelProcessData::CreateWorkbooks(&data);
        scan.BuildWorkbooks(&data);
        EXPECT_EQ(data.GetWorkbooks().GetHead()->GetWorksheets().GetCount(), 1u);
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"extracted.tmp"});
    }
    EXPECT_TRUE(dir.Entries().empty());
}
