// Multiple-file screen 10: one row per file with its result ("Saved" or
// "Failed") and, for a file not saved, why (skipped, never begun, nothing
// recovered and what the file is, the save refused), rebuilt from the job
// data each time the screen is shown or the screens refresh. A
// double-click or Enter on a row opens its file's repair report; a saved
// file opens with the desktop's program from the list's "Open file", a
// failed row opens nothing there.
#pragma once
#include "app/CScreenView.h"

class CMFSFileList;
class CRepairReportDialog;
class QAction;

class CMFSRepairSavedStatusView : public CScreenView {
    Q_OBJECT
public:
    CMFSRepairSavedStatusView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CMFSRepairSavedStatusView() override;

    // Opens the destination of row (0-based) when that file was saved; true
    // when it was handed to the desktop.
    bool OpenRow(int row);
    // Opens the repair report of row's file in the report dialog
    // (window-modal, deleted on close) and returns it; null when the file
    // has none (never begun, or past the job's budget for reports).
    CRepairReportDialog* OpenReport(int row);
    // "Open file" (the list's context menu): the current row.
    void OnOpenFile();
    // "&Back": screen 7.
    void OnBack();

    void OnShow() override;
    void OnRefresh() override;

protected:
    // Enter on the list opens the current row's report.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RebuildRows();

    CMFSFileList* m_list = nullptr;
    QAction* m_openFile = nullptr;
};
