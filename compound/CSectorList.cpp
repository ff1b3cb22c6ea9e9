#include "compound/CSectorList.h"

#include "compound/CompoundFormat.h"
#include "compound/LittleEndian.h"

void CSectorList::AddLittleEndian(const std::uint8_t* bytes, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i) {
        m_values.push_back(LittleEndian::I32(bytes + 4 * static_cast<std::size_t>(i)));
    }
}

std::int32_t CSectorList::GetAt(std::uint32_t pos) const {
    return pos < m_values.size() ? m_values[pos] : CompoundFormat::kEndOfChain;
}

std::int32_t CSectorList::Lookup(std::int32_t id) const {
    return id < 0 ? CompoundFormat::kEndOfChain : GetAt(static_cast<std::uint32_t>(id));
}
