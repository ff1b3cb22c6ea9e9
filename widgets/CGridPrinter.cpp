#include "widgets/CGridPrinter.h"

#include <QFontInfo>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <vector>

#include "containers/CSheetGridStore.h"
#include "widgets/CGridAxis.h"
#include "widgets/CGridCellPainter.h"
#include "widgets/CGridCtrl.h"
#include "widgets/CGridPaintPlan.h"
#include "widgets/CGridStoreAxes.h"

namespace {

// Splits indices 1..count-1 into runs that fit in room pixels each; an index
// wider than the room gets a page of its own.
std::vector<std::pair<int, int>> MakeBands(const CGridAxis& axis, int room) {
    std::vector<std::pair<int, int>> bands;
    int first = 1;
    const int count = axis.GetCount();
    while (first < count) {
        int last = first;
        std::int64_t used = axis.GetSize(first);
        while (last + 1 < count && used + axis.GetSize(last + 1) <= room) {
            ++last;
            used += axis.GetSize(last);
        }
        bands.emplace_back(first, last);
        first = last + 1;
    }
    return bands;
}

}  // namespace

CGridPrinter::CGridPrinter(const CSheetGridStore& store, const QFont& base)
    : m_store(store), m_base(PrintFont(base)) {}

QFont CGridPrinter::PrintFont(const QFont& screen) {
    // Pages are drawn in screen pixels scaled up to the printer's resolution;
    // a font sized in points would be scaled a second time by the printer's
    // own resolution.
    QFont font(screen);
    if (font.pixelSize() <= 0) font.setPixelSize(std::max(1, QFontInfo(screen).pixelSize()));
    return font;
}

void CGridPrinter::FindUsedArea(const CSheetGridStore& store, int& lastRow, int& lastColumn) {
    lastRow = 0;
    lastColumn = 0;
    const int rows = store.GetRowCount();
    const int columns = store.GetColumnCount();
    for (int row = rows - 1; row >= 1; --row) {
        // Only columns beyond the widest found so far can widen the area.
        for (int column = columns - 1; column > lastColumn; --column) {
            if (!store.GetCell(row, column)) continue;
            lastColumn = column;
            if (lastRow == 0) lastRow = row;
            break;
        }
    }
}

int CGridPrinter::Print(QPrinter& printer) {
    int lastRow = 0;
    int lastColumn = 0;
    FindUsedArea(m_store, lastRow, lastColumn);
    // A merged range prints whole even where its other cells hold nothing.
    for (const CGridRange& range : m_store.GetMergedRanges({1, 1, lastRow, lastColumn})) {
        lastRow = std::max(lastRow, std::min(range.lastRow, m_store.GetRowCount() - 1));
        lastColumn = std::max(lastColumn, std::min(range.lastColumn, m_store.GetColumnCount() - 1));
    }
    // An empty sheet still prints its first cell, so the page shows which sheet it was.
    lastRow = std::max(lastRow, 1);
    lastColumn = std::max(lastColumn, 1);

    CGridAxis rows;
    CGridAxis columns;
    CGridStoreAxes::Rebuild(m_store, lastRow + 1, lastColumn + 1, rows, columns);

    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    const double scale = printer.resolution() / 96.0;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int pageWidth = std::max(1, static_cast<int>(page.width() / scale));
    const int pageHeight = std::max(1, static_cast<int>(page.height() / scale));
    const int headerWidth = CGridCtrl::kHeaderColumnWidth;
    const int headerHeight = CGridCtrl::kDefaultRowHeight;
    painter.scale(scale, scale);
    painter.setFont(m_base);

    const auto columnBands = MakeBands(columns, pageWidth - headerWidth);
    const auto rowBands = MakeBands(rows, pageHeight - headerHeight);
    int pages = 0;
    for (const auto& [firstColumn, lastBandColumn] : columnBands) {
        for (const auto& [firstRow, lastBandRow] : rowBands) {
            if (pages > 0) printer.newPage();
            ++pages;
            const std::int64_t left = columns.GetStart(firstColumn) - headerWidth;
            const std::int64_t top = rows.GetStart(firstRow) - headerHeight;
            painter.fillRect(QRect(0, 0, headerWidth, headerHeight),
                             CGridCellPainter::HeaderColor());
            for (int column = firstColumn; column <= lastBandColumn; ++column) {
                if (columns.GetSize(column) == 0) continue;  // hidden
                const QRect rect(static_cast<int>(columns.GetStart(column) - left), 0,
                                 columns.GetSize(column), headerHeight);
                CGridCellPainter::DrawHeader(painter, rect, CGridCtrl::ColumnHeaderText(column),
                                             false);
            }
            for (int row = firstRow; row <= lastBandRow; ++row) {
                if (rows.GetSize(row) == 0) continue;  // hidden
                CGridCellPainter::DrawHeader(painter,
                                             QRect(0, static_cast<int>(rows.GetStart(row) - top),
                                                   headerWidth, rows.GetSize(row)),
                                             QString::number(row), false);
            }
            // A merged range that crosses the band's edge is cut there.
            const CGridPaintPlan plan(m_store, rows, columns, m_base,
                                      QPoint(static_cast<int>(-left), static_cast<int>(-top)));
            painter.save();
            painter.setClipRect(
                QRect(headerWidth, headerHeight,
                      static_cast<int>(columns.GetStart(lastBandColumn + 1) -
                                       columns.GetStart(firstColumn)),
                      static_cast<int>(rows.GetStart(lastBandRow + 1) - rows.GetStart(firstRow))));
            CGridCellPainter::DrawPlan(
                painter, plan.Make(firstRow, lastBandRow, firstColumn, lastBandColumn, 0));
            painter.restore();
        }
    }
    painter.end();
    return pages;
}
