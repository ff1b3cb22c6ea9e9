#include "app/CMFSFileList.h"

#include <QHeaderView>
#include <algorithm>

CMFSFileList::CMFSFileList(const QString& objectName, const QStringList& headers, QWidget* parent)
    : QTreeWidget(parent) {
    setObjectName(objectName);
    setColumnCount(static_cast<int>(headers.size()));
    setHeaderLabels(headers);
    // A report list, not a tree: no expansion handles, rows selected whole.
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
}

void CMFSFileList::SetRows(const std::vector<QStringList>& rows) {
    clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const QStringList& texts : rows) items.append(new QTreeWidgetItem(texts));
    addTopLevelItems(items);
    // The position column only ever holds short numbers; the path columns
    // share what is left.
    for (int column = 0; column + 1 < columnCount(); ++column) resizeColumnToContents(column);
}

void CMFSFileList::SetCellText(int row, int column, const QString& text) {
    QTreeWidgetItem* item = topLevelItem(row);
    if (item == nullptr || column < 0 || column >= columnCount()) return;
    item->setText(column, text);
}

QString CMFSFileList::CellText(int row, int column) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    if (item == nullptr || column < 0 || column >= columnCount()) return {};
    return item->text(column);
}

int CMFSFileList::RowCount() const { return topLevelItemCount(); }

std::vector<int> CMFSFileList::SelectedRows() const {
    std::vector<int> rows;
    for (const QTreeWidgetItem* item : selectedItems()) {
        const int row = indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item));
        if (row >= 0) rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

int CMFSFileList::CurrentRow() const {
    QTreeWidgetItem* item = currentItem();
    return item == nullptr ? -1 : indexOfTopLevelItem(item);
}
