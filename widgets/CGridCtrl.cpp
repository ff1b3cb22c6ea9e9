#include "widgets/CGridCtrl.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

#include "containers/CSheetGridStore.h"
#include "widgets/CGridCellPainter.h"
#include "widgets/CGridPaintPlan.h"
#include "widgets/CGridPanes.h"
#include "widgets/CGridPrinter.h"
#include "widgets/CGridStoreAxes.h"

CGridCtrl::CGridCtrl(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAcceptDrops(true);
    viewport()->setMouseTracking(false);
    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setInterval(kRefreshPeriod);
    connect(m_refreshTimer, &QTimer::timeout, this, &CGridCtrl::RefreshFromStore);
    m_refreshTimer->start();
}

CGridCtrl::~CGridCtrl() {
    // A subclass may own the store and has destroyed it by now.
    m_refreshTimer->stop();
    m_store = nullptr;
}

void CGridCtrl::SetStore(CSheetGridStore* store) {
    CancelEdit();
    m_store = store;
    m_seenRevision = ~0ULL;
    m_currentRow = 1;
    m_currentColumn = 1;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    Relayout();
    viewport()->update();
}

QString CGridCtrl::ColumnHeaderText(int column) {
    if (column <= 0) return {};
    if (column <= 26) return QString(QChar('A' + column - 1));
    const int first = (column - 1) / 26;
    const int second = (column - 1) % 26 + 1;
    return QString(QChar('A' + first - 1)) + QChar('A' + second - 1);
}

void CGridCtrl::SetEditable(bool editable) {
    if (!editable) CancelEdit();
    m_editable = editable;
}

int CGridCtrl::GetHeaderHeight() const {
    return kDefaultRowHeight;
}

void CGridCtrl::RefreshFromStore() {
    if (!m_store) {
        if (RowCount() > 0 || ColumnCount() > 0) Relayout();
        return;
    }
    // The revision is read before the counts and sizes: a change made while
    // they are read shows as a new revision on the next look.
    const unsigned long long revision = m_store->GetRevision();
    if (revision == m_seenRevision) return;
    m_seenRevision = revision;
    Relayout();
    viewport()->update();
    emit StoreChanged();
}

void CGridCtrl::Relayout() {
    if (!m_store) {
        m_frozenRows = 0;
        m_frozenColumns = 0;
        m_rows.Rebuild(0, kDefaultRowHeight, {});
        m_columns.Rebuild(0, kDefaultColumnWidth, {});
    } else {
        // The store keeps its counts within its limits; the caps keep a broken
        // store from making the layout huge.
        const int rows = std::clamp(m_store->GetRowCount(), 0, CSheetGridStore::kRowLimit + 1);
        const int columns =
            std::clamp(m_store->GetColumnCount(), 0, CSheetGridStore::kColumnLimit + 1);
        CGridStoreAxes::Rebuild(*m_store, rows, columns, m_rows, m_columns);
        const CGridSheetLayout layout = m_store->GetLayout();
        m_frozenRows = layout.frozenRows;
        m_frozenColumns = layout.frozenColumns;
    }
    UpdateScrollBars();
    if (RowCount() > 1) m_currentRow = std::min(m_currentRow, RowCount() - 1);
    if (ColumnCount() > 1) m_currentColumn = std::min(m_currentColumn, ColumnCount() - 1);
    PlaceEditor();
}

void CGridCtrl::UpdateScrollBars() {
    const int roomHigh = std::max(0, viewport()->height() - GetHeaderHeight());
    const int roomWide = std::max(0, viewport()->width() - kHeaderColumnWidth);
    const auto rangeOf = [](std::int64_t total, int room) {
        return static_cast<int>(std::clamp<std::int64_t>(total - room, 0, 0x7fffffff));
    };
    verticalScrollBar()->setRange(0, rangeOf(m_rows.GetTotal(), roomHigh));
    verticalScrollBar()->setPageStep(std::max(1, roomHigh));
    verticalScrollBar()->setSingleStep(kDefaultRowHeight);
    horizontalScrollBar()->setRange(0, rangeOf(m_columns.GetTotal(), roomWide));
    horizontalScrollBar()->setPageStep(std::max(1, roomWide));
    horizontalScrollBar()->setSingleStep(kDefaultColumnWidth / 3);
}

int CGridCtrl::FrozenRows() const {
    return CGridPanes::Frozen(m_rows, m_frozenRows, viewport()->height() - GetHeaderHeight());
}

int CGridCtrl::FrozenColumns() const {
    return CGridPanes::Frozen(m_columns, m_frozenColumns, viewport()->width() - kHeaderColumnWidth);
}

