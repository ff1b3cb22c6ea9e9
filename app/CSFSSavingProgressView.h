// Single-file screen 5: the save runs. The screen owns the progress target
// the save drives (the workbook borrows it) and a one-second timer that
// moves the bar, shows the save's progress text in red when it changes, and
// when the worker ends goes on to screen 6 (saved) or back to screen 4. The
// step links are all disabled while it is shown.
#pragma once
#include <QString>

#include "app/CScreenView.h"
#include "platform/ProgressTarget.h"

class CColorTextLabel;
class CProgressTargetBar;
class CStepLinks;
class QTimer;

class CSFSSavingProgressView : public CScreenView {
    Q_OBJECT
public:
    static constexpr int kTimerPeriodMs = 1000;

    CSFSSavingProgressView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CSFSSavingProgressView() override;

    // The saving confirmation with the save worker paused while it is
    // open; when confirmed, SaveStopRequested = 1. True when confirmed;
    // false at once when no save runs.
    bool ConfirmStop();
    // One tick of the one-second timer.
    void OnTimer();
    bool IsTimerActive() const;

    // The progress bar the save drives.
    ProgressTarget* GetProgressTarget() { return &m_progress; }
    // Puts the progress target back at 0 of 0..100; called before the save
    // worker starts, which then sets its own range.
    void ResetProgress();
    // Clears the bar and the text and starts the timer (screen 4 calls it
    // right after starting the save).
    void StartTimer();
    // The red text line as shown now.
    QString GetProgressText() const;

    void OnShow() override;

private:
    ProgressTarget m_progress;
    CStepLinks* m_links = nullptr;
    CProgressTargetBar* m_bar = nullptr;
    CColorTextLabel* m_text = nullptr;
    QTimer* m_timer = nullptr;
};
