#include "platform/PauseGate.h"

PauseGate RepairWorkerGate;
PauseGate SaveWorkerGate;
PauseGate JobWorkerGate;

bool PauseGate::Suspend() {
    std::lock_guard lock(m_mutex);
    // Saturates rather than wrapping round to "open".
    if (m_suspendCount.load() != UINT32_MAX) m_suspendCount.fetch_add(1);
    return true;
}

bool PauseGate::Resume() {
    bool opened = false;
    {
        std::lock_guard lock(m_mutex);
        const std::uint32_t count = m_suspendCount.load();
        if (count > 0) {
            m_suspendCount.store(count - 1);
            opened = count == 1;
        }
    }
    if (opened) m_cv.notify_all();
    return true;
}

void PauseGate::Pass() {
    if (m_suspendCount.load() == 0) return;
    std::unique_lock lock(m_mutex);
    if (m_suspendCount.load() == 0) return;
    m_waiting.fetch_add(1);
    m_cv.wait(lock, [this] { return m_suspendCount.load() == 0; });
    m_waiting.fetch_sub(1);
}
