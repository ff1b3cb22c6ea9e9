#include "server/CXlsRow.h"

#include <algorithm>

namespace {

bool ColumnBefore(const CXlsCell& cell, std::uint16_t column) {
    return cell.Column() < column;
}

}  // namespace

CXlsCell* CXlsRow::Find(std::uint16_t column) {
    const auto it = std::lower_bound(m_cells.begin(), m_cells.end(), column, ColumnBefore);
    return it != m_cells.end() && it->Column() == column ? &*it : nullptr;
}

const CXlsCell* CXlsRow::Find(std::uint16_t column) const {
    const auto it = std::lower_bound(m_cells.begin(), m_cells.end(), column, ColumnBefore);
    return it != m_cells.end() && it->Column() == column ? &*it : nullptr;
}

CXlsCell& CXlsRow::FindOrInsert(std::uint16_t column, std::uint32_t formatId) {
    auto it = std::lower_bound(m_cells.begin(), m_cells.end(), column, ColumnBefore);
    if (it != m_cells.end() && it->Column() == column) return *it;
    return *m_cells.insert(it, CXlsCell(column, formatId));
}
