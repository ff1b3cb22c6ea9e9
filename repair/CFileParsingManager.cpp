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
    if (!m_thread.joinable()) return;
    // The worker reads the borrowed workbook until its last step: it must
    // end before whoever owns the workbook may free it. A worker that has
    // already ended is not asked, or its stop would be left for the next
    // reader of StopRequested (the multiple-file save checks it).
    const bool running = ParsingRunning.load() != 0;
    if (running) StopRequested.store(1);
    // A worker held at the gate by us would never see the request.
    while (m_suspensions > 0) Resume();
    m_thread.join();
    // The worker may have cleared the flag just before our request came.
    if (running) StopRequested.store(0);
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
        return 1;
    }
    return 0;
}

bool CFileParsingManager::Suspend() {
    ++m_suspensions;
    return RepairWorkerGate.Suspend();
}

bool CFileParsingManager::Resume() {
    // Only our own suspensions are lifted: another holder of the gate keeps
    // the worker where it is.
    if (m_suspensions == 0) return true;
    --m_suspensions;
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
