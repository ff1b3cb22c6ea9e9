#include "save/CDispatchIdCache.h"

#include <algorithm>
#include <functional>
#include <typeinfo>

namespace {

// The class enters by the address of its type record, not by hashing its
// name on every call. A class with two such records (one per shared
// library) is then only kept twice; equality is still std::type_index's.
std::size_t HashOf(const std::type_info& type, std::span<const std::u16string_view> names) {
    std::size_t hash = std::hash<const void*>{}(&type);
    for (const std::u16string_view name : names) {
        hash = hash * 31 + std::hash<std::u16string_view>{}(name);
    }
    return hash;
}

}  // namespace

HRESULT CDispatchIdCache::Lookup(IDispatch& object, std::span<const std::u16string_view> names,
                                 std::span<DISPID> ids) {
    if (names.empty() || ids.size() < names.size()) return E_INVALIDARG;
    const std::type_info& typeInfo = typeid(object);
    const std::type_index type(typeInfo);
    const std::size_t hash = HashOf(typeInfo, names);
    if (m_slots.empty()) m_slots.assign(2 * kMaxEntries, 0);
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = hash & mask;
    for (; m_slots[at] != 0; at = (at + 1) & mask) {
        const Entry& entry = m_entries[m_slots[at] - 1];
        if (entry.hash == hash && entry.type == type &&
            std::equal(entry.names.begin(), entry.names.end(), names.begin(), names.end())) {
            std::copy(entry.ids.begin(), entry.ids.end(), ids.begin());
            return S_OK;
        }
    }

    const HRESULT status = object.GetIDsOfNames(names, LOCALE_SYSTEM_DEFAULT, ids);
    // A refusal, or a success with a warning, is the object's to give again.
    if (status != S_OK) return status;
    if (m_entries.size() >= kMaxEntries) {
        m_entries.clear();
        std::fill(m_slots.begin(), m_slots.end(), 0);
        at = hash & mask;
    }
    m_entries.push_back(Entry{hash, type, std::vector<std::u16string>(names.begin(), names.end()),
                              std::vector<DISPID>(ids.begin(), ids.begin() + names.size())});
    m_slots[at] = static_cast<std::uint32_t>(m_entries.size());
    return S_OK;
}
