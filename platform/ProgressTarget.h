// Stands in for a progress bar that a worker drives: the worker sets the
// range and the position, a screen (or the command-line tool) reads them on
// its timer. Every access is one atomic load or store.
#pragma once

#include <atomic>
#include <cstdint>

class ProgressTarget {
public:
    void SetRange(std::uint32_t lower, std::uint32_t upper) {
        m_lower.store(lower);
        m_upper.store(upper);
    }
    void SetPosition(std::uint32_t position) { m_position.store(position); }

    std::uint32_t GetLower() const { return m_lower.load(); }
    std::uint32_t GetUpper() const { return m_upper.load(); }
    std::uint32_t GetPosition() const { return m_position.load(); }

private:
    std::atomic<std::uint32_t> m_lower{0};
    std::atomic<std::uint32_t> m_upper{100};
    std::atomic<std::uint32_t> m_position{0};
};
