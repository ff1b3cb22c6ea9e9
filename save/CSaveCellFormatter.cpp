#include "save/CSaveCellFormatter.h"

#include <algorithm>

#include "model/CExcelWorkBook.h"
#include "records/CExcelGlobalLookup.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBXF.h"
#include "save/CSaveXfFormat.h"
#include "save/CXLEzAutomation.h"

namespace {

constexpr std::uint16_t kXfIsStyle = 0x0004;

std::uint32_t CellKey(std::int32_t row, std::int32_t column) {
    return static_cast<std::uint32_t>(row - 1) * CSaveCellFormatter::kLastColumn +
           static_cast<std::uint32_t>(column - 1);
}

}  // namespace

std::vector<CSaveCellFormatter::HeldFormat> CSaveCellFormatter::SortedByKey(
    const std::vector<HeldFormat>& held) {
    // The key leads with the column: the formats are dealt into one bucket
    // per column, keeping their order. A phase gives its cells row by row,
    // so a column's bucket is nearly always in order already; another is
    // sorted stably, which keeps a cell's formats in the order given.
    const auto column = [](const HeldFormat& h) { return static_cast<std::size_t>(h.key >> 17); };
    std::vector<std::size_t> starts(kLastColumn + 2, 0);
    for (const HeldFormat& h : held) ++starts[column(h) + 1];
    for (std::size_t c = 1; c < starts.size(); ++c) starts[c] += starts[c - 1];
    std::vector<HeldFormat> sorted(held.size());
    std::vector<std::size_t> next(starts.begin(), starts.end() - 1);
    for (const HeldFormat& h : held) sorted[next[column(h)]++] = h;
    const auto byKey = [](const HeldFormat& a, const HeldFormat& b) { return a.key < b.key; };
    for (std::size_t c = 0; c + 1 < starts.size(); ++c) {
        const auto first = sorted.begin() + static_cast<std::ptrdiff_t>(starts[c]);
        const auto last = sorted.begin() + static_cast<std::ptrdiff_t>(starts[c + 1]);
        if (!std::is_sorted(first, last, byKey)) std::stable_sort(first, last, byKey);
    }
    return sorted;
}

CSaveCellFormatter::CSaveCellFormatter(CXLEzAutomation& automation, const CExcelWorkBook& workbook)
    : m_automation(automation),
      m_workbook(workbook),
      m_styles(workbook),
      m_formattedRows(kLastRow, false),
      m_formattedColumns(kLastColumn, false) {
    // The lists are linked; a cell format is looked up for nearly every cell,
    // so the records are indexed once instead of walked per cell.
    m_xfs.reserve(m_workbook.GetXFs().GetCount());
    for (const CExcelRecordWBXF* xf = m_workbook.GetXFs().GetHead(); xf; xf = xf->GetNext()) {
        m_xfs.push_back(xf);
    }
    m_fonts.reserve(m_workbook.GetFonts().GetCount());
    for (const CExcelRecordWBFONT* font = m_workbook.GetFonts().GetHead(); font;
         font = font->GetNext()) {
        m_fonts.push_back(font);
    }
    m_formats.resize(m_xfs.size());
}

const CExcelRecordWBFONT* CSaveCellFormatter::FindFont(const CExcelRecordWBXF& xf) const {
    const std::uint32_t position = CExcelGlobalLookup::FontPosition(xf.GetFontIndex());
    return position < m_fonts.size() ? m_fonts[position] : nullptr;
}

const CSaveCellFormatter::CachedFormat* CSaveCellFormatter::Format(std::uint32_t xfIndex) {
    if (xfIndex >= m_xfs.size()) return nullptr;
    CachedFormat& cached = m_formats[xfIndex];
    if (!cached.built) {
        const CExcelRecordWBXF& xf = *m_xfs[xfIndex];
        cached.format = CSaveXfFormat::Build(xf, FindFont(xf), m_workbook.GetFormats());
        // A cell XF: its parent style XF (bits 4-15) and its own groups.
        const std::uint16_t typeProtection = xf.GetTypeProtection();
        if ((typeProtection & kXfIsStyle) == 0) {
            if (const CSaveNamedStyles::Style* style = m_styles.Of(typeProtection >> 4)) {
                cached.format.style = style->name;
                cached.base = &style->base;
            }
            cached.format.ownGroups =
                static_cast<std::uint8_t>(xf.GetUsedAttributes() & CXLCellFormat::kAllGroups);
            // A missing FONT leaves the font unknown: not claimed as the cell's.
            if (FindFont(xf) == nullptr)
                cached.format.ownGroups &= static_cast<std::uint8_t>(~CXLCellFormat::kGroupFont);
        }
        cached.fresh = cached.format == CXLCellFormat{};
        cached.built = true;
    }
    return &cached;
}

bool CSaveCellFormatter::MayHoldFormat(std::int32_t row, std::int32_t first,
                                       std::int32_t last) const {
    if (m_formattedRows[static_cast<std::size_t>(row - 1)]) return true;
    if (std::any_of(m_formattedColumns.begin() + (first - 1), m_formattedColumns.begin() + last,
                    [](bool formatted) { return formatted; })) {
        return true;
    }
    if (m_formattedCells.empty()) return false;
    for (std::int32_t column = first; column <= last; ++column) {
        if (m_formattedCells[CellKey(row, column)]) return true;
    }
    return false;
}

