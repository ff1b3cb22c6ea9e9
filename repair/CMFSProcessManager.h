// The multiple-file loop: for each source file in order, while SkipAll is
// 0, a new parsed workbook with its destination in the job's folder, the
// repair on the repair worker (waiting on ParsingDone), then the save on the
// save worker (waiting on SaveDone), and the file's row, result flag and
// destination recorded. Each file's outcome (CMFSFileResult) is recorded
// with its reason: the repair's text for a file nothing could be recovered
// from (CSourceFileKind), the save's failure text, "Skipped by the user.",
// or, for the files a stopped job never reached, that it was not begun.
// Ends with the job's closing message through the message sink after every
// non-empty job (CMFSJobSummary): "Files repaired and saved successfully."
// only when every file was saved, else what happened counted.
//
// Runs on the job worker. The job's status list may be null (nothing is
// shown then). A run starts by clearing the job's destination list, so that
// after it the list holds exactly the files of this run, in order. The
// waits have no time-out: they end when the worker ends, and a skip makes
// the worker end at its next check.
#pragma once

#include "containers/CMFSFileResult.h"

class CMFSDataContainer;
struct CRepairTrace;

class CMFSProcessManager {
public:
    CMFSProcessManager() = default;
    CMFSProcessManager(const CMFSProcessManager&) = delete;
    CMFSProcessManager& operator=(const CMFSProcessManager&) = delete;
    virtual ~CMFSProcessManager() = default;

    // Returns 0. A null job or an empty source list returns at once, with
    // no message and nothing changed.
    int Run(CMFSDataContainer* job);
    // Repairs the job's current workbook; true when a workbook came out.
    // trace, when given, is filled with what the repair met.
    bool RepairOne(CMFSDataContainer* job, CRepairTrace* trace = nullptr);
    // Saves the job's current workbook; true when it was saved. Both are
    // false, without waiting, when their worker thread cannot be made.
    bool SaveOne(CMFSDataContainer* job);

private:
    // Repairs and saves the job's current workbook; what came of it, with
    // its repair report when the job keeps reports.
    CMFSFileResult ProcessOne(CMFSDataContainer* job);
    CMFSFileResult ProcessOne(CMFSDataContainer* job, CRepairTrace& trace, bool& repaired,
                              bool& saved);
    // outcome with its default reason.
    static CMFSFileResult Outcome(EFileOutcome outcome);
};
