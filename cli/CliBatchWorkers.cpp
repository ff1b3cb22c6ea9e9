#include "cli/CliBatchWorkers.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "cli/CCliConsole.h"
#include "cli/CliBatchArguments.h"
#include "cli/CliCommand.h"
#include "cli/CliInterrupt.h"
#include "containers/CMFSDataContainer.h"
#include "platform/MessageSink.h"
#include "repair/CMFSJobSummary.h"
#include "save/CSaveFileNames.h"
#include "save/CSaveProcessManagerExcel.h"

extern char** environ;

namespace {

// How often the workers are looked at (and a stop passed on).
constexpr auto kPollInterval = std::chrono::milliseconds(10);
// A worker prints a few lines for its file; what passes this is cut.
constexpr std::size_t kMaxCapture = std::size_t{1} << 20;
// Captures are kept above the descriptors a worker is given (0 to 3), so
// that giving one never overwrites another.
constexpr int kFirstCaptureFd = 10;

constexpr std::u16string_view kNoWorker = u"No process could be started to repair this file";
constexpr std::u16string_view kWorkerLost = u"The repair of this file ended without a result";

// An anonymous in-memory file one of a worker's streams is written into.
int MakeCapture(const char* name) {
    const int fd = memfd_create(name, MFD_CLOEXEC);
    if (fd < 0) return -1;
    const int high = fcntl(fd, F_DUPFD_CLOEXEC, kFirstCaptureFd);
    close(fd);
    return high;
}

std::string ReadCapture(int fd) {
    std::string text;
    if (fd < 0) return text;
    char buffer[4096];
    off_t at = 0;
    ssize_t got = 0;
    while (text.size() < kMaxCapture && (got = pread(fd, buffer, sizeof buffer, at)) > 0) {
        text.append(buffer, static_cast<std::size_t>(got));
        at += got;
    }
    return text;
}

struct Worker {
    std::size_t file = 0;
    pid_t pid = -1;
    int out = -1;
    int err = -1;
    int result = -1;
    bool signalled = false;

