// What the worker tests share: a status list that records what a job shows,
// the run state of a fresh program with every worker gate open, and bounded
// waits that fail a test instead of hanging it.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "containers/IJobStatusList.h"
#include "platform/PauseGate.h"
#include "platform/RunState.h"

namespace jobtest {

constexpr unsigned kWorkerBoundMs = 120000;

// Polls until condition holds or the bound passes; true when it held.
template <class Condition>
bool Eventually(Condition condition) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kWorkerBoundMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

inline void OpenGate(PauseGate& gate) {
    while (gate.IsSuspended()) gate.Resume();
}

inline void ResetWorkerRunState() {
    OpenGate(RepairWorkerGate);
    OpenGate(SaveWorkerGate);
    OpenGate(JobWorkerGate);
    StopRequested.store(0);
    ParsingRunning.store(0);
    ParsingSucceeded.store(0);
    ParsingDone.Reset();
    SaveRunning.store(0);
    SaveStopRequested.store(0);
    SaveResult.store(0);
    SaveDone.Reset();
    JobRunning.store(0);
    SkipAll.store(0);
    JobStatusText.Set(u"");
    PreviewRunning.store(0);
    PreviewStop.store(0);
}

// Records every call from the job worker, whole, under one lock. OnStep, when
// set, runs on the job worker each time the step text area is invalidated,
// with JobStatusText's value at that moment.
class RecordingJobStatusList : public IJobStatusList {
public:
    struct RowCall {
        std::size_t row;
        std::filesystem::path destination;
        std::u16string status;
    };

    void SetRow(std::size_t row, const std::filesystem::path& destination,
                std::u16string_view status) override {
        std::lock_guard lock(m_mutex);
        m_rows.push_back({row, destination, std::u16string(status)});
    }
    void SetStatusText(std::u16string_view text) override {
        std::lock_guard lock(m_mutex);
        m_statusTexts.emplace_back(text);
    }
    void InvalidateStatusArea() override {
        const std::u16string step = JobStatusText.Get();
        std::function<void(const std::u16string&)> hook;
        {
            std::lock_guard lock(m_mutex);
            m_steps.push_back(step);
            hook = OnStep;
        }
        if (hook) hook(step);
    }

    std::vector<RowCall> Rows() const {
        std::lock_guard lock(m_mutex);
        return m_rows;
    }
    // The statuses row has shown, in order.
    std::vector<std::u16string> StatusesOf(std::size_t row) const {
        std::lock_guard lock(m_mutex);
        std::vector<std::u16string> statuses;
        for (const RowCall& call : m_rows)
            if (call.row == row) statuses.push_back(call.status);
        return statuses;
    }
    std::vector<std::u16string> StatusTexts() const {
        std::lock_guard lock(m_mutex);
        return m_statusTexts;
    }
    std::vector<std::u16string> Steps() const {
        std::lock_guard lock(m_mutex);
        return m_steps;
    }

    // Set before the job starts; not changed while it runs.
    std::function<void(const std::u16string&)> OnStep;

private:
    mutable std::mutex m_mutex;
    std::vector<RowCall> m_rows;
    std::vector<std::u16string> m_statusTexts;
    std::vector<std::u16string> m_steps;
};

}  // namespace jobtest
