// The merged ranges of one worksheet. Ranges never overlap: merging a range
// that touches merged ranges merges the smallest range holding them all, as
// the spreadsheet does.
#pragma once

#include <vector>

#include "server/CXlsCellRange.h"

class CXlsMergedRanges {
  public:
    // The range that merging `range` would produce: grown until it holds
    // every merged range it touches.
    CXlsCellRange Expand(const CXlsCellRange& range) const;
    // Adds an expanded range (see Expand), replacing the ranges inside it.
    void Add(const CXlsCellRange& expanded);
    // Removes every merged range that touches `range`.
    void Remove(const CXlsCellRange& range);
    bool Intersects(const CXlsCellRange& range) const;

    const std::vector<CXlsCellRange>& Ranges() const { return m_ranges; }

  private:
    std::vector<CXlsCellRange> m_ranges;
};