QRect CGridCtrl::CellRect(int row, int column) const {
    if (row < 1 || column < 1 || row >= RowCount() || column >= ColumnCount()) return {};
    // Frozen rows and columns do not scroll.
    const std::int64_t x = kHeaderColumnWidth + m_columns.GetStart(column) -
                           (column > FrozenColumns() ? horizontalScrollBar()->value() : 0);
    const std::int64_t y = GetHeaderHeight() + m_rows.GetStart(row) -
                           (row > FrozenRows() ? verticalScrollBar()->value() : 0);
    return QRect(static_cast<int>(x), static_cast<int>(y), m_columns.GetSize(column),
                 m_rows.GetSize(row));
}

QRect CGridCtrl::ShownRect(int row, int column) const {
    const QRect cell = CellRect(row, column);
    if (!m_store || cell.isEmpty()) return cell;
    const auto merged = m_store->GetMergedRanges({row, column, row, column});
    if (merged.empty()) return cell;
    const CGridRange& range = merged.front();
    const QRect last = CellRect(std::min(range.lastRow, RowCount() - 1),
                                std::min(range.lastColumn, ColumnCount() - 1));
    return CellRect(range.firstRow, range.firstColumn).united(last);
}

bool CGridCtrl::CellAt(const QPoint& point, int& row, int& column) const {
    if (point.x() < kHeaderColumnWidth || point.y() < GetHeaderHeight()) return false;
    // A point over the frozen rows (columns) is not scrolled.
    const auto unscroll = [](std::int64_t at, std::int64_t frozen, int scroll) {
        return at < frozen ? at : at + scroll;
    };
    const std::int64_t x = unscroll(point.x() - kHeaderColumnWidth,
                                    CGridPanes::FrozenExtent(m_columns, FrozenColumns()),
                                    horizontalScrollBar()->value());
    const std::int64_t y =
        unscroll(point.y() - GetHeaderHeight(), CGridPanes::FrozenExtent(m_rows, FrozenRows()),
                 verticalScrollBar()->value());
    if (x >= m_columns.GetTotal() || y >= m_rows.GetTotal()) return false;
    row = m_rows.IndexAt(y);
    column = m_columns.IndexAt(x);
    return row >= 1 && column >= 1;
}

QString CGridCtrl::TitleTipAt(const QPoint& point) const {
    int row = 0;
    int column = 0;
    if (!m_store || !CellAt(point, row, column)) return {};
    // A merged range shows its top-left cell's text over its whole width.
    int width = m_columns.GetSize(column);
    const auto merged = m_store->GetMergedRanges({row, column, row, column});
    if (!merged.empty()) {
        row = merged.front().firstRow;
        column = merged.front().firstColumn;
        const int last = std::min(merged.front().lastColumn, ColumnCount() - 1);
        width = static_cast<int>(m_columns.GetStart(last + 1) - m_columns.GetStart(column));
    }
    const auto cell = m_store->GetCell(row, column);
    const QString text = CGridCellPainter::TextOf(cell ? &*cell : nullptr);
    if (text.isEmpty()) return {};
    const QFont cellFont = CGridCellPainter::CellFont(&*cell, font());
    if (CGridCellPainter::NeededWidth(text, cellFont) <= width) return {};
    return text;
}

QString CGridCtrl::ToolTipAt(const QPoint& point) const {
    int row = 0;
    int column = 0;
    if (!m_store || !CellAt(point, row, column)) return {};
    // A merged range is marked at its top-left cell.
    const auto merged = m_store->GetMergedRanges({row, column, row, column});
    if (!merged.empty()) {
        row = merged.front().firstRow;
        column = merged.front().firstColumn;
    }
    const QString why = QString::fromStdU16String(m_store->GetFallbackMark(row, column));
    const QString text = TitleTipAt(point);
    if (why.isEmpty() || text.isEmpty()) return why.isEmpty() ? text : why;
    return text + QLatin1Char('\n') + why;
}

void CGridCtrl::DrawFallbackMarks(QPainter& painter, int firstRow, int lastRow, int firstColumn,
                                  int lastColumn) const {
    // One look at the store per pane; nothing more when no cell is marked.
    for (const auto& [row, column] :
         m_store->GetFallbackCells({firstRow, firstColumn, lastRow, lastColumn})) {
        const QRect cell = ShownRect(row, column);
        if (!cell.isEmpty()) CGridCellPainter::DrawFallbackMark(painter, cell);
    }
}

