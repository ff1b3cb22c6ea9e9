#include "repair/CThreadManager.h"

#include "platform/RunState.h"

CThreadManager::CThreadManager() { SaveStopRequested = 0; }
CThreadManager::~CThreadManager() {
    if (m_thread.joinable()) m_thread.join();
}

void CThreadManager::SetData(CDataContainer* data) {
    m_data = data;
    SaveStopRequested = 0;
}

int CThreadManager::Start() { return 0; }  // the worker lands next
void CThreadManager::Stop() { SaveStopRequested = 1; }
bool CThreadManager::GetResult(std::uint32_t* result) const {
    if (result != nullptr) *result = SaveResult;
    return true;
}
bool CThreadManager::Suspend() { return true; }
bool CThreadManager::Resume() { return true; }
unsigned CThreadManager::SaveThread(CDataContainer*) { return 1; }
