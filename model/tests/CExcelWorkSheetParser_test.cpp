// The worksheet parser over scan files that the tests write: where each
// sheet's stretch begins and ends, how the walk moves from record to record
// (the 8,224 rule, EOF records inside a stretch, records cut by the end),
// the read window across its refills and read failures, the stop request
// and the progress it publishes.
#include "model/CExcelWorkSheetParser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "biff/BiffRecordIds.h"
#include "biff/tests/support/BiffWriter.h"
#include "formula/CExcelRecordFormula.h"
#include "formula/CExcelRecordMulOpTable.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "platform/ProgressTarget.h"
#include "platform/RunState.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordQUICKTIP.h"

using testsupport::BiffWriter;
using testsupport::Bytes;

namespace {

namespace fs = std::filesystem;

// A NUMBER cell at row = value (so that lost and found cells can be told
// apart by value alone).
Bytes NumberBody(double value) {
    return testsupport::NumberCellBody(static_cast<std::uint16_t>(value), value);
}

BiffWriter& Number(BiffWriter& w, double value) {
    return w.Record(biff::kNUMBER, NumberBody(value));
}

std::vector<double> Values(const CExcelWorkSheet& sheet) {
    std::vector<double> values;
    for (const CExcelRecordNUMBER& number : sheet.GetNumbers()) values.push_back(number.GetValue());
    return values;
}

// Notes the offset of every file read, and fails the first one at or after
// a given offset: a bad sector under the window, or a file that shrank
// while it was read.
class FailingParser : public CExcelWorkSheetParser {
public:
    explicit FailingParser(std::uint64_t failAt = UINT64_MAX) : m_failAt(failAt) {}
    std::vector<std::uint64_t> asked;
    std::vector<std::uint64_t> failed;

protected:
    std::size_t ReadFile(std::uint64_t offset, std::uint8_t* out, std::size_t n) override {
        asked.push_back(offset);
        if (failed.empty() && offset >= m_failAt) {
            failed.push_back(offset);
            return 0;
        }
        return CExcelWorkSheetParser::ReadFile(offset, out, n);
    }

private:
    std::uint64_t m_failAt;
};

// Asks for a stop (as the user-interface thread would) when the window is
// first refilled at or after a given offset.
class StoppingParser : public CExcelWorkSheetParser {
public:
    explicit StoppingParser(std::uint64_t stopAt) : m_stopAt(stopAt) {}

protected:
    std::size_t ReadFile(std::uint64_t offset, std::uint8_t* out, std::size_t n) override {
        if (offset >= m_stopAt) StopRequested.store(1);
        return CExcelWorkSheetParser::ReadFile(offset, out, n);
    }

private:
    std::uint64_t m_stopAt;
};

class WorkSheetParser : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRepairCounters();
        StopRequested.store(0);
        RepairProgress.store(0);
        m_file = m_temp.Path() / "stream.bin";
        m_data.SetProgressWindow(&m_progress);
    }
    void TearDown() override { StopRequested.store(0); }

    // Writes bytes as the scan file and gives the model one workbook whose
    // sheets begin at the given offsets (as the scan would place them).
    void Prepare(const Bytes& bytes, const std::vector<std::uint32_t>& starts) {
        ASSERT_TRUE(testsupport::WriteFileBytes(m_file, bytes));
        auto* workbook = new CExcelWorkBook(0, 0);
        m_data.GetWorkbooks().Add(workbook);
        for (std::uint32_t start : starts) {
            CExcelWorkSheet sheet;
            sheet.SetStart(start);
            workbook->GetWorksheets().Add(sheet);
        }
    }

    bool Run(CExcelWorkSheetParser& parser) {
        parser.SetStreamFileName(m_file);
        parser.SetData(&m_data);
        return parser.Run();
    }
    bool Run() {
        CExcelWorkSheetParser parser;
        return Run(parser);
    }

    const CExcelWorkSheet& Sheet(std::uint32_t i) const {
        return *m_data.GetWorkbooks().GetHead()->GetWorksheets().GetAt(i);
    }

    testsupport::ScopedTempDir m_temp;
    fs::path m_file;
    ProgressTarget m_progress;
    CExcelData m_data;
};

}  // namespace

// ---- Moving from record to record -------------------------------------------

