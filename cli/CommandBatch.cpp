// mendwell-cli batch: the multiple-file job from a terminal. The sources,
// the destination folder and the save options go into a job's data; the
// job worker repairs and saves each file in turn into the folder, and every
// file that ends gets its result line, and its outcome line on standard
// error (a file the job never began gets that line once the job has
// ended). The job's closing message comes through the message sink, on
// standard error. With more than one job (--jobs, by default one per core)
// the files go to worker processes instead, each one this command over one
// file.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "cli/CCliConsole.h"
#include "cli/CCliJobStatusList.h"
#include "cli/CliBatchArguments.h"
#include "cli/CliBatchWorkers.h"
#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "cli/CliInterrupt.h"
#include "cli/CliSave.h"
#include "containers/CMFSDataContainer.h"
#include "platform/CDirectoryManager.h"
#include "platform/ProgressTarget.h"
#include "platform/RunState.h"
#include "platform/TextConversion.h"
#include "repair/CMFSJobSummary.h"
#include "repair/CMFSRSThreadManager.h"

namespace {

constexpr char kUsage[] =
    "Usage: mendwell-cli batch --dest FOLDER [OPTIONS] [--jobs N] [--report FOLDER] "
    "SOURCE.xls...\n"
    "(mendwell-cli --help lists the options)\n";

// How often the job is polled (and the progress line redrawn) while it runs.
constexpr auto kPollInterval = std::chrono::milliseconds(100);
// Without a progress line to draw only the job's end is waited for: a
// worker of a larger batch repairs one small file in a few milliseconds.
constexpr auto kEndPollInterval = std::chrono::milliseconds(2);

void ShowJobProgress(CCliConsole& console, const CCliJobStatusList& list,
                     const ProgressTarget& progress, std::size_t count) {
    const std::size_t row = list.CurrentRow();
    if (row >= count) return;
    const bool saving = list.IsSaving();
    // The save publishes its position in SaveProgress; the repair moves the
    // target's own position.
    const unsigned percent =
        ProgressPercent(progress.GetRange(), saving ? SaveProgress.load() : progress.GetPosition());
    char line[96];
    std::snprintf(line, sizeof line, "file %zu of %zu: %s %3u%%", row + 1, count,
                  ToUtf8(JobStatusText.Get()).c_str(), percent);
    console.ShowProgress(line);
}

// Each begun file's report as FOLDER/<its destination's name>.json: the
// destinations are unique in their folder, so the report names are too.
bool WriteReports(const CMFSDataContainer& job, const std::filesystem::path& folder) {
    if (folder.empty()) return true;
    CDirectoryManager::CreatePath(std::filesystem::absolute(folder));
    const std::vector<std::filesystem::path>& destinations = job.GetDestinationList();
    for (std::size_t i = 0; i < job.GetSourceList().size() && i < destinations.size(); ++i) {
        const CMFSFileResult& result = job.GetFileResult(i);
        if (result.report.empty()) continue;
        std::filesystem::path name = destinations[i].filename();
        name.replace_extension(".json");
        std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
        out << result.report;
        out.close();
        if (!out) {
            std::fprintf(stderr, "mendwell-cli: cannot write the report '%s'\n",
                         (folder / name).c_str());
            return false;
        }
    }
    return true;
}

// Files repaired at once: --jobs, or one per core; never more than files.
unsigned JobCount(const BatchArguments& parsed) {
    unsigned jobs = parsed.jobs != 0 ? parsed.jobs : std::thread::hardware_concurrency();
    jobs = std::clamp(jobs, 1u, kMaxBatchJobs);
    return static_cast<unsigned>(std::min<std::size_t>(jobs, parsed.sources.size()));
}

// A worker's outcome lines for the batch that started it, one per source:
// "OUTCOME PARTIAL REPAIRED", each a number.
void TellOutcomes(const CMFSDataContainer& job, const CCliJobStatusList& list) {
    for (std::size_t i = 0; i < job.GetSourceList().size(); ++i) {
        const CMFSFileResult& result = job.GetFileResult(i);
        dprintf(kWorkerResultFd, "%d %d %d\n", static_cast<int>(result.outcome),
                result.partial ? 1 : 0, list.ReachedSave(i) ? 1 : 0);
    }
}

}  // namespace

int RunBatch(const std::vector<std::string>& args) {
    BatchArguments parsed;
    if (!ParseBatchArguments(args, parsed)) {
        std::fputs(kUsage, stderr);
        return ExitUsage;
    }
    bool sourcesFound = true;
    for (const std::filesystem::path& source : parsed.sources)
        sourcesFound = CheckSourceFile(source) && sourcesFound;
    if (!sourcesFound) return ExitNoInput;

    // An absolute folder always holds a separator, which the folder maker
    // needs to make anything.
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::absolute(parsed.folder, ec);
    if (ec) folder = parsed.folder;
    CDirectoryManager::CreatePath(folder);
    if (!CanWriteInto(folder)) {
        std::fprintf(stderr,
                     "mendwell-cli: the destination folder '%s' cannot be made or written\n",
                     parsed.folder.c_str());
        return ExitCannotCreate;
    }

    const unsigned jobs = JobCount(parsed);
    if (jobs > 1) return RunBatchWorkers(parsed, folder, jobs);

    InstallInterruptStop();
    CCliConsole console;
    ProgressTarget progress;
    CMFSDataContainer job;
    job.GetSourceList() = parsed.sources;
    job.SetDestinationFolder(folder);
    job.GetSaveOptions() = parsed.options;
    CCliJobStatusList list(console, job);
    job.SetStatusList(&list);
    job.SetProgressTarget(&progress);
    job.SetKeepReports(!parsed.reports.empty());
    job.SetShowsClosingMessage(!parsed.worker);
    {
        CMFSRSThreadManager manager;
        manager.SetData(&job);
        if (manager.Start() != 0) {
            std::fputs("mendwell-cli: no thread could be started for the job\n", stderr);
            return ExitFailed;
        }
        while (JobRunning.load() != 0) {
            std::this_thread::sleep_for(console.ShowsProgress() ? kPollInterval : kEndPollInterval);
            if (console.ShowsProgress() && JobRunning.load() != 0)
                ShowJobProgress(console, list, progress, parsed.sources.size());
        }
        console.ClearProgress();
    }  // the manager joins the job worker here

    // A worker's batch says which files were never begun, after all others.
    for (std::size_t i = 0; i < parsed.sources.size() && !parsed.worker; ++i) {
        const CMFSFileResult& result = job.GetFileResult(i);
        if (result.outcome == EFileOutcome::NotBegun)
            console.PrintOutcome(parsed.sources[i], CMFSJobSummary::OutcomeName(result.outcome),
                                 result.reason);
    }
    if (parsed.worker) TellOutcomes(job, list);
    if (!WriteReports(job, parsed.reports)) return ExitCannotCreate;
    // A worker's batch says it was stopped, once for all its workers.
    if (WasInterrupted()) return parsed.worker ? ExitInterrupted : ReportInterrupted();
    std::size_t saved = 0;
    for (std::size_t i = 0; i < parsed.sources.size(); ++i) saved += job.GetResultFlag(i) == 1;
    if (saved == parsed.sources.size()) return ExitOk;
    return saved == 0 && list.RepairedCount() == 0 ? ExitNothingRepaired : ExitFailed;
}
