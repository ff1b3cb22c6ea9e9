#include "widgets/CGridAxis.h"

#include <algorithm>

void CGridAxis::Rebuild(int count, int defaultSize, const std::function<int(int)>& sizeOf) {
    m_starts.clear();
    if (count < 1) return;
    m_starts.reserve(static_cast<std::size_t>(count));
    std::int64_t at = 0;
    m_starts.push_back(at);
    for (int index = 1; index < count; ++index) {
        int size = sizeOf ? sizeOf(index) : 0;
        if (size == kHidden) {
            size = 0;
        } else if (size <= 0) {
            size = defaultSize;
        }
        at += std::min(size, kMaxSize);
        m_starts.push_back(at);
    }
}

std::int64_t CGridAxis::GetStart(int index) const {
    if (m_starts.empty() || index <= 1) return 0;
    const int last = GetCount();
    return m_starts[static_cast<std::size_t>(std::min(index, last) - 1)];
}

int CGridAxis::GetSize(int index) const {
    if (index < 1 || index >= GetCount()) return 0;
    const auto k = static_cast<std::size_t>(index - 1);
    return static_cast<int>(m_starts[k + 1] - m_starts[k]);
}

int CGridAxis::IndexAt(std::int64_t pixel) const {
    const int count = GetCount();
    if (count < 2) return 0;
    if (pixel >= GetTotal()) return count - 1;
    // From the start on, hidden indices (no room) are passed over.
    pixel = std::max<std::int64_t>(pixel, 0);
    // The first start beyond pixel follows the entry of the index holding it.
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), pixel);
    return static_cast<int>(after - m_starts.begin());
}

int CGridAxis::Step(int from, int by) const {
    const int count = GetCount();
    const int direction = by < 0 ? -1 : 1;
    int left = by < 0 ? -by : by;
    int ended = from;
    // Every index is looked at once at most: the walk ends at either end.
    for (int at = from + direction; left > 0 && at >= 1 && at < count; at += direction) {
        if (GetSize(at) == 0) continue;
        ended = at;
        --left;
    }
    return ended;
}
