// Corpus workbooks that once lost cells to a decoding fault, repaired as the
// worker does and checked cell by cell against their reference dumps:
//   edr-Test_git_issue_532_mulcells  RK numbers with the divide-by-100 flag
//   poi-28772, poi-ex42564-21435     BIFF8 BOF records with an 8-byte body
//   roo-boolean                      BOOLERR records with a padding byte
// and the Excel 5.0/95 "Book" streams that some of them hold beside their
// Workbook stream, read on their own. Skips when ../shared is absent.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "biff/tests/support/BiffWriter.h"
#include "biff/tests/support/CorpusFiles.h"
#include "compound/CInterfaceOle.h"
#include "compound/tests/support/CompoundFileBuilder.h"
#include "model/CExcelData.h"
#include "platform/RunState.h"
#include "platform/ScopedMessageCapture.h"
#include "repair/CCellDumpWriter.h"
#include "repair/RepairFile.h"

namespace {

namespace fs = std::filesystem;

using Cell = corpus::DumpRow;
using Dump = corpus::DumpCells;

bool IsNumber(const std::string& type) {
    return type == "number" || type == "date" || type == "formula-number" || type == "formula-date";
}

// Numbers agree as doubles, bit for bit (a date is its serial number);
// anything else by type and text.
bool Agrees(const Cell& truth, const Cell& ours) {
    if (IsNumber(truth.type))
        return IsNumber(ours.type) && std::strtod(truth.value.c_str(), nullptr) ==
                                          std::strtod(ours.value.c_str(), nullptr);
    return truth.type == ours.type && truth.value == ours.value;
}

struct Outcome {
    bool succeeded = false;
    std::size_t cells = 0;   // in the reference dump
    std::size_t agreed = 0;  // recovered with the same value
    std::vector<std::string> differing;
};

// source: the corpus file itself unless given.
Outcome RepairAndCompare(const fs::path& shared, const std::string& name, fs::path source = {}) {
    if (source.empty()) source = shared / "corpus" / "xls" / (name + ".xls");
    const Dump truth =
        corpus::ParseDumpCells(corpus::ReadAll(shared / "corpus" / "truth" / (name + ".tsv")));

    ResetRepairCounters();
    StopRequested.store(0);
    ScopedMessageCapture messages;
    CExcelData data;
    data.SetSourcePath(source);
    Outcome outcome;
    outcome.succeeded = RepairFile(&data);
    std::ostringstream dump;
    if (outcome.succeeded) CCellDumpWriter(dump).Write(data);
    const Dump ours = corpus::ParseDumpCells(dump.str());

    for (const auto& [key, cell] : truth) {
        ++outcome.cells;
        const auto found = ours.find(key);
        if (found != ours.end() && Agrees(cell, found->second)) {
            ++outcome.agreed;
        } else if (outcome.differing.size() < 8) {
            outcome.differing.push_back(std::get<0>(key) + "!" + std::to_string(std::get<1>(key)) +
                                        "," + std::to_string(std::get<2>(key)) + " " + cell.type +
                                        " " + cell.value + " got " +
                                        (found == ours.end() ? "nothing" : found->second.value));
        }
    }
    return outcome;
}

void ExpectEveryCell(const fs::path& shared, const std::string& name, std::size_t cells) {
    SCOPED_TRACE(name);
    const Outcome outcome = RepairAndCompare(shared, name);
    EXPECT_TRUE(outcome.succeeded);
    EXPECT_EQ(outcome.cells, cells);  // the reference is the one these figures were taken from
    EXPECT_EQ(outcome.agreed, outcome.cells);
    for (const std::string& line : outcome.differing) ADD_FAILURE() << line;
}

}  // namespace

TEST(CorpusRecoveryFixes, RkHundredthsReadBackAsTheTypedNumbers) {
    MENDWELL_REQUIRE_SHARED(shared);
    // 6,273 of its RK cells carry the divide-by-100 flag.
    ExpectEveryCell(shared, "edr-Test_git_issue_532_mulcells", 41683);
}

TEST(CorpusRecoveryFixes, StreamsWithEightByteBofsGiveTheirSheets) {
    MENDWELL_REQUIRE_SHARED(shared);
    ExpectEveryCell(shared, "poi-28772", 488);
    ExpectEveryCell(shared, "poi-ex42564-21435", 104);
}

TEST(CorpusRecoveryFixes, ExcelNinetyFiveBookStreamsGiveTheCellsOfTheirWorkbook) {
    MENDWELL_REQUIRE_SHARED(shared);
    // Their Book streams hold the cells of their Workbook streams; one of
    // them keeps its texts past ASCII as UTF-16 under code page 1200.
    const struct {
        const char* name;
        std::size_t cells;
    } files[] = {{"gnumeric-chitest", 238},
                 {"gnumeric-formats", 4092},
                 {"gnumeric-ttest", 728},
                 {"edr-Test_git_issue_532_mulcells", 41683}};
    const fs::path folder = fs::temp_directory_path() / "mendwell-book-streams";
    fs::create_directories(folder);
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const fs::path bare = folder / (std::string(file.name) + ".book");
        CInterfaceOle ole;
        ole.SetFileNameSrc(shared / "corpus" / "xls" / (std::string(file.name) + ".xls"));
        ole.ParseFile();
        ASSERT_EQ(ole.CopyStream(u"Book", bare), 0);
        CompoundFileBuilder builder;
        builder.AddStream(u"Book", testsupport::ReadFileBytes(bare));
        const fs::path compound = folder / (std::string(file.name) + ".xls");
        ASSERT_TRUE(testsupport::WriteFileBytes(compound, builder.Build()));
        for (const fs::path& source : {bare, compound}) {
            const Outcome outcome = RepairAndCompare(shared, file.name, source);
            EXPECT_TRUE(outcome.succeeded);
            EXPECT_EQ(outcome.cells, file.cells);
            EXPECT_EQ(outcome.agreed, outcome.cells) << source;
            for (const std::string& line : outcome.differing) ADD_FAILURE() << line;
        }
    }
    fs::remove_all(folder);
}

TEST(CorpusRecoveryFixes, PaddedBoolErrRecordsGiveTheirBooleans) {
    MENDWELL_REQUIRE_SHARED(shared);
    ExpectEveryCell(shared, "roo-boolean", 2);
}
