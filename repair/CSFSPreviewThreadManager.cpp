#include "repair/CSFSPreviewThreadManager.h"

#include "containers/IPreviewFill.h"

CSFSPreviewThreadManager::CSFSPreviewThreadManager() = default;
CSFSPreviewThreadManager::~CSFSPreviewThreadManager() {
    if (m_thread.joinable()) m_thread.join();
}

void CSFSPreviewThreadManager::SetData(IPreviewFill* fill) { m_fill = fill; }
int CSFSPreviewThreadManager::Start() { return 0; }  // the worker lands next
unsigned CSFSPreviewThreadManager::PreviewThread(IPreviewFill*) { return 0; }
