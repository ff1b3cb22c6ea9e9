// The repair report's facts, from small damaged workbooks repaired for real:
// what it counts, which cells it lists as lost, its verdict, and its JSON.
#include "repair/CRepairReport.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "compound/tests/support/ByteMutation.h"
#include "model/CExcelData.h"
#include "platform/CRefusedCalls.h"
#include "platform/ScopedMessageCapture.h"
#include "repair/CRepairReportBuilder.h"
#include "repair/CRepairReportJson.h"
#include "repair/CRepairTrace.h"
#include "repair/RepairFile.h"
#include "repair/tests/support/RepairFixtures.h"

using namespace repairtest;
namespace fs = std::filesystem;

namespace {

constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kLabel = 0x0204;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kFormula = 0x0006;
constexpr std::uint16_t kString = 0x0207;
constexpr char16_t kHigh = 0xD83D;  // the halves of U+1F600
constexpr char16_t kLow = 0xDE00;
constexpr std::uint16_t kXf = 0x00E0;
constexpr std::uint16_t kFont = 0x0031;

// LABELSST body: row, column, XF 0, shared-string index.
Bytes LabelSstBody(std::uint16_t row, std::uint16_t column, std::uint32_t index) {
    Bytes body(10, 0);
    testsupport::SetU16(body, 0, row);
    testsupport::SetU16(body, 2, column);
    testsupport::SetU32(body, 6, index);
    return body;
}

// Globals with one FONT (Arial) and XF records 0..15 that use it: the
// NUMBER cells' XF 15 and the texts' XF 0 are found.
BiffWriter GlobalsWithFormats() {
    BiffWriter globals;
    Bytes font(14, 0);
    testsupport::SetU16(font, 0, 200);
    font.insert(font.end(), {5, 0, 'A', 'r', 'i', 'a', 'l'});
    globals.Record(kFont, font);
    for (int i = 0; i < 16; ++i) globals.Record(kXf, Bytes(20, 0));
    return globals;
}

struct ReportCase {
    const char* name;
    Bytes stream;
    EReportOutcome outcome;
    std::uint64_t cells;
    std::string area;
    std::vector<std::string> lostStrings;
    std::uint64_t cellsWithoutXf;
    const char* reasonPart;
    std::vector<std::string> brokenTexts = {};
    std::u16string sheetName = u"Data";
};

// Three numbers in column A and texts in column B whose shared strings are
// missing (the globals hold no SST).
Bytes WithLostTexts(std::uint16_t texts) {
    BiffWriter sheet;
    for (std::uint16_t row = 0; row < 3; ++row)
        sheet.Record(kNumber, NumberBody(row, 0, CellValue(row)));
    for (std::uint16_t row = 0; row < texts; ++row)
        sheet.Record(kLabelSst, LabelSstBody(row, 1, row));
    return testsupport::WorkbookStream(GlobalsWithFormats(), {u"Data"}, sheet);
}

// Three numbers in column A and texts in column B, 16-bit characters:
// B1 a shared string cut after a high surrogate, B2 an inline LABEL text
// starting with a low surrogate, B3 a shared string with a sound pair, B4 a
// formula whose cached string holds a high surrogate before a letter.
Bytes WithBrokenTexts(const std::u16string& sheetName) {
    BiffWriter globals = GlobalsWithFormats();
    Bytes sst = testsupport::Concat(BiffWriter::U32(2), BiffWriter::U32(2));
    sst = testsupport::Concat(sst, BiffWriter::UnicodeString({u'a', kHigh}, true));
    sst = testsupport::Concat(sst, BiffWriter::UnicodeString({u'x', kHigh, kLow}, true));
    globals.Record(kSst, sst);

    BiffWriter sheet;
    for (std::uint16_t row = 0; row < 3; ++row)
        sheet.Record(kNumber, NumberBody(row, 0, CellValue(row)));
    sheet.Record(kLabelSst, LabelSstBody(0, 1, 0));
    Bytes label(6, 0);
    testsupport::SetU16(label, 0, 1);
    testsupport::SetU16(label, 2, 1);
    sheet.Record(kLabel, testsupport::Concat(label, BiffWriter::UnicodeString({kLow, u'b'}, true)));
    sheet.Record(kLabelSst, LabelSstBody(2, 1, 1));
    // Row 3, column B, XF 0; a string result (byte 0 zero, bytes 6-7
    // 0xFFFF), no flags, then =1 (ptgInt) and its STRING record.
    Bytes formula(22, 0);
    testsupport::SetU16(formula, 0, 3);
    testsupport::SetU16(formula, 2, 1);
    testsupport::SetU16(formula, 12, 0xFFFF);
    testsupport::SetU16(formula, 20, 3);
    formula.insert(formula.end(), {0x1E, 1, 0});
    sheet.Record(kFormula, formula);
    sheet.Record(kString, BiffWriter::UnicodeString({kHigh, u'c'}, true));
    return testsupport::WorkbookStream(globals, {sheetName}, sheet);
}

}  // namespace

