// Starts the preview filling on its own worker thread. PreviewRunning is 1
// from Start until the fill ends; setting PreviewStop asks the fill to end
// at its next page. The fill is borrowed and must outlive the worker.
#pragma once

#include <thread>

class IPreviewFill;

class CSFSPreviewThreadManager {
public:
    CSFSPreviewThreadManager();
    CSFSPreviewThreadManager(const CSFSPreviewThreadManager&) = delete;
    CSFSPreviewThreadManager& operator=(const CSFSPreviewThreadManager&) = delete;
    virtual ~CSFSPreviewThreadManager();

    void SetData(IPreviewFill* fill);
    // PreviewRunning = 1, PreviewStop = 0, then the worker starts. Returns 0.
    int Start();

    // The worker's body: PreviewRunning = 1, the fill, PreviewRunning = 0.
    static unsigned PreviewThread(IPreviewFill* fill);

private:
    std::thread m_thread;
    IPreviewFill* m_fill = nullptr;
};
