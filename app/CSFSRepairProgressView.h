// Single-file screen 1: the repair runs; seven live counters.
#pragma once
#include "app/CScreenView.h"

class ProgressTarget;

class CSFSRepairProgressView : public CScreenView {
    Q_OBJECT
public:
    CSFSRepairProgressView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CSFSRepairProgressView() override;

    // Starts the repair worker on the document's workbook and the
    // one-second timer.
    void StartRepair();
    // The stop confirmation with the repair worker paused while it is open;
    // when confirmed, StopRequested = 1. True when confirmed.
    bool ConfirmStop();
    // The progress bar the repair drives.
    ProgressTarget* GetProgressTarget();
    // One tick of the one-second timer.
    void OnTimer();
    bool IsTimerActive() const;
};
