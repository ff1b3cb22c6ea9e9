// Starts the save of one parsed workbook on its own worker thread. The
// outcome goes through the run state: SaveRunning is 1 from Start until the
// worker ends; then SaveResult holds the save's result (0 saved, 1 stopped
// or not saved, 2 not a parsed workbook) and SaveDone is signalled.
// SaveResult is written before SaveRunning drops, so a poller that sees
// SaveRunning at 0 reads the result of the save that just ended.
//
// Suspend and Resume go through SaveWorkerGate: the worker stops at its next
// stop check (SaveStopCheck, before every record the save writes) and stays
// there until the last Resume. The data is borrowed and must outlive the
// worker. One save runs at a time: a Start while this manager's previous
// worker still runs waits for it first, and the destructor waits for the
// worker (after lifting any suspension this manager still holds).
#pragma once

#include <cstdint>
#include <thread>

class CDataContainer;

class CThreadManager {
public:
    // Clears SaveStopRequested.
    CThreadManager();
    CThreadManager(const CThreadManager&) = delete;
    CThreadManager& operator=(const CThreadManager&) = delete;
    virtual ~CThreadManager();

    // Stores the container; clears SaveStopRequested.
    void SetData(CDataContainer* data);
    // SaveRunning = 1, SaveStopRequested = 0, SaveDone reset, then the
    // worker starts on the stored container. Returns 0. When no thread can
    // be made, returns 1 and the run has ended at once as a save that did
    // not happen (SaveResult 1, SaveRunning 0, SaveDone signalled).
    int Start();
    // SaveStopRequested = 1.
    void Stop();
    // Copies SaveResult; returns true.
    bool GetResult(std::uint32_t* result) const;
    // Both return true. Each Suspend needs its Resume; a Resume without a
    // Suspend of this manager does nothing.
    bool Suspend();
    bool Resume();

    // The worker's body: SaveRunning = 1, a CSaveProcessManagerExcel's
    // Save, SaveResult = the result, SaveRunning = 0, SaveDone signalled.
    // Returns the result. Nothing is thrown: a save that throws counts as
    // not saved (1).
    static unsigned SaveThread(CDataContainer* data);

private:
    std::thread m_thread;
    CDataContainer* m_data = nullptr;
    std::uint32_t m_suspensions = 0;
};
