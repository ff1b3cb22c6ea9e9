#include "server/CXlsWorksheet.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <utility>

namespace {

using IdChange = std::function<std::uint32_t(std::uint32_t)>;

bool InSheet(std::uint32_t row, std::uint32_t column) {
    return row < xlsw::kMaxRows && column < xlsw::kMaxColumns;
}

constexpr std::uint32_t kLastRow = xlsw::kMaxRows - 1;
constexpr std::uint32_t kLastColumn = xlsw::kMaxColumns - 1;

}  // namespace

CXlsWorksheet::CXlsWorksheet(std::uint32_t id, std::u16string name, CXlsStringPool& strings,
                             CXlsFormatPool& formats)
    : m_id(id), m_name(std::move(name)), m_strings(strings), m_formats(formats) {}

// ---- Values ----------------------------------------------------------------

bool CXlsWorksheet::SetNumber(std::uint32_t row, std::uint32_t column, double value) {
    if (!std::isfinite(value)) return false;
    CXlsCell* cell = CellForValue(row, column);
    if (!cell) return false;
    cell->SetNumber(value);
    return true;
}

bool CXlsWorksheet::SetText(std::uint32_t row, std::uint32_t column, std::u16string_view text) {
    if (text.size() > xlsw::kMaxCellTextLength) return false;
    if (text.empty())
        return InSheet(row, column) && ClearContents(CXlsCellRange::Cell(row, column));
    CXlsCell* cell = CellForValue(row, column);
    if (!cell) return false;
    cell->SetText(m_strings.Intern(text));
    return true;
}

bool CXlsWorksheet::SetBoolean(std::uint32_t row, std::uint32_t column, bool value) {
    CXlsCell* cell = CellForValue(row, column);
    if (!cell) return false;
    cell->SetBoolean(value);
    return true;
}

bool CXlsWorksheet::SetError(std::uint32_t row, std::uint32_t column, std::uint8_t code) {
    if (!CXlsCellValue::IsErrorCode(code)) return false;
    CXlsCell* cell = CellForValue(row, column);
    if (!cell) return false;
    cell->SetError(code);
    return true;
}

bool CXlsWorksheet::ClearContents(const CXlsCellRange& range) {
    if (!range.IsValid() || !ArraysFitIn(range)) return false;
    RemoveArraysInside(range);
    ClearValues(range, nullptr);
    return true;
}

CXlsCellValue CXlsWorksheet::GetValue(std::uint32_t row, std::uint32_t column) const {
    const CXlsRow* cells = m_cells.Row(row);
    const CXlsCell* cell = cells && column < xlsw::kMaxColumns
                               ? cells->Find(static_cast<std::uint16_t>(column))
                               : nullptr;
    if (!cell) return CXlsCellValue();
    switch (cell->Kind()) {
        case EXlsCellKind::kBlank:
            return CXlsCellValue();
        case EXlsCellKind::kNumber:
            return CXlsCellValue::Number(cell->Number());
        case EXlsCellKind::kText:
            return CXlsCellValue::Text(m_strings.Text(cell->Index()));
        case EXlsCellKind::kBoolean:
            return CXlsCellValue::Boolean(cell->Small() != 0);
        case EXlsCellKind::kError:
            return CXlsCellValue::Error(cell->Small());
        case EXlsCellKind::kFormula:
            break;
    }
    const CXlsFormulaCell& formula = m_formulas[cell->Index()];
    switch (formula.CachedKind()) {
        case EXlsValueKind::kNumber:
            return CXlsCellValue::Number(formula.CachedNumber());
        case EXlsValueKind::kText:
            return CXlsCellValue::Text(m_strings.Text(formula.CachedStringId()));
        case EXlsValueKind::kBoolean:
            return CXlsCellValue::Boolean(formula.CachedCode() != 0);
        case EXlsValueKind::kError:
            return CXlsCellValue::Error(formula.CachedCode());
        case EXlsValueKind::kEmpty:
            break;
    }
    return CXlsCellValue();
}

// ---- Formulas --------------------------------------------------------------

