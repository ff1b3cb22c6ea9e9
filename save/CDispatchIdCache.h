// The dispatch ids a late-bound caller has resolved, so that a member called
// again and again (a cell's Formula, a range's Value) is looked up once per
// object class instead of once per call.
//
// An entry is keyed by the dynamic class of the object (each server class
// declares its members in one table, so a name has one id per class) and by
// the exact names asked for: the member name followed by the names of its
// named arguments. Only complete successes are kept: a refused name goes to
// the object again on every call, so each refusal is seen and reported.
//
// The cache borrows nothing: the names are copied into it, the objects are
// used only for their class and their lookup. One cache belongs to one
// caller on one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

#include "platform/automation/IDispatch.h"

class CDispatchIdCache {
public:
    // Distinct (class, names) entries kept at most; the cache starts again
    // when full, so a caller asking for ever new names stays bounded.
    static constexpr std::size_t kMaxEntries = 4096;

    // The ids of names (member first, then its named arguments) on object,
    // as IDispatch::GetIDsOfNames gives them with the system locale: from
    // the cache when this class answered these names before, else from the
    // object (kept when every name was known). ids.size() >= names.size().
    HRESULT Lookup(IDispatch& object, std::span<const std::u16string_view> names,
                   std::span<DISPID> ids);

    std::size_t Size() const { return m_entries.size(); }

private:
    struct Entry {
        std::size_t hash;
        std::type_index type;
        std::vector<std::u16string> names;
        std::vector<DISPID> ids;
    };

    std::vector<Entry> m_entries;
    // Open addressing over the entries by the hash of their class and
    // names: index + 1, or 0 for a free slot; at most half full.
    std::vector<std::uint32_t> m_slots;
};
