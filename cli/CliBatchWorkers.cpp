#include "cli/CliBatchWorkers.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <map>
#include <set>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "cli/CCliConsole.h"
#include "cli/CliBatchArguments.h"
#include "cli/CliCommand.h"
#include "cli/CliInterrupt.h"
#include "containers/CMFSDataContainer.h"
#include "platform/MessageSink.h"
#include "platform/SettingsStore.h"
#include "repair/CMFSJobSummary.h"
#include "save/CSaveFileNames.h"
#include "save/CSaveProcessManagerExcel.h"

extern char** environ;

namespace {

// How often the workers are looked at (and a stop passed on).
constexpr auto kPollInterval = std::chrono::milliseconds(10);
// A worker prints a few lines for each of its files; what passes this is
// cut.
constexpr std::size_t kMaxCapture = std::size_t{1} << 22;
// Captures are kept above the descriptors a worker is given (0 to 3), so
// that giving one never overwrites another.
constexpr int kFirstCaptureFd = 10;
// Files one worker repairs at most.
constexpr std::size_t kMaxChunk = 16;

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

// A run of consecutive files that one worker repairs in order: its output
// is theirs, in their order.
struct Chunk {
    std::size_t begin = 0;
    std::size_t end = 0;  // one past the last file
    // Earlier chunks that have not ended and hold a file whose destination
    // name may compete with one of this chunk's.
    std::size_t waitingFor = 0;
    std::vector<std::size_t> waitedForBy;
    bool done = false;
    std::string out;
    std::string err;
    bool reportFailed = false;
    // Why the files the worker never told about failed.
    std::u16string_view lostReason = kWorkerLost;
};

// What became of one file.
struct FileEnd {
    bool told = false;  // its worker said; otherwise the batch says it failed
    CMFSFileResult result;
    bool repaired = false;
};

struct Worker {
    std::size_t chunk = 0;
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

// Takes what the worker of chunk left: its output, and the outcome lines
// of the files it told about, from the first on.
void Collect(Worker& worker, int status, Chunk& chunk, std::vector<FileEnd>& files) {
    chunk.done = true;
    chunk.out = ReadCapture(worker.out);
    chunk.err = ReadCapture(worker.err);
    const std::string lines = ReadCapture(worker.result);
    worker.CloseCaptures();
    chunk.reportFailed = WIFEXITED(status) && WEXITSTATUS(status) == ExitCannotCreate;
    std::size_t at = 0;
    for (std::size_t file = chunk.begin; file < chunk.end && at < lines.size(); ++file) {
        int outcome = -1;
        int partial = 0;
        int repaired = 0;
        if (std::sscanf(lines.c_str() + at, "%d %d %d", &outcome, &partial, &repaired) != 3 ||
            outcome < static_cast<int>(EFileOutcome::NotBegun) ||
            outcome > static_cast<int>(EFileOutcome::Skipped))
            break;
        files[file].told = true;
        files[file].result.outcome = static_cast<EFileOutcome>(outcome);
        files[file].result.partial = partial != 0;
        files[file].repaired = repaired != 0;
        const std::size_t next = lines.find('\n', at);
        if (next == std::string::npos) break;
        at = next + 1;
    }
}

// Shows what the chunk's worker printed, then the lines of the files it
// never told about: the batch says they failed, and why.
void Relay(CCliConsole& console, Chunk& chunk, std::vector<FileEnd>& files,
           const std::vector<std::filesystem::path>& sources, const std::filesystem::path& folder) {
    console.Relay(chunk.out, chunk.err);
    chunk.out = {};
    chunk.err = {};
    for (std::size_t file = chunk.begin; file < chunk.end; ++file) {
        if (files[file].told) continue;
        files[file].result = {EFileOutcome::Failed, std::u16string(chunk.lostReason), {}};
        console.PrintResult(u"Skipped", sources[file],
                            CSaveProcessManagerExcel::MakeDestinationName(sources[file], folder));
        console.PrintOutcome(sources[file], CMFSJobSummary::ResultName(files[file].result),
                             files[file].result.reason);
    }
}

// Files per worker: enough that starting processes costs little beside the
// repairs, few enough that every job gets several chunks to share.
std::size_t ChunkSize(std::size_t count, unsigned jobs) {
    return std::clamp<std::size_t>(count / (std::size_t{jobs} * 4), 1, kMaxChunk);
}

// Cuts the sources into chunks and makes each wait for the earlier chunks
// holding a file whose destination name may compete with one of its own.
std::vector<Chunk> MakeChunks(const std::vector<std::filesystem::path>& sources, unsigned jobs) {
    const std::size_t size = ChunkSize(sources.size(), jobs);
    std::vector<Chunk> chunks;
    for (std::size_t begin = 0; begin < sources.size(); begin += size) {
        Chunk& chunk = chunks.emplace_back();
        chunk.begin = begin;
        chunk.end = std::min(begin + size, sources.size());
    }
    const std::u16string suffix = SettingsStore().ReadSuffix();
    std::map<std::string, std::size_t> lastChunkOfKey;
    for (std::size_t c = 0; c < chunks.size(); ++c) {
        std::set<std::size_t> earlier;
        for (std::size_t file = chunks[c].begin; file < chunks[c].end; ++file) {
            const std::string key =
                CSaveFileNames::DestinationNameKey(sources[file].filename(), suffix);
            const auto [at, first] = lastChunkOfKey.try_emplace(key, c);
            if (!first && at->second != c) earlier.insert(at->second);
            at->second = c;
        }
        chunks[c].waitingFor = earlier.size();
        for (const std::size_t e : earlier) chunks[e].waitedForBy.push_back(c);
    }
    return chunks;
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
    std::vector<Chunk> chunks = MakeChunks(sources, jobs);
    std::set<std::size_t> ready;
    for (std::size_t c = 0; c < chunks.size(); ++c)
        if (chunks[c].waitingFor == 0) ready.insert(c);

    InstallInterruptStop();
    CCliConsole console;
    std::vector<FileEnd> files(count);
    std::vector<Worker> running;
    std::size_t relayed = 0;  // the chunks before this one have been shown
    std::size_t ended = 0;
    const auto end = [&](std::size_t c) {
        for (const std::size_t later : chunks[c].waitedForBy)
            if (--chunks[later].waitingFor == 0) ready.insert(later);
        ended += chunks[c].end - chunks[c].begin;
        for (; relayed < chunks.size() && chunks[relayed].done; ++relayed)
            Relay(console, chunks[relayed], files, sources, folder);
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
            worker.chunk = *ready.begin();
            ready.erase(ready.begin());
            const Chunk& chunk = chunks[worker.chunk];
            const std::span<const std::filesystem::path> part(sources.data() + chunk.begin,
                                                              chunk.end - chunk.begin);
            if (Spawn(worker, WorkerArguments(parsed, folder, part))) {
                running.push_back(worker);
            } else {
                worker.CloseCaptures();
                chunks[worker.chunk].done = true;
                chunks[worker.chunk].lostReason = kNoWorker;
                end(worker.chunk);
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
            const std::size_t c = at->chunk;
            Collect(*at, got == at->pid ? status : -1, chunks[c], files);
            end(c);
            at = running.erase(at);
            reaped = true;
        }
        if (!reaped) {
            ShowProgress(console, ended, count);
            std::this_thread::sleep_for(kPollInterval);
        }
    }
    // Chunks after one that was never begun.
    for (std::size_t c = relayed; c < chunks.size(); ++c)
        if (chunks[c].done) Relay(console, chunks[c], files, sources, folder);
    console.ClearProgress();

    CMFSDataContainer whole;
    whole.GetSourceList() = sources;
    for (std::size_t i = 0; i < count; ++i) {
        if (files[i].result.outcome == EFileOutcome::NotBegun)
            files[i].result.reason = CMFSJobSummary::DefaultReason(EFileOutcome::NotBegun);
        whole.SetFileResult(i, files[i].result);
    }
    ShowMessage(CMFSJobSummary::Message(CMFSJobSummary::Count(whole)));
    for (std::size_t i = 0; i < count; ++i) {
        if (files[i].result.outcome == EFileOutcome::NotBegun)
            console.PrintOutcome(sources[i], CMFSJobSummary::OutcomeName(EFileOutcome::NotBegun),
                                 files[i].result.reason);
    }

    bool reportFailed = false;
    for (const Chunk& chunk : chunks) reportFailed = reportFailed || chunk.reportFailed;
    std::size_t saved = 0;
    std::size_t repaired = 0;
    for (const FileEnd& file : files) {
        saved += file.result.outcome == EFileOutcome::Saved;
        repaired += file.repaired;
    }
    if (reportFailed) return ExitCannotCreate;
    if (WasInterrupted()) return ReportInterrupted();
    if (saved == count) return ExitOk;
    return saved == 0 && repaired == 0 ? ExitNothingRepaired : ExitFailed;
}
