#include "widgets/CGridPaintPlan.h"

#include <QFontMetrics>
#include <algorithm>
#include <array>

#include "containers/CGridUnits.h"
#include "widgets/CGridAxis.h"
#include "widgets/CGridCellPainter.h"

namespace {

// How each horizontal alignment code draws: its Qt alignment (0: General,
// which the value decides), whether it wraps, whether it repeats the text.
struct CHorizontalRule {
    int flag;
    bool wrap;
    bool fill;
};
constexpr std::array<CHorizontalRule, 8> kHorizontal = {{
    {0, false, false},                 // General
    {Qt::AlignLeft, false, false},     // Left
    {Qt::AlignHCenter, false, false},  // Centre
    {Qt::AlignRight, false, false},    // Right
    {Qt::AlignLeft, false, true},      // Fill
    {Qt::AlignJustify, true, false},   // Justify
    {Qt::AlignHCenter, false, false},  // Centre across selection
    {Qt::AlignHCenter, true, false},   // Distributed
}};

struct CVerticalRule {
    int flag;
    bool wrap;
};
constexpr std::array<CVerticalRule, 5> kVertical = {{
    {Qt::AlignTop, false},      // Top
    {Qt::AlignVCenter, false},  // Centre
    {Qt::AlignBottom, false},   // Bottom
    {Qt::AlignTop, true},       // Justify
    {Qt::AlignVCenter, true},   // Distributed
}};

// The XF's rotation codes: up to 90 anticlockwise, 91-180 clockwise, 255
// stacked.
constexpr std::uint8_t kAnticlockwise = 90;
constexpr std::uint8_t kMaxRotation = 180;
constexpr std::uint8_t kStacked = 255;

// CGridFont::escapement values.
constexpr std::uint16_t kSuperscript = 1;
constexpr std::uint16_t kSubscript = 2;

template <class Rules, class Code>
const auto& RuleOf(const Rules& rules, Code code, std::size_t fallback) {
    const auto index = static_cast<std::size_t>(code);
    return rules[index < rules.size() ? index : fallback];
}

}  // namespace

// One column of a row being planned: its cell, and whether a running text
// stops before it (a text of its own, or a merged range).
struct CGridPaintPlan::CRowSlot {
    std::optional<CGridCell> cell;
    bool blocked = false;
    int item = -1;  // its entry in the plan's cells, when drawn
};

CGridPaintPlan::CGridPaintPlan(const CSheetGridStore& store, const CGridAxis& rows,
                               const CGridAxis& columns, const QFont& base, QPoint origin)
    : m_store(store), m_rows(rows), m_columns(columns), m_base(base), m_origin(origin) {}

bool CGridPaintPlan::IsNumber(const CGridCell& cell) {
    if (cell.value != EGridValue::Unknown) return cell.value == EGridValue::Number;
    bool number = false;
    QString::fromStdU16String(cell.text).trimmed().toDouble(&number);
    return number;
}

QRect CGridPaintPlan::RectOf(int firstRow, int firstColumn, int lastRow, int lastColumn) const {
    const std::int64_t x = m_origin.x() + m_columns.GetStart(firstColumn);
    const std::int64_t y = m_origin.y() + m_rows.GetStart(firstRow);
    const std::int64_t width = m_columns.GetStart(lastColumn + 1) - m_columns.GetStart(firstColumn);
    const std::int64_t height = m_rows.GetStart(lastRow + 1) - m_rows.GetStart(firstRow);
    return QRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                 static_cast<int>(height));
}

