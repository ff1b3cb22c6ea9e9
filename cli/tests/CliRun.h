// Runs the built mendwell-cli with arguments and collects what it printed
// and how it ended, for the command tests.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace clitest {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;

    // The lines of standard output, without their line feeds.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::string::size_type from = 0;
        while (from < out.size()) {
            auto end = out.find('\n', from);
            if (end == std::string::npos) end = out.size();
            lines.push_back(out.substr(from, end - from));
            from = end + 1;
        }
        return lines;
    }
};

inline std::string ReadText(const std::filesystem::path& path) {
    std::string text;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
        std::fclose(file);
    }
    return text;
}

// Arguments are quoted for the shell; standard error goes to a file of the
// scratch folder (not a terminal, so no progress line is expected there).
// launcher, when given, is a command line the tool is started through.
inline CliResult RunCli(const std::vector<std::string>& args, const std::filesystem::path& scratch,
                        const std::string& launcher = {}) {
    std::string command = launcher + "'" + MENDWELL_CLI + "'";
    for (const std::string& arg : args) {
        command += " '";
        for (const char c : arg) command += c == '\'' ? std::string("'\\''") : std::string(1, c);
        command += "'";
    }
    const std::filesystem::path errPath = scratch / "stderr.txt";
    command += " 2>'" + errPath.string() + "'";
    CliResult result;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, n);
        const int raw = pclose(pipe);
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    result.err = ReadText(errPath);
    return result;
}

}  // namespace clitest