TEST_F(WorkSheetParser, ADeclaredSizeAbove8224AdvancesByTheHeaderOnly) {
    BiffWriter w;
    w.Bof(biff::kSubstreamWorksheet);
    // 0x2021 cannot be a record body: the walk goes on right after the
    // header and finds the NUMBER there.
    w.RecordWithLength(0x0099, 0x2021, {});
    Number(w, 1.0).Eof();
    const auto second = static_cast<std::uint32_t>(w.Size());
    // 0x2020 can: the NUMBER inside that body is not a record of the sheet.
    w.Bof(biff::kSubstreamWorksheet);
    Bytes body(0x2020, 0);
    const Bytes hidden = BiffWriter::RecordBytes(biff::kNUMBER, NumberBody(2.0));
    std::copy(hidden.begin(), hidden.end(), body.begin());
    w.Record(0x0099, body);
    Number(w, 3.0).Eof();
    Prepare(w.GetBytes(), {0, second});

    EXPECT_TRUE(Run());
    EXPECT_EQ(Values(Sheet(0)), std::vector<double>{1.0});
    EXPECT_EQ(Values(Sheet(1)), std::vector<double>{3.0});
}

// A header whose length was overwritten with more than a body can hold, or
// with a size its record cannot have: the walk goes on where a chain of
// sound headers starts.
TEST_F(WorkSheetParser, AfterAWrongLengthTheWalkFindsTheNextSoundRecords) {
    const Bytes rowBody(16, 0);
    const struct {
        const char* what;
        std::uint16_t type;  // of the damaged record
        Bytes body;          // its real body
        std::vector<double> expected;
        std::uint16_t length = 0xFFFF;  // declared
    } cases[] = {
        // Only the length was damaged: the record ends where the chain
        // starts, fits a NUMBER, and keeps its cell.
        {"a NUMBER", biff::kNUMBER, NumberBody(1.0), {1.0, 2.0, 3.0}},
        {"a NUMBER of 3000 bytes", biff::kNUMBER, NumberBody(1.0), {1.0, 2.0, 3.0}, 3000},
        {"a NUMBER of 5 bytes", biff::kNUMBER, NumberBody(1.0), {1.0, 2.0, 3.0}, 5},
        {"a ROW before the cells", biff::kROW, rowBody, {2.0, 3.0}},
        // A body no record of that type has: skipped whole, nothing taken
        // from inside it.
        {"a NUMBER of the wrong size",
         biff::kNUMBER,
         [] {
             Bytes body = NumberBody(9.0);
             body.push_back(0);
             return body;
         }(),
         {2.0, 3.0}},
        {"a type no sheet holds", 0x1234, NumberBody(9.0), {2.0, 3.0}},
    };
    for (const auto& c : cases) {
        m_data.GetWorkbooks().RemoveAll();
        BiffWriter w;
        w.Bof(biff::kSubstreamWorksheet);
        w.RecordWithLength(c.type, c.length, c.body);
        Number(w, 2.0);
        Number(w, 3.0).Eof();
        Prepare(w.GetBytes(), {0});
        EXPECT_TRUE(Run()) << c.what;
        EXPECT_EQ(Values(Sheet(0)), c.expected) << c.what;
    }
}

TEST_F(WorkSheetParser, EofRecordsInsideTheStretchDoNotEndIt) {
    BiffWriter chart;
    chart.Record(0x1002, Bytes(16, 0));  // a chart record
    BiffWriter w;
    w.Bof(biff::kSubstreamWorksheet);
    Number(w, 1.0);
    w.Substream(biff::kSubstreamChart, chart);  // an embedded chart and its EOF
    Number(w, 2.0);
    // An EOF type with a body is no end record; its body is stepped over.
    w.Record(biff::kEOF, BiffWriter::RecordBytes(biff::kNUMBER, NumberBody(9.0)));
    Number(w, 4.0).Eof();
    Number(w, 5.0);  // after the sheet's own EOF, still before the next BOF
    const auto second = static_cast<std::uint32_t>(w.Size());
    w.Bof(biff::kSubstreamWorksheet);
    Number(w, 6.0).Eof();
    Prepare(w.GetBytes(), {0, second});

    EXPECT_TRUE(Run());
    EXPECT_EQ(Values(Sheet(0)), (std::vector<double>{1.0, 2.0, 4.0, 5.0}));
    EXPECT_EQ(Values(Sheet(1)), std::vector<double>{6.0});
}

