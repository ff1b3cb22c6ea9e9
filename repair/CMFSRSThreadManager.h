// Starts a multiple-file job on its own worker thread. JobRunning is 1 from
// Start until the job ends; the job writes its rows, destinations and result
// flags into the job data as it goes. The job data is borrowed and must
// outlive the worker.
//
// Suspend holds the whole job where it is: the job worker at its check
// between files, and the repair or save worker of the current file at its
// next stop check (JobWorkerGate, RepairWorkerGate and SaveWorkerGate are
// all closed until the matching Resume).
//
// The job's stop protocols live here too, for the job screen and the
// command-line tool alike: SkipFile ends the current file's repair or save
// at its next check (the file is marked "Skipped" and the job goes on);
// SkipAllFiles does that and ends the job after the current file.
#pragma once

#include <cstdint>
#include <thread>

class CMFSDataContainer;

class CMFSRSThreadManager {
public:
    CMFSRSThreadManager();
    CMFSRSThreadManager(const CMFSRSThreadManager&) = delete;
    CMFSRSThreadManager& operator=(const CMFSRSThreadManager&) = delete;
    // Lifts the suspensions this manager still holds and waits for the job
    // worker to end.
    virtual ~CMFSRSThreadManager();

    void SetData(CMFSDataContainer* job);
    // JobRunning = 1, SkipAll = 0, then the job worker starts. Returns 0.
    // A Start while this manager's previous job still runs waits for it
    // first. When no thread can be made, returns 1 and the job has ended at
    // once (JobRunning 0) without touching a file.
    int Start();
    // SkipAll = 1: the job ends after the current file.
    void Stop();
    // Pause and resume the job (see above); both return true. Each Suspend
    // needs its Resume; a Resume without a Suspend of this manager does
    // nothing.
    bool Suspend();
    bool Resume();

    // "&Skip": StopRequested = 1 and SaveStopRequested = 1.
    static void SkipFile();
    // "Skip &All" once confirmed: SkipAll = 1, then SkipFile.
    static void SkipAllFiles();

    // The worker's body: a CMFSProcessManager's Run, then JobRunning = 0.
    // Returns Run's result; nothing is thrown (a job that throws ends with
    // JobRunning 0 and returns 1).
    static unsigned JobThread(CMFSDataContainer* job);

private:
    std::thread m_thread;
    CMFSDataContainer* m_job = nullptr;
    std::uint32_t m_suspensions = 0;
};
