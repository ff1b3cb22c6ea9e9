// An event that wakes exactly one waiter and then resets itself, the way
// workers signal "repair finished" or "save finished" to whoever waits.
#pragma once

#include <condition_variable>
#include <mutex>

class AutoResetEvent {
public:
    AutoResetEvent() = default;
    AutoResetEvent(const AutoResetEvent&) = delete;
    AutoResetEvent& operator=(const AutoResetEvent&) = delete;

    // Sets the event; a waiter (present or next to come) is released once.
    void Set();
    // Clears a pending signal without waiting.
    void Reset();
    // Blocks until the event is set, then resets it. No time-out.
    void Wait();
    // Waits at most the given milliseconds; true when the event was taken.
    bool WaitFor(unsigned milliseconds);

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_signalled = false;
};
