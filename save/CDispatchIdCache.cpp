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
    const auto [first, last] = m_byHash.equal_range(hash);
    for (auto at = first; at != last; ++at) {
        const Entry& entry = m_entries[at->second];
        if (entry.type == type &&
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
        m_byHash.clear();
    }
    Entry entry{type, std::vector<std::u16string>(names.begin(), names.end()),
                std::vector<DISPID>(ids.begin(), ids.begin() + names.size())};
    m_byHash.emplace(hash, static_cast<std::uint32_t>(m_entries.size()));
    m_entries.push_back(std::move(entry));
    return S_OK;
}