TEST_F(WorkSheetParser, AChartsSeriesCacheIsNotTakenForCells) {
    // A chart keeps the values of its series as NUMBER and LABEL records
    // at (point, series); in the worksheet they would overwrite cells A1
    // and A2.
    BiffWriter cache;
    Number(cache, 0.0);
    cache.Record(biff::kLABEL, testsupport::Concat(Bytes{1, 0, 0, 0, 15, 0},
                                                   BiffWriter::UnicodeString(u"cache", false)));
    BiffWriter embedded;
    embedded.Substream(0x0005, BiffWriter());  // a substream nested in the chart
    embedded.Raw(cache.GetBytes());

    BiffWriter w;
    w.Bof(biff::kSubstreamWorksheet);
    Number(w, 1.0);
    w.Substream(biff::kSubstreamChart, embedded);
    Number(w, 2.0);
    // An embedded chart whose EOF was lost: the RK record is the sheet's
    // again (a chart has none), and so is everything after it.
    w.Bof(biff::kSubstreamChart).Raw(cache.GetBytes());
    w.Record(biff::kRK, Bytes{9, 0, 0, 0, 15, 0, 0x12, 0, 0, 0});  // 4 at row 9
    Number(w, 4.0).Eof();
    // A chart sheet between this worksheet and the next, cut before its
    // EOF: its cache is dropped up to the end of the stretch.
    w.Bof(biff::kSubstreamChart).Raw(cache.GetBytes());
    const auto second = static_cast<std::uint32_t>(w.Size());
    w.Bof(biff::kSubstreamWorksheet);
    Number(w, 3.0).Eof();
    Prepare(w.GetBytes(), {0, second});

    EXPECT_TRUE(Run());
    EXPECT_EQ(Values(Sheet(0)), (std::vector<double>{1.0, 2.0, 4.0}));
    EXPECT_EQ(Sheet(0).GetRKValues().GetCount(), 1u);
    EXPECT_EQ(Sheet(0).GetLabels().GetCount(), 0u);
    EXPECT_EQ(Values(Sheet(1)), std::vector<double>{3.0});
    EXPECT_EQ(RepairCounters[CounterNumericCells].load(), 5u);
}

TEST_F(WorkSheetParser, ARecordCutByTheEndOfTheStretchIsDropped) {
    BiffWriter w;
    w.Bof(biff::kSubstreamWorksheet);
    Number(w, 1.0);
    // The stream was cut after 6 of this NUMBER's 14 bytes and the next
    // substream follows at once.
    const Bytes cut = BiffWriter::RecordBytes(biff::kNUMBER, NumberBody(2.0));
    w.Raw(Bytes(cut.begin(), cut.begin() + 10));
    const auto second = static_cast<std::uint32_t>(w.Size());
    w.Bof(biff::kSubstreamWorksheet);
    Number(w, 3.0).Eof();
    Prepare(w.GetBytes(), {0, second});

    EXPECT_TRUE(Run());
    EXPECT_EQ(Values(Sheet(0)), std::vector<double>{1.0});
    EXPECT_EQ(Values(Sheet(1)), std::vector<double>{3.0});
}

TEST_F(WorkSheetParser, TheLastSheetRunsToTheEndOfTheFile) {
    BiffWriter w;
    w.Bof(biff::kSubstreamWorksheet);
    Number(w, 1.0).Eof();
    const auto second = static_cast<std::uint32_t>(w.Size());
    // No EOF: the file ends right after the last NUMBER's last byte.
    w.Bof(biff::kSubstreamWorksheet);
    Number(w, 2.0);
    Number(w, 3.0);
    Prepare(w.GetBytes(), {0, second});

    EXPECT_TRUE(Run());
    EXPECT_EQ(Values(Sheet(0)), std::vector<double>{1.0});
    EXPECT_EQ(Values(Sheet(1)), (std::vector<double>{2.0, 3.0}));
}

