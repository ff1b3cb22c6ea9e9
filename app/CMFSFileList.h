// The list control of the multiple-file screens: a flat table with a header
// row, one row per source file, whole rows selected. The screens rebuild it
// from the job data; it keeps no data of its own beyond the texts shown.
#pragma once
#include <QStringList>
#include <QTreeWidget>
#include <vector>

class CMFSFileList : public QTreeWidget {
    Q_OBJECT
public:
    // objectName lets tests and style sheets find the list; headers gives
    // the column captions (and so the column count).
    CMFSFileList(const QString& objectName, const QStringList& headers,
                 QWidget* parent = nullptr);

    // Replaces all rows; each entry holds the texts of one row, column by
    // column (missing columns stay empty). The selection is dropped.
    void SetRows(const std::vector<QStringList>& rows);
    // Sets one cell; nothing for a row or column that does not exist.
    void SetCellText(int row, int column, const QString& text);
    // The text of one cell; empty for a cell that does not exist.
    QString CellText(int row, int column) const;
    int RowCount() const;
    // Positions of the selected rows, ascending.
    std::vector<int> SelectedRows() const;
    // The row that holds the keyboard focus, or -1.
    int CurrentRow() const;
};