TEST(CRepairReport, SaysWhatCameBackAndWhatWasLost) {
    BiffWriter encrypted;
    encrypted.Record(kFilePass, Bytes(54, 0x5A));
    const ReportCase cases[] = {
        {"formats found, nothing lost",
         NumberWorkbook(5, GlobalsWithFormats()),
         EReportOutcome::Complete,
         5,
         "A1:A5",
         {},
         0,
         ""},
        {"no XF records: the cells keep the default format",
         NumberWorkbook(4),
         EReportOutcome::Partial,
         4,
         "A1:A4",
         {},
         4,
         "4 cells without their format"},
        {"texts whose shared strings are missing",
         WithLostTexts(2),
         EReportOutcome::Partial,
         3,
         "A1:A3",
         {"B1", "B2"},
         0,
         "2 cells whose shared string is lost"},
        {"texts with surrogates that are not half of a pair",
         WithBrokenTexts(u"Data"),
         EReportOutcome::Partial,
         7,
         "A1:B4",
         {},
         0,
         "3 cells whose text had broken characters",
         {"B1", "B2", "B4"}},
        {"a sheet name cut after a high surrogate",
         WithBrokenTexts({u'D', kHigh}),
         EReportOutcome::Partial,
         7,
         "A1:B4",
         {},
         0,
         "1 sheet whose name had broken characters",
         {"B1", "B2", "B4"},
         {u'D', kHigh}},
        {"encrypted",
         NumberWorkbook(4, encrypted),
         EReportOutcome::Failed,
         0,
         "",
         {},
         0,
         "encrypt"},
    };
    for (const ReportCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetRunState();
        testsupport::ScopedTempDir temp;
        const fs::path path = temp.Path() / "book.xls";
        ASSERT_TRUE(testsupport::WriteFileBytes(path, InCompoundFile(c.stream)));
        CExcelData data;
        data.SetSourcePath(path);
        CRepairTrace trace;
        ScopedMessageCapture quiet;
        const bool repaired = RepairFile(&data, &trace);
        const CRepairReport report = CRepairReportBuilder::Build(data, trace, repaired);

        EXPECT_EQ(report.outcome, c.outcome) << report.reason;
        EXPECT_NE(report.reason.find(c.reasonPart), std::string::npos) << report.reason;
        EXPECT_EQ(report.RecoveredCells(), c.cells);
        EXPECT_EQ(report.CellsWithoutFormat(), c.cellsWithoutXf);
        if (c.outcome == EReportOutcome::Failed) {
            EXPECT_TRUE(report.workbooks.empty());
            continue;
        }
        ASSERT_EQ(report.workbooks.size(), 1u);
        ASSERT_EQ(report.workbooks[0].sheets.size(), 1u);
        const CReportSheet& sheet = report.workbooks[0].sheets[0];
        EXPECT_EQ(sheet.name, c.sheetName);
        EXPECT_EQ(sheet.brokenName, c.sheetName != u"Data");
        ASSERT_TRUE(sheet.first && sheet.last);
        EXPECT_EQ(CRepairReportJson::Address(*sheet.first) + ":" +
                      CRepairReportJson::Address(*sheet.last),
                  c.area);
        std::vector<std::string> lost;
        for (const CReportCell& cell : sheet.lostStrings)
            lost.push_back(CRepairReportJson::Address(cell));
        EXPECT_EQ(lost, c.lostStrings);
        std::vector<std::string> broken;
        for (const CReportCell& cell : sheet.brokenTexts)
            broken.push_back(CRepairReportJson::Address(cell));
        EXPECT_EQ(broken, c.brokenTexts);

        // A failed save fails the report, whatever the repair was.
        CRepairReport saved = report;
        CRefusedCalls refused;
        for (const char16_t* call :
             {u"RowHeight: refused", u"Formula: refused", u"RowHeight: refused"})
            refused.Note(call);
        CRepairReportBuilder::AddSave(saved, temp.Path() / "out.xls", false, refused);
        EXPECT_EQ(saved.outcome, EReportOutcome::Failed);
        EXPECT_EQ(saved.refusedCalls, 3u);
        ASSERT_EQ(saved.refused.size(), 2u);
        EXPECT_EQ(saved.refused[0].call, "RowHeight: refused");
        EXPECT_EQ(saved.refused[0].count, 2u);
        // A save the server refused calls in is partial, saying so.
        CRepairReport refusedSave = report;
        CRepairReportBuilder::AddSave(refusedSave, temp.Path() / "out.xls", true, refused);
        EXPECT_EQ(refusedSave.outcome, EReportOutcome::Partial);
        EXPECT_NE(refusedSave.reason.find("3 calls refused by the spreadsheet server"),
                  std::string::npos)
            << refusedSave.reason;
    }
}

