#include "save/CSaveCellFormatter.h"

#include <algorithm>
#include <optional>

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
    const auto at = static_cast<std::uint32_t>(row);
    std::uint32_t& latest = m_latestRun[static_cast<std::size_t>(column - 1)];
    if (latest != 0) {
        HeldRun& run = m_held[latest - 1];
        if (run.xfIndex == xfIndex && run.last + 1 == at) {
            run.last = at;
            return;
        }
    }
    m_held.push_back({static_cast<std::uint32_t>(column), at, at, xfIndex});
    latest = static_cast<std::uint32_t>(m_held.size());
}

void CSaveCellFormatter::FlushCellFormats() {
    if (m_held.empty()) return;
    std::vector<HeldRun> runs = std::move(m_held);
    m_held = {};
    m_latestRun.fill(0);
    // By column, each column's runs in the order given.
    std::stable_sort(runs.begin(), runs.end(),
                     [](const HeldRun& a, const HeldRun& b) { return a.column < b.column; });
    for (std::size_t at = 0; at < runs.size();) {
        std::size_t end = at + 1;
        while (end < runs.size() && runs[end].column == runs[at].column) ++end;
        FlushColumn(std::span<const HeldRun>(runs).subspan(at, end - at));
        at = end;
    }
}

void CSaveCellFormatter::FlushColumn(std::span<const HeldRun> runs) {
    const auto column = static_cast<std::int32_t>(runs.front().column);
    struct Stretch {
        std::uint32_t first = 0;
        std::uint32_t last = 0;
        std::uint32_t xfIndex = 0;
    };
    std::optional<Stretch> open;
    const auto add = [&](std::uint32_t first, std::uint32_t last, std::uint32_t xfIndex) {
        if (open && open->xfIndex == xfIndex && open->last + 1 == first) {
            open->last = last;
            return;
        }
        if (open)
            PutRows(column, static_cast<std::int32_t>(open->first),
                    static_cast<std::int32_t>(open->last), open->xfIndex);
        open = Stretch{first, last, xfIndex};
    };
    bool ordered = true;
    for (std::size_t i = 1; i < runs.size() && ordered; ++i)
        ordered = runs[i].first > runs[i - 1].last;
    if (ordered) {
        for (const HeldRun& run : runs) add(run.first, run.last, run.xfIndex);
    } else {
        // Cells given out of row order or twice (a damaged sheet's
        // duplicates): each row by itself, the format given last winning.
        struct Cell {
            std::uint32_t row;
            std::uint32_t xfIndex;
        };
        std::vector<Cell> cells;
        for (const HeldRun& run : runs)
            for (std::uint32_t row = run.first; row <= run.last; ++row)
                cells.push_back({row, run.xfIndex});
        std::stable_sort(cells.begin(), cells.end(),
                         [](const Cell& a, const Cell& b) { return a.row < b.row; });
        for (std::size_t i = 0; i < cells.size(); ++i)
            if (i + 1 == cells.size() || cells[i + 1].row != cells[i].row)
                add(cells[i].row, cells[i].row, cells[i].xfIndex);
    }
    if (open)
        PutRows(column, static_cast<std::int32_t>(open->first),
                static_cast<std::int32_t>(open->last), open->xfIndex);
}

void CSaveCellFormatter::PutRows(std::int32_t column, std::int32_t first, std::int32_t last,
                                 std::uint32_t xfIndex) {
    for (std::int32_t from = first; from <= last; from += kLastRow - 1)
        ApplyColumnRun(column, from, std::min(last, from + kLastRow - 2), xfIndex);
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