bool CXlsWorksheet::SetFormula(std::uint32_t row, std::uint32_t column,
                               const CXlsFormulaTokens& tokens) {
    if (!tokens.IsValid() || !InSheet(row, column)) return false;
    CXlsRow& cells = m_cells.RowForWrite(row);
    const auto col = static_cast<std::uint16_t>(column);
    if (const CXlsCell* existing = cells.Find(col); existing && IsArrayPart(*existing))
        return false;
    CXlsCell& cell = cells.FindOrInsert(col, InheritedFormatId(row, column));
    if (cell.Kind() == EXlsCellKind::kFormula) {
        m_formulas[cell.Index()].SetTokens(tokens);
        return true;
    }
    const std::uint32_t slot = NewFormulaSlot(cell);
    m_formulas[slot].SetTokens(tokens);
    cell.SetFormula(slot);
    return true;
}

bool CXlsWorksheet::SetArrayFormula(const CXlsCellRange& range, const CXlsFormulaTokens& tokens) {
    if (!range.IsValid() || !tokens.IsValid()) return false;
    if (m_merged.Intersects(range) || !ArraysFitIn(range)) return false;
    RemoveArraysInside(range);

    std::uint32_t index;
    if (!m_freeArrays.empty()) {
        index = m_freeArrays.back();
        m_freeArrays.pop_back();
        m_arrays[index] = CXlsArrayFormula(range, tokens);
    } else {
        index = static_cast<std::uint32_t>(m_arrays.size());
        m_arrays.emplace_back(range, tokens);
    }

    for (std::uint32_t r = range.FirstRow(); r <= range.LastRow(); ++r) {
        CXlsRow& cells = m_cells.RowForWrite(r);
        for (std::uint32_t c = range.FirstColumn(); c <= range.LastColumn(); ++c) {
            CXlsCell& cell =
                cells.FindOrInsert(static_cast<std::uint16_t>(c), InheritedFormatId(r, c));
            std::uint32_t slot;
            if (cell.Kind() == EXlsCellKind::kFormula) {
                // A plain formula (or part of a replaced array) keeps its
                // cached result and gives up its own tokens.
                slot = cell.Index();
                m_formulas[slot].SetTokens(CXlsFormulaTokens());
            } else {
                slot = NewFormulaSlot(cell);
                cell.SetFormula(slot);
            }
            m_formulas[slot].SetArrayIndex(index);
        }
    }
    return true;
}

const CXlsFormulaTokens* CXlsWorksheet::GetFormula(std::uint32_t row, std::uint32_t column) const {
    const CXlsRow* cells = m_cells.Row(row);
    const CXlsCell* cell = cells && column < xlsw::kMaxColumns
                               ? cells->Find(static_cast<std::uint16_t>(column))
                               : nullptr;
    if (!cell || cell->Kind() != EXlsCellKind::kFormula) return nullptr;
    const CXlsFormulaCell& formula = m_formulas[cell->Index()];
    return formula.IsArrayPart() ? &m_arrays[formula.ArrayIndex()].Tokens() : &formula.Tokens();
}

const CXlsCellRange* CXlsWorksheet::GetArrayRange(std::uint32_t row, std::uint32_t column) const {
    const CXlsRow* cells = m_cells.Row(row);
    const CXlsCell* cell = cells && column < xlsw::kMaxColumns
                               ? cells->Find(static_cast<std::uint16_t>(column))
                               : nullptr;
    if (!cell || !IsArrayPart(*cell)) return nullptr;
    return &m_arrays[m_formulas[cell->Index()].ArrayIndex()].Range();
}

// ---- Formats ---------------------------------------------------------------

std::uint32_t CXlsWorksheet::GetFormatId(std::uint32_t row, std::uint32_t column) const {
    if (!InSheet(row, column)) return CXlsFormatPool::kDefaultId;
    const CXlsRow* cells = m_cells.Row(row);
    if (cells) {
        if (const CXlsCell* cell = cells->Find(static_cast<std::uint16_t>(column))) {
            return cell->FormatId();
        }
    }
    return InheritedFormatId(row, column);
}

