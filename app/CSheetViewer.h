// The preview's current sheet grid and the worksheets it can show.
//
// Worksheets are counted from 0 over the worksheets of all workbooks of the
// parsed workbook, in list order; that index is also the sheet tab's. The
// parsed workbook, its repair report (optional: the grid then marks no
// cell) and the grid area (the screen's widget the grid fills) are
// borrowed; the grid is owned. Only one grid exists at a time, and it is
// never replaced while the preview worker fills it.
#pragma once
#include <QStringList>
#include <memory>

class CExcelData;
class CExcelWorkBook;
class CExcelWorkSheet;
class CSheetView;
class QWidget;
struct CRepairReport;

class CSheetViewer {
public:
    CSheetViewer(QWidget* gridArea, const CExcelData* data, const CRepairReport* report = nullptr);
    CSheetViewer(const CSheetViewer&) = delete;
    CSheetViewer& operator=(const CSheetViewer&) = delete;
    // Destroys the grid, which waits for its fill to end.
    ~CSheetViewer();

    // Replaces the grid by a new one for worksheet index, laid into the grid
    // area, marks the cells the report knows to be fallbacks, and starts
    // filling it. False (the grid stays) when there is no
    // such worksheet or while PreviewRunning is set; false with no grid at
    // all when no thread could be made for the fill.
    bool ShowSheet(int index);

    // One caption per worksheet (its name), or "Unnamed1" alone when the
    // model has no worksheet.
    QStringList GetTabCaptions() const;
    int GetWorksheetCount() const;

    // The current grid; null before the first ShowSheet that succeeded.
    CSheetView* GetView() const { return m_view.get(); }

private:
    // The worksheet at index and its workbook; false when there is none.
    bool FindWorksheet(int index, const CExcelWorkSheet** sheet,
                       const CExcelWorkBook** workbook) const;

    QWidget* m_gridArea;
    const CExcelData* m_data;
    const CRepairReport* m_report;
    std::unique_ptr<CSheetView> m_view;
};