// The report of a repair of file, written to a scratch folder.
CRepairReport ReportOfFile(const Bytes& file) {
    ResetRunState();
    testsupport::ScopedTempDir temp;
    const fs::path path = temp.Path() / "book.xls";
    EXPECT_TRUE(testsupport::WriteFileBytes(path, file));
    CExcelData data;
    data.SetSourcePath(path);
    CRepairTrace trace;
    ScopedMessageCapture quiet;
    return CRepairReportBuilder::Build(data, trace, RepairFile(&data, &trace));
}

TEST(CRepairReport, PlacesZeroedBytesBetweenTheRowsAroundThem) {
    // Rows 51-86 (0-based 50-85) of column A zeroed, record boundaries and
    // all: the walk meets zero headers from there to row 87's record.
    Bytes stream = NumberWorkbook(200, GlobalsWithFormats());
    const Bytes row50 = {0x03, 0x02, 0x0E, 0x00, 50, 0};
    const auto at = std::search(stream.begin(), stream.end(), row50.begin(), row50.end());
    ASSERT_NE(at, stream.end());
    std::fill(at, at + 36 * 18, 0);

    const CRepairReport report = ReportOfFile(InCompoundFile(stream));

    EXPECT_EQ(report.outcome, EReportOutcome::Partial);
    EXPECT_EQ(report.RecoveredCells(), 164u);
    ASSERT_EQ(report.damage.size(), 1u);
    const CReportDamage& damage = report.damage[0];
    EXPECT_EQ(damage.reason, "zeroed bytes");
    EXPECT_EQ(damage.end - damage.begin, 36u * 18u);
    EXPECT_EQ(damage.sheetName, u"Data");
    EXPECT_EQ(damage.rowBefore, std::optional<std::uint16_t>(49));
    EXPECT_EQ(damage.rowAfter, std::optional<std::uint16_t>(86));
}