bool CXlsWorksheet::ModifyFormat(const CXlsCellRange& range, const FormatChange& change) {
    if (!range.IsValid() || !change) return false;
    // The setters a change calls check their argument, not the format they
    // change, so one trial on a scratch format tells whether all would pass.
    CXlsCellFormat trial;
    if (!change(trial)) return false;

    std::unordered_map<std::uint32_t, std::uint32_t> done;
    const IdChange changed = [this, &change, &done](std::uint32_t id) {
        if (const auto it = done.find(id); it != done.end()) return it->second;
        CXlsCellFormat format = m_formats.Get(id);
        change(format);
        const std::uint32_t result = m_formats.Intern(format);
        done.emplace(id, result);
        return result;
    };
    if (range.FirstRow() == 0 && range.LastRow() == kLastRow)
        ModifyColumns(range, changed);
    else if (range.FirstColumn() == 0 && range.LastColumn() == kLastColumn)
        ModifyRows(range, changed);
    else
        ModifyCells(range, changed);
    return true;
}

void CXlsWorksheet::ModifyColumns(const CXlsCellRange& range, const IdChange& changed) {
    const std::uint32_t first = range.FirstColumn();
    const std::uint32_t last = range.LastColumn();
    // A row format outranks a column format, so where a formatted row
    // crosses the columns the cell needs a format of its own.
    m_cells.ForEachRowForWrite([&](std::uint32_t, CXlsRow& row) {
        if (row.HasFormat()) {
            for (std::uint32_t c = first; c <= last; ++c) {
                row.FindOrInsert(static_cast<std::uint16_t>(c), row.FormatId());
            }
        }
        for (CXlsCell& cell : row.MutableCells()) {
            if (cell.Column() >= first && cell.Column() <= last) {
                cell.SetFormatId(changed(cell.FormatId()));
            }
        }
    });
    for (std::uint32_t c = first; c <= last; ++c) {
        m_columns[c].SetFormatId(changed(m_columns[c].FormatId()));
    }
}

void CXlsWorksheet::ModifyRows(const CXlsCellRange& range, const IdChange& changed) {
    std::vector<std::uint16_t> formattedColumns;
    for (std::uint32_t c = 0; c < xlsw::kMaxColumns; ++c) {
        if (m_columns[c].HasFormat()) formattedColumns.push_back(static_cast<std::uint16_t>(c));
    }
    for (std::uint32_t r = range.FirstRow(); r <= range.LastRow(); ++r) {
        CXlsRow& row = m_cells.RowForWrite(r);
        // Without a row format the row's empty cells showed their column's
        // format; they keep it, changed, once the row format outranks it.
        if (!row.HasFormat()) {
            for (std::uint16_t c : formattedColumns) row.FindOrInsert(c, m_columns[c].FormatId());
        }
        for (CXlsCell& cell : row.MutableCells()) cell.SetFormatId(changed(cell.FormatId()));
        row.SetFormatId(changed(row.HasFormat() ? row.FormatId() : CXlsFormatPool::kDefaultId));
    }
}

void CXlsWorksheet::ModifyCells(const CXlsCellRange& range, const IdChange& changed) {
    for (std::uint32_t r = range.FirstRow(); r <= range.LastRow(); ++r) {
        CXlsRow& row = m_cells.RowForWrite(r);
        for (std::uint32_t c = range.FirstColumn(); c <= range.LastColumn(); ++c) {
            CXlsCell& cell =
                row.FindOrInsert(static_cast<std::uint16_t>(c), InheritedFormatId(r, c));
            cell.SetFormatId(changed(cell.FormatId()));
        }
        DropPlainBlanks(r, row, range.FirstColumn(), range.LastColumn());
    }
}

// ---- Columns and rows --------------------------------------------------------

bool CXlsWorksheet::SetColumnWidth(std::uint32_t column, double characters) {
    if (column >= xlsw::kMaxColumns || !(characters >= 0.0 && characters <= kMaxColumnWidth)) {
        return false;
    }
    m_columns[column].SetWidth(characters);
    return true;
}

