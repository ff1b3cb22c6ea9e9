#include "server/CXlsStringPool.h"

#include <algorithm>
#include <functional>

std::uint32_t CXlsStringPool::Hash(std::u16string_view text) {
    return static_cast<std::uint32_t>(std::hash<std::u16string_view>{}(text));
}

std::uint32_t CXlsStringPool::Intern(std::u16string_view text) {
    if ((m_entries.size() + 1) * 2 > m_slots.size()) Grow();
    const std::uint32_t hash = Hash(text);
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = hash & mask;
    for (; m_slots[at] != 0; at = (at + 1) & mask) {
        const std::uint32_t id = m_slots[at] - 1;
        if (m_entries[id].hash == hash && Get(id) == text) return id;
    }
    const std::uint32_t id = Count();
    const std::u16string_view stored = Store(text);
    m_entries.push_back({stored.data(), static_cast<std::uint32_t>(stored.size()), hash});
    m_slots[at] = id + 1;
    return id;
}

std::u16string_view CXlsStringPool::Get(std::uint32_t id) const {
    if (id >= m_entries.size()) return {};
    const Entry& entry = m_entries[id];
    return {entry.chars, entry.length};
}

std::u16string_view CXlsStringPool::Store(std::u16string_view text) {
    if (text.empty()) return {};
    if (text.size() > m_freeChars) {
        // A text longer than a block gets a block of its own; the rest of
        // the current block is left unused.
        const std::size_t size = std::max(kBlockChars, text.size());
        m_blocks.push_back(std::make_unique_for_overwrite<char16_t[]>(size));
        m_free = m_blocks.back().get();
        m_freeChars = size;
    }
    char16_t* stored = std::copy(text.begin(), text.end(), m_free) - text.size();
    m_free += text.size();
    m_freeChars -= text.size();
    return {stored, text.size()};
}

void CXlsStringPool::Grow() {
    m_slots.assign(std::max<std::size_t>(1024, m_slots.size() * 2), 0);
    const std::size_t mask = m_slots.size() - 1;
    for (std::uint32_t id = 0; id < m_entries.size(); ++id) {
        std::size_t at = m_entries[id].hash & mask;
        while (m_slots[at] != 0) at = (at + 1) & mask;
        m_slots[at] = id + 1;
    }
}
