#include "server/CXlsMergedRanges.h"

#include <algorithm>

CXlsCellRange CXlsMergedRanges::Expand(const CXlsCellRange& range) const {
    CXlsCellRange grown = range;
    // Each pass that grows the range takes in at least one more merged
    // range, so there are at most as many passes as ranges.
    for (bool changed = true; changed;) {
        changed = false;
        for (const CXlsCellRange& merged : m_ranges) {
            if (!grown.Intersects(merged) || grown.Contains(merged)) continue;
            grown = grown.Union(merged);
            changed = true;
        }
    }
    return grown;
}

void CXlsMergedRanges::Add(const CXlsCellRange& expanded) {
    Remove(expanded);
    m_ranges.push_back(expanded);
}

void CXlsMergedRanges::Remove(const CXlsCellRange& range) {
    std::erase_if(m_ranges,
                  [&range](const CXlsCellRange& merged) { return merged.Intersects(range); });
}

bool CXlsMergedRanges::Intersects(const CXlsCellRange& range) const {
    return std::any_of(m_ranges.begin(), m_ranges.end(),
                       [&range](const CXlsCellRange& merged) { return merged.Intersects(range); });
}
