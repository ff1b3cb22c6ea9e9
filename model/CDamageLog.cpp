#include "model/CDamageLog.h"

void CDamageLog::Skipped(const CDamagedRange& range) {
    ++m_reported;
    if (m_ranges.size() < kMaxRanges) m_ranges.push_back(range);
}

void CDamageLog::Clear() {
    m_ranges.clear();
    m_reported = 0;
}
