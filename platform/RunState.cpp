#include "platform/RunState.h"

std::atomic<std::uint8_t> ParsingRunning{0};
std::atomic<std::uint8_t> ParsingSucceeded{0};
std::atomic<std::uint8_t> StopRequested{0};
AutoResetEvent ParsingDone;
std::atomic<std::uint32_t> RepairCounters[RepairCounterCount] = {};
std::atomic<std::uint32_t> RepairProgress{0};

std::atomic<std::uint8_t> SaveRunning{0};
std::atomic<std::uint8_t> SaveStopRequested{0};
std::atomic<std::uint32_t> SaveResult{0};
std::atomic<std::uint32_t> SaveProgress{0};
GuardedText SaveProgressText;
AutoResetEvent SaveDone;

std::atomic<std::uint8_t> PreviewRunning{0};
std::atomic<std::uint8_t> PreviewStop{0};

std::atomic<std::uint32_t> JobRunning{0};
std::atomic<std::uint32_t> SkipAll{0};
GuardedText JobStatusText;

std::atomic<std::uint8_t> ExitPending{0};

void ResetRepairCounters() {
    for (auto& counter : RepairCounters) counter.store(0);
}
