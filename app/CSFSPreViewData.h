// Single-file screen 3: the preview of the recovered sheets. From top to
// bottom: the formula bar, the grid of the selected worksheet and the sheet
// tabs; below them "&Print...", "Print pre&view", "&Back" and "&Save"; the
// step links on the left.
//
// The grid is filled by the preview worker. Anything that would replace the
// grid or leave the screen while PreviewRunning is set is deferred: the
// screen sets PreviewStop and its one-second timer carries the change out
// once the fill has ended. A deferred change is pending exactly while the
// timer runs.
#pragma once
#include <memory>

#include "app/CScreenView.h"

class CSheetTabBar;
class CSheetView;
class CSheetViewer;
class CStepLinks;
class QLineEdit;
class QPushButton;
class QTimer;

class CSFSPreViewData : public CScreenView {
    Q_OBJECT
public:
    static constexpr int kSwitchTimerMs = 1000;

    CSFSPreViewData(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    // Asks a running fill to stop and waits for it.
    ~CSFSPreViewData() override;

    // Builds a new viewer for the document's workbook, its tabs, and shows
    // (and starts filling) the first worksheet.
    void Reload();
    // Closing the window while the preview fills: ExitPending and
    // PreviewStop are set and the timer closes the window once the fill
    // has ended.
    void StopForExit();
    // One tick of the one-second timer: nothing while PreviewRunning is set
    // or no deferred change is pending.
    void OnTimer();
    bool IsTimerActive() const;

    // Sets the three step flags and disables "View file".
    void OnShow() override;
    void OnRefresh() override;

    // "&Back" and "Select file": screen 2. "&Save" and "Save file": screen
    // 4. The tab bar's "Close": screen 0. Deferred while the preview fills.
    void OnBack();
    void OnSave();
    void OnCloseTabs();
    // The tab bar's selection change.
    void OnTabChanged(int index);

    // The viewer of the last Reload (null before), and its current grid.
    CSheetViewer* GetViewer() const { return m_viewer.get(); }
    CSheetView* GetCurrentView() const;
    CSheetTabBar* GetTabBar() const { return m_tabs; }
    QLineEdit* GetFormulaBar() const { return m_formulaBar; }
    CStepLinks* GetStepLinks() const { return m_links; }

protected:
    // Leaving the screen by any other way (a menu command) while the fill
    // runs stops the fill: nobody sees its pages, and the next repair will
    // replace the model it reads.
    void hideEvent(QHideEvent* event) override;

private:
    void CreateControls();
    // Leaves for screen index now, or once the fill has ended.
    void ChangeScreen(int index);
    // The viewer's ShowSheet, then the formula bar follows the new grid.
    void ShowSheet(int index);
    void OnCurrentCellChanged(int row, int column);
    void OnStoreChanged();
    void OnPrint();
    void OnPrintPreview();

    std::unique_ptr<CSheetViewer> m_viewer;
    CStepLinks* m_links = nullptr;
    QLineEdit* m_formulaBar = nullptr;
    QWidget* m_gridArea = nullptr;
    CSheetTabBar* m_tabs = nullptr;
    QTimer* m_timer = nullptr;
};
