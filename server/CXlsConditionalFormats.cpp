#include "server/CXlsConditionalFormats.h"

#include <algorithm>

int CXlsConditionalFormats::Add(const CXlsCellRange& range, CXlsCondition condition) {
    if (!range.IsValid() || m_conditions >= kMaxConditions) return -1;
    CXlsConditionalFormat* format = Find(range);
    if (format == nullptr) {
        m_formats.push_back(CXlsConditionalFormat{range, {}});
        format = &m_formats.back();
    }
    format->conditions.push_back(std::move(condition));
    ++m_conditions;
    return static_cast<int>(format->conditions.size() - 1);
}

CXlsConditionalFormat* CXlsConditionalFormats::Find(const CXlsCellRange& range) {
    for (CXlsConditionalFormat& format : m_formats) {
        if (format.range == range) return &format;
    }
    return nullptr;
}

void CXlsConditionalFormats::RemoveInside(const CXlsCellRange& range) {
    const auto inside = [&](const CXlsConditionalFormat& format) {
        return range.Contains(format.range);
    };
    for (const CXlsConditionalFormat& format : m_formats) {
        if (inside(format)) m_conditions -= format.conditions.size();
    }
    m_formats.erase(std::remove_if(m_formats.begin(), m_formats.end(), inside), m_formats.end());
}
