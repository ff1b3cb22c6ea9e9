// mendwell-cli info: what the repair saw, for a damaged compound file that
// is scanned raw and for an intact one whose stream is extracted.
#include <gtest/gtest.h>

#include <string>

#include "biff/tests/support/BiffWriter.h"
#include "cli/tests/CliRun.h"
#include "compound/tests/support/CompoundFileBuilder.h"
#include "tools/samples/SampleWorkbook.h"

using clitest::RunCli;
using testsupport::ScopedTempDir;

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(CommandInfo, ADamagedCompoundFileIsRebuiltFromItsSectors) {
    ScopedTempDir temp;
    const auto path = temp.Path() / "damaged.xls";
    ASSERT_TRUE(testsupport::WriteFileBytes(path, BuildDamagedSampleFile()));
    const auto result = RunCli({"info", path.string()}, temp.Path());
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(Contains(result.out, "compound file: ErrFatSector\n")) << result.out;
    EXPECT_TRUE(Contains(result.out,
                         "workbook stream: rebuilt from the file's sectors; raw file scanned, "
                         "kept the rebuilt stream"))
        << result.out;
    EXPECT_TRUE(Contains(result.out, "scanned: the rebuilt Workbook stream\n"));
    EXPECT_TRUE(Contains(result.out, "substreams: 3\n"));
    EXPECT_TRUE(Contains(result.out, "Workbook globals\n"));
    EXPECT_TRUE(Contains(result.out, "      0 \"Sales\" worksheet\n"));
    EXPECT_TRUE(Contains(result.out, "    sheet 0 \"Sales\" at 0x"));
    EXPECT_TRUE(Contains(result.out, ": 20 cells\n"));
    EXPECT_TRUE(Contains(result.out, "    sheet 1 \"Notes\" at 0x"));
    EXPECT_TRUE(Contains(result.out, "NUMBER 4, RK 4, LABELSST 8,"));
    EXPECT_TRUE(Contains(result.out,
                         "repair counters: text cells 24, formula cells 4, numeric cells 9, "
                         "other cells 1, sheets 2, charts 0, pictures 0\n"));
    EXPECT_TRUE(Contains(result.out, "repair: succeeded\n"));
}

TEST(CommandInfo, AnIntactCompoundFileIsExtracted) {
    ScopedTempDir temp;
    CompoundFileBuilder builder;
    builder.AddStream(u"Workbook", BuildSampleWorkbookStream());
    const auto path = temp.Path() / "intact.xls";
    ASSERT_TRUE(testsupport::WriteFileBytes(path, builder.Build()));
    const auto result = RunCli({"info", path.string()}, temp.Path());
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(Contains(result.out, "compound file: none\nheader conditions failed: none\n"))
        << result.out;
    EXPECT_TRUE(Contains(result.out, "workbook stream copy: used\n"));
    EXPECT_TRUE(Contains(result.out, "scanned: the extracted Workbook stream\n"));
    EXPECT_TRUE(Contains(result.out, "  0x00000000-0x"));
    // The temporary copy goes with the model when the command ends.
    const std::vector<std::string> left = {"intact.xls", "stderr.txt"};
    EXPECT_EQ(temp.Entries(), left);
}

TEST(CommandInfo, AFileWithNothingToRecoverSaysWhy) {
    ScopedTempDir temp;
    const auto path = temp.Path() / "page.xls";
    const std::string html = "<html><body><table><tr><td>1</td></tr></table></body></html>\n";
    ASSERT_TRUE(testsupport::WriteFileBytes(path, {html.begin(), html.end()}));
    const auto result = RunCli({"info", path.string()}, temp.Path());
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(Contains(result.out, "repair: failed, nothing recovered (html)\n")) << result.out;
    EXPECT_NE(result.err, "");
}

TEST(CommandInfo, WrongUsage) {
    ScopedTempDir temp;
    EXPECT_EQ(RunCli({"info"}, temp.Path()).status, 64);
    EXPECT_EQ(RunCli({"info", "a.xls", "b.xls"}, temp.Path()).status, 64);
}
