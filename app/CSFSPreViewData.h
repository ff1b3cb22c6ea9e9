// Single-file screen 3: the preview of the recovered sheets.
#pragma once
#include "app/CScreenView.h"

class CSFSPreViewData : public CScreenView {
    Q_OBJECT
public:
    CSFSPreViewData(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CSFSPreViewData() override;

    // Builds a new viewer for the document's workbook, its tabs, and shows
    // (and starts filling) the first worksheet.
    void Reload();
    // Closing the window while the preview fills: ExitPending and
    // PreviewStop are set and the timer closes the window once the fill
    // has ended.
    void StopForExit();
    // One tick of the one-second timer.
    void OnTimer();
    bool IsTimerActive() const;
};