namespace {

// A sheet of eight texts in column B, B1..B8, whose shared strings
// "string-a".."string-h" lie in an SST and one CONTINUE that cuts B4's string
// after four characters, with EXTSST buckets of four strings. Gives the
// offsets of the SST and the CONTINUE in the stream.
Bytes WithStringsAcrossContinue(std::uint32_t& sst, std::uint32_t& next) {
    auto text = [](int s) { return u"string-" + std::u16string(1, char16_t(u'a' + s)); };
    Bytes strings;
    for (int s = 0; s < 8; ++s)
        strings = testsupport::Concat(strings, BiffWriter::UnicodeString(text(s), false));
    // Counts, strings 0-2 and string 3's header and "stri"; then the option
    // byte of the rest of string 3 (8-bit) and strings 4-7.
    constexpr std::size_t kCut = 3 * 11 + 3 + 4;
    Bytes sstBody = testsupport::Concat(BiffWriter::U32(8), BiffWriter::U32(8));
    sstBody.insert(sstBody.end(), strings.begin(), strings.begin() + kCut);
    Bytes continued = {0x00};
    continued.insert(continued.end(), strings.begin() + kCut, strings.end());
    Bytes extsst(2 + 2 * 8, 0);
    testsupport::SetU16(extsst, 0, 4);
    BiffWriter globals = GlobalsWithFormats();
    globals.Record(kSst, sstBody).Record(0x003C, continued).Record(0x00FF, extsst);

    BiffWriter sheet;
    for (std::uint16_t row = 0; row < 8; ++row) sheet.Record(kLabelSst, LabelSstBody(row, 1, row));
    Bytes stream = testsupport::WorkbookStream(globals, {u"Data"}, sheet);
    const Bytes sstHeader = {0xFC, 0x00, static_cast<std::uint8_t>(sstBody.size()), 0x00};
    sst = static_cast<std::uint32_t>(
        std::search(stream.begin(), stream.end(), sstHeader.begin(), sstHeader.end()) -
        stream.begin());
    next = sst + 4 + static_cast<std::uint32_t>(sstBody.size());
    // Bucket 0 starts at the SST's first string, bucket 1 (string 4) after
    // the CONTINUE's header, option byte and the four characters of string 3.
    const std::size_t entries = next + 4 + continued.size() + 4 + 2;
    testsupport::SetU32(stream, entries, sst + 12);
    testsupport::SetU16(stream, entries + 4, 12);
    testsupport::SetU32(stream, entries + 8, next + 9);
    testsupport::SetU16(stream, entries + 12, 9);
    return stream;
}

}  // namespace

// Damage among the global records is placed there, with no sheet and no
// rows: the fourth XF zeroed, or given an unknown type and a length no
// record has (its body is then stepped over to the next XF); or the option
// byte that goes on with B4's string given reserved bits, which drops that
// string, from the end of B3's to where EXTSST says B5's begins.
TEST(CRepairReport, PlacesDamageAmongTheGlobalRecords) {
    // Damages a stream and gives the bytes the report should name.
    using Damage = std::function<std::pair<std::uint32_t, std::uint32_t>(Bytes&)>;
    auto overFourthXf = [](Bytes header, std::size_t zeroed, std::uint32_t to) -> Damage {
        return [=](Bytes& stream) {
            const Bytes xf = {0xE0, 0x00, 0x14, 0x00};
            auto at = stream.begin();
            for (int i = 0; i < 4; ++i)
                at = std::search(i == 0 ? at : at + 1, stream.end(), xf.begin(), xf.end());
            EXPECT_NE(at, stream.end());
            const auto start = static_cast<std::uint32_t>(at - stream.begin());
            std::fill(at, at + static_cast<std::ptrdiff_t>(zeroed), 0);
            std::copy(header.begin(), header.end(), at);
            return std::make_pair(start, start + to);
        };
    };
    std::uint32_t sst = 0;
    std::uint32_t next = 0;
    const Bytes strings = WithStringsAcrossContinue(sst, next);
    struct Case {
        const char* name;
        Bytes stream;
        Damage damage;
        const char* reason;
        std::uint64_t cells;
    } const cases[] = {
        {"zeroed", NumberWorkbook(20, GlobalsWithFormats()), overFourthXf({}, 24, 24),
         "zeroed bytes", 20},
        {"unknown type, impossible length", NumberWorkbook(20, GlobalsWithFormats()),
         overFourthXf({0x99, 0x09, 0xF0, 0xFF}, 0, 24), "record header with an impossible length",
         20},
        {"option byte with reserved bits at the CONTINUE", strings,
         [&](Bytes& stream) {
             stream[next + 4] = 0xF0;
             return std::make_pair(sst + 12 + 3 * 11, next + 9);
         },
         "shared strings that could not be read soundly", 7},
    };
    for (const Case& c : cases) {
        Bytes stream = c.stream;
        const auto [from, to] = c.damage(stream);

        const CRepairReport report = ReportOfFile(InCompoundFile(stream));
        EXPECT_EQ(report.RecoveredCells(), c.cells) << c.name;
        ASSERT_EQ(report.damage.size(), 1u) << c.name;
        const CReportDamage& damage = report.damage[0];
        EXPECT_TRUE(damage.globals) << c.name;
        EXPECT_EQ(damage.begin, from) << c.name;
        EXPECT_EQ(damage.end, to) << c.name;
        EXPECT_EQ(damage.reason, c.reason) << c.name;
        EXPECT_FALSE(damage.sheetPosition.has_value()) << c.name;
        EXPECT_FALSE(damage.rowBefore || damage.rowAfter) << c.name;
        EXPECT_EQ(report.outcome, EReportOutcome::Partial) << c.name;
    }
}

