// mendwell-cli repair: the single-file repair and save from a terminal, its
// refusals before any work, and what the saved workbook holds.
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include "cli/tests/CliSaveFixture.h"

using clitest::CliSaveTest;
using clitest::Contains;
using testsupport::ReadFileBytes;
using testsupport::ScopedEnv;

namespace {

using RepairCommand = CliSaveTest;

// The schema checker's status when python3-jsonschema is missing.
constexpr int kNoSchemaChecker = 77;

struct CommandOutput {
    int status = -1;
    std::string text;  // standard output and error
};

CommandOutput RunCommand(const std::string& command) {
    CommandOutput output;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return output;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.text.append(buffer, n);
    const int status = ::pclose(pipe);
    output.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
}

// --- the help and the usage errors ---

TEST_F(RepairCommand, HelpAndVersionNeedNoDisplay) {
    ScopedEnv display("DISPLAY", std::nullopt);
    ScopedEnv wayland("WAYLAND_DISPLAY", std::nullopt);
    const auto help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(
        Contains(help.out, "  repair [OPTIONS] SOURCE.xls [-o DEST.xls] [--report FILE|-]\n"))
        << help.out;
    EXPECT_TRUE(Contains(
        help.out, "  batch --dest FOLDER [OPTIONS] [--jobs N] [--report FOLDER] SOURCE.xls...\n"));
    EXPECT_TRUE(Contains(help.out, "  --no-text "));
    for (const char* status : {"    0  ", "    1  ", "    2  ", "   64  ", "   66  ", "   73  "})
        EXPECT_TRUE(Contains(help.out, status)) << status;
    const auto version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.starts_with("mendwell-cli ")) << version.out;
}

TEST_F(RepairCommand, WrongArgumentsAreUsageErrors) {
    const std::string source = Sample().string();
    EXPECT_EQ(Run({"repair"}).status, 64);
    EXPECT_EQ(Run({"repair", source, source}).status, 64);
    EXPECT_EQ(Run({"repair", source, "-o"}).status, 64);
    EXPECT_EQ(Run({"repair", source, "-o", "a.xls", "-o", "b.xls"}).status, 64);
    EXPECT_EQ(Run({"repair", "--no-pictures", source}).status, 64);
    EXPECT_EQ(Run({"repair", "-o", (Dir() / "out.xls").string()}).status, 64);
    EXPECT_FALSE(std::filesystem::exists(Dir() / "out.xls"));
}

// --- refusals: nothing is read or written ---

TEST_F(RepairCommand, AMissingSourceIsNamed) {
    const auto result = Run({"repair", (Dir() / "gone.xls").string()});
    EXPECT_EQ(result.status, 66);
    EXPECT_TRUE(Contains(result.err, "gone.xls' does not exist")) << result.err;
    EXPECT_EQ(result.out, "");
}

TEST_F(RepairCommand, AFolderIsNoSourceFile) {
    const auto result = Run({"repair", Dir().string(), "-o", (Dir() / "out.xls").string()});
    EXPECT_EQ(result.status, 66);
    EXPECT_TRUE(Contains(result.err, "is a folder, not a file")) << result.err;
    EXPECT_FALSE(std::filesystem::exists(Dir() / "out.xls"));
}

TEST_F(RepairCommand, TheSourceIsNeverItsOwnDestination) {
    const auto before = ReadFileBytes(Sample());
    std::filesystem::create_directory(Dir() / "sub");
    std::filesystem::create_hard_link(Sample(), Dir() / "link.xls");
    std::filesystem::create_symlink(Sample(), Dir() / "symlink.xls");
    for (const std::filesystem::path& same : {Sample(), Dir() / "sub" / ".." / "damaged.xls",
                                              Dir() / "link.xls", Dir() / "symlink.xls"}) {
        const auto result = Run({"repair", Sample().string(), "-o", same.string()});
        EXPECT_EQ(result.status, 64) << same;
        EXPECT_TRUE(Contains(result.err, "is the source file itself")) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(ReadFileBytes(Sample()), before);
}

TEST_F(RepairCommand, ADestinationInAMissingFolderCannotBeCreated) {
    const auto result =
        Run({"repair", Sample().string(), "-o", (Dir() / "none" / "out.xls").string()});
    EXPECT_EQ(result.status, 73);
    EXPECT_TRUE(Contains(result.err, "missing or not writable")) << result.err;
    EXPECT_FALSE(std::filesystem::exists(Dir() / "none"));
}

TEST_F(RepairCommand, ADestinationInAReadOnlyFolderCannotBeWritten) {
    const auto locked = Dir() / "locked";
    std::filesystem::create_directory(locked);
    ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);
    const auto result =
        RunUnprivileged({"repair", Sample().string(), "-o", (locked / "out.xls").string()});
    ::chmod(locked.c_str(), 0755);
    EXPECT_EQ(result.status, 73) << result.err;
    EXPECT_FALSE(std::filesystem::exists(locked / "out.xls"));
}

