#include "server/CXlsCommentStore.h"

#include <iterator>

#include "server/XlsRecordLayout.h"

CXlsComment* CXlsCommentStore::Add(std::uint32_t row, std::uint32_t column,
                                   std::u16string_view text) {
    if (row >= xlsw::kMaxRows || column >= xlsw::kMaxColumns) return nullptr;
    if (m_comments.size() >= kMaxComments || text.size() > kMaxTextLength) return nullptr;
    const auto [at, added] = m_comments.try_emplace(Key(row, column));
    if (!added) return nullptr;
    at->second.text.assign(text);
    return &at->second;
}

CXlsComment* CXlsCommentStore::Find(std::uint32_t row, std::uint32_t column) {
    if (row >= xlsw::kMaxRows || column >= xlsw::kMaxColumns) return nullptr;
    const auto at = m_comments.find(Key(row, column));
    return at == m_comments.end() ? nullptr : &at->second;
}

const CXlsComment* CXlsCommentStore::Find(std::uint32_t row, std::uint32_t column) const {
    if (row >= xlsw::kMaxRows || column >= xlsw::kMaxColumns) return nullptr;
    const auto at = m_comments.find(Key(row, column));
    return at == m_comments.end() ? nullptr : &at->second;
}

bool CXlsCommentStore::Remove(std::uint32_t row, std::uint32_t column) {
    if (row >= xlsw::kMaxRows || column >= xlsw::kMaxColumns) return false;
    return m_comments.erase(Key(row, column)) > 0;
}

bool CXlsCommentStore::CellAt(std::size_t position, std::uint32_t& row,
                              std::uint32_t& column) const {
    if (position >= m_comments.size()) return false;
    const std::uint32_t key = std::next(m_comments.begin(), static_cast<long>(position))->first;
    row = key >> 8;
    column = key & 0xFF;
    return true;
}

void CXlsCommentStore::ForEach(
    const std::function<void(std::uint32_t, std::uint32_t, const CXlsComment&)>& visit) const {
    for (const auto& [key, comment] : m_comments) visit(key >> 8, key & 0xFF, comment);
}
