// Lays out a grid's two axes from a CSheetGridStore, as the screen and the
// printer both draw it: each row and column at its stored size, the others
// at the sheet's default size (the store's layout) or, without one, at the
// grid's own defaults (CGridCtrl::kDefaultRowHeight, kDefaultColumnWidth);
// hidden rows and columns take no room.
#pragma once

class CGridAxis;
class CSheetGridStore;

class CGridStoreAxes {
public:
    // rowCount and columnCount include the header (index 0).
    static void Rebuild(const CSheetGridStore& store, int rowCount, int columnCount,
                        CGridAxis& rows, CGridAxis& columns);
};
