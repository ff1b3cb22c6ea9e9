// Cooperative suspend and resume of one worker thread.
//
// The worker calls Pass() at every stop check and inside its long loops;
// while the gate is suspended Pass() blocks, so a suspended worker makes no
// progress past its next check until it is resumed. Suspensions count like a
// thread's suspend count: each Suspend() needs its Resume(). Resume() of a
// gate that is not suspended does nothing. Every member may be called from
// any thread; Pass() costs one atomic load while the gate is open.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

class PauseGate {
public:
    PauseGate() = default;
    PauseGate(const PauseGate&) = delete;
    PauseGate& operator=(const PauseGate&) = delete;

    // Both return true, as the worker managers' Suspend and Resume do.
    bool Suspend();
    bool Resume();

    bool IsSuspended() const { return m_suspendCount.load() > 0; }

    // Returns at once while the gate is open; otherwise waits, without a
    // time-out, until the last suspension is resumed.
    void Pass();

    // Threads blocked in Pass() right now: a worker counted here has stopped
    // at its check and will not move until the last Resume().
    std::uint32_t WaitingCount() const { return m_waiting.load(); }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::atomic<std::uint32_t> m_suspendCount{0};
    std::atomic<std::uint32_t> m_waiting{0};
};

// One gate per kind of worker that the screens pause while they ask whether
// to stop: the repair worker, the save worker and the multiple-file job
// worker. The preview worker is only ever stopped, never paused.
extern PauseGate RepairWorkerGate;
extern PauseGate SaveWorkerGate;
extern PauseGate JobWorkerGate;
