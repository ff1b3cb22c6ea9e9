#include "containers/CSheetGridStore.h"

#include <algorithm>
#include <limits>

int CSheetGridStore::GetRowCount() const {
    std::lock_guard lock(m_lock);
    return m_rowCount;
}

int CSheetGridStore::GetColumnCount() const {
    std::lock_guard lock(m_lock);
    return m_columnCount;
}

bool CSheetGridStore::EnsureCell(int row, int column) {
    if (row < 0 || column < 0 || row > kRowLimit || column > kColumnLimit) return false;
    // Column growth step: one more alphabet of header letters at a time.
    constexpr int kColumnStep = 26;
    // Rows grow by a page ahead of the cell, so that a sheet filled top to
    // bottom re-lays out its grid once per hundred rows, not once per row.
    constexpr int kRowsAhead = 100;

    std::lock_guard lock(m_lock);
    bool grew = false;
    if (row > m_rowCount + 1) {
        m_rowCount = std::min(row + kRowsAhead, kRowLimit + 1);
        grew = true;
    }
    if (column > m_columnCount + 1) {
        // At most ten steps from 27 to the limit; the cap ends the loop even
        // when a step would overshoot it.
        while (m_columnCount + 1 < column && m_columnCount < kColumnLimit)
            m_columnCount = std::min(m_columnCount + kColumnStep, kColumnLimit);
        grew = true;
    }
    if (grew) ++m_revision;
    return true;
}

std::uint32_t CSheetGridStore::Key(int row, int column) {
    // Columns stay below 256 and rows below 2^24, so the pair packs exactly.
    return (static_cast<std::uint32_t>(row) << 8) | static_cast<std::uint32_t>(column);
}

void CSheetGridStore::ReserveCells(std::size_t cells) {
    constexpr auto kMostCells = static_cast<std::size_t>(kRowLimit + 1) * (kColumnLimit + 1);
    std::lock_guard lock(m_lock);
    m_cells.reserve(std::min(cells, kMostCells));
}

CSheetGridStore::StoredCell* CSheetGridStore::CellForWrite(int row, int column) {
    if (row < 0 || column < 0 || row >= m_rowCount || column >= m_columnCount) return nullptr;
    return &m_cells[Key(row, column)];
}

std::size_t CSheetGridStore::HashOf(const Look& look) {
    std::size_t hash = 0;
    const auto mix = [&hash](std::size_t part) {
        hash ^= part + 0x9E3779B97F4A7C15ull + (hash << 6) + (hash >> 2);
    };
    if (look.font) {
        const CGridFont& font = *look.font;
        mix(std::hash<std::u16string>{}(font.faceName));
        mix(static_cast<std::size_t>(font.height) * 1000 + static_cast<std::size_t>(font.weight));
        mix((font.italic ? 1u : 0u) | (font.underline ? 2u : 0u) | (font.strikeOut ? 4u : 0u) |
            (static_cast<std::size_t>(font.charSet) << 3) |
            (static_cast<std::size_t>(font.escapement) << 11));
    }
    const auto colour = [](const std::optional<std::uint32_t>& rgb) {
        return rgb ? static_cast<std::size_t>(*rgb) + (std::size_t{1} << 32) : 0;
    };
    mix(colour(look.textColor));
    mix(colour(look.background));
    mix(colour(look.patternBackground));
    const auto line = [](const CGridBorderLine& side) {
        return (static_cast<std::size_t>(side.color) << 8) | static_cast<std::size_t>(side.style);
    };
    const CGridBorders& borders = look.borders;
    mix(line(borders.left) ^ (line(borders.right) << 32));
    mix(line(borders.top) ^ (line(borders.bottom) << 32));
    mix(line(borders.diagonal.Line()) | (borders.diagonal.down ? 1ull << 40 : 0) |
        (borders.diagonal.up ? 1ull << 41 : 0));
    const CGridAlignment& alignment = look.alignment;
    mix(static_cast<std::size_t>(alignment.horizontal) |
        (static_cast<std::size_t>(alignment.vertical) << 8) | (alignment.wrap ? 1u << 16 : 0u) |
        (static_cast<std::size_t>(alignment.rotation) << 24) |
        (static_cast<std::size_t>(alignment.indent) << 32) |
        (static_cast<std::size_t>(look.fillPattern) << 40));
    return hash;
}

