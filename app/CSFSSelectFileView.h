// Single-file screen 0: choose the damaged file.
#pragma once
#include "app/CScreenView.h"

class CSFSSelectFileView : public CScreenView {
    Q_OBJECT
public:
    CSFSSelectFileView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CSFSSelectFileView() override;

    // "&Recover": checks the path in the edit box, prepares the repair,
    // shows screen 1 and starts the repair worker.
    void OnRecover();
};
