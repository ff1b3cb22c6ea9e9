#include "model/CDamageLog.h"

void CDamageLog::Skipped(const CDamagedRange& range) {
    // A walk that steps over damage one header at a time reports each step:
    // touching ranges of one kind in one sheet are one range.
    if (!m_ranges.empty() && m_reported == m_ranges.size()) {
        CDamagedRange& last = m_ranges.back();
        if (last.end == range.begin && last.kind == range.kind &&
            last.substream == range.substream && last.globals == range.globals) {
            last.end = range.end;
            last.rowAfter = range.rowAfter;
            return;
        }
    }
    ++m_reported;
    if (m_ranges.size() < kMaxRanges) m_ranges.push_back(range);
}

void CDamageLog::Clear() {
    m_ranges.clear();
    m_reported = 0;
}
