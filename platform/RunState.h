// Process-wide run state shared by the screens and the workers.
//
// Every item is one byte, word, event or guarded string; every read or write
// is a single atomic access and no lock spans two of them. Workers publish,
// the user-interface thread (or the command-line tool) polls.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "platform/AutoResetEvent.h"
#include "platform/GuardedText.h"

// Positions in RepairCounters.
enum ERepairCounter : int {
    CounterTextCells = 0,
    CounterFormulaCells = 1,
    CounterNumericCells = 2,
    CounterOtherCells = 3,
    CounterSheets = 4,
    CounterCharts = 5,    // never counted by the repair
    CounterPictures = 6,  // never counted by the repair
    RepairCounterCount = 7
};

extern std::atomic<std::uint8_t> ParsingRunning;
extern std::atomic<std::uint8_t> ParsingSucceeded;
extern std::atomic<std::uint8_t> StopRequested;
extern AutoResetEvent ParsingDone;
extern std::atomic<std::uint32_t> RepairCounters[RepairCounterCount];
extern std::atomic<std::uint32_t> RepairProgress;

extern std::atomic<std::uint8_t> SaveRunning;
extern std::atomic<std::uint8_t> SaveStopRequested;
extern std::atomic<std::uint32_t> SaveResult;
extern std::atomic<std::uint32_t> SaveProgress;
extern GuardedText SaveProgressText;
extern AutoResetEvent SaveDone;

extern std::atomic<std::uint8_t> PreviewRunning;
extern std::atomic<std::uint8_t> PreviewStop;

extern std::atomic<std::uint32_t> JobRunning;
extern std::atomic<std::uint32_t> SkipAll;
extern GuardedText JobStatusText;

extern std::atomic<std::uint8_t> ExitPending;

// Zeroes the seven repair counters (done when a new repair starts).
void ResetRepairCounters();
