// The sub-commands of mendwell-cli. Each takes its own arguments (after the
// command name) and returns the process exit status.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Exit statuses shared by every command (documented in the man page).
enum ECliExit : int {
    ExitOk = 0,
    ExitFailed = 1,
    ExitUsage = 64,
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
