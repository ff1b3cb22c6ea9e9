// mendwell-cli: the repair pipeline from a terminal, without a display.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliCommand.h"

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
    {"info", "FILE.xls",
     "repair FILE and report the damage, the substreams, sheets and counts it found", RunInfo},
};

void PrintUsage(std::FILE* to) {
    std::fprintf(to, "Usage: mendwell-cli COMMAND [ARGUMENTS]\n\nCommands:\n");
    for (const CliCommand& command : kCommands)
        std::fprintf(to, "  %.*s %.*s\n      %.*s\n", static_cast<int>(command.name.size()),
                     command.name.data(), static_cast<int>(command.arguments.size()),
                     command.arguments.data(), static_cast<int>(command.summary.size()),
                     command.summary.data());
    std::fprintf(to, "\n  --help     show this text\n  --version  show the version\n");
}

}  // namespace

int main(int argc, char** argv) {
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
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const CliCommand& command : kCommands)
        if (command.name == first) return command.run(args);
    std::fprintf(stderr, "mendwell-cli: unknown command '%s'\n\n", first.c_str());
    PrintUsage(stderr);
    return ExitUsage;
}
