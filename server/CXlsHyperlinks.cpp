#include "server/CXlsHyperlinks.h"

#include "server/CXlsHyperlinkRecord.h"

std::uint64_t CXlsHyperlinks::Key(const CXlsCellRange& range) {
    // Rows take 16 bits and columns 8 in a valid range.
    return (std::uint64_t{range.FirstRow()} << 32) | (std::uint64_t{range.LastRow()} << 16) |
           (std::uint64_t{range.FirstColumn()} << 8) | range.LastColumn();
}

bool CXlsHyperlinks::Add(CXlsHyperlink link) {
    if (!link.range.IsValid() || (link.address.empty() && link.subAddress.empty()) ||
        !CXlsHyperlinkRecord::Fits(link))
        return false;
    const std::uint64_t key = Key(link.range);
    if (const auto same = m_byRange.find(key); same != m_byRange.end()) {
        m_links[same->second] = std::move(link);
        return true;
    }
    if (m_links.size() >= kMaxPerSheet) return false;
    m_byRange.emplace(key, m_links.size());
    m_links.push_back(std::move(link));
    return true;
}

const CXlsHyperlink* CXlsHyperlinks::Find(const CXlsCellRange& range) const {
    if (!range.IsValid()) return nullptr;
    const auto at = m_byRange.find(Key(range));
    return at == m_byRange.end() ? nullptr : &m_links[at->second];
}
