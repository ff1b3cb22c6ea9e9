// Single-file screen 1: the repair runs; seven live counters and a progress
// bar. The screen owns the progress target the repair drives (the document's
// workbook borrows it) and a one-second timer (identifier 61451,
// TimerId::RepairProgress) that polls the run state; when the worker ends the
// timer moves on to the preview or back to screen 0.
#pragma once
#include "app/CScreenView.h"
#include "platform/ProgressTarget.h"

class CProgressTargetBar;
class CStepLinks;
class QLabel;
class QTimer;

class CSFSRepairProgressView : public CScreenView {
    Q_OBJECT
public:
    static constexpr int kTimerPeriodMs = 1000;
    static constexpr int kLineCount = 7;

    CSFSRepairProgressView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CSFSRepairProgressView() override;

    // Starts the repair worker on the document's workbook and the
    // one-second timer; the seven lines go back to their "-" texts.
    void StartRepair();
    // The stop confirmation with the repair worker paused while it is open;
    // when confirmed, StopRequested = 1. True when confirmed; false at once
    // when no repair runs.
    bool ConfirmStop();
    // The progress bar the repair drives.
    ProgressTarget* GetProgressTarget();
    // One tick of the one-second timer.
    void OnTimer();
    bool IsTimerActive() const;
    // The text of status line index (0..6, in counter order); empty for any
    // other index.
    QString GetLineText(int index) const;

    void OnShow() override;

private:
    ProgressTarget m_progress;
    CStepLinks* m_links = nullptr;
    QLabel* m_lines[kLineCount] = {};
    CProgressTargetBar* m_bar = nullptr;
    QTimer* m_timer = nullptr;
};
