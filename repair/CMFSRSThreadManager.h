// Starts a multiple-file job on its own worker thread. JobRunning is 1 from
// Start until the job ends; the job writes its rows, destinations and result
// flags into the job data as it goes. The job data is borrowed and must
// outlive the worker.
#pragma once

#include <thread>

class CMFSDataContainer;

class CMFSRSThreadManager {
public:
    CMFSRSThreadManager();
    CMFSRSThreadManager(const CMFSRSThreadManager&) = delete;
    CMFSRSThreadManager& operator=(const CMFSRSThreadManager&) = delete;
    virtual ~CMFSRSThreadManager();

    void SetData(CMFSDataContainer* job);
    // JobRunning = 1, SkipAll = 0, then the job worker starts. Returns 0.
    int Start();
    // SkipAll = 1: the job ends after the current file.
    void Stop();
    // Pause and resume the job worker at its next check; both return true.
    bool Suspend();
    bool Resume();

    // The worker's body: a CMFSProcessManager's Run, then JobRunning = 0.
    static unsigned JobThread(CMFSDataContainer* job);

private:
    std::thread m_thread;
    CMFSDataContainer* m_job = nullptr;
};
