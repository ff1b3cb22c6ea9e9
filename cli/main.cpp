// mendwell-cli: the repair pipeline from a terminal, without a display.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliSaveOptions.h"
#include "platform/ProcessHeap.h"
#include "server/automation/CXlsApplicationServer.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#ifndef MENDWELL_VERSION
#define MENDWELL_VERSION "0.0.0"
#endif

namespace {

constexpr CliCommand kCommands[] = {
    {"extract", "SOURCE.xls OUTPUT",
     "read the compound file, report its damage and copy the Workbook stream to OUTPUT",
     RunExtract},
    {"dump", "[--sheet NAME] [--formulas] FILE.xls",
     "repair FILE and print every recovered cell: sheet, name, row, column, type, value", RunDump},
    {"info", "[--json] FILE.xls",
     "repair FILE and report the damage, the substreams, sheets and counts it found\n"
     "      (--json: the repair report, as docs/report.md describes it)",
     RunInfo},
    {"repair", "[OPTIONS] SOURCE.xls [-o DEST.xls] [--report FILE|-]",
     "repair SOURCE and save it as DEST (default: beside it, the suffix setting in its name)\n"
     "      (--report: write the repair report as JSON to FILE, or - for standard output)",
     RunRepair},
    {"batch", "--dest FOLDER [OPTIONS] [--jobs N] [--report FOLDER] SOURCE.xls...",
     "repair and save each SOURCE into FOLDER (made when missing), a result line each\n"
     "      (--jobs: files repaired at once, one per core when not given;\n"
     "      --report: each file's repair report as JSON into that folder)",
     RunBatch},
};

struct ExitStatusText {
    ECliExit status;
    const char* meaning;
};

constexpr ExitStatusText kExitStatuses[] = {
    {ExitOk, "every file was saved (dump, info, extract: the command succeeded)"},
    {ExitFailed, "some file was not saved (dump, info, extract: the command failed)"},
    {ExitNothingRepaired, "repair, batch: nothing could be repaired from any file"},
    {ExitUsage, "wrong arguments, or a destination that is the source itself"},
    {ExitNoInput, "a source file is missing, a folder, or unreadable"},
    {ExitCannotCreate, "the destination or its folder cannot be created or written"},
    {ExitInterrupted, "repair, batch: stopped by Ctrl-C; files not yet saved were left alone"},
};

void PrintUsage(std::FILE* to) {
    std::fprintf(to, "Usage: mendwell-cli COMMAND [ARGUMENTS]\n\nCommands:\n");
    for (const CliCommand& command : kCommands)
        std::fprintf(to, "  %.*s %.*s\n      %.*s\n", static_cast<int>(command.name.size()),
                     command.name.data(), static_cast<int>(command.arguments.size()),
                     command.arguments.data(), static_cast<int>(command.summary.size()),
                     command.summary.data());
    std::fprintf(to, "\nOptions of repair and batch (each leaves one kind of content out):\n");
    for (const CliSaveSwitch& entry : CliSaveSwitches())
        std::fprintf(to, "  %-14.*s%.*s\n", static_cast<int>(entry.name.size()), entry.name.data(),
                     static_cast<int>(entry.what.size()), entry.what.data());
    std::fprintf(to, "\n  --help     show this text\n  --version  show the version\n");
    std::fprintf(to, "\nExit status:\n");
    for (const ExitStatusText& entry : kExitStatuses)
        std::fprintf(to, "  %3d  %s\n", static_cast<int>(entry.status), entry.meaning);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef __GLIBC__
    // The repair, its report and the save run one after another, each on a
    // thread of its own. With one heap for all of them the save reuses the
    // memory the report's formula texts leave as they are written, instead
    // of growing a heap of its own beside it. A batch runs each file in a
    // process of its own, so no two jobs share this heap.
    mallopt(M_ARENA_MAX, 1);
#endif
    KeepLargeBlocksApart();
    if (argc < 2) {
        PrintUsage(stderr);
        return ExitUsage;
    }
    const std::string first = argv[1];
    if (first == "--help" || first == "-h") {
        PrintUsage(stdout);
        return ExitOk;
    }
    if (first == "--version") {
        std::printf("mendwell-cli %s\n", MENDWELL_VERSION);
        return ExitOk;
    }
    // The save looks "Excel.Application" up in the registry when it starts
    // its server: ours must be there before any command runs.
    CXlsApplicationServer::Register();
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const CliCommand& command : kCommands)
        if (command.name == first) return command.run(args);
    std::fprintf(stderr, "mendwell-cli: unknown command '%s'\n\n", first.c_str());
    PrintUsage(stderr);
    return ExitUsage;
}