    void CloseCaptures() {
        for (int* fd : {&out, &err, &result}) {
            if (*fd >= 0) close(*fd);
            *fd = -1;
        }
    }
};

// What became of one file.
struct FileEnd {
    bool done = false;
    std::string out;
    std::string err;
    CMFSFileResult result;
    bool repaired = false;
    bool reportFailed = false;
    // No worker said what became of the file: the batch says it failed.
    bool lost = false;
};

FileEnd LostFile(std::u16string_view reason) {
    FileEnd end;
    end.done = true;
    end.lost = true;
    end.result = {EFileOutcome::Failed, std::u16string(reason), {}};
    return end;
}

bool Spawn(Worker& worker, const std::vector<std::string>& args) {
    worker.out = MakeCapture("mendwell-out");
    worker.err = MakeCapture("mendwell-err");
    worker.result = MakeCapture("mendwell-result");
    if (worker.out < 0 || worker.err < 0 || worker.result < 0) return false;

    std::vector<std::string> all{"mendwell-cli", "batch"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, worker.out, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, worker.err, STDERR_FILENO);
    posix_spawn_file_actions_adddup2(&actions, worker.result, kWorkerResultFd);
    // The worker starts with the stop signals blocked, in a process group
    // of its own: a terminal's Ctrl-C reaches the batch alone, which passes
    // it on once, and a stop sent before the worker's handler is in place
    // waits for it instead of ending the worker half-way.
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setsigmask(&attributes, &stops);
    posix_spawnattr_setsigdefault(&attributes, &stops);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(
        &attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
    const int failed =
        posix_spawn(&worker.pid, "/proc/self/exe", &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0;
}

FileEnd Collect(Worker& worker, int status) {
    FileEnd end;
    end.done = true;
    end.out = ReadCapture(worker.out);
    end.err = ReadCapture(worker.err);
    const std::string line = ReadCapture(worker.result);
    worker.CloseCaptures();
    end.reportFailed = WIFEXITED(status) && WEXITSTATUS(status) == ExitCannotCreate;
    int outcome = -1;
    int partial = 0;
    int repaired = 0;
    const bool told = std::sscanf(line.c_str(), "%d %d %d", &outcome, &partial, &repaired) == 3 &&
                      outcome >= static_cast<int>(EFileOutcome::NotBegun) &&
                      outcome <= static_cast<int>(EFileOutcome::Skipped);
    if (!told) {
        FileEnd lost = LostFile(kWorkerLost);
        lost.out = std::move(end.out);
        lost.err = std::move(end.err);
        lost.reportFailed = end.reportFailed;
        return lost;
    }
    end.result.outcome = static_cast<EFileOutcome>(outcome);
    end.result.partial = partial != 0;
    end.repaired = repaired != 0;
    return end;
}

void Relay(CCliConsole& console, FileEnd& end, const std::filesystem::path& source,
           const std::filesystem::path& folder) {
    console.Relay(end.out, end.err);
    if (end.lost) {
        console.PrintResult(u"Skipped", source,
                            CSaveProcessManagerExcel::MakeDestinationName(source, folder));
        console.PrintOutcome(source, CMFSJobSummary::ResultName(end.result), end.result.reason);
    }
    end.out = {};
    end.err = {};
}

// next[i]: the first source after i whose destination name may compete
// with i's; it waits until i has ended. ready: the sources that wait for
// none.
void OrderByDestinationName(const std::vector<std::filesystem::path>& sources,
                            std::vector<std::size_t>& next, std::set<std::size_t>& ready) {
    next.assign(sources.size(), sources.size());
    std::map<std::string, std::size_t> lastOfKey;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const std::string key = CSaveFileNames::DestinationNameKey(sources[i].filename());
        const auto [at, first] = lastOfKey.try_emplace(key, i);
        if (first) {
            ready.insert(i);
        } else {
            next[at->second] = i;
            at->second = i;
        }
    }
}

void ShowProgress(CCliConsole& console, std::size_t ended, std::size_t count) {
    if (!console.ShowsProgress()) return;
    char line[64];
    std::snprintf(line, sizeof line, "%zu of %zu files done", ended, count);
    console.ShowProgress(line);
}

}  // namespace

int RunBatchWorkers(const BatchArguments& parsed, const std::filesystem::path& folder,
                    unsigned jobs) {
    const std::vector<std::filesystem::path>& sources = parsed.sources;
    const std::size_t count = sources.size();
    std::vector<std::size_t> next;
    std::set<std::size_t> ready;
    OrderByDestinationName(sources, next, ready);

    InstallInterruptStop();
    CCliConsole console;
    std::vector<FileEnd> ends(count);
    std::vector<Worker> running;
    std::size_t relayed = 0;  // the files before this one have been shown
    std::size_t ended = 0;
    const auto end = [&](std::size_t file, FileEnd fileEnd) {
        ends[file] = std::move(fileEnd);
        if (next[file] < count) ready.insert(next[file]);
        ++ended;
        for (; relayed < count && ends[relayed].done; ++relayed)
            Relay(console, ends[relayed], sources[relayed], folder);
    };

    for (;;) {
        if (WasInterrupted()) {
            for (Worker& worker : running) {
                if (!worker.signalled) kill(worker.pid, SIGINT);
                worker.signalled = true;
            }
        }
        while (!WasInterrupted() && running.size() < jobs && !ready.empty()) {
            Worker worker;
            worker.file = *ready.begin();
            ready.erase(ready.begin());
            if (Spawn(worker, WorkerArguments(parsed, folder, sources[worker.file]))) {
                running.push_back(worker);
            } else {
                worker.CloseCaptures();
                end(worker.file, LostFile(kNoWorker));
            }
        }
        if (running.empty()) break;

        bool reaped = false;
        for (auto at = running.begin(); at != running.end();) {
            int status = 0;
            const pid_t got = waitpid(at->pid, &status, WNOHANG);
            if (got == 0 || (got < 0 && errno == EINTR)) {
                ++at;
                continue;
            }
            const std::size_t file = at->file;
            end(file, Collect(*at, got == at->pid ? status : -1));
            at = running.erase(at);
            reaped = true;
        }
        if (!reaped) {
            ShowProgress(console, ended, count);
            std::this_thread::sleep_for(kPollInterval);
        }
    }
    // Files after one that was never begun.
    for (std::size_t i = relayed; i < count; ++i)
        if (ends[i].done) Relay(console, ends[i], sources[i], folder);
    console.ClearProgress();

    CMFSDataContainer whole;
    whole.GetSourceList() = sources;
    for (std::size_t i = 0; i < count; ++i) {
        if (ends[i].done) continue;
        ends[i].result = {EFileOutcome::NotBegun,
                          std::u16string(CMFSJobSummary::DefaultReason(EFileOutcome::NotBegun)),
                          {}};
    }
    for (std::size_t i = 0; i < count; ++i) whole.SetFileResult(i, ends[i].result);
    ShowMessage(CMFSJobSummary::Message(CMFSJobSummary::Count(whole)));
    for (std::size_t i = 0; i < count; ++i) {
        if (!ends[i].done)
            console.PrintOutcome(sources[i], CMFSJobSummary::OutcomeName(EFileOutcome::NotBegun),
                                 ends[i].result.reason);
    }

    bool reportFailed = false;
    std::size_t saved = 0;
    std::size_t repaired = 0;
    for (const FileEnd& fileEnd : ends) {
        reportFailed = reportFailed || fileEnd.reportFailed;
        saved += fileEnd.result.outcome == EFileOutcome::Saved;
        repaired += fileEnd.repaired;
    }
    if (reportFailed) return ExitCannotCreate;
    if (WasInterrupted()) return ReportInterrupted();
    if (saved == count) return ExitOk;
    return saved == 0 && repaired == 0 ? ExitNothingRepaired : ExitFailed;
}
