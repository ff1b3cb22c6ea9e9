#include "save/CDispatchArguments.h"

#include <new>
#include <utility>

void CDispatchArguments::Reset() {
    for (std::uint32_t i = 0; i < m_count; ++i) {
        // A borrowed object is forgotten, not released; anything else is
        // freed or released by Clear.
        if ((m_flags[i] & kBorrowed) != 0) m_values[i].DetachObject();
        m_values[i].Clear();
        m_flags[i] = 0;
    }
    for (std::uint32_t i = 1; i <= m_namedCount; ++i) m_names[i].clear();
    m_count = 0;
    m_namedCount = 0;
}

bool CDispatchArguments::Push(std::u16string_view name, std::uint16_t flags, CVariant& value) {
    if (m_count >= kCapacity) return false;
    if (!name.empty()) {
        try {
            m_names[m_namedCount + 1].assign(name);
        } catch (const std::bad_alloc&) {
            return false;
        }
        ++m_namedCount;
    }
    m_values[m_count] = std::move(value);
    m_flags[m_count] = flags;
    ++m_count;
    return true;
}

bool CDispatchArguments::PushDispatch(std::u16string_view name, std::uint16_t flags,
                                      IDispatch* object) {
    CVariant value = CVariant::AdoptObject(object);
    if (Push(name, flags, value)) return true;
    // Not appended: a borrowed object must not be released by `value`.
    if ((flags & kBorrowed) != 0) value.DetachObject();
    return false;
}

bool CDispatchArguments::PushShort(std::u16string_view name, std::uint16_t flags,
                                   std::int16_t value) {
    CVariant variant = CVariant::Short(value);
    return Push(name, flags, variant);
}

bool CDispatchArguments::PushBool(std::u16string_view name, std::uint16_t flags, bool value) {
    CVariant variant = CVariant::Bool(value);
    return Push(name, flags, variant);
}

bool CDispatchArguments::PushDouble(std::u16string_view name, std::uint16_t flags, double value) {
    CVariant variant = CVariant::Double(value);
    return Push(name, flags, variant);
}

bool CDispatchArguments::PushError(std::u16string_view name, std::uint16_t flags, HRESULT status) {
    CVariant variant = CVariant::Error(status);
    return Push(name, flags, variant);
}

CVariant CDispatchArguments::Take(std::uint32_t index) {
    if (index >= m_count) return CVariant();
    return std::move(m_values[index]);
}

bool CDispatchArguments::PushVariant(std::u16string_view name, std::uint16_t flags,
                                     CVariant value) {
    return Push(name, flags, value);
}

bool CDispatchArguments::PushText(std::u16string_view name, std::uint16_t flags,
                                  std::u16string_view text) {
    if (m_count >= kCapacity) return false;
    // The copy stands for the server-side string whose allocation may fail.
    try {
        CVariant variant = CVariant::Text(std::u16string(text));
        return Push(name, flags, variant);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

std::span<const std::u16string_view> CDispatchArguments::NamesFor(std::u16string_view member) {
    m_names[0].assign(member);
    for (std::uint32_t i = 0; i <= m_namedCount; ++i) m_nameViews[i] = m_names[i];
    return std::span<const std::u16string_view>(m_nameViews.data(), m_namedCount + 1);
}
