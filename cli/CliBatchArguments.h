// The arguments of mendwell-cli batch, parsed, and the way a batch hands
// one of its files to a worker process of its own.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "model/CSaveOption.h"

struct BatchArguments {
    std::vector<std::filesystem::path> sources;
    std::filesystem::path folder;
    std::filesystem::path reports;  // empty: no reports
    CSaveOption options{CSaveOption::All};
    // The switches that leave content out, as given, for the workers.
    std::vector<std::string> saveSwitches;
    // Files repaired at once; 0 until --jobs gives it.
    unsigned jobs = 0;
    // Started by a batch of more than one job for one of its files: writes
    // the file's outcome on descriptor kWorkerResultFd and leaves the
    // closing message to the batch that started it.
    bool worker = false;
};

// The descriptor a worker writes its outcome line on.
constexpr int kWorkerResultFd = 3;
// More jobs than this are taken as this many: each is a process of its own.
constexpr unsigned kMaxBatchJobs = 64;

// False for arguments batch does not take: an unknown option, a repeated
// --dest or --report, a --jobs that is not a whole number from 1 to
// kMaxBatchJobs, no folder or no source.
bool ParseBatchArguments(const std::vector<std::string>& args, BatchArguments& parsed);

// The arguments (after "batch") that make a worker repair and save sources
// as this batch would.
std::vector<std::string> WorkerArguments(const BatchArguments& parsed,
                                         const std::filesystem::path& folder,
                                         std::span<const std::filesystem::path> sources);
