// Starts the save of one parsed workbook on its own worker thread. The
// outcome goes through the run state: SaveRunning is 1 from Start until the
// worker ends; then SaveResult holds the save's result (0 saved, 1 stopped
// or not saved, 2 not a parsed workbook) and SaveDone is signalled.
//
// Suspend and Resume go through the save worker's pause gate: the worker
// stops at its next stop check and stays there until the last Resume. The
// data is borrowed and must outlive the worker.
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
    // worker starts on the stored container. Returns 0.
    int Start();
    // SaveStopRequested = 1.
    void Stop();
    // Copies SaveResult; returns true.
    bool GetResult(std::uint32_t* result) const;
    // Both return true.
    bool Suspend();
    bool Resume();

    // The worker's body: SaveRunning = 1, a CSaveProcessManagerExcel's
    // Save, SaveRunning = 0, SaveResult = the result, SaveDone signalled.
    static unsigned SaveThread(CDataContainer* data);

private:
    std::thread m_thread;
    CDataContainer* m_data = nullptr;
};
