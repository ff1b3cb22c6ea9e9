// The save worker's stop check, made before every record the save writes
// and between its phases, so that a suspension holds the worker within a
// record of where it was and a stop request ends the save there.
#pragma once

#include "platform/PauseGate.h"
#include "platform/RunState.h"

// Holds the worker here while CThreadManager has it suspended (the screen
// is asking whether to stop the save, or the job screen whether to skip),
// then tells whether SaveStopRequested is 1. While the gate is open it costs
// two atomic loads and no call.
inline bool SaveStopCheck() {
    if (SaveWorkerGate.IsSuspended()) SaveWorkerGate.Pass();
    return SaveStopRequested.load() != 0;
}
