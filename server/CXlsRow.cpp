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
    if (m_cells.size() == m_cells.capacity()) {
        // A row fills a few columns at a time, one value phase after the
        // other; growing by a quarter (at least four cells) instead of
        // doubling keeps a sheet's rows close to their cells, and a row of
        // at most 256 cells still grows in a bounded number of steps.
        const std::size_t grown = m_cells.size() + std::max<std::size_t>(4, m_cells.size() / 4);
        const std::ptrdiff_t at = it - m_cells.begin();
        m_cells.reserve(grown);
        it = m_cells.begin() + at;
    }
    return *m_cells.insert(it, CXlsCell(column, formatId));
}
