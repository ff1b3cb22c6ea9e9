// mendwell-cli repair: the single-file job from a terminal. Repairs one file
// as the desktop program does, then saves the recovered workbook through
// the save worker to the destination (by default the source's name with
// the suffix setting, next to it) and prints one result line.
#include <cstdio>
#include <filesystem>

#include "cli/CCliConsole.h"
#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "cli/CliInterrupt.h"
#include "cli/CliRepair.h"
#include "cli/CliReport.h"
#include "cli/CliSave.h"
#include "cli/CliSaveOptions.h"
#include "model/CExcelData.h"
#include "model/CSaveOption.h"
#include "repair/CRepairReportBuilder.h"
#include "repair/CRepairTrace.h"
#include "save/CSaveFileNames.h"

namespace {

constexpr char kUsage[] =
    "Usage: mendwell-cli repair [OPTIONS] SOURCE.xls [-o DEST.xls] [--report FILE|-]\n"
    "(mendwell-cli --help lists the options)\n";

struct RepairArguments {
    std::filesystem::path source;
    std::filesystem::path destination;  // empty: the default name
    std::filesystem::path report;       // empty: none; "-": standard output
    CSaveOption options{CSaveOption::All};
};

bool ParseArguments(const std::vector<std::string>& args, RepairArguments& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-o" || arg == "--output") {
            if (i + 1 >= args.size() || !parsed.destination.empty() || args[i + 1].empty())
                return false;
            parsed.destination = args[++i];
        } else if (arg == "--report") {
            if (i + 1 >= args.size() || !parsed.report.empty() || args[i + 1].empty()) return false;
            parsed.report = args[++i];
        } else if (ApplyCliSaveSwitch(arg, parsed.options)) {
            continue;
        } else if (arg.starts_with("-") || !parsed.source.empty()) {
            return false;
        } else {
            parsed.source = arg;
        }
    }
    return !parsed.source.empty();
}

// Exit status for a destination we may not write, after saying why; ExitOk
// when it can be written.
int CheckDestination(const std::filesystem::path& source,
                     const std::filesystem::path& destination) {
    if (IsSameFile(source, destination)) {
        std::fprintf(stderr,
                     "mendwell-cli: the destination '%s' is the source file itself; the source "
                     "is left as it is (name another destination with -o)\n",
                     destination.c_str());
        return ExitUsage;
    }
    std::error_code ec;
    if (std::filesystem::is_directory(destination, ec)) {
        std::fprintf(stderr, "mendwell-cli: the destination '%s' is a folder\n",
                     destination.c_str());
        return ExitCannotCreate;
    }
    const std::filesystem::path folder =
        destination.has_parent_path() ? destination.parent_path() : std::filesystem::path(".");
    if (!CanWriteInto(folder)) {
        std::fprintf(stderr,
                     "mendwell-cli: cannot write '%s': the folder '%s' is missing or not "
                     "writable\n",
                     destination.c_str(), folder.c_str());
        return ExitCannotCreate;
    }
    return ExitOk;
}

}  // namespace

int RunRepair(const std::vector<std::string>& args) {
    RepairArguments parsed;
    if (!ParseArguments(args, parsed)) {
        std::fputs(kUsage, stderr);
        return ExitUsage;
    }
    if (!CheckSourceFile(parsed.source)) return ExitNoInput;
    std::filesystem::path destination = parsed.destination;
    if (destination.empty()) {
        destination = CSaveFileNames::MakeDefaultDestinationName(parsed.source);
        if (destination.empty()) {
            std::fprintf(stderr, "mendwell-cli: no free destination name beside '%s'\n",
                         parsed.source.c_str());
            return ExitCannotCreate;
        }
    }
    if (const int status = CheckDestination(parsed.source, destination); status != ExitOk)
        return status;

    InstallInterruptStop();
    CCliConsole console;
    CExcelData data;
    CRepairTrace trace;
    const bool repaired = RunCliRepair(parsed.source, data, &trace);
    if (WasInterrupted()) return ReportInterrupted();
    CRepairReport report = CRepairReportBuilder::Build(data, trace, repaired);
    // With the report on standard output, the report is the only thing
    // printed there.
    const bool resultLine = parsed.report != "-";
    if (!repaired) {
        std::fprintf(stderr, "mendwell-cli: nothing could be repaired from '%s'\n",
                     parsed.source.c_str());
        if (resultLine) console.PrintResult(u"Skipped", parsed.source, destination);
        if (!WriteCliReport(report, parsed.report)) return ExitCannotCreate;
        return ExitNothingRepaired;
    }
    data.SetDestinationPath(destination);
    data.GetSaveOptions() = parsed.options;
    // Nothing reads the repaired workbook after the save: the report is made.
    data.SetReleaseWhileSaving(true);
    const std::uint32_t result = RunCliSave(data, console);
    if (result != 0 && WasInterrupted()) return ReportInterrupted();
    CRepairReportBuilder::AddSave(report, destination, result == 0, data.GetSaveRefusals());
    if (resultLine)
        console.PrintResult(result == 0 ? u"Saved" : u"Skipped", parsed.source, destination);
    PrintCliReportSummary(report);
    if (!WriteCliReport(report, parsed.report)) return ExitCannotCreate;
    return result == 0 ? ExitOk : ExitFailed;
}
