#include "server/CXlsFormatPool.h"

CXlsFormatPool::CXlsFormatPool() {
    Intern(CXlsCellFormat());
}

std::uint32_t CXlsFormatPool::Intern(const CXlsCellFormat& format) {
    const auto [it, added] = m_ids.try_emplace(format, Count());
    if (added) m_formats.push_back(format);
    return it->second;
}

const CXlsCellFormat& CXlsFormatPool::Get(std::uint32_t id) const {
    return id < m_formats.size() ? m_formats[id] : m_formats[kDefaultId];
}
