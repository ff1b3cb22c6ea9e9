// mendwell-cli dump: the recovered cells of the project's damaged sample in
// the reference dump form, the sheet and formula options, and the exit
// status of repairs that fail and of wrong usage.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "biff/tests/support/BiffWriter.h"
#include "cli/tests/CliRun.h"
#include "compound/tests/support/CompoundFileBuilder.h"
#include "tools/samples/SampleWorkbook.h"

using clitest::RunCli;
using testsupport::ScopedTempDir;

namespace {

class CommandDumpTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::filesystem::path path = temp.Path() / name;
        EXPECT_TRUE(testsupport::WriteFileBytes(path, bytes));
        return path.string();
    }
    bool Has(const clitest::CliResult& result, const std::string& line) {
        const std::vector<std::string> lines = result.Lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    ScopedTempDir temp;
};

}  // namespace

TEST_F(CommandDumpTest, TheDamagedSampleGivesEveryCell) {
    const auto result =
        RunCli({"dump", Write("damaged.xls", BuildDamagedSampleFile())}, temp.Path());
    EXPECT_EQ(result.status, 0);
    // 20 cells on "Sales", 8 on "Notes"; nothing but the repair's own
    // messages on standard error when it is not a terminal.
    EXPECT_EQ(result.Lines().size(), 28u);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.Lines().front(), "0\tSales\t0\t0\ttext\tRegion");
    EXPECT_TRUE(Has(result, "0\tSales\t1\t1\tnumber\t1250.5"));
    EXPECT_TRUE(Has(result, "0\tSales\t1\t2\tnumber\t1320.0"));
    EXPECT_TRUE(Has(result, "0\tSales\t4\t3\tformula-number\t1780.75"));
    EXPECT_TRUE(Has(result, "1\tNotes\t0\t1\ttext\tRecovered by Mendwell: café, naïve, über"));
    EXPECT_TRUE(Has(result, "1\tNotes\t1\t1\tbool\tTRUE"));
    EXPECT_TRUE(Has(result, "1\tNotes\t2\t1\terror\t#DIV/0!"));
    EXPECT_TRUE(Has(result, "1\tNotes\t3\t1\tdate\t46363.0"));
}

TEST_F(CommandDumpTest, AnIntactCompoundFileGivesTheSameCells) {
    CompoundFileBuilder builder;
    builder.AddStream(u"Workbook", BuildSampleWorkbookStream());
    const auto intact = RunCli({"dump", Write("intact.xls", builder.Build())}, temp.Path());
    const auto damaged =
        RunCli({"dump", Write("damaged.xls", BuildDamagedSampleFile())}, temp.Path());
    EXPECT_EQ(intact.status, 0);
    EXPECT_EQ(intact.out, damaged.out);
}

TEST_F(CommandDumpTest, OneSheetByName) {
    const auto result = RunCli(
        {"dump", "--sheet", "Notes", Write("damaged.xls", BuildDamagedSampleFile())}, temp.Path());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.Lines().size(), 8u);
    for (const std::string& line : result.Lines()) EXPECT_EQ(line.rfind("1\tNotes\t", 0), 0u);
}

TEST_F(CommandDumpTest, ASheetThatWasNotRecoveredFails) {
    const auto result =
        RunCli({"dump", "--sheet", "Missing", Write("damaged.xls", BuildDamagedSampleFile())},
               temp.Path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("no sheet named 'Missing'"), std::string::npos);
}

TEST_F(CommandDumpTest, FormulaTextsInsteadOfCachedValues) {
    const auto result =
        RunCli({"dump", "--formulas", Write("damaged.xls", BuildDamagedSampleFile())}, temp.Path());
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(Has(result, "0\tSales\t1\t3\tformula-number\t=B2+C2"));
    EXPECT_TRUE(Has(result, "0\tSales\t4\t3\tformula-number\t=B5+C5"));
    // Constants keep their values.
    EXPECT_TRUE(Has(result, "0\tSales\t1\t1\tnumber\t1250.5"));
}

TEST_F(CommandDumpTest, AFileWithNothingToRecoverFails) {
    const std::string text = "Region,Q1\nNorth,1250.5\n";
    const auto result =
        RunCli({"dump", Write("table.xls", std::vector<std::uint8_t>(text.begin(), text.end()))},
               temp.Path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("the repair of"), std::string::npos);
}

TEST_F(CommandDumpTest, AMissingFileFails) {
    const auto result = RunCli({"dump", (temp.Path() / "absent.xls").string()}, temp.Path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
}

TEST_F(CommandDumpTest, WrongUsage) {
    EXPECT_EQ(RunCli({"dump"}, temp.Path()).status, 64);
    EXPECT_EQ(RunCli({"dump", "--sheet"}, temp.Path()).status, 64);
    EXPECT_EQ(RunCli({"dump", "--verbose", "a.xls"}, temp.Path()).status, 64);
    EXPECT_EQ(RunCli({"dump", "a.xls", "b.xls"}, temp.Path()).status, 64);
}
