// Fills one preview grid's data store from a worksheet of the repaired
// model, page by page (100 rows each), on the preview worker: columns, rows,
// texts, formulas, booleans and errors, numbers, RK numbers, each cell with
// its XF's background, font, font colour and border colour. PreviewStop is
// checked before every record; the fill ends at the next check once it is
// set.
//
// The grid store, worksheet and workbook are borrowed; they must outlive the
// fill. The filler never touches a widget.
#pragma once
#include <cstdint>
#include "containers/IPreviewFill.h"

class CExcelWorkBook;
class CExcelWorkSheet;
class CSheetGridStore;

class CSheetViewDataFiller : public IPreviewFill {
public:
    static constexpr int kRowsPerPage = 100;
    // Rows (model row + 3) above this are never shown.
    static constexpr int kPagingRowLimit = 65000;

    CSheetViewDataFiller(CSheetGridStore* grid, const CExcelWorkSheet* sheet,
                         const CExcelWorkBook* workbook);
    ~CSheetViewDataFiller() override;

    // Result in GetResult: 0 filled, 1 grid, sheet or workbook missing,
    // 2 stopped before the first page.
    void Fill() override;
    int GetResult() const { return m_result; }

    // Whether the cell at model row + 3, model column + 3 belongs to the
    // current page and fits the grid (growing the grid when it must).
    bool EnsureCell(int row, int column);

    int GetPage() const { return m_page; }
    int GetHighestRow() const { return m_highestRow; }

private:
    CSheetGridStore* m_grid;
    const CExcelWorkSheet* m_sheet;
    const CExcelWorkBook* m_workbook;
    int m_page = 0;
    int m_highestRow = 0;
    int m_result = 0;
};