CGridPaintPlanResult CGridPaintPlan::Make(int firstRow, int lastRow, int firstColumn,
                                          int lastColumn, int reach) const {
    CGridPaintPlanResult plan;
    const int rowCount = m_rows.GetCount();
    const int columnCount = m_columns.GetCount();
    firstRow = std::max(firstRow, 1);
    firstColumn = std::max(firstColumn, 1);
    lastRow = std::min(lastRow, rowCount - 1);
    lastColumn = std::min(lastColumn, columnCount - 1);
    if (firstRow > lastRow || firstColumn > lastColumn) return plan;
    const CGridSheetLayout layout = m_store.GetLayout();
    // An indent level is three digits of the default font wide.
    constexpr int kDigitsPerIndent = 3;
    const int indentStep =
        kDigitsPerIndent *
        (layout.digitWidth > 0 ? layout.digitWidth : CGridUnits::kDefaultDigitWidth);

    // The columns a text may run into view from: a reach's width each side.
    int low = firstColumn;
    for (std::int64_t used = 0; low > 1 && used < reach;) used += m_columns.GetSize(--low);
    int high = lastColumn;
    for (std::int64_t used = 0; high + 1 < columnCount && used < reach;)
        used += m_columns.GetSize(++high);
    const int width = high - low + 1;
    const int height = lastRow - firstRow + 1;

    // Which merged range owns each cell of the block; a range that shares a
    // cell with one already taken is left out.
    std::vector<int> owner(static_cast<std::size_t>(width) * height, -1);
    const auto slotOf = [&](int row, int column) {
        return static_cast<std::size_t>(row - firstRow) * width + (column - low);
    };
    std::vector<CGridRange> merged;
    for (CGridRange range : m_store.GetMergedRanges({firstRow, low, lastRow, high})) {
        range.lastRow = std::min(range.lastRow, rowCount - 1);
        range.lastColumn = std::min(range.lastColumn, columnCount - 1);
        if (range.lastRow < range.firstRow || range.lastColumn < range.firstColumn) continue;
        const int top = std::max(range.firstRow, firstRow);
        const int bottom = std::min(range.lastRow, lastRow);
        const int left = std::max(range.firstColumn, low);
        const int right = std::min(range.lastColumn, high);
        bool free = true;
        for (int row = top; row <= bottom && free; ++row)
            for (int column = left; column <= right && free; ++column)
                free = owner[slotOf(row, column)] < 0;
        if (!free) continue;
        for (int row = top; row <= bottom; ++row)
            for (int column = left; column <= right; ++column)
                owner[slotOf(row, column)] = static_cast<int>(merged.size());
        merged.push_back(range);
    }
    for (const CGridRange& range : merged) {
        if (range.lastColumn < firstColumn || range.firstColumn > lastColumn) continue;
        CGridPaintCell item;
        item.row = range.firstRow;
        item.column = range.firstColumn;
        item.rect = RectOf(range.firstRow, range.firstColumn, range.lastRow, range.lastColumn);
        item.cell = m_store.GetCell(range.firstRow, range.firstColumn);
        item.merged = true;
        plan.cells.push_back(item);
        if (item.cell && !item.cell->text.empty())
            PlanText(*item.cell, item.row, item.column, item.rect, nullptr, 0, indentStep, plan);
    }

    std::vector<CRowSlot> lane(static_cast<std::size_t>(width));
    for (int row = firstRow; row <= lastRow; ++row) {
        if (m_rows.GetSize(row) == 0) continue;  // hidden
        for (int column = low; column <= high; ++column) {
            CRowSlot& slot = lane[column - low];
            slot.item = -1;
            slot.cell.reset();
            slot.blocked = owner[slotOf(row, column)] >= 0;
            if (slot.blocked) continue;
            slot.cell = m_store.GetCell(row, column);
            slot.blocked = slot.cell && !slot.cell->text.empty();
            if (column < firstColumn || column > lastColumn || m_columns.GetSize(column) == 0)
                continue;
            slot.item = static_cast<int>(plan.cells.size());
            plan.cells.push_back({row, column, RectOf(row, column, row, column), slot.cell});
        }
        for (int column = low; column <= high; ++column) {
            const CRowSlot& slot = lane[column - low];
            // A hidden column's text is not shown, nor does it run on.
            if (owner[slotOf(row, column)] >= 0 || !slot.cell || slot.cell->text.empty() ||
                m_columns.GetSize(column) == 0)
                continue;
            PlanText(*slot.cell, row, column, RectOf(row, column, row, column), &lane, low,
                     indentStep, plan);
        }
    }

    if (!layout.gridlines) {
        for (CGridPaintCell& item : plan.cells) item.rightLine = item.bottomLine = false;
    }
    PlanBorders(merged, firstRow, lastRow, firstColumn, lastColumn, plan);
    // Texts from outside the block that do not reach into it are dropped.
    const QRect block = RectOf(firstRow, firstColumn, lastRow, lastColumn);
    std::erase_if(plan.texts, [&](const CGridPaintText& text) {
        return text.clip.right() < block.left() || text.clip.left() > block.right();
    });
    return plan;
}