std::uint32_t CSheetGridStore::Intern(const Look& look) {
    const std::size_t hash = HashOf(look);
    const auto [first, last] = m_lookIndex.equal_range(hash);
    for (auto it = first; it != last; ++it)
        if (m_looks[it->second] == look) return it->second;
    // Looks come from the cells' formats and the writes over them, so there
    // are never more of them than cells, and cells fit in 32 bits.
    const auto index = static_cast<std::uint32_t>(m_looks.size());
    m_looks.push_back(look);
    m_lookIndex.emplace(hash, index);
    return index;
}

template <class Change>
void CSheetGridStore::ChangeLook(StoredCell& cell, const Change& change) {
    Look look = m_looks[cell.look];
    change(look);
    cell.look = Intern(look);
}

void CSheetGridStore::MergeLook(StoredCell& cell, const CGridStyle& style) {
    for (const MergeMemo& memo : m_mergeMemos) {
        if (memo.from != cell.look || !(memo.style == style)) continue;
        cell.look = memo.to;
        return;
    }
    const std::uint32_t from = cell.look;
    ChangeLook(cell, [&style](Look& look) { Merge(look, style); });
    MergeMemo memo{from, cell.look, style};
    if (m_mergeMemos.size() < kMergeMemos) {
        m_mergeMemos.push_back(std::move(memo));
    } else {
        m_mergeMemos[m_nextMemo] = std::move(memo);
        m_nextMemo = (m_nextMemo + 1) % kMergeMemos;
    }
}

void CSheetGridStore::SetText(int row, int column, std::u16string text) {
    std::lock_guard lock(m_lock);
    StoredCell* cell = CellForWrite(row, column);
    if (!cell) return;
    cell->text = std::move(text);
    cell->value = EGridValue::Unknown;
    cell->runs = 0;
}

void CSheetGridStore::SetFont(int row, int column, const CGridFont& font) {
    std::lock_guard lock(m_lock);
    if (StoredCell* cell = CellForWrite(row, column))
        ChangeLook(*cell, [&font](Look& look) { look.font = font; });
}

void CSheetGridStore::SetTextColor(int row, int column, std::uint32_t rgb) {
    std::lock_guard lock(m_lock);
    if (StoredCell* cell = CellForWrite(row, column))
        ChangeLook(*cell, [rgb](Look& look) { look.textColor = rgb; });
}

void CSheetGridStore::SetBackground(int row, int column, std::uint32_t rgb) {
    std::lock_guard lock(m_lock);
    if (StoredCell* cell = CellForWrite(row, column))
        ChangeLook(*cell, [rgb](Look& look) { look.background = rgb; });
}

void CSheetGridStore::SetBorders(int row, int column, const CGridBorders& borders) {
    std::lock_guard lock(m_lock);
    if (StoredCell* cell = CellForWrite(row, column))
        ChangeLook(*cell, [&borders](Look& look) { look.borders = borders; });
}

void CSheetGridStore::Merge(Look& look, const CGridStyle& style) {
    if (style.font) look.font = style.font;
    if (style.textColor) look.textColor = style.textColor;
    if (style.background) {
        look.background = style.background;
        look.patternBackground = style.patternBackground;
        look.fillPattern = style.fillPattern;
    }
    if (style.borders) look.borders = *style.borders;
    if (style.alignment) look.alignment = *style.alignment;
}

void CSheetGridStore::ApplyStyle(int row, int column, const CGridStyle& style) {
    std::lock_guard lock(m_lock);
    if (StoredCell* cell = CellForWrite(row, column)) MergeLook(*cell, style);
}

