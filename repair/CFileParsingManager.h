// Starts the repair of one file on its own worker thread and lets the
// screens pause it. The outcome is published through the run state:
// ParsingRunning is 1 from Start until the worker ends; then
// ParsingSucceeded holds the result, StopRequested is back at 0 and
// ParsingDone is signalled. Callers wait on ParsingDone or poll
// ParsingRunning.
//
// One repair runs at a time: the flags and the event are process-wide.
// Suspend and Resume go through RepairWorkerGate, a cooperative stand-in
// for suspending a thread: the worker stops at its next stop check (between
// the pipeline's steps and inside the substream search, the globals scan and
// the worksheet parser) and stays there until the last Resume.
//
// The manager owns the thread it started but not the work: the data passed
// to Start is borrowed and must outlive the manager. A manager destroyed
// while its worker runs asks the worker to stop, lifts the suspensions it
// holds and waits for the worker to end, so that nothing reads the data
// after the manager is gone.
#pragma once

#include <cstdint>
#include <thread>

class CExcelData;
struct CRepairTrace;

class CFileParsingManager {
public:
    // Sets ParsingRunning to 0 and signals ParsingDone, so that a wait made
    // before any Start returns at once.
    CFileParsingManager();
    CFileParsingManager(const CFileParsingManager&) = delete;
    CFileParsingManager& operator=(const CFileParsingManager&) = delete;
    virtual ~CFileParsingManager();

    // Sets ParsingRunning = 1, ParsingSucceeded = 0, StopRequested = 0,
    // resets ParsingDone and starts the worker on data. Returns 0 at once,
    // unless the previous worker of this manager is still running: it is
    // waited for first, since two repairs must not share the run state.
    // Returns 1 when no thread can be made; the run has then ended as a
    // failed repair, so that waiters and pollers do not hang.
    int Start(CExcelData* data);

    // Both return true. Each Suspend needs its Resume; a Resume without a
    // Suspend of this manager does nothing.
    bool Suspend();
    bool Resume();

    // The next Start fills trace (not owned; it must outlive that worker)
    // with what the repair met; null for none.
    void SetTrace(CRepairTrace* trace) { m_trace = trace; }

    // The worker's body: RepairFile, then ParsingSucceeded = its result,
    // ParsingRunning = 0, StopRequested = 0, ParsingDone signalled.
    // Returns 0.
    static unsigned ParsingThread(CExcelData* data, CRepairTrace* trace = nullptr);

private:
    std::thread m_thread;
    CRepairTrace* m_trace = nullptr;
    std::uint32_t m_suspensions = 0;
};
