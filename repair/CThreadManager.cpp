#include "repair/CThreadManager.h"

#include <system_error>

#include "platform/PauseGate.h"
#include "platform/RunState.h"
#include "save/CSaveProcessManagerExcel.h"

CThreadManager::CThreadManager() {
    SaveStopRequested.store(0);
}

CThreadManager::~CThreadManager() {
    // A worker held at the gate by us would never reach its end.
    while (m_suspensions > 0) Resume();
    if (m_thread.joinable()) m_thread.join();
}

void CThreadManager::SetData(CDataContainer* data) {
    m_data = data;
    SaveStopRequested.store(0);
}

int CThreadManager::Start() {
    // Two saves would share SaveRunning, SaveResult and SaveDone; the
    // worker signals SaveDone as its last act, so after that this join
    // returns at once.
    if (m_thread.joinable()) m_thread.join();
    SaveRunning.store(1);
    SaveStopRequested.store(0);
    SaveDone.Reset();
    try {
        m_thread = std::thread(&CThreadManager::SaveThread, m_data);
    } catch (const std::system_error&) {
        // No thread to be had: end the way a save that wrote nothing ends,
        // so that the job's wait and the screen's poll still see it finish.
        SaveResult.store(1);
        SaveRunning.store(0);
        SaveDone.Set();
        return 1;
    }
    return 0;
}

void CThreadManager::Stop() {
    SaveStopRequested.store(1);
}

bool CThreadManager::GetResult(std::uint32_t* result) const {
    if (result != nullptr) *result = SaveResult.load();
    return true;
}

bool CThreadManager::Suspend() {
    ++m_suspensions;
    return SaveWorkerGate.Suspend();
}

bool CThreadManager::Resume() {
    // Only our own suspensions are lifted: another holder of the gate keeps
    // the worker where it is.
    if (m_suspensions == 0) return true;
    --m_suspensions;
    return SaveWorkerGate.Resume();
}

unsigned CThreadManager::SaveThread(CDataContainer* data) {
    SaveRunning.store(1);
    std::int32_t result = 1;
    try {
        CSaveProcessManagerExcel manager;
        result = manager.Save(data);
    } catch (...) {
        // Memory ran out inside the save: nothing complete was written.
        result = 1;
    }
    // The result before the running flag: the saving screen reads
    // SaveResult as soon as it sees SaveRunning drop.
    SaveResult.store(static_cast<std::uint32_t>(result));
    SaveRunning.store(0);
    SaveDone.Set();
    return static_cast<unsigned>(result);
}