double CXlsWorksheet::GetColumnWidth(std::uint32_t column) const {
    return column < xlsw::kMaxColumns ? m_columns[column].Width() : CXlsColumn::kStandardWidth;
}

bool CXlsWorksheet::SetRowHeight(std::uint32_t row, double points) {
    if (row >= xlsw::kMaxRows || !(points >= 0.0 && points <= kMaxRowHeight)) return false;
    m_cells.RowForWrite(row).SetHeightTwips(static_cast<std::uint16_t>(std::lround(points * 20.0)));
    return true;
}

double CXlsWorksheet::GetRowHeight(std::uint32_t row) const {
    const CXlsRow* cells = m_cells.Row(row);
    return cells && cells->HasCustomHeight() ? cells->HeightTwips() / 20.0 : kStandardRowHeight;
}

bool CXlsWorksheet::SetColumnHidden(std::uint32_t column, bool hidden) {
    if (column >= xlsw::kMaxColumns) return false;
    m_columns[column].SetHidden(hidden);
    return true;
}

bool CXlsWorksheet::IsColumnHidden(std::uint32_t column) const {
    if (column >= xlsw::kMaxColumns) return false;
    const CXlsColumn& col = m_columns[column];
    return col.IsHidden() || (col.HasCustomWidth() && col.Width() == 0.0);
}

bool CXlsWorksheet::SetRowHidden(std::uint32_t row, bool hidden) {
    if (row >= xlsw::kMaxRows) return false;
    // Showing a row that was never hidden must not make a ROW record for it.
    CXlsRow* existing = m_cells.Row(row);
    if (!hidden && existing == nullptr) return true;
    (existing ? *existing : m_cells.RowForWrite(row)).SetHidden(hidden);
    return true;
}

bool CXlsWorksheet::IsRowHidden(std::uint32_t row) const {
    const CXlsRow* cells = m_cells.Row(row);
    return cells && (cells->IsHidden() || (cells->HasCustomHeight() && cells->HeightTwips() == 0));
}

bool CXlsWorksheet::SetStandardWidth(double characters) {
    if (!(characters >= 0.0 && characters <= kMaxColumnWidth)) return false;
    m_standardWidth = characters;
    m_hasStandardWidth = true;
    return true;
}

bool CXlsWorksheet::SetStandardHeight(double points) {
    if (!(points >= 0.0 && points <= kMaxStandardHeight)) return false;
    m_standardHeightTwips = static_cast<std::uint16_t>(std::lround(points * 20.0));
    m_hasStandardHeight = true;
    return true;
}

// ---- Merged ranges -----------------------------------------------------------

bool CXlsWorksheet::Merge(const CXlsCellRange& range) {
    if (!range.IsValid()) return false;
    const CXlsCellRange grown = m_merged.Expand(range);
    if (grown.IsSingleCell()) return true;
    for (const CXlsArrayFormula& array : m_arrays) {
        if (array.InUse() && array.Range().Intersects(grown)) return false;
    }
    m_merged.Add(grown);
    const CXlsCellRange topLeft = CXlsCellRange::Cell(grown.FirstRow(), grown.FirstColumn());
    ClearValues(grown, &topLeft);
    return true;
}

bool CXlsWorksheet::Unmerge(const CXlsCellRange& range) {
    if (!range.IsValid()) return false;
    m_merged.Remove(range);
    return true;
}

// ---- Helpers -------------------------------------------------------------------

std::uint32_t CXlsWorksheet::InheritedFormatId(std::uint32_t row, std::uint32_t column) const {
    if (const CXlsRow* cells = m_cells.Row(row); cells && cells->HasFormat()) {
        return cells->FormatId();
    }
    const CXlsColumn& col = m_columns[column];
    return col.HasFormat() ? col.FormatId() : CXlsFormatPool::kDefaultId;
}