void CSheetGridStore::SetTextAndStyle(int row, int column, std::u16string text,
                                      const CGridStyle* style, EGridValue value,
                                      std::uint32_t runs) {
    std::lock_guard lock(m_lock);
    StoredCell* cell = CellForWrite(row, column);
    if (!cell) return;
    cell->text = std::move(text);
    cell->value = value;
    cell->runs = runs <= m_runLists.size() ? runs : 0;
    if (style) MergeLook(*cell, *style);
}

std::uint32_t CSheetGridStore::AddTextRuns(CGridTextRuns runs) {
    if (runs.empty()) return 0;
    if (runs.size() > kTextRunLimit) runs.resize(kTextRunLimit);
    auto kept = std::make_shared<const CGridTextRuns>(std::move(runs));
    std::lock_guard lock(m_lock);
    // Lists are one per shared string, and a table holds fewer strings than
    // this.
    if (m_runLists.size() >= std::numeric_limits<std::uint32_t>::max()) return 0;
    m_runLists.push_back(std::move(kept));
    return static_cast<std::uint32_t>(m_runLists.size());
}

std::shared_ptr<const CGridTextRuns> CSheetGridStore::GetTextRuns(std::uint32_t runs) const {
    std::lock_guard lock(m_lock);
    if (runs == 0 || runs > m_runLists.size()) return nullptr;
    return m_runLists[runs - 1];
}

void CSheetGridStore::SetFallbackMark(int row, int column, std::u16string why) {
    if (row < 1 || column < 1 || row > kRowLimit || column > kColumnLimit || why.empty()) return;
    std::lock_guard lock(m_lock);
    const auto known = std::find(m_markTexts.begin(), m_markTexts.end(), why);
    std::size_t text = static_cast<std::size_t>(known - m_markTexts.begin());
    if (known == m_markTexts.end()) {
        if (m_markTexts.size() >= kMarkTextLimit) return;
        m_markTexts.push_back(std::move(why));
    }
    m_marks[Key(row, column)] = static_cast<std::uint16_t>(text);
    m_revision.fetch_add(1);
}

std::u16string CSheetGridStore::GetFallbackMark(int row, int column) const {
    if (row < 1 || column < 1 || row > kRowLimit || column > kColumnLimit) return {};
    std::lock_guard lock(m_lock);
    const auto found = m_marks.find(Key(row, column));
    return found == m_marks.end() ? std::u16string() : m_markTexts[found->second];
}

std::vector<std::pair<int, int>> CSheetGridStore::GetFallbackCells(const CGridRange& area) const {
    std::vector<std::pair<int, int>> cells;
    std::lock_guard lock(m_lock);
    if (m_marks.empty() || area.lastRow < area.firstRow || area.lastColumn < area.firstColumn)
        return cells;
    const CGridRange inside{std::max(area.firstRow, 1), std::max(area.firstColumn, 1),
                            std::min(area.lastRow, kRowLimit),
                            std::min(area.lastColumn, kColumnLimit)};
    const auto areaCells = static_cast<std::uint64_t>(inside.lastRow - inside.firstRow + 1) *
                           static_cast<std::uint64_t>(inside.lastColumn - inside.firstColumn + 1);
    // Whichever is fewer: the marks, or the cells of the area.
    if (m_marks.size() < areaCells) {
        for (const auto& mark : m_marks) {
            const int row = static_cast<int>(mark.first >> 8);
            const int column = static_cast<int>(mark.first & 0xFF);
            if (inside.Contains(row, column)) cells.emplace_back(row, column);
        }
        std::sort(cells.begin(), cells.end());
        return cells;
    }
    for (int row = inside.firstRow; row <= inside.lastRow; ++row)
        for (int column = inside.firstColumn; column <= inside.lastColumn; ++column)
            if (m_marks.count(Key(row, column)) != 0) cells.emplace_back(row, column);
    return cells;
}

