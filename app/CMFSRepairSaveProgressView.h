// Multiple-file screen 9: the job runs.
#pragma once
#include "app/CScreenView.h"

class CMFSRepairSaveProgressView : public CScreenView {
    Q_OBJECT
public:
    CMFSRepairSaveProgressView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CMFSRepairSaveProgressView() override;

    // Starts the job over the document's job data and the two-second timer
    // ("Error: NULL data container" when there is none).
    void StartJob();
    // The "Skip &All" confirmation with the job paused while it is open;
    // when confirmed, the job ends after the current file. True when
    // confirmed.
    bool ConfirmSkipAll();
    // One tick of the two-second timer.
    void OnTimer();
    bool IsTimerActive() const;
};