void CGridPaintPlan::PlanSides(const CGridBorders& borders, const QRect& rect, bool left,
                               bool right, bool top, bool bottom, CGridPaintPlanResult& plan) {
    // rect holds the cell's own right and bottom grid lines; its left and
    // top ones are its neighbours', one pixel outside it. Each line runs
    // over both corners so that lines meeting there close the corner.
    const int x0 = rect.left() - 1;
    const int y0 = rect.top() - 1;
    const int x1 = rect.right();
    const int y1 = rect.bottom();
    const auto add = [&](bool wanted, const CGridBorderLine& line, QPoint from, QPoint to) {
        if (wanted && line.style != EGridLine::None) plan.borders.push_back({from, to, line});
    };
    add(left, borders.left, {x0, y0}, {x0, y1});
    add(right, borders.right, {x1, y0}, {x1, y1});
    add(top, borders.top, {x0, y0}, {x1, y0});
    add(bottom, borders.bottom, {x0, y1}, {x1, y1});
}

void CGridPaintPlan::PlanDiagonals(const CGridDiagonal& diagonal, const QRect& rect,
                                   CGridPaintPlanResult& plan) {
    // Corner to corner on the grid lines around the cell, as its sides lie.
    const int x0 = rect.left() - 1;
    const int y0 = rect.top() - 1;
    const int x1 = rect.right();
    const int y1 = rect.bottom();
    if (diagonal.down) plan.borders.push_back({{x0, y0}, {x1, y1}, diagonal.Line(), rect});
    if (diagonal.up) plan.borders.push_back({{x0, y1}, {x1, y0}, diagonal.Line(), rect});
}

void CGridPaintPlan::PlanBorders(const std::vector<CGridRange>& merged, int firstRow, int lastRow,
                                 int firstColumn, int lastColumn,
                                 CGridPaintPlanResult& plan) const {
    for (const CGridPaintCell& item : plan.cells) {
        if (!item.merged && item.cell && item.cell->borders.Any())
            PlanSides(item.cell->borders, item.rect, true, true, true, true, plan);
    }
    // A merged range's outer lines come from the cells on its edges; only
    // the part of an edge inside the block can show.
    const auto sideOf = [&](int row, int column, bool left, bool right, bool top, bool bottom) {
        if (const auto cell = m_store.GetCell(row, column); cell && cell->borders.Any())
            PlanSides(cell->borders, RectOf(row, column, row, column), left, right, top, bottom,
                      plan);
    };
    for (const CGridRange& range : merged) {
        if (range.lastColumn < firstColumn || range.firstColumn > lastColumn) continue;
        const int left = std::max(range.firstColumn, firstColumn);
        const int right = std::min(range.lastColumn, lastColumn);
        const int top = std::max(range.firstRow, firstRow);
        const int bottom = std::min(range.lastRow, lastRow);
        for (int column = left; column <= right; ++column) {
            if (m_columns.GetSize(column) == 0) continue;
            if (range.firstRow >= firstRow)
                sideOf(range.firstRow, column, false, false, true, false);
            if (range.lastRow <= lastRow) sideOf(range.lastRow, column, false, false, false, true);
        }
        for (int row = top; row <= bottom; ++row) {
            if (m_rows.GetSize(row) == 0) continue;
            if (range.firstColumn >= firstColumn)
                sideOf(row, range.firstColumn, true, false, false, false);
            if (range.lastColumn <= lastColumn)
                sideOf(row, range.lastColumn, false, true, false, false);
        }
    }
    // The first shown cells past the block's right and bottom edges: their
    // left and top lines lie on the block's last grid lines. A cell inside
    // a merged range has such a line only on the range's edge.
    const int nextColumn = m_columns.Step(lastColumn, 1);
    if (nextColumn > lastColumn) {
        const auto ranges = m_store.GetMergedRanges({firstRow, nextColumn, lastRow, nextColumn});
        for (int row = firstRow; row <= lastRow; ++row) {
            if (m_rows.GetSize(row) == 0) continue;
            const bool onEdge =
                std::none_of(ranges.begin(), ranges.end(), [&](const CGridRange& r) {
                    return r.Contains(row, nextColumn) && r.firstColumn != nextColumn;
                });
            if (onEdge) sideOf(row, nextColumn, true, false, false, false);
        }
    }
    const int nextRow = m_rows.Step(lastRow, 1);
    if (nextRow > lastRow) {
        const auto ranges = m_store.GetMergedRanges({nextRow, firstColumn, nextRow, lastColumn});
        for (int column = firstColumn; column <= lastColumn; ++column) {
            if (m_columns.GetSize(column) == 0) continue;
            const bool onEdge =
                std::none_of(ranges.begin(), ranges.end(), [&](const CGridRange& r) {
                    return r.Contains(nextRow, column) && r.firstRow != nextRow;
                });
            if (onEdge) sideOf(nextRow, column, false, false, true, false);
        }
    }
    // The block's left and top edges lie on the last pixel of the header or
    // of the pane beside, which is drawn over: lines there move one pixel
    // into the block, so that column A's left and row 1's top lines show.
    const QRect block = RectOf(firstRow, firstColumn, lastRow, lastColumn);
    for (CGridPaintBorder& border : plan.borders) {
        const QPoint inward = border.from.x() == border.to.x()
                                  ? QPoint(border.from.x() == block.left() - 1 ? 1 : 0, 0)
                                  : QPoint(0, border.from.y() == block.top() - 1 ? 1 : 0);
        border.from += inward;
        border.to += inward;
    }
    // Diagonals come after the move inward: they join their cell's corners
    // wherever it lies. A merged range whose rows or columns are all hidden
    // has nothing to cross.
    for (const CGridPaintCell& item : plan.cells) {
        if (item.cell && item.cell->borders.diagonal.Any() && !item.rect.isEmpty())
            PlanDiagonals(item.cell->borders.diagonal, item.rect, plan);
    }
    // Drawn lightest first, a heavier line covers a lighter one on the same
    // edge.
    std::stable_sort(plan.borders.begin(), plan.borders.end(),
                     [](const CGridPaintBorder& a, const CGridPaintBorder& b) {
                         return CGridCellPainter::LineRank(a.line.style) <
                                CGridCellPainter::LineRank(b.line.style);
                     });
}

