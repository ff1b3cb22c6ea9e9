#include "server/automation/CXlsServerDocument.h"

CXlsCellRange CXlsServerDocument::Selection(const CXlsWorksheet& sheet) const {
    const auto it = m_selections.find(sheet.Id());
    return it != m_selections.end() ? it->second : CXlsCellRange::Cell(0, 0);
}

void CXlsServerDocument::Select(const CXlsWorksheet& sheet, const CXlsCellRange& range) {
    m_selections[sheet.Id()] = range;
}
