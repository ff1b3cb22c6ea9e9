#include "server/CXlsStringPool.h"

std::uint32_t CXlsStringPool::Intern(std::u16string_view text) {
    if (const auto it = m_ids.find(text); it != m_ids.end()) return it->second;
    const std::uint32_t id = Count();
    const std::u16string& stored = m_texts.emplace_back(text);
    m_ids.emplace(std::u16string_view(stored), id);
    return id;
}

std::u16string_view CXlsStringPool::Get(std::uint32_t id) const {
    return id < m_texts.size() ? std::u16string_view(m_texts[id]) : std::u16string_view();
}
