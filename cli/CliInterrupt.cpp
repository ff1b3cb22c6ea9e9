#include "cli/CliInterrupt.h"

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <cstdio>

#include "cli/CliCommand.h"
#include "platform/RunState.h"

namespace {

std::atomic<int> g_interrupted{0};

// Only lock-free atomic stores here: they are safe in a signal handler.
void AskToStop(int) {
    g_interrupted.store(1);
    SkipAll.store(1);
    StopRequested.store(1);
    SaveStopRequested.store(1);
}

}  // namespace

void InstallInterruptStop() {
    static_assert(std::atomic<int>::is_always_lock_free);
    static_assert(std::atomic<std::uint8_t>::is_always_lock_free);
    static_assert(std::atomic<std::uint32_t>::is_always_lock_free);
    struct sigaction action {};
    action.sa_handler = AskToStop;
    sigemptyset(&action.sa_mask);
    // The next signal of the kind takes its default action: a second
    // Ctrl-C ends a stop that takes too long.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // batch starts its worker processes with both signals blocked, so that
    // a stop asked before this point waits for the handler; it arrives now.
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    pthread_sigmask(SIG_UNBLOCK, &stops, nullptr);
}

bool WasInterrupted() {
    return g_interrupted.load() != 0;
}

int ReportInterrupted() {
    std::fputs("mendwell-cli: stopped; files not yet saved were left as they were\n", stderr);
    return ExitInterrupted;
}
