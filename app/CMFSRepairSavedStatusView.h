// Multiple-file screen 10: one row per file with its result.
#pragma once
#include "app/CScreenView.h"

class CMFSRepairSavedStatusView : public CScreenView {
    Q_OBJECT
public:
    CMFSRepairSavedStatusView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CMFSRepairSavedStatusView() override;
};