void CGridCtrl::EnsureVisible(int row, int column) {
    const auto bring = [](QScrollBar* bar, std::int64_t start, int size, int room) {
        const std::int64_t value = bar->value();
        if (start < value || size >= room) {
            bar->setValue(static_cast<int>(start));
        } else if (start + size > value + room) {
            bar->setValue(static_cast<int>(start + size - room));
        }
    };
    // A frozen row or column is always in view; the others scroll in the
    // room the frozen ones leave, counted from their end.
    const int frozenRows = FrozenRows();
    if (row > frozenRows && row < RowCount()) {
        const std::int64_t frozen = CGridPanes::FrozenExtent(m_rows, frozenRows);
        bring(verticalScrollBar(), m_rows.GetStart(row) - frozen, m_rows.GetSize(row),
              viewport()->height() - GetHeaderHeight() - static_cast<int>(frozen));
    }
    const int frozenColumns = FrozenColumns();
    if (column > frozenColumns && column < ColumnCount()) {
        const std::int64_t frozen = CGridPanes::FrozenExtent(m_columns, frozenColumns);
        bring(horizontalScrollBar(), m_columns.GetStart(column) - frozen, m_columns.GetSize(column),
              viewport()->width() - kHeaderColumnWidth - static_cast<int>(frozen));
    }
}

void CGridCtrl::SetCurrentCell(int row, int column) {
    if (row < 1 || column < 1) return;
    RefreshFromStore();
    if (RowCount() > 1) row = std::min(row, RowCount() - 1);
    if (ColumnCount() > 1) column = std::min(column, ColumnCount() - 1);
    if (IsEditing() && (row != m_currentRow || column != m_currentColumn)) CommitEdit();
    EnsureVisible(row, column);
    if (row == m_currentRow && column == m_currentColumn) return;
    m_currentRow = row;
    m_currentColumn = column;
    viewport()->update();
    emit CurrentCellChanged(row, column);
}

int CGridCtrl::VisibleRowCount() const {
    return std::max(1, (viewport()->height() - GetHeaderHeight()) / kDefaultRowHeight);
}

void CGridCtrl::MoveBy(int rows, int columns) {
    // Hidden rows and columns are stepped over, as if they were not there.
    const auto step = [](const CGridAxis& axis, int from, int by) {
        return axis.GetCount() < 2 ? std::max(1, from + by) : axis.Step(from, by);
    };
    SetCurrentCell(step(m_rows, m_currentRow, rows), step(m_columns, m_currentColumn, columns));
}

void CGridCtrl::EndOfData() {
    if (!m_store) return;
    int lastRow = 0;
    int lastColumn = 0;
    CGridPrinter::FindUsedArea(*m_store, lastRow, lastColumn);
    SetCurrentCell(std::max(1, lastRow), std::max(1, lastColumn));
}

void CGridCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const int width = viewport()->width();
    const int height = viewport()->height();
    const int headerHeight = GetHeaderHeight();
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Window));
    CGridCellPainter::DrawHeader(painter, QRect(0, 0, kHeaderColumnWidth, headerHeight), {}, false);
    if (!m_store || RowCount() < 2 || ColumnCount() < 2) return;

    // Up to four panes: the frozen rows and columns stay put, the others
    // scroll; each pane is a plan of its own, clipped to its area.
    const int frozenRows = FrozenRows();
    const int frozenColumns = FrozenColumns();
    const auto rowBands =
        CGridPanes::Bands(m_rows, frozenRows, verticalScrollBar()->value(), headerHeight, height);
    const auto columnBands = CGridPanes::Bands(
        m_columns, frozenColumns, horizontalScrollBar()->value(), kHeaderColumnWidth, width);
    const auto areaOf = [](const CGridPanes::Band& across, const CGridPanes::Band& down) {
        return QRect(across.from, down.from, across.to - across.from, down.to - down.from);
    };
    for (const CGridPanes::Band& down : rowBands) {
        for (const CGridPanes::Band& across : columnBands) {
            painter.setClipRect(areaOf(across, down));
            // A text may run into view from at most a viewport's width away.
            const CGridPaintPlan plan(*m_store, m_rows, m_columns, font(),
                                      QPoint(static_cast<int>(kHeaderColumnWidth - across.scroll),
                                             static_cast<int>(headerHeight - down.scroll)));
            CGridCellPainter::DrawPlan(
                painter, plan.Make(down.first, down.last, across.first, across.last, width));
            DrawFallbackMarks(painter, down.first, down.last, across.first, across.last);
        }
    }
    const QRect current = ShownRect(m_currentRow, m_currentColumn);
    if (!current.isEmpty() && !rowBands.empty() && !columnBands.empty()) {
        // The frame is clipped to the pane the current cell belongs to.
        const auto& down = rowBands[m_currentRow <= frozenRows ? 0 : rowBands.size() - 1];
        const auto& across =
            columnBands[m_currentColumn <= frozenColumns ? 0 : columnBands.size() - 1];
        painter.setClipRect(areaOf(across, down));
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(current.adjusted(0, 0, -1, -1));
    }
    painter.setClipping(false);
    painter.setPen(Qt::darkGray);
    if (frozenRows > 0) painter.drawLine(0, rowBands[0].to - 1, width, rowBands[0].to - 1);
    if (frozenColumns > 0)
        painter.drawLine(columnBands[0].to - 1, 0, columnBands[0].to - 1, height);

    for (const CGridPanes::Band& across : columnBands) {
        painter.setClipRect(QRect(across.from, 0, across.to - across.from, headerHeight));
        for (int column = across.first; column <= across.last; ++column) {
            const QRect cell = CellRect(1, column);
            if (cell.width() == 0) continue;  // hidden
            CGridCellPainter::DrawHeader(painter, QRect(cell.x(), 0, cell.width(), headerHeight),
                                         ColumnHeaderText(column), column == m_currentColumn);
        }
    }
    for (const CGridPanes::Band& down : rowBands) {
        painter.setClipRect(QRect(0, down.from, kHeaderColumnWidth, down.to - down.from));
        for (int row = down.first; row <= down.last; ++row) {
            const QRect cell = CellRect(row, 1);
            if (cell.height() == 0) continue;  // hidden
            CGridCellPainter::DrawHeader(painter,
                                         QRect(0, cell.y(), kHeaderColumnWidth, cell.height()),
                                         QString::number(row), row == m_currentRow);
        }
    }
}

void CGridCtrl::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    PlaceEditor();
}

void CGridCtrl::scrollContentsBy(int, int) {
    PlaceEditor();
    viewport()->update();
}

bool CGridCtrl::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = ToolTipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            int row = 0;
            int column = 0;
            CellAt(help->pos(), row, column);
            QToolTip::showText(help->globalPos(), tip, viewport(), ShownRect(row, column));
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

bool CGridCtrl::BeginEdit(const QString* replacement) {
    if (!m_editable || !m_store || RowCount() < 2 || ColumnCount() < 2) return false;
    if (IsEditing()) return true;
    EnsureVisible(m_currentRow, m_currentColumn);
    const auto cell = m_store->GetCell(m_currentRow, m_currentColumn);
    m_editor = new QLineEdit(viewport());
    m_editor->setFrame(false);
    m_editor->setFont(CGridCellPainter::CellFont(cell ? &*cell : nullptr, font()));
    m_editor->setText(replacement ? *replacement
                                  : CGridCellPainter::TextOf(cell ? &*cell : nullptr));
    m_editor->installEventFilter(this);
    PlaceEditor();
    m_editor->show();
    m_editor->setFocus();
    return true;
}

void CGridCtrl::PlaceEditor() {
    if (m_editor)
        m_editor->setGeometry(ShownRect(m_currentRow, m_currentColumn).adjusted(1, 1, -2, -2));
}

void CGridCtrl::CommitEdit() {
    if (!m_editor || m_finishingEdit) return;
    const QString text = m_editor->text();
    CancelEdit();
    if (!m_store) return;
    m_store->SetText(m_currentRow, m_currentColumn, text.toStdU16String());
    m_store->Invalidate();
    viewport()->update();
    emit CellEdited(m_currentRow, m_currentColumn, text);
}

void CGridCtrl::CancelEdit() {
    if (!m_editor || m_finishingEdit) return;
    // Hiding the editor moves the focus, which would commit it again.
    m_finishingEdit = true;
    QLineEdit* editor = m_editor;
    m_editor = nullptr;
    editor->removeEventFilter(this);
    const bool hadFocus = editor->hasFocus();
    editor->hide();
    editor->deleteLater();
    if (hadFocus) setFocus();
    m_finishingEdit = false;
    viewport()->update();
}