// A raw file can hold several workbooks, one after the other. The last
// sheet of the first one (its EOF lost) ends where the second one's globals
// begin, instead of taking the second one's cells as well.
TEST_F(WorkSheetParser, TheLastSheetOfAWorkbookStopsAtTheNextWorkbook) {
    BiffWriter w;
    w.Bof(biff::kSubstreamWorksheet);
    Number(w, 1.0);
    const auto globals = static_cast<std::uint32_t>(w.Size());
    w.Bof(biff::kSubstreamGlobals).Eof();
    const auto sheet = static_cast<std::uint32_t>(w.Size());
    w.Bof(biff::kSubstreamWorksheet);
    Number(w, 2.0).Eof();
    Prepare(w.GetBytes(), {0});
    auto* second = new CExcelWorkBook(globals, sheet);
    m_data.GetWorkbooks().Add(second);
    CExcelWorkSheet only;
    only.SetStart(sheet);
    second->GetWorksheets().Add(only);

    EXPECT_TRUE(Run());
    EXPECT_EQ(Values(Sheet(0)), std::vector<double>{1.0});
    EXPECT_EQ(Values(*second->GetWorksheets().GetHead()), std::vector<double>{2.0});
}

TEST_F(WorkSheetParser, AnHlinkRecordIsConsumedWithoutEffect) {
    BiffWriter w;
    w.Bof(biff::kSubstreamWorksheet);
    // A hyperlink's body holds addresses and texts, here bytes that would
    // read as a NUMBER and a LABEL if the walk looked inside.
    Bytes link = BiffWriter::RecordBytes(biff::kNUMBER, NumberBody(9.0));
    const Bytes inner = BiffWriter::RecordBytes(biff::kLABEL, Bytes(12, 'A'));
    link.insert(link.end(), inner.begin(), inner.end());
    w.Record(biff::kHLINK, link);
    Number(w, 1.0);
    const Bytes label =
        testsupport::Concat(Bytes{4, 0, 2, 0, 15, 0}, BiffWriter::UnicodeString(u"linked", false));
    w.Record(biff::kLABEL, label).Eof();
    Prepare(w.GetBytes(), {0});

    EXPECT_TRUE(Run());
    EXPECT_EQ(Values(Sheet(0)), std::vector<double>{1.0});
    ASSERT_EQ(Sheet(0).GetLabels().GetCount(), 1u);
    EXPECT_EQ(Sheet(0).GetLabels().GetHead()->GetText(), u"linked");
    EXPECT_EQ(RepairCounters[CounterNumericCells].load(), 1u);
    EXPECT_EQ(RepairCounters[CounterTextCells].load(), 1u);
}

TEST_F(WorkSheetParser, FormulaAndTableRecordsGoToTheFormulaReader) {
    BiffWriter w;
    w.Bof(biff::kSubstreamWorksheet);
    // FORMULA at row 3, column 1 with a string result (FF FF in bytes
    // 12-13), tokens: the integer 5; its text follows in a STRING record.
    Bytes formula = {3, 0, 1, 0, 15, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0};
    for (std::uint8_t b : {3, 0, 0x1E, 5, 0}) formula.push_back(b);
    w.Record(biff::kFORMULA, formula);
    w.Record(biff::kSTRING, BiffWriter::UnicodeString(u"hello", false));
    Number(w, 7.0);
    // TABLE: exactly 16 bytes are a table; 17 are damage.
    w.Record(biff::kTABLE, Bytes(16, 1)).Record(biff::kTABLE, Bytes(17, 2));
    // A FORMULA shorter than its fixed part is no formula.
    w.Record(biff::kFORMULA, Bytes(19, 0));
    // Nor is one, or a NUMBER, past the sheet's last column (255).
    formula[3] = 1;
    w.Record(biff::kFORMULA, formula);
    Bytes number = NumberBody(9.0);
    number[3] = 0x24;
    w.Record(biff::kNUMBER, number).Eof();
    Prepare(w.GetBytes(), {0});

    EXPECT_TRUE(Run());
    ASSERT_EQ(Sheet(0).GetFormulas().GetCount(), 1u);
    const CExcelRecordFormula& cell = *Sheet(0).GetFormulas().GetHead();
    EXPECT_EQ(cell.GetRow(), 3);
    EXPECT_EQ(cell.GetColumn(), 1);
    EXPECT_EQ(cell.GetResultType(), FormulaResultString);
    EXPECT_EQ(cell.GetValueText(nullptr), u"hello");
    EXPECT_EQ(Values(Sheet(0)), std::vector<double>{7.0});
    EXPECT_EQ(Sheet(0).GetTables().GetCount(), 1u);
}

