// The pixel layout of one direction of a grid: where each row (or column)
// starts and how big it is, for the scrolling part of the grid only (grid
// index 1 upwards; the header row or column is laid out by the grid itself).
//
// Offsets count from the top (left) edge of the first non-header row
// (column), in pixels, and are rebuilt as a whole from the store's sizes;
// finding the index under a pixel is a binary search, so a grid of 65,000
// rows costs the same to paint at its end as at its start.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

class CGridAxis {
public:
    // A size larger than this (a damaged width or height) is drawn this big.
    static constexpr int kMaxSize = 4096;
    // The size sizeOf gives for a hidden index: it takes no room.
    static constexpr int kHidden = -0x40000000;

    // count: the grid's count including the header (index 0), so indices
    // 1..count-1 are laid out. sizeOf(i) gives the stored size of index i;
    // kHidden means 0, any other size of 0 or less means defaultSize.
    void Rebuild(int count, int defaultSize, const std::function<int(int)>& sizeOf);

    // The number of laid-out indices plus one (the header), as given.
    int GetCount() const { return static_cast<int>(m_starts.size()); }
    // Sum of all sizes of indices 1..count-1.
    std::int64_t GetTotal() const { return m_starts.empty() ? 0 : m_starts.back(); }

    // Start of index i (1..count-1); the total for count, 0 for anything
    // at or below 1.
    std::int64_t GetStart(int index) const;
    // Size of index i; 0 outside 1..count-1.
    int GetSize(int index) const;

    // The index whose span holds pixel (0 at the first index's start), never
    // a hidden one; the first with room below the start, count - 1 past the
    // end, 0 when nothing is laid out.
    int IndexAt(std::int64_t pixel) const;

    // From index from, by indices that take room (by < 0: backwards): where
    // the move ends, at the last index with room on the way when it runs
    // out of them; from itself when there is none that way.
    int Step(int from, int by) const;

private:
    // m_starts[k] is the start of index k + 1; the last entry is the total.
    std::vector<std::int64_t> m_starts;
};