bool CGridCtrl::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_editor || !m_editor) return QAbstractScrollArea::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Escape:
                CancelEdit();
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                CommitEdit();
                return true;
            case Qt::Key_Tab:
                CommitEdit();
                MoveBy(0, 1);
                return true;
            case Qt::Key_Up:
                CommitEdit();
                MoveBy(-1, 0);
                return true;
            case Qt::Key_Down:
                CommitEdit();
                MoveBy(1, 0);
                return true;
            default:
                break;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // A context menu of the editor takes the focus for a moment only.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) CommitEdit();
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void CGridCtrl::mousePressEvent(QMouseEvent* event) {
    setFocus();
    int row = 0;
    int column = 0;
    m_dragArmed = false;
    if (event->button() != Qt::LeftButton || !CellAt(event->position().toPoint(), row, column)) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    SetCurrentCell(row, column);
    m_pressPoint = event->position().toPoint();
    const auto cell = m_store ? m_store->GetCell(row, column) : std::nullopt;
    m_dragArmed = cell && !cell->text.empty();
}

void CGridCtrl::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragArmed && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - m_pressPoint).manhattanLength() >=
            QApplication::startDragDistance()) {
        m_dragArmed = false;
        StartDrag();
        return;
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void CGridCtrl::StartDrag() {
    if (!m_store) return;
    const auto cell = m_store->GetCell(m_currentRow, m_currentColumn);
    if (!cell || cell->text.empty()) return;
    auto* mime = new QMimeData;
    mime->setText(QString::fromStdU16String(cell->text));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction);
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    int row = 0;
    int column = 0;
    if (event->button() == Qt::LeftButton && CellAt(event->position().toPoint(), row, column)) {
        SetCurrentCell(row, column);
        BeginEdit();
        return;
    }
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void CGridCtrl::keyPressEvent(QKeyEvent* event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
        case Qt::Key_Up:
            MoveBy(-1, 0);
            return;
        case Qt::Key_Down:
            MoveBy(1, 0);
            return;
        case Qt::Key_Left:
            MoveBy(0, -1);
            return;
        case Qt::Key_Right:
            MoveBy(0, 1);
            return;
        case Qt::Key_PageUp:
            MoveBy(-VisibleRowCount(), 0);
            return;
        case Qt::Key_PageDown:
            MoveBy(VisibleRowCount(), 0);
            return;
        case Qt::Key_Home:
            // The first row and column that are not hidden.
            SetCurrentCell(control ? std::max(1, m_rows.Step(0, 1)) : m_currentRow,
                           std::max(1, m_columns.Step(0, 1)));
            return;
        case Qt::Key_End:
            if (control) {
                EndOfData();
            } else {
                SetCurrentCell(m_currentRow, std::max(1, ColumnCount() - 1));
            }
            return;
        case Qt::Key_F2:
            BeginEdit();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            MoveBy(1, 0);
            return;
        case Qt::Key_Delete:
            if (m_editable && m_store) {
                m_store->SetText(m_currentRow, m_currentColumn, {});
                m_store->Invalidate();
                viewport()->update();
                emit CellEdited(m_currentRow, m_currentColumn, QString());
            }
            return;
        default:
            break;
    }
    const QString text = event->text();
    const bool typed = !text.isEmpty() && text.at(0).isPrint() &&
                       !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (typed && BeginEdit(&text)) return;
    QAbstractScrollArea::keyPressEvent(event);
}

bool CGridCtrl::DropText(int row, int column, const QString& text) {
    if (!m_editable || !m_store) return false;
    RefreshFromStore();
    if (row < 1 || column < 1 || row >= RowCount() || column >= ColumnCount()) return false;
    CancelEdit();
    SetCurrentCell(row, column);
    m_store->SetText(row, column, text.toStdU16String());
    m_store->Invalidate();
    viewport()->update();
    emit CellEdited(row, column, text);
    return true;
}

void CGridCtrl::dragEnterEvent(QDragEnterEvent* event) {
    if (m_editable && m_store && event->mimeData()->hasText()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void CGridCtrl::dragMoveEvent(QDragMoveEvent* event) {
    int row = 0;
    int column = 0;
    if (m_editable && event->mimeData()->hasText() &&
        CellAt(event->position().toPoint(), row, column)) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void CGridCtrl::dropEvent(QDropEvent* event) {
    int row = 0;
    int column = 0;
    if (!event->mimeData()->hasText() || !CellAt(event->position().toPoint(), row, column) ||
        !DropText(row, column, event->mimeData()->text())) {
        event->ignore();
        return;
    }
    // The text is copied: a drag from another cell keeps its source.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

bool CGridCtrl::Print(QPrinter* printer) {
    if (!printer || !m_store) return false;
    CommitEdit();
    return CGridPrinter(*m_store, font()).Print(*printer) > 0;
}

void CGridCtrl::PrintWithDialog() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) Print(&printer);
}

void CGridCtrl::PrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { Print(target); });
    preview.exec();
}
