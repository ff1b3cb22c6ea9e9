// Starts the preview filling on its own worker thread. PreviewRunning is 1
// from Start until the fill ends; setting PreviewStop asks the fill to end
// at its next page. The fill is borrowed and must outlive the worker. A
// Start while this manager's previous fill still runs waits for it first,
// and the destructor waits for the fill to end.
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
    // When no thread can be made, returns 1 and the fill has ended at once
    // without filling anything (PreviewRunning 0).
    int Start();

    // The worker's body: PreviewRunning = 1, the fill (none for a null
    // fill), PreviewRunning = 0. Returns 0; nothing is thrown.
    static unsigned PreviewThread(IPreviewFill* fill);

private:
    std::thread m_thread;
    IPreviewFill* m_fill = nullptr;
};
