#include "compound/CDataContainerOle.h"

COleDirectoryEntry* CDataContainerOle::GetEntry(std::int32_t id) {
    if (id < 0 || static_cast<std::uint32_t>(id) >= m_entries.size()) return nullptr;
    return &m_entries[static_cast<std::size_t>(id)];
}

const COleDirectoryEntry* CDataContainerOle::GetEntry(std::int32_t id) const {
    if (id < 0 || static_cast<std::uint32_t>(id) >= m_entries.size()) return nullptr;
    return &m_entries[static_cast<std::size_t>(id)];
}
