#include "platform/CRefusedCalls.h"

#include <algorithm>

void CRefusedCalls::Note(const std::u16string& text) {
    ++m_count;
    const auto kind = std::find_if(m_kinds.begin(), m_kinds.end(),
                                   [&text](const Kind& k) { return k.text == text; });
    if (kind != m_kinds.end())
        ++kind->count;
    else if (m_kinds.size() < kMaxKinds)
        m_kinds.push_back({text, 1});
}

void CRefusedCalls::Clear() {
    m_kinds.clear();
    m_count = 0;
}
