// A spreadsheet-like grid that shows a CSheetGridStore: a fixed header row
// (column letters) and header column (row numbers, 35 pixels wide), cells
// with their texts, fonts, colours and alignments (numbers too wide shown as
// "####", texts running on into empty neighbours, merged ranges drawn as
// one cell; see CGridPaintPlan), hidden rows and columns taking no room
// (their headers not drawn, the current cell stepping over them), the
// sheet's frozen first rows and columns staying in place while the rest
// scrolls, smooth pixel scrolling over tens of
// thousands of rows, a current cell, in-place editing of a cell's text,
// title tips for cut-off texts, drag and drop of cell texts, and printing.
//
// The store is borrowed and may be written by another thread while it is
// shown: the grid reads it under the store's own lock and repaints when the
// store's revision changes (checked on a short timer).
//
// Coordinates: rows and columns are grid coordinates (0 is the header);
// pixel positions are in the viewport's coordinates.
#pragma once
#include <QAbstractScrollArea>
#include <QPoint>
#include <QRect>
#include <QString>

#include "widgets/CGridAxis.h"

class CSheetGridStore;
class QPainter;
class QLineEdit;
class QPrinter;
class QTimer;

class CGridCtrl : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kHeaderColumnWidth = 35;
    static constexpr int kDefaultColumnWidth = 64;
    static constexpr int kDefaultRowHeight = 17;
    // How often the store's revision is looked at, in milliseconds.
    static constexpr int kRefreshPeriod = 100;

    explicit CGridCtrl(QWidget* parent = nullptr);
    ~CGridCtrl() override;

    // Borrowed; null shows an empty grid. The store must stay alive while
    // the grid shows it (a subclass may own it as a member: the grid reads
    // nothing once its destruction has begun).
    void SetStore(CSheetGridStore* store);

    // Header row text of grid column c: "" for 0, "A".."Z" for 1..26, then
    // two letters ("AA" for 27, "AZ" for 52, "BA" for 53).
    static QString ColumnHeaderText(int column);

    // The current cell, in grid coordinates (headers excluded: row, column >= 1).
    int GetCurrentRow() const { return m_currentRow; }
    int GetCurrentColumn() const { return m_currentColumn; }
    // Moves the current cell (kept inside the grid's counts) and scrolls it
    // into view; CurrentCellChanged when it moved.
    void SetCurrentCell(int row, int column);

    // Whether a double click, F2, a typed key or a drop changes a cell's text.
    void SetEditable(bool editable);

    // In-place editing of the current cell. BeginEdit starts with the cell's
    // text (or with replacement when given); CommitEdit writes the editor's
    // text to the store and emits CellEdited; CancelEdit drops it.
    bool BeginEdit(const QString* replacement = nullptr);
    void CommitEdit();
    void CancelEdit();
    bool IsEditing() const { return m_editor != nullptr; }
    QLineEdit* GetEditor() const { return m_editor; }

    // Sets a cell's text as a drop does: false when the grid is not
    // editable or the cell is outside the grid.
    bool DropText(int row, int column, const QString& text);

    // Where a cell is drawn now (it may lie outside the viewport); an empty
    // rectangle for cells outside the grid.
    QRect CellRect(int row, int column) const;
    // CellRect, or the whole merged range's rectangle for a cell in one.
    QRect ShownRect(int row, int column) const;
    // The cell under a viewport point; false on the headers and past the end.
    bool CellAt(const QPoint& point, int& row, int& column) const;
    // The full text of the cell under a point when it does not fit in its
    // cell; empty otherwise. Shown as the tooltip.
    QString TitleTipAt(const QPoint& point) const;
    // The tooltip of the cell under a point: why its value is a fallback
    // when it is marked, and its cut-off text (TitleTipAt); empty when
    // neither.
    QString ToolTipAt(const QPoint& point) const;
    // Scrolls so that the cell is wholly visible (as far as it fits).
    void EnsureVisible(int row, int column);

    // Prints the store's used area on printer, page after page; false when
    // the printer cannot be started.
    bool Print(QPrinter* printer);
    // The print dialog, then Print.
    void PrintWithDialog();
    // The print preview dialog.
    void PrintPreview();

    // Repaints when the store changed since the last look.
    void RefreshFromStore();

signals:
    void CurrentCellChanged(int row, int column);
    // The store changed since the last look (the fill wrote more cells).
    void StoreChanged();
    void CellEdited(int row, int column, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void Relayout();
    void UpdateScrollBars();
    int GetHeaderHeight() const;
    int RowCount() const { return m_rows.GetCount(); }
    int ColumnCount() const { return m_columns.GetCount(); }
    int VisibleRowCount() const;
    // The sheet's frozen rows and columns that stay frozen in the viewport
    // as it is now (CGridPanes::Frozen).
    int FrozenRows() const;
    int FrozenColumns() const;
    // The fallback marks of the cells of rows first..last and columns
    // first..last (grid coordinates), on the painter's current clip.
    void DrawFallbackMarks(QPainter& painter, int firstRow, int lastRow, int firstColumn,
                           int lastColumn) const;
    void MoveBy(int rows, int columns);
    void EndOfData();
    void PlaceEditor();
    void StartDrag();

    CSheetGridStore* m_store = nullptr;
    QTimer* m_refreshTimer = nullptr;
    QLineEdit* m_editor = nullptr;
    CGridAxis m_rows;
    CGridAxis m_columns;
    int m_frozenRows = 0;  // as the store's layout gives them
    int m_frozenColumns = 0;
    int m_currentRow = 1;
    int m_currentColumn = 1;
    bool m_editable = true;
    bool m_finishingEdit = false;
    QPoint m_pressPoint;
    bool m_dragArmed = false;
    unsigned long long m_seenRevision = ~0ULL;
};