TEST_F(WorkSheetParser, FormulaRecordsUnderTheOldTypeNumberAreFormulas) {
    BiffWriter w;
    w.Bof(biff::kSubstreamWorksheet);
    // FORMULA at row 2, column 0 caching 42, tokens: the integer 42.
    Bytes formula = {2, 0, 0, 0, 15, 0, 0, 0, 0, 0, 0, 0, 0x45, 0x40, 0, 0, 0, 0, 0, 0};
    for (std::uint8_t b : {3, 0, 0x1E, 42, 0}) formula.push_back(b);
    w.Record(biff::kFORMULA_BIFF4, formula).Eof();
    Prepare(w.GetBytes(), {0});

    EXPECT_TRUE(Run());
    ASSERT_EQ(Sheet(0).GetFormulas().GetCount(), 1u);
    const CExcelRecordFormula& cell = *Sheet(0).GetFormulas().GetHead();
    EXPECT_EQ(cell.GetRow(), 2);
    EXPECT_EQ(cell.GetNumber(), 42.0);
}

// ---- The read window ----------------------------------------------------------

TEST_F(WorkSheetParser, RecordsAcrossWindowRefillsAreAllDecoded) {
    // 18-byte NUMBERs and the odd 8,224-byte QUICKTIP: headers and bodies
    // fall across every 16 KB refill at varying offsets, and a QUICKTIP
    // cannot fit in what is left of any window.
    BiffWriter w;
    w.Bof(biff::kSubstreamWorksheet);
    std::vector<double> expected;
    std::uint32_t tips = 0;
    for (int i = 0; i < 6000; ++i) {
        expected.push_back(i);
        Number(w, i);
        if (i % 700 == 350) {
            Bytes tip(biff::kMaxBodyLength, static_cast<std::uint8_t>(i));
            w.Record(biff::kQUICKTIP, tip);
            ++tips;
        }
    }
    w.Eof();
    ASSERT_GT(w.Size(), 6u * CExcelWorkSheetParser::kWindowSize);
    Prepare(w.GetBytes(), {0});

    EXPECT_TRUE(Run());
    EXPECT_EQ(Values(Sheet(0)), expected);
    ASSERT_EQ(Sheet(0).GetQuickTips().GetCount(), tips);
    std::uint32_t i = 350;
    for (const CExcelRecordQUICKTIP& tip : Sheet(0).GetQuickTips()) {
        EXPECT_EQ(tip.GetPayload().DataLength(), biff::kMaxBodyLength);
        EXPECT_EQ(tip.GetPayload().ReadU8(biff::kMaxBodyLength - 1), static_cast<std::uint8_t>(i));
        i += 700;
    }
}

TEST_F(WorkSheetParser, AFailedReadCountsAsEofAndSkipsTheWindowItTried) {
    // Header-only records of 4 bytes keep every 4th offset a record
    // boundary, so the walk lands on one after the skip. Each NUMBER goes
    // with a 2-byte filler record to keep that alignment. The filler's type
    // is one no sheet holds, so no size of it is wrong and nothing is read
    // ahead of the walk.
    constexpr std::uint16_t kFiller = 0x00F8;
    BiffWriter w;
    w.Bof(biff::kSubstreamWorksheet);
    const auto numberAt = [&w](double value) { Number(w, value).Record(kFiller, Bytes(2, 0)); };
    const auto fillTo = [&w](std::size_t offset) {
        while (w.Size() < offset) w.Record(kFiller, {});
    };
    numberAt(1.0);
    fillTo(20000);
    numberAt(2.0);  // inside the window that cannot be read
    fillTo(40000);
    numberAt(3.0);
    w.Eof();
    Prepare(w.GetBytes(), {0});

    // The first window holds offsets 0-16383; the header at 16384 needs a
    // refill there, which fails.
    FailingParser parser(16000);
    EXPECT_TRUE(Run(parser));
    ASSERT_EQ(parser.failed, std::vector<std::uint64_t>{16384});
    EXPECT_EQ(Values(Sheet(0)), (std::vector<double>{1.0, 3.0}));
}