void CGridPaintPlan::PlanText(const CGridCell& cell, int row, int column, const QRect& rect,
                              std::vector<CRowSlot>* lane, int laneFirst, int indentStep,
                              CGridPaintPlanResult& plan) const {
    CGridPaintText text;
    text.row = row;
    text.column = column;
    text.font = CGridCellPainter::CellFont(&cell, m_base);
    text.color = cell.textColor ? CGridCellPainter::Rgb(*cell.textColor) : QColor(Qt::black);
    text.text = QString::fromStdU16String(cell.text);
    if (cell.runs != 0) {
        if (const auto runs = m_store.GetTextRuns(cell.runs))
            text.formats =
                CGridCellPainter::RunFormats(text.text, *runs, text.font, text.color, m_base);
    }
    const QFontMetrics metrics(text.font);
    const bool number = IsNumber(cell);

    const CHorizontalRule& horizontal = RuleOf(kHorizontal, cell.alignment.horizontal, 0);
    const CVerticalRule& vertical = RuleOf(kVertical, cell.alignment.vertical, 2);
    int across = horizontal.flag;
    if (across == 0) {
        across = number                              ? Qt::AlignRight
                 : cell.value == EGridValue::Logical ? Qt::AlignHCenter
                                                     : Qt::AlignLeft;
    }
    int down = vertical.flag;
    const std::uint16_t escapement = cell.font ? cell.font->escapement : 0;
    if (escapement == kSuperscript) down = Qt::AlignTop;
    if (escapement == kSubscript) down = Qt::AlignBottom;
    bool wrap = cell.alignment.wrap || horizontal.wrap || vertical.wrap;

    const std::uint8_t rotation = cell.alignment.rotation;
    if ((rotation >= 1 && rotation <= kMaxRotation) || rotation == kStacked) {
        if (rotation == kStacked) {
            // Letter under letter, each line centred; letter i moves to 2i,
            // and each run's letters with it.
            QString stacked;
            for (const QChar letter : text.text) {
                if (!stacked.isEmpty()) stacked += QLatin1Char('\n');
                stacked += letter;
            }
            text.text = stacked;
            for (QTextLayout::FormatRange& range : text.formats) {
                range.start *= 2;
                range.length =
                    std::min(2 * range.length, static_cast<int>(stacked.size()) - range.start);
            }
            across = Qt::AlignHCenter;
        } else {
            // 1-90 turn anticlockwise, 91-180 clockwise by the code less 90.
            text.rotation = rotation <= kAnticlockwise ? -rotation : rotation - kAnticlockwise;
        }
        text.layout = rect.adjusted(kMargin, 0, -kMargin - 1, -1);
        text.clip = rect.adjusted(0, 0, -1, -1);
        text.flags = across | (rotation == kStacked ? down : Qt::AlignVCenter);
        plan.texts.push_back(std::move(text));
        return;
    }

    // Indent levels count from the side the text is aligned to; a damaged
    // level cannot push the text out of its cell.
    int indent = 0;
    const EGridHorizontal code = cell.alignment.horizontal;
    if (code == EGridHorizontal::Left || code == EGridHorizontal::Right ||
        code == EGridHorizontal::Distributed)
        indent = std::min(cell.alignment.indent * indentStep, rect.width());
    const int indentLeft = code == EGridHorizontal::Right ? 0 : indent;
    const int indentRight = code == EGridHorizontal::Left ? 0 : indent;

    const int width = text.formats.isEmpty()
                          ? metrics.horizontalAdvance(text.text)
                          : CGridCellPainter::FormattedWidth(text.text, text.formats);
    const int needed = width + 2 * kMargin + indentLeft + indentRight;
    const int room = rect.width() - 2 * kMargin - 1;
    QRect layout = rect;
    QRect clip = rect;
    if (number && needed > rect.width()) {
        // A cut number could be misread as another: "#" across the cell.
        const int hash = std::max(1, metrics.horizontalAdvance(QLatin1Char('#')));
        text.text = QString(std::max(1, room / hash), QLatin1Char('#'));
        text.formats.clear();
        text.cut = true;
        wrap = false;
    } else if (horizontal.fill) {
        // The repetitions are drawn in the cell's font alone.
        const int once = metrics.horizontalAdvance(text.text);
        text.formats.clear();
        text.cut = needed > rect.width();
        if (once > 0) text.text = text.text.repeated(std::clamp(room / once, 1, kMaxFillRepeats));
        wrap = false;
    } else if (wrap) {
        const QRect inner = rect.adjusted(kMargin, 0, -kMargin - 1, -1);
        const QRect used = metrics.boundingRect(inner, across | down | Qt::TextWordWrap, text.text);
        text.cut = used.height() > inner.height() || used.width() > inner.width();
    } else if (lane && !number && cell.value != EGridValue::Logical && needed > rect.width()) {
        // How far the text must run each way, and how far it may.
        const int extra = needed - rect.width();
        const int wantLeft = across == Qt::AlignRight     ? extra
                             : across == Qt::AlignHCenter ? (extra + 1) / 2
                                                          : 0;
        const int wantRight = across == Qt::AlignLeft      ? extra
                              : across == Qt::AlignHCenter ? (extra + 1) / 2
                                                           : 0;
        const int here = column - laneFirst;
        const int last = static_cast<int>(lane->size()) - 1;
        int first = here;
        int end = here;
        std::int64_t gotLeft = 0;
        std::int64_t gotRight = 0;
        while (gotLeft < wantLeft && first > 0 && !(*lane)[first - 1].blocked)
            gotLeft += m_columns.GetSize(laneFirst + --first);
        while (gotRight < wantRight && end < last && !(*lane)[end + 1].blocked)
            gotRight += m_columns.GetSize(laneFirst + ++end);
        layout = rect.adjusted(-wantLeft, 0, wantRight, 0);
        clip = RectOf(row, laneFirst + first, row, laneFirst + end);
        text.cut = gotLeft < wantLeft || gotRight < wantRight;
        // The grid lines inside the run are not drawn.
        for (int at = first; at < end; ++at) {
            const int item = (*lane)[at].item;
            if (item >= 0) plan.cells[item].rightLine = false;
        }
    } else {
        text.cut = needed > rect.width();
    }
    text.layout = layout.adjusted(kMargin + indentLeft, 0, -kMargin - 1 - indentRight, -1);
    text.clip = clip.adjusted(0, 0, -1, -1);
    text.flags = across | down | (wrap ? Qt::TextWordWrap : 0);
    plan.texts.push_back(std::move(text));
}