TEST(CRepairReport, NamesTheSectorsTheCopySkippedAndItsJsonHoldsToTheSchema) {
    // The Workbook stream's fourth sector continues to one past the end of
    // the file, which continues to the fifth: one sector lost mid-chain.
    CompoundFileBuilder builder;
    builder.AddStream(u"Workbook", NumberWorkbook(400, GlobalsWithFormats()));
    Bytes file = builder.Build();
    const CompoundFileBuilder::Layout& layout = builder.GetLayout();
    const CompoundFileBuilder::StreamPlacement& stream = *layout.Find(u"Workbook");
    ASSERT_FALSE(stream.inMiniStream);
    ByteMutation::SetI32(file, layout.FatEntryOffset(stream.sectors[3]), layout.pastEnd);
    ByteMutation::SetI32(file, layout.FatEntryOffset(layout.pastEnd), stream.sectors[4]);

    const CRepairReport report = ReportOfFile(file);

    const auto pastEnd = static_cast<std::uint32_t>(layout.pastEnd);
    EXPECT_EQ(report.skippedSectors, std::vector<std::uint32_t>{pastEnd});
    EXPECT_EQ(report.skippedSectorsTotal, 1u);
    EXPECT_TRUE(report.skippedMiniSectors.empty());
    EXPECT_FALSE(report.chainCut.has_value());
    // The copy with its gap is dropped; the stream rebuilt from the sectors,
    // in file order, is read instead.
    ASSERT_EQ(report.reassembledFrom.size(), 1u);
    EXPECT_EQ(report.reassembledFrom[0].first, static_cast<std::uint32_t>(stream.sectors[0]));
    const std::string json = CRepairReportJson::Write(report);
    for (const std::string& part :
         {"\"skipped_sectors\": [" + std::to_string(pastEnd) + "]",
          std::string("\"skipped_sectors_total\": 1"), std::string("\"chain_cut\": null"),
          std::string("\"stream\": \"reassembled\""),
          "\"reassembled_from\": [{\"first\": " + std::to_string(stream.sectors[0])})
        EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;

    testsupport::ScopedTempDir temp;
    const fs::path written = temp.Path() / "report.json";
    ASSERT_TRUE(testsupport::WriteFileBytes(written, Bytes(json.begin(), json.end())));
    const std::string command = "/usr/bin/python3 " MENDWELL_REPORT_CHECKER
                                " " MENDWELL_REPORT_SCHEMA " '" +
                                written.string() + "'";
    const int status = std::system(command.c_str());
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "python3-jsonschema is not installed";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << json;
}

TEST(CRepairReportJson, WritesAddressesAndEscapesTexts) {
    EXPECT_EQ(CRepairReportJson::Address({0, 0}), "A1");
    EXPECT_EQ(CRepairReportJson::Address({9, 25}), "Z10");
    EXPECT_EQ(CRepairReportJson::Address({0, 26}), "AA1");
    EXPECT_EQ(CRepairReportJson::Address({65535, 255}), "IV65536");

    CRepairReport report;
    report.source = "dir/a\"b\x01\xFF.xls";
    report.outcome = EReportOutcome::Partial;
    CReportWorkbook workbook;
    CReportSheet sheet;
    sheet.name = u"Q1 \u00e9";
    sheet.formulasAsValues.push_back({{2, 1}, "data table"});
    sheet.brokenTexts.push_back({1, 2});
    workbook.sheets.push_back(sheet);
    report.workbooks.push_back(workbook);
    const std::string json = CRepairReportJson::Write(report);
    for (const char* part :
         {"\"path\": \"dir/a\\\"b\\u0001\xEF\xBF\xBD.xls\"", "\"name\": \"Q1 \xC3\xA9\"",
          "\"name_invented\": false", "{\"cell\": \"B3\", \"reason\": \"data table\"}",
          "\"area\": null", "\"name_broken\": false", "\"broken_text_cells\": [\"C2\"]",
          "\"sheets_with_broken_name\": 0", "\"outcome\": \"partial\"", "\"save\": null",
          "\"version\": 1"}) {
        EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;
    }
}