bool CXlsWorksheet::IsArrayPart(const CXlsCell& cell) const {
    return cell.Kind() == EXlsCellKind::kFormula && m_formulas[cell.Index()].IsArrayPart();
}

CXlsCell* CXlsWorksheet::CellForValue(std::uint32_t row, std::uint32_t column) {
    if (!InSheet(row, column)) return nullptr;
    CXlsRow& cells = m_cells.RowForWrite(row);
    const auto col = static_cast<std::uint16_t>(column);
    if (CXlsCell* existing = cells.Find(col)) {
        if (IsArrayPart(*existing)) return nullptr;
        ReleaseFormula(*existing);
        return existing;
    }
    return &cells.FindOrInsert(col, InheritedFormatId(row, column));
}

void CXlsWorksheet::ReleaseFormula(CXlsCell& cell) {
    if (cell.Kind() != EXlsCellKind::kFormula) return;
    m_formulas[cell.Index()].Reset();
    m_freeFormulas.push_back(cell.Index());
    cell.SetBlank();
}

std::uint32_t CXlsWorksheet::NewFormulaSlot(const CXlsCell& cell) {
    std::uint32_t slot;
    if (!m_freeFormulas.empty()) {
        slot = m_freeFormulas.back();
        m_freeFormulas.pop_back();
    } else {
        slot = static_cast<std::uint32_t>(m_formulas.size());
        m_formulas.emplace_back();
    }
    CacheValue(cell, m_formulas[slot]);
    return slot;
}

void CXlsWorksheet::CacheValue(const CXlsCell& cell, CXlsFormulaCell& formula) const {
    switch (cell.Kind()) {
        case EXlsCellKind::kBlank:
            formula.SetCachedEmpty();
            break;
        case EXlsCellKind::kNumber:
            formula.SetCachedNumber(cell.Number());
            break;
        case EXlsCellKind::kText:
            formula.SetCachedText(cell.Index());
            break;
        case EXlsCellKind::kBoolean:
            formula.SetCachedBoolean(cell.Small() != 0);
            break;
        case EXlsCellKind::kError:
            formula.SetCachedError(cell.Small());
            break;
        case EXlsCellKind::kFormula:
            break;  // keeps what it has
    }
}

void CXlsWorksheet::ClearValues(const CXlsCellRange& range, const CXlsCellRange* keep) {
    for (std::uint32_t r = range.FirstRow(); r <= range.LastRow(); ++r) {
        CXlsRow* cells = m_cells.Row(r);
        if (!cells) continue;
        for (CXlsCell& cell : cells->MutableCells()) {
            if (cell.Column() < range.FirstColumn() || cell.Column() > range.LastColumn()) continue;
            if (keep && keep->Contains(r, cell.Column())) continue;
            ReleaseFormula(cell);
            cell.SetBlank();
        }
        DropPlainBlanks(r, *cells, range.FirstColumn(), range.LastColumn());
    }
}

void CXlsWorksheet::DropPlainBlanks(std::uint32_t row, CXlsRow& cells, std::uint32_t firstColumn,
                                    std::uint32_t lastColumn) {
    std::erase_if(cells.MutableCells(), [&](const CXlsCell& cell) {
        return cell.Column() >= firstColumn && cell.Column() <= lastColumn &&
               cell.Kind() == EXlsCellKind::kBlank &&
               cell.FormatId() == InheritedFormatId(row, cell.Column());
    });
}

bool CXlsWorksheet::ArraysFitIn(const CXlsCellRange& range) const {
    return std::none_of(m_arrays.begin(), m_arrays.end(), [&range](const CXlsArrayFormula& array) {
        return array.InUse() && array.Range().Intersects(range) && !range.Contains(array.Range());
    });
}

void CXlsWorksheet::RemoveArraysInside(const CXlsCellRange& range) {
    for (std::uint32_t i = 0; i < m_arrays.size(); ++i) {
        if (m_arrays[i].InUse() && range.Contains(m_arrays[i].Range())) {
            m_arrays[i] = CXlsArrayFormula();
            m_freeArrays.push_back(i);
        }
    }
}