void CSaveCellFormatter::ApplyCellFormat(std::int32_t row, std::int32_t column,
                                         std::uint32_t xfIndex) {
    if (row < 1 || row > kLastRow || column < 1 || column > kLastColumn) return;
    const std::uint32_t key =
        (static_cast<std::uint32_t>(column) << 17) | static_cast<std::uint32_t>(row);
    m_held.push_back({key, xfIndex});
}

void CSaveCellFormatter::FlushCellFormats() {
    if (m_held.empty()) return;
    std::vector<HeldFormat> held = SortedByKey(m_held);
    m_held = {};
    const auto column = [](const HeldFormat& h) { return static_cast<std::int32_t>(h.key >> 17); };
    const auto row = [](const HeldFormat& h) { return static_cast<std::int32_t>(h.key & 0x1FFFF); };
    // The last format given to each cell, in column and row order.
    std::size_t kept = 0;
    for (std::size_t at = 0; at < held.size(); ++at) {
        const bool last = at + 1 == held.size() || column(held[at + 1]) != column(held[at]) ||
                          row(held[at + 1]) != row(held[at]);
        if (last) held[kept++] = held[at];
    }
    held.resize(kept);
    for (std::size_t at = 0; at < held.size();) {
        std::size_t end = at + 1;
        // A run stops short of the whole column, which the server would take
        // for the column's own format.
        while (end < held.size() && column(held[end]) == column(held[at]) &&
               row(held[end]) == row(held[end - 1]) + 1 && held[end].xfIndex == held[at].xfIndex &&
               row(held[end]) - row(held[at]) < kLastRow - 1)
            ++end;
        ApplyColumnRun(column(held[at]), row(held[at]), row(held[end - 1]), held[at].xfIndex);
        at = end;
    }
}

void CSaveCellFormatter::ApplyColumnRun(std::int32_t column, std::int32_t first, std::int32_t last,
                                        std::uint32_t xfIndex) {
    const CachedFormat* cached = Format(xfIndex);
    if (cached == nullptr) return;
    bool inherited = false;
    for (std::int32_t row = first; row <= last && !inherited; ++row)
        inherited = MayHoldFormat(row, column, column);
    // A fresh cell already shows a fresh format: nothing to put.
    if (cached->fresh && !inherited) return;
    m_automation.ApplyCellFormat(column, first, column, last, cached->format, inherited,
                                 cached->base);
    for (std::int32_t row = first; row <= last; ++row) MarkFormatted(row, column);
}

void CSaveCellFormatter::MarkFormatted(std::int32_t row, std::int32_t column) {
    if (m_formattedCells.empty()) {
        m_formattedCells.resize(static_cast<std::size_t>(kLastRow) * kLastColumn, false);
    }
    m_formattedCells[CellKey(row, column)] = true;
}

void CSaveCellFormatter::ApplyRunFormat(std::int32_t row, std::int32_t first, std::int32_t last,
                                        std::uint32_t xfIndex) {
    FlushCellFormats();
    first = std::max<std::int32_t>(first, 1);
    last = std::min(last, kLastColumn);
    if (row < 1 || row > kLastRow || first > last) return;
    const CachedFormat* cached = Format(xfIndex);
    if (cached == nullptr) return;
    const bool inherited = MayHoldFormat(row, first, last);
    // A fresh cell already shows a fresh format: nothing to put.
    if (cached->fresh && !inherited) return;
    m_automation.ApplyCellFormat(first, row, last, row, cached->format, inherited, cached->base);
    for (std::int32_t column = first; column <= last; ++column) MarkFormatted(row, column);
}

void CSaveCellFormatter::ApplyRowFormat(std::int32_t row, std::uint32_t xfIndex) {
    FlushCellFormats();
    if (row < 1 || row > kLastRow) return;
    const CachedFormat* cached = Format(xfIndex);
    if (cached == nullptr || cached->fresh) return;
    // The whole row, not columns 1..255: the server keeps a whole row's
    // format once, as the row's, where a shorter range needs a format on
    // every cell of it.
    m_automation.ApplyCellFormat(1, row, kLastColumn, row, cached->format, false, cached->base);
    m_formattedRows[static_cast<std::size_t>(row - 1)] = true;
}

void CSaveCellFormatter::ApplyColumnInfo(std::int32_t first, std::int32_t last,
                                         std::uint32_t xfIndex) {
    FlushCellFormats();
    // Some writers put 256 (one past IV) as the last column of a run that
    // reaches the sheet's edge, and a damaged record may say anything up to
    // 65535: columns the sheet cannot hold are dropped so the rest of the run
    // keeps its format instead of the server refusing the range.
    first = std::max<std::int32_t>(first, 1);
    last = std::min(last, kLastColumn);
    if (first > last) return;

    const CachedFormat* cached = Format(xfIndex);
    if (cached == nullptr || cached->fresh) return;
    // Whole columns, not rows 1..65535: a range one row short of the sheet
    // makes the server give each of its cells a format of its own (65,535
    // cells a column, each written to the file), where a whole column keeps
    // one column format.
    m_automation.ApplyCellFormat(first, 1, last, kLastRow, cached->format, false, cached->base);
    std::fill(m_formattedColumns.begin() + (first - 1), m_formattedColumns.begin() + last, true);
}
