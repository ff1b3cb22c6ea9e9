#include "compound/COleDirectoryEntry.h"

#include <cstring>
#include <utility>

#include "compound/LittleEndian.h"

using namespace CompoundFormat;

COleDirectoryEntry::COleDirectoryEntry(const std::uint8_t* bytes) {
    std::memcpy(m_bytes.data(), bytes, m_bytes.size());
}

std::u16string COleDirectoryEntry::GetName() const {
    std::u16string name;
    for (std::uint32_t i = 0; i < kEntryNameUnits; ++i) {
        const char16_t unit = LittleEndian::U16(&m_bytes[kEntryNameOffset + 2 * i]);
        if (unit == 0) break;
        name.push_back(unit);
    }
    return name;
}

std::int32_t COleDirectoryEntry::GetLeftSiblingId() const {
    return LittleEndian::I32(&m_bytes[kEntryLeftSiblingOffset]);
}
std::int32_t COleDirectoryEntry::GetRightSiblingId() const {
    return LittleEndian::I32(&m_bytes[kEntryRightSiblingOffset]);
}
std::int32_t COleDirectoryEntry::GetChildId() const {
    return LittleEndian::I32(&m_bytes[kEntryChildOffset]);
}
std::int32_t COleDirectoryEntry::GetStartingSector() const {
    return LittleEndian::I32(&m_bytes[kEntryStartSectorOffset]);
}
std::uint32_t COleDirectoryEntry::GetStreamSize() const {
    return LittleEndian::U32(&m_bytes[kEntryStreamSizeOffset]);
}

void COleDirectoryEntry::SetChain(CSectorList chain) {
    m_chain = std::move(chain);
    m_hasChain = true;
}
