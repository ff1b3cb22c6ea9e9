#include "repair/CMFSRSThreadManager.h"

#include <system_error>

#include "platform/PauseGate.h"
#include "platform/RunState.h"
#include "repair/CMFSProcessManager.h"

CMFSRSThreadManager::CMFSRSThreadManager() = default;

CMFSRSThreadManager::~CMFSRSThreadManager() {
    while (m_suspensions > 0) Resume();
    if (m_thread.joinable()) m_thread.join();
}

void CMFSRSThreadManager::SetData(CMFSDataContainer* job) {
    m_job = job;
}

int CMFSRSThreadManager::Start() {
    // JobRunning, SkipAll and the repair and save workers are single: a
    // second job must not start beside the first.
    if (m_thread.joinable()) m_thread.join();
    JobRunning.store(1);
    SkipAll.store(0);
    try {
        m_thread = std::thread(&CMFSRSThreadManager::JobThread, m_job);
    } catch (const std::system_error&) {
        JobRunning.store(0);
        return 1;
    }
    return 0;
}

void CMFSRSThreadManager::Stop() {
    SkipAll.store(1);
}

bool CMFSRSThreadManager::Suspend() {
    // The job worker itself spends a file's time waiting on ParsingDone or
    // SaveDone; what must halt is the worker it waits for.
    ++m_suspensions;
    JobWorkerGate.Suspend();
    RepairWorkerGate.Suspend();
    SaveWorkerGate.Suspend();
    return true;
}

bool CMFSRSThreadManager::Resume() {
    if (m_suspensions == 0) return true;
    --m_suspensions;
    SaveWorkerGate.Resume();
    RepairWorkerGate.Resume();
    JobWorkerGate.Resume();
    return true;
}

void CMFSRSThreadManager::SkipFile() {
    StopRequested.store(1);
    SaveStopRequested.store(1);
}

void CMFSRSThreadManager::SkipAllFiles() {
    // SkipAll first: the loop must not begin another file once the current
    // one has been stopped.
    SkipAll.store(1);
    SkipFile();
}

unsigned CMFSRSThreadManager::JobThread(CMFSDataContainer* job) {
    unsigned result = 1;
    try {
        CMFSProcessManager manager;
        result = static_cast<unsigned>(manager.Run(job));
    } catch (...) {
        // Memory ran out between files; the rows show what was done.
        result = 1;
    }
    JobRunning.store(0);
    return result;
}
