#include "server/CXlsExternSheetTable.h"

#include <algorithm>

#include "server/XlsRecordLayout.h"

int CXlsExternSheetTable::Register(std::uint32_t firstSheetId, std::uint32_t lastSheetId) {
    const Entry entry{firstSheetId, lastSheetId};
    const auto it = std::find(m_entries.begin(), m_entries.end(), entry);
    if (it != m_entries.end()) return static_cast<int>(it - m_entries.begin());
    if (m_entries.size() >= xlsw::kMaxExternSheetEntries) return -1;
    m_entries.push_back(entry);
    return static_cast<int>(m_entries.size() - 1);
}
