// The sub-commands of mendwell-cli. Each takes its own arguments (after the
// command name) and returns the process exit status.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Exit statuses shared by every command (documented in the man page).
// The numbers from 64 on are the ones sysexits.h gives these conditions.
enum ECliExit : int {
    ExitOk = 0,
    ExitFailed = 1,           // some file was not saved (dump, info: nothing recovered)
    ExitNothingRepaired = 2,  // repair, batch: no file gave a workbook
    ExitUsage = 64,
    ExitNoInput = 66,       // a source file is missing or not a regular file
    ExitCannotCreate = 73,  // the destination cannot be created or written
    ExitInterrupted = 130,  // repair, batch: stopped by Ctrl-C or SIGTERM
};

struct CliCommand {
    std::string_view name;
    std::string_view arguments;  // shown in the usage line
    std::string_view summary;
    int (*run)(const std::vector<std::string>& args);
};

int RunExtract(const std::vector<std::string>& args);
int RunDump(const std::vector<std::string>& args);
int RunInfo(const std::vector<std::string>& args);
int RunRepair(const std::vector<std::string>& args);
int RunBatch(const std::vector<std::string>& args);