TEST_F(WorkSheetParser, ABoundSheetPositionPastTheFileEndsTheSheetBeforeItAtTheFileEnd) {
    BiffWriter w;
    w.Bof(biff::kSubstreamWorksheet);
    Number(w, 1.0);
    Number(w, 2.0).Eof();
    // The second sheet's position is damaged: far past the file, where
    // nothing can be read for either sheet.
    Prepare(w.GetBytes(), {0, 0x40000000});

    FailingParser parser;
    EXPECT_TRUE(Run(parser));
    EXPECT_EQ(Values(Sheet(0)), (std::vector<double>{1.0, 2.0}));
    EXPECT_TRUE(Values(Sheet(1)).empty());
    // The first sheet's walk ended with the file rather than stepping
    // through a gigabyte of missing bytes one failed window at a time.
    for (std::uint64_t offset : parser.asked) EXPECT_LT(offset, w.Size());
}

TEST_F(WorkSheetParser, StretchesOutOfFileOrderEndAtTheNextStartInTheFile) {
    BiffWriter w;
    w.Bof(biff::kSubstreamWorksheet);
    Number(w, 1.0).Eof();
    const auto second = static_cast<std::uint32_t>(w.Size());
    w.Bof(biff::kSubstreamWorksheet);
    Number(w, 2.0).Eof();
    // Damaged positions in the wrong order: each sheet reads up to the
    // nearest start after its own, never into the stretch of the sheet
    // before it in the list.
    Prepare(w.GetBytes(), {second, 0});

    EXPECT_TRUE(Run());
    EXPECT_EQ(Values(Sheet(0)), std::vector<double>{2.0});
    EXPECT_EQ(Values(Sheet(1)), std::vector<double>{1.0});
}

// ---- Stop and progress ----------------------------------------------------------

TEST_F(WorkSheetParser, AStopRequestedBeforeTheRunParsesNothing) {
    BiffWriter w;
    w.Bof(biff::kSubstreamWorksheet);
    Number(w, 1.0).Eof();
    Prepare(w.GetBytes(), {0});
    StopRequested.store(1);

    EXPECT_FALSE(Run());
    EXPECT_TRUE(Values(Sheet(0)).empty());
}

TEST_F(WorkSheetParser, AStopBetweenRecordsKeepsWhatWasDecoded) {
    BiffWriter w;
    w.Bof(biff::kSubstreamWorksheet);
    for (int i = 0; i < 3000; ++i) Number(w, i);
    w.Eof();
    const auto second = static_cast<std::uint32_t>(w.Size());
    w.Bof(biff::kSubstreamWorksheet);
    Number(w, 1.0).Eof();
    Prepare(w.GetBytes(), {0, second});

    StoppingParser parser(20000);
    EXPECT_FALSE(Run(parser));
    const std::vector<double> values = Values(Sheet(0));
    // A prefix of the sheet: everything before the stop, nothing after.
    ASSERT_GT(values.size(), 0u);
    ASSERT_LT(values.size(), 3000u);
    for (std::size_t i = 0; i < values.size(); ++i) EXPECT_EQ(values[i], static_cast<double>(i));
    EXPECT_TRUE(Values(Sheet(1)).empty());
}

TEST_F(WorkSheetParser, ProgressRunsOverTheWholeFile) {
    BiffWriter w;
    w.Bof(biff::kSubstreamWorksheet);
    Number(w, 1.0).Eof();
    Prepare(w.GetBytes(), {0});
    m_progress.SetRange(0, 7);

    EXPECT_TRUE(Run());
    const auto length = static_cast<std::uint32_t>(w.Size());
    EXPECT_EQ(m_progress.GetLower(), 0u);
    EXPECT_EQ(m_progress.GetUpper(), length);
    EXPECT_EQ(m_progress.GetPosition(), length);
    EXPECT_EQ(RepairProgress.load(), length);
}

TEST_F(WorkSheetParser, AnEmptyOrMissingStreamFileFailsTheRun) {
    Prepare({}, {0});
    EXPECT_FALSE(Run());

    CExcelWorkSheetParser parser;
    parser.SetData(&m_data);
    parser.SetStreamFileName(m_temp.Path() / "absent.bin");
    EXPECT_FALSE(parser.Run());
}
