#include "repair/CSFSPreviewThreadManager.h"

#include <system_error>

#include "containers/IPreviewFill.h"
#include "platform/RunState.h"

CSFSPreviewThreadManager::CSFSPreviewThreadManager() = default;

CSFSPreviewThreadManager::~CSFSPreviewThreadManager() {
    if (m_thread.joinable()) m_thread.join();
}

void CSFSPreviewThreadManager::SetData(IPreviewFill* fill) {
    m_fill = fill;
}

int CSFSPreviewThreadManager::Start() {
    // Two fills would share PreviewRunning and PreviewStop.
    if (m_thread.joinable()) m_thread.join();
    PreviewRunning.store(1);
    PreviewStop.store(0);
    try {
        m_thread = std::thread(&CSFSPreviewThreadManager::PreviewThread, m_fill);
    } catch (const std::system_error&) {
        PreviewRunning.store(0);
        return 1;
    }
    return 0;
}

unsigned CSFSPreviewThreadManager::PreviewThread(IPreviewFill* fill) {
    PreviewRunning.store(1);
    try {
        if (fill != nullptr) fill->Fill();
    } catch (...) {
        // Memory ran out while filling: the preview keeps the pages it has.
    }
    PreviewRunning.store(0);
    return 0;
}
