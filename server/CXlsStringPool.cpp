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
        if (m_slots[at] >> 32 != hash) continue;
        const auto id = static_cast<std::uint32_t>(m_slots[at]) - 1;
        if (Equal(m_entries[id], text)) return id;
    }
    const std::uint32_t id = Count();
    m_entries.push_back(Store(text, hash));
    m_slots[at] = Slot(hash, id);
    return id;
}

bool CXlsStringPool::Equal(const Entry& entry, std::u16string_view text) {
    if ((entry.length & ~kNarrow) != text.size()) return false;
    if (!(entry.length & kNarrow))
        return std::equal(text.begin(), text.end(), static_cast<const char16_t*>(entry.chars));
    return std::equal(text.begin(), text.end(), static_cast<const std::uint8_t*>(entry.chars));
}

std::u16string_view CXlsStringPool::Get(std::uint32_t id, std::u16string& scratch) const {
    if (id >= m_entries.size()) return {};
    const Entry& entry = m_entries[id];
    const std::size_t length = entry.length & ~kNarrow;
    if (!(entry.length & kNarrow)) return {static_cast<const char16_t*>(entry.chars), length};
    const auto* bytes = static_cast<const std::uint8_t*>(entry.chars);
    scratch.assign(bytes, bytes + length);
    return scratch;
}

std::u16string CXlsStringPool::Text(std::uint32_t id) const {
    std::u16string text;
    const std::u16string_view view = Get(id, text);
    return view.data() == text.data() ? text : std::u16string(view);
}

template <class Char>
Char* CXlsStringPool::Blocks<Char>::Take(std::size_t n) {
    if (n > freeChars) {
        // A text longer than a block gets a block of its own; the rest of
        // the current block is left unused.
        const std::size_t size = std::max(kBlockChars, n);
        blocks.push_back(std::make_unique_for_overwrite<Char[]>(size));
        free = blocks.back().get();
        freeChars = size;
    }
    Char* room = free;
    free += n;
    freeChars -= n;
    return room;
}

CXlsStringPool::Entry CXlsStringPool::Store(std::u16string_view text, std::uint32_t hash) {
    const auto length = static_cast<std::uint32_t>(text.size());
    if (text.empty()) return {nullptr, 0, hash};
    const bool narrow = std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x100; });
    if (!narrow) {
        char16_t* room = m_wide.Take(text.size());
        std::copy(text.begin(), text.end(), room);
        return {room, length, hash};
    }
    std::uint8_t* room = m_narrow.Take(text.size());
    std::transform(text.begin(), text.end(), room,
                   [](char16_t c) { return static_cast<std::uint8_t>(c); });
    return {room, length | kNarrow, hash};
}

void CXlsStringPool::Grow() {
    m_slots.assign(std::max<std::size_t>(1024, m_slots.size() * 2), 0);
    const std::size_t mask = m_slots.size() - 1;
    for (std::uint32_t id = 0; id < m_entries.size(); ++id) {
        std::size_t at = m_entries[id].hash & mask;
        while (m_slots[at] != 0) at = (at + 1) & mask;
        m_slots[at] = Slot(m_entries[id].hash, id);
    }
}
