#include "repair/CMFSRSThreadManager.h"

#include "platform/RunState.h"

CMFSRSThreadManager::CMFSRSThreadManager() = default;
CMFSRSThreadManager::~CMFSRSThreadManager() {
    if (m_thread.joinable()) m_thread.join();
}

void CMFSRSThreadManager::SetData(CMFSDataContainer* job) { m_job = job; }
int CMFSRSThreadManager::Start() { return 0; }  // the worker lands next
void CMFSRSThreadManager::Stop() { SkipAll = 1; }
bool CMFSRSThreadManager::Suspend() { return true; }
bool CMFSRSThreadManager::Resume() { return true; }
unsigned CMFSRSThreadManager::JobThread(CMFSDataContainer*) { return 0; }
