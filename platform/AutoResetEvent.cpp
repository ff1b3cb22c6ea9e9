#include "platform/AutoResetEvent.h"

#include <chrono>

void AutoResetEvent::Set() {
    {
        std::lock_guard lock(m_mutex);
        m_signalled = true;
    }
    m_cv.notify_one();
}

void AutoResetEvent::Reset() {
    std::lock_guard lock(m_mutex);
    m_signalled = false;
}

void AutoResetEvent::Wait() {
    std::unique_lock lock(m_mutex);
    m_cv.wait(lock, [this] { return m_signalled; });
    m_signalled = false;
}

bool AutoResetEvent::WaitFor(unsigned milliseconds) {
    std::unique_lock lock(m_mutex);
    if (!m_cv.wait_for(lock, std::chrono::milliseconds(milliseconds),
                       [this] { return m_signalled; }))
        return false;
    m_signalled = false;
    return true;
}
