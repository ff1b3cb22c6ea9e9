// A spreadsheet-like grid that shows a CSheetGridStore: a fixed header row
// (column letters) and header column (row numbers, 35 pixels wide), cells
// with their texts, fonts and colours, smooth pixel scrolling over tens of
// thousands of rows, a current cell, in-place editing of a cell's text,
// title tips for cut-off texts, drag and drop of cell texts, and printing.
//
// The store is borrowed and may be written by another thread while it is
// shown: the grid reads it under the store's own lock and repaints when the
// store's revision changes (checked on a short timer).
#pragma once
#include <QAbstractScrollArea>
#include <QString>

class CSheetGridStore;
class QPrinter;
class QTimer;

class CGridCtrl : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kHeaderColumnWidth = 35;
    static constexpr int kDefaultColumnWidth = 64;
    static constexpr int kDefaultRowHeight = 17;

    explicit CGridCtrl(QWidget* parent = nullptr);
    ~CGridCtrl() override;

    // Borrowed; null shows an empty grid.
    void SetStore(CSheetGridStore* store);
    CSheetGridStore* GetStore() const { return m_store; }

    // Header row text of grid column c: "" for 0, "A".."Z" for 1..26, then
    // two letters ("AA" for 27, "AZ" for 52, "BA" for 53).
    static QString ColumnHeaderText(int column);

    // The current cell, in grid coordinates (headers excluded: row, column >= 1).
    int GetCurrentRow() const { return m_currentRow; }
    int GetCurrentColumn() const { return m_currentColumn; }
    void SetCurrentCell(int row, int column);

    // Whether a double click or a typed key starts editing a cell's text.
    void SetEditable(bool editable) { m_editable = editable; }
    bool IsEditable() const { return m_editable; }

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
    void CellEdited(int row, int column, const QString& text);

private:
    CSheetGridStore* m_store = nullptr;
    QTimer* m_refreshTimer = nullptr;
    int m_currentRow = 1;
    int m_currentColumn = 1;
    bool m_editable = true;
    unsigned long long m_seenRevision = ~0ULL;
};
