// Multiple-file screen 8: destination folder and what to save.
#pragma once
#include "app/CScreenView.h"

class CMFSSaveOptionView : public CScreenView {
    Q_OBJECT
public:
    CMFSSaveOptionView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CMFSSaveOptionView() override;

    // "&Save": checks the folder, creates it, shows screen 9 and starts the
    // job.
    void OnSave();
};
