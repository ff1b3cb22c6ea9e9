// The preview grid of one worksheet: a CGridCtrl that owns the data store it
// shows, the filler that writes that store from the worksheet and the
// preview worker's manager that runs the filler.
//
// The worksheet and workbook are borrowed from the parsed workbook and must
// outlive the grid. The fill runs once per grid (StartFill); destroying the
// grid waits for its fill to end, so whoever destroys a grid while it fills
// should set PreviewStop first or wait for the rest of the sheet.
#pragma once
#include <QString>
#include <memory>

#include "widgets/CGridCtrl.h"

class CExcelWorkBook;
class CExcelWorkSheet;
class CSFSPreviewThreadManager;
class CSheetGridStore;
class CSheetViewDataFiller;
struct CReportSheet;

class CSheetView : public CGridCtrl {
    Q_OBJECT
public:
    // sheetIndex counts the worksheets of all workbooks of the model from 0.
    CSheetView(int sheetIndex, const CExcelWorkSheet* sheet, const CExcelWorkBook* workbook,
               QWidget* parent = nullptr);
    ~CSheetView() override;

    // Hands the filler to the preview manager and starts the preview worker
    // (PreviewRunning is 1 until the fill ends). False when no thread could
    // be made: the grid stays empty.
    bool StartFill();
    // The filler's paging and growth test for a cell about to be written:
    // row and column are the model's row and column plus 3.
    bool EnsureCell(int row, int column);

    // Marks the cells whose value the report knows to be a fallback (a
    // text whose shared string is lost, a formula kept as its value), each
    // with why. Before or during the fill.
    void MarkFallbacks(const CReportSheet& sheet);

    int GetSheetIndex() const { return m_sheetIndex; }
    const CExcelWorkSheet* GetWorkSheet() const { return m_sheet; }
    const CExcelWorkBook* GetWorkBook() const { return m_workbook; }
    CSheetGridStore& GetGridStore() const { return *m_store; }

    // What the formula bar shows for grid cell (row, column): the text of
    // the cell, or, when a FORMULA record of the worksheet sits on that cell
    // or carries a shared-formula range covering it, the formula text of the
    // first such record in list order. Reads the worksheet's formulas, which
    // the fill does not decode: safe while the fill runs.
    QString GetFormulaBarText(int row, int column) const;

private:
    int m_sheetIndex;
    const CExcelWorkSheet* m_sheet;
    const CExcelWorkBook* m_workbook;
    // Declaration order is destruction order reversed: the manager goes
    // first (joining the worker), then the filler, then the store it wrote.
    std::unique_ptr<CSheetGridStore> m_store;
    std::unique_ptr<CSheetViewDataFiller> m_filler;
    std::unique_ptr<CSFSPreviewThreadManager> m_manager;
};
