// Stands in for a progress bar that a worker drives: the worker sets the
// range and the position, a screen (or the command-line tool) reads them on
// its timer. Every access is one atomic load or store; the range is kept in
// one 64-bit word so that a reader never sees the lower bound of one range
// with the upper bound of another.
#pragma once

#include <atomic>
#include <cstdint>

class ProgressTarget {
public:
    struct Range {
        std::uint32_t lower;
        std::uint32_t upper;
    };

    void SetRange(std::uint32_t lower, std::uint32_t upper) { m_range.store(Pack(lower, upper)); }
    void SetPosition(std::uint32_t position) { m_position.store(position); }

    // Both bounds from one load: always a pair that SetRange stored.
    Range GetRange() const { return Unpack(m_range.load()); }
    std::uint32_t GetLower() const { return GetRange().lower; }
    std::uint32_t GetUpper() const { return GetRange().upper; }
    std::uint32_t GetPosition() const { return m_position.load(); }

private:
    static std::uint64_t Pack(std::uint32_t lower, std::uint32_t upper) {
        return (static_cast<std::uint64_t>(upper) << 32) | lower;
    }
    static Range Unpack(std::uint64_t word) {
        return {static_cast<std::uint32_t>(word), static_cast<std::uint32_t>(word >> 32)};
    }

    std::atomic<std::uint64_t> m_range{Pack(0, 100)};
    std::atomic<std::uint32_t> m_position{0};
};
