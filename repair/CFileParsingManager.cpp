#include "repair/CFileParsingManager.h"

#include <system_error>

#include "platform/PauseGate.h"
#include "platform/RunState.h"
#include "repair/RepairFile.h"

CFileParsingManager::CFileParsingManager() {
    ParsingRunning.store(0);
    ParsingDone.Set();
}

CFileParsingManager::~CFileParsingManager() {
    // The worker frees itself when it ends; it touches nothing of ours.
    if (m_thread.joinable()) m_thread.detach();
}

int CFileParsingManager::Start(CExcelData* data) {
    // The worker signals ParsingDone as its last act, so once it has done
    // so this join returns at once; it only waits on a caller that starts
    // a second repair while the first runs.
    if (m_thread.joinable()) m_thread.join();
    ParsingRunning.store(1);
    ParsingSucceeded.store(0);
    StopRequested.store(0);
    ParsingDone.Reset();
    try {
        m_thread = std::thread(&CFileParsingManager::ParsingThread, data, m_trace);
    } catch (const std::system_error&) {
        // No thread to be had: end the way a worker ends on a failed repair,
        // so that waiters and pollers still see the run finish.
        ParsingSucceeded.store(0);
        ParsingRunning.store(0);
        StopRequested.store(0);
        ParsingDone.Set();
    }
    return 0;
}

bool CFileParsingManager::Suspend() {
    return RepairWorkerGate.Suspend();
}

bool CFileParsingManager::Resume() {
    return RepairWorkerGate.Resume();
}

unsigned CFileParsingManager::ParsingThread(CExcelData* data, CRepairTrace* trace) {
    const bool succeeded = RepairFile(data, trace);
    ParsingSucceeded.store(succeeded ? 1 : 0);
    ParsingRunning.store(0);
    StopRequested.store(0);
    ParsingDone.Set();
    return 0;
}
