// The repair worker's stop check, made at every step of the pipeline and
// inside the long walks of a step (the substream search, the globals scan,
// the worksheet parser), so that a suspension holds the worker within a
// record or so of where it was.
#pragma once

#include "platform/PauseGate.h"
#include "platform/RunState.h"

// Holds the worker here while CFileParsingManager has it suspended (the
// screen is asking whether to stop), then tells whether StopRequested is 1.
// The search makes this check at every byte offset: while the gate is open
// it costs two atomic loads and no call.
inline bool RepairStopRequested() {
    if (RepairWorkerGate.IsSuspended()) RepairWorkerGate.Pass();
    return StopRequested.load() != 0;
}