std::optional<CGridCell> CSheetGridStore::GetCell(int row, int column) const {
    // A negative or oversized coordinate would alias another cell's key.
    if (row < 0 || column < 0 || row > kRowLimit || column > kColumnLimit) return std::nullopt;
    std::lock_guard lock(m_lock);
    const auto found = m_cells.find(Key(row, column));
    if (found == m_cells.end()) return std::nullopt;
    const StoredCell& stored = found->second;
    const Look& look = m_looks[stored.look];
    CGridCell cell;
    static_cast<CGridLook&>(cell) = look;
    cell.text = stored.text;
    cell.value = stored.value;
    cell.runs = stored.runs;
    return cell;
}

void CSheetGridStore::SetMergedRanges(std::vector<CGridRange> ranges) {
    // MERGEDCELLS ranges from a damaged sheet may be reversed or point at the
    // headers; neither can be drawn as one cell.
    std::erase_if(ranges, [](const CGridRange& range) {
        return range.firstRow < 1 || range.firstColumn < 1 || range.lastRow < range.firstRow ||
               range.lastColumn < range.firstColumn;
    });
    if (ranges.size() > kMergedRangeLimit) ranges.resize(kMergedRangeLimit);
    std::lock_guard lock(m_lock);
    m_merged = std::move(ranges);
    ++m_revision;
}

std::vector<CGridRange> CSheetGridStore::GetMergedRanges(const CGridRange& area) const {
    std::vector<CGridRange> found;
    std::lock_guard lock(m_lock);
    for (const CGridRange& range : m_merged)
        if (range.Intersects(area)) found.push_back(range);
    return found;
}

void CSheetGridStore::SetColumnWidth(int column, int pixels) {
    std::lock_guard lock(m_lock);
    if (column < 0 || column >= m_columnCount) return;
    const auto [at, added] = m_columnWidths.try_emplace(column, pixels);
    if (!added && at->second == pixels) return;
    at->second = pixels;
    ++m_revision;
}

int CSheetGridStore::GetColumnWidth(int column) const {
    std::lock_guard lock(m_lock);
    const auto found = m_columnWidths.find(column);
    return found == m_columnWidths.end() ? 0 : found->second;
}

void CSheetGridStore::SetRowHeight(int row, int pixels) {
    std::lock_guard lock(m_lock);
    if (row < 0 || row >= m_rowCount) return;
    const auto [at, added] = m_rowHeights.try_emplace(row, pixels);
    if (!added && at->second == pixels) return;
    at->second = pixels;
    ++m_revision;
}

int CSheetGridStore::GetRowHeight(int row) const {
    std::lock_guard lock(m_lock);
    const auto found = m_rowHeights.find(row);
    return found == m_rowHeights.end() ? 0 : found->second;
}

void CSheetGridStore::SetRowHidden(int row) {
    std::lock_guard lock(m_lock);
    if (row < 0 || row >= m_rowCount || !m_hiddenRows.insert(row).second) return;
    ++m_revision;
}

bool CSheetGridStore::IsRowHidden(int row) const {
    std::lock_guard lock(m_lock);
    return m_hiddenRows.contains(row);
}

void CSheetGridStore::SetColumnHidden(int column) {
    std::lock_guard lock(m_lock);
    if (column < 0 || column >= m_columnCount || !m_hiddenColumns.insert(column).second) return;
    ++m_revision;
}

bool CSheetGridStore::IsColumnHidden(int column) const {
    std::lock_guard lock(m_lock);
    return m_hiddenColumns.contains(column);
}

void CSheetGridStore::SetLayout(const CGridSheetLayout& layout) {
    std::lock_guard lock(m_lock);
    if (m_layout == layout) return;
    m_layout = layout;
    ++m_revision;
}

CGridSheetLayout CSheetGridStore::GetLayout() const {
    std::lock_guard lock(m_lock);
    return m_layout;
}

void CSheetGridStore::Invalidate() {
    ++m_revision;
}
