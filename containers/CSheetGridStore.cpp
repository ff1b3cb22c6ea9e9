#include "containers/CSheetGridStore.h"

int CSheetGridStore::GetRowCount() const {
    std::lock_guard lock(m_lock);
    return m_rowCount;
}

int CSheetGridStore::GetColumnCount() const {
    std::lock_guard lock(m_lock);
    return m_columnCount;
}

bool CSheetGridStore::EnsureCell(int row, int column) {
    std::lock_guard lock(m_lock);
    if (row > kRowLimit || column > kColumnLimit || row < 0 || column < 0) return false;
    return true;
}

std::uint32_t CSheetGridStore::Key(int row, int column) {
    return (static_cast<std::uint32_t>(row) << 8) | static_cast<std::uint32_t>(column);
}

CGridCell* CSheetGridStore::CellForWrite(int row, int column) {
    if (row < 0 || column < 0 || row >= m_rowCount || column >= m_columnCount) return nullptr;
    return &m_cells[Key(row, column)];
}

void CSheetGridStore::SetText(int row, int column, std::u16string text) {
    std::lock_guard lock(m_lock);
    if (CGridCell* cell = CellForWrite(row, column)) cell->text = std::move(text);
}

void CSheetGridStore::SetFont(int row, int column, const CGridFont& font) {
    std::lock_guard lock(m_lock);
    if (CGridCell* cell = CellForWrite(row, column)) cell->font = font;
}

void CSheetGridStore::SetTextColor(int row, int column, std::uint32_t rgb) {
    std::lock_guard lock(m_lock);
    if (CGridCell* cell = CellForWrite(row, column)) cell->textColor = rgb;
}

void CSheetGridStore::SetBackground(int row, int column, std::uint32_t rgb) {
    std::lock_guard lock(m_lock);
    if (CGridCell* cell = CellForWrite(row, column)) cell->background = rgb;
}

void CSheetGridStore::SetBorderColor(int row, int column, std::uint32_t rgb) {
    std::lock_guard lock(m_lock);
    if (CGridCell* cell = CellForWrite(row, column)) cell->borderColor = rgb;
}

std::optional<CGridCell> CSheetGridStore::GetCell(int row, int column) const {
    std::lock_guard lock(m_lock);
    const auto found = m_cells.find(Key(row, column));
    if (found == m_cells.end()) return std::nullopt;
    return found->second;
}

void CSheetGridStore::SetColumnWidth(int column, int pixels) {
    std::lock_guard lock(m_lock);
    m_columnWidths[column] = pixels;
    ++m_revision;
}

int CSheetGridStore::GetColumnWidth(int column) const {
    std::lock_guard lock(m_lock);
    const auto found = m_columnWidths.find(column);
    return found == m_columnWidths.end() ? 0 : found->second;
}

void CSheetGridStore::SetRowHeight(int row, int pixels) {
    std::lock_guard lock(m_lock);
    m_rowHeights[row] = pixels;
    ++m_revision;
}

int CSheetGridStore::GetRowHeight(int row) const {
    std::lock_guard lock(m_lock);
    const auto found = m_rowHeights.find(row);
    return found == m_rowHeights.end() ? 0 : found->second;
}

void CSheetGridStore::Invalidate() { ++m_revision; }
