#include "server/CXlsExternSheetTable.h"

#include <algorithm>

#include "server/XlsRecordLayout.h"

int CXlsExternSheetTable::Register(const Entry& entry) {
    const auto it = std::find(m_entries.begin(), m_entries.end(), entry);
    if (it != m_entries.end()) return static_cast<int>(it - m_entries.begin());
    if (m_entries.size() >= xlsw::kMaxExternSheetEntries) return -1;
    m_entries.push_back(entry);
    return static_cast<int>(m_entries.size() - 1);
}

void CXlsExternSheetTable::Truncate(std::size_t count) {
    if (count < m_entries.size()) m_entries.resize(count);
}