TEST_F(RepairCommand, ADestinationThatIsAFolderIsRefused) {
    std::filesystem::create_directory(Dir() / "out.xls");
    EXPECT_EQ(Run({"repair", Sample().string(), "-o", (Dir() / "out.xls").string()}).status, 73);
}

// --- the repair and the save ---

TEST_F(RepairCommand, ASourceWithNothingToRepairIsNotSaved) {
    const auto out = Dir() / "out.xls";
    const auto result = Run({"repair", Junk().string(), "-o", out.string()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "Skipped\t" + Junk().string() + "\t" + out.string() + "\n");
    EXPECT_TRUE(Contains(result.err, "nothing could be repaired")) << result.err;
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(RepairCommand, TheReportGoesToAFileOrAloneToStandardOutput) {
    const auto out = Dir() / "repaired.xls";
    const auto saved = Run({"repair", Sample().string(), "-o", out.string(), "--report", "-"});
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_TRUE(saved.out.starts_with("{\"report\": ")) << saved.out;
    // The sample's FAT is unusable: its stream is rebuilt from the sectors.
    for (const std::string& part :
         {"\"destination\": \"" + out.string() + "\", \"saved\": true",
          std::string("\"name\": \"Sales\""), std::string("\"stream\": \"reassembled\"")})
        EXPECT_TRUE(Contains(saved.out, part)) << part << "\n" << saved.out;

    const auto report = Dir() / "junk.json";
    const auto failed =
        Run({"repair", Junk().string(), "-o", out.string(), "--report", report.string()});
    EXPECT_EQ(failed.status, 2);
    const auto bytes = ReadFileBytes(report);
    EXPECT_TRUE(Contains(std::string(bytes.begin(), bytes.end()), "\"outcome\": \"failed\""));

    // batch: one report per file begun, named after its destination.
    const auto reports = Dir() / "reports";
    const auto batch = Run({"batch", "--dest", (Dir() / "out").string(), "--report",
                            reports.string(), Sample().string(), Junk().string()});
    EXPECT_EQ(batch.status, 1) << batch.err;
    std::vector<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(reports))
        written.push_back(entry.path().extension().string());
    EXPECT_EQ(written, (std::vector<std::string>{".json", ".json"}));

    // Every report above, saved, failed and from the job, holds to the
    // documented schema.
    const auto toStdout = Dir() / "stdout.json";
    testsupport::WriteFileBytes(toStdout, {saved.out.begin(), saved.out.end()});
    std::string command = "/usr/bin/python3 " MENDWELL_REPORT_CHECKER " " MENDWELL_REPORT_SCHEMA;
    for (const auto& path : {toStdout, report}) command += " '" + path.string() + "'";
    for (const auto& entry : std::filesystem::directory_iterator(reports))
        command += " '" + entry.path().string() + "'";
    const CommandOutput check = RunCommand(command);
    if (check.status == kNoSchemaChecker) GTEST_SKIP() << "python3-jsonschema is not installed";
    EXPECT_EQ(check.status, 0) << check.text;
}

TEST_F(RepairCommand, TheSavedSampleReadsBackWithTheSameCells) {
    const auto out = Dir() / "repaired.xls";
    const auto result = Run({"repair", Sample().string(), "-o", out.string()});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Saved\t" + Sample().string() + "\t" + out.string() + "\n");
    const std::string cells = Cells(Sample());
    ASSERT_TRUE(Contains(cells, "0\tSales\t1\t3\tformula-number\t2570.5\n")) << cells;
    EXPECT_EQ(Cells(out), cells);
    // The repaired copy is an intact compound file: no raw scan needed.
    EXPECT_TRUE(Contains(Run({"info", out.string()}).out, "compound file: none\n"));
    // Standard error is a file here: no progress line in it.
    EXPECT_FALSE(Contains(result.err, "\r")) << result.err;
}

TEST_F(RepairCommand, ATerminalGetsAProgressLineAndTheResultLineStaysWhole) {
    if (std::system("command -v script >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no script(1) to give the tool a terminal";
    const auto out = Dir() / "repaired.xls";
    // script runs the tool on a pseudo-terminal and copies what it printed.
    const std::string command = "script -qec \"'" + std::string(MENDWELL_CLI) + "' repair '" +
                                Sample().string() + "' -o '" + out.string() +
                                "'\" /dev/null </dev/null";
    std::string shown;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) shown.append(buffer, n);
        EXPECT_EQ(pclose(pipe), 0);
    }
    EXPECT_TRUE(Contains(shown, "\rrepairing: 100%  sheets 2")) << shown;
    // The result line starts on a line of its own, or where the progress
    // line was erased.
    const auto at = shown.find("Saved\t" + Sample().string() + "\t" + out.string());
    ASSERT_NE(at, std::string::npos) << shown;
    const std::string before = shown.substr(0, at);
    EXPECT_TRUE(before.ends_with("\n") || before.ends_with("\r\x1b[K")) << shown;
}

TEST_F(RepairCommand, AnExistingDestinationIsReplaced) {
    const auto out = Dir() / "repaired.xls";
    ASSERT_TRUE(testsupport::WriteFileBytes(out, {1, 2, 3}));
    ASSERT_EQ(Run({"repair", Sample().string(), "-o", out.string()}).status, 0);
    EXPECT_EQ(Cells(out), Cells(Sample()));
}

TEST_F(RepairCommand, TheDefaultDestinationTakesTheSuffixSetting) {
    std::filesystem::create_directories(Dir() / "config" / "MendwellExcel");
    const std::string settings = "Suffix=-fixed\n";
    ASSERT_TRUE(testsupport::WriteFileBytes(Dir() / "config" / "MendwellExcel" / "settings.ini",
                                            {settings.begin(), settings.end()}));
    const auto result = Run({"repair", Sample().string()});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto expected = Dir() / "damaged-fixed.xls";
    EXPECT_EQ(result.out, "Saved\t" + Sample().string() + "\t" + expected.string() + "\n");
    EXPECT_TRUE(std::filesystem::is_regular_file(expected));
}

TEST_F(RepairCommand, NoTextLeavesTheTextCellsOut) {
    const auto out = Dir() / "numbers.xls";
    ASSERT_EQ(Run({"repair", "--no-text", Sample().string(), "-o", out.string()}).status, 0);
    const std::string cells = Cells(out);
    EXPECT_FALSE(Contains(cells, "\ttext\t")) << cells;
    EXPECT_TRUE(Contains(cells, "0\tSales\t1\t1\tnumber\t1250.5\n")) << cells;
    EXPECT_TRUE(Contains(cells, "1\tNotes\t1\t1\tbool\tTRUE\n")) << cells;
}

TEST_F(RepairCommand, NoNumbersAndNoFormulasLeaveThoseOut) {
    const auto out = Dir() / "texts.xls";
    ASSERT_EQ(
        Run({"repair", Sample().string(), "--no-numbers", "--no-formulas", "-o", out.string()})
            .status,
        0);
    const std::string cells = Cells(out);
    EXPECT_FALSE(Contains(cells, "\tnumber\t")) << cells;
    EXPECT_FALSE(Contains(cells, "\tformula-")) << cells;
    EXPECT_TRUE(Contains(cells, "0\tSales\t0\t0\ttext\tRegion\n")) << cells;
}

}  // namespace
