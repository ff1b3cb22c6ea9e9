#include "records/CExcelSSTDataList.h"

void CExcelSSTDataList::Add(const CExcelSSTData& entry) {
    Add(std::make_unique<CExcelSSTData>(entry));
}

void CExcelSSTDataList::Add(std::unique_ptr<CExcelSSTData> entry) {
    if (!entry) return;
    // Grow the index first so that a failed allocation leaves both views equal.
    m_byIndex.push_back(entry.get());
    m_entries.Add(entry.release());
}

void CExcelSSTDataList::AddLost() {
    m_byIndex.push_back(nullptr);
}

const CExcelSSTData* CExcelSSTDataList::GetAt(std::uint32_t index) const {
    return index < m_byIndex.size() ? m_byIndex[index] : nullptr;
}

std::u16string CExcelSSTDataList::GetString(std::uint32_t index, bool& found) const {
    const CExcelSSTData* entry = GetAt(index);
    found = entry != nullptr;
    return entry ? entry->GetText() : std::u16string();
}
