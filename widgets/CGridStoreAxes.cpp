#include "widgets/CGridStoreAxes.h"

#include "containers/CSheetGridStore.h"
#include "widgets/CGridAxis.h"
#include "widgets/CGridCtrl.h"

void CGridStoreAxes::Rebuild(const CSheetGridStore& store, int rowCount, int columnCount,
                             CGridAxis& rows, CGridAxis& columns) {
    const CGridSheetLayout layout = store.GetLayout();
    const int rowHeight =
        layout.defaultRowHeight > 0 ? layout.defaultRowHeight : CGridCtrl::kDefaultRowHeight;
    const int columnWidth =
        layout.defaultColumnWidth > 0 ? layout.defaultColumnWidth : CGridCtrl::kDefaultColumnWidth;
    rows.Rebuild(rowCount, rowHeight, [&store](int row) {
        return store.IsRowHidden(row) ? CGridAxis::kHidden : store.GetRowHeight(row);
    });
    columns.Rebuild(columnCount, columnWidth, [&store](int column) {
        return store.IsColumnHidden(column) ? CGridAxis::kHidden : store.GetColumnWidth(column);
    });
}
