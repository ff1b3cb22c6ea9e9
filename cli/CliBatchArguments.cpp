#include "cli/CliBatchArguments.h"

#include <charconv>

#include "cli/CliSaveOptions.h"

namespace {

bool ParseJobs(const std::string& text, unsigned& jobs) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || at != end || value == 0 || value > kMaxBatchJobs) return false;
    jobs = value;
    return true;
}

// The value of an option given as "--name VALUE" or "--name=VALUE"; false
// when it is missing, empty or the option was given before.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, std::string_view name,
               bool given, std::string& value) {
    const std::string& arg = args[i];
    if (given) return false;
    if (arg == name) {
        if (i + 1 >= args.size()) return false;
        value = args[++i];
    } else {
        value = arg.substr(name.size() + 1);
    }
    return !value.empty();
}

bool IsOption(const std::string& arg, std::string_view name) {
    return arg == name ||
           (arg.starts_with(name) && arg.size() > name.size() && arg[name.size()] == '=');
}

}  // namespace

bool ParseBatchArguments(const std::vector<std::string>& args, BatchArguments& parsed) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string value;
        if (IsOption(arg, "--dest")) {
            if (!TakeValue(args, i, "--dest", !parsed.folder.empty(), value)) return false;
            parsed.folder = value;
        } else if (arg == "--report") {
            if (!TakeValue(args, i, "--report", !parsed.reports.empty(), value)) return false;
            parsed.reports = value;
        } else if (IsOption(arg, "--jobs")) {
            if (!TakeValue(args, i, "--jobs", parsed.jobs != 0, value)) return false;
            if (!ParseJobs(value, parsed.jobs)) return false;
        } else if (arg == "--worker") {
            parsed.worker = true;
        } else if (ApplyCliSaveSwitch(arg, parsed.options)) {
            parsed.saveSwitches.push_back(arg);
        } else if (arg.starts_with("-")) {
            return false;
        } else {
            parsed.sources.emplace_back(arg);
        }
    }
    return !parsed.folder.empty() && !parsed.sources.empty();
}

std::vector<std::string> WorkerArguments(const BatchArguments& parsed,
                                         const std::filesystem::path& folder,
                                         std::span<const std::filesystem::path> sources) {
    std::vector<std::string> args{"--worker", "--jobs", "1", "--dest", folder.string()};
    args.insert(args.end(), parsed.saveSwitches.begin(), parsed.saveSwitches.end());
    if (!parsed.reports.empty()) {
        args.push_back("--report");
        args.push_back(parsed.reports.string());
    }
    for (const std::filesystem::path& source : sources) args.push_back(source.string());
    return args;
}
