// Single-file screen 5: the save runs.
#pragma once
#include "app/CScreenView.h"

class CSFSSavingProgressView : public CScreenView {
    Q_OBJECT
public:
    CSFSSavingProgressView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CSFSSavingProgressView() override;

    // The saving confirmation with the save worker paused while it is
    // open; when confirmed, SaveStopRequested = 1. True when confirmed.
    bool ConfirmStop();
    // One tick of the one-second timer.
    void OnTimer();
    bool IsTimerActive() const;
};
