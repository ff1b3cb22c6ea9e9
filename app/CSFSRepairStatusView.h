// Single-file screen 2: the repair result picture.
#pragma once
#include "app/CScreenView.h"

class CSFSRepairStatusView : public CScreenView {
    Q_OBJECT
public:
    CSFSRepairStatusView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CSFSRepairStatusView() override;
};
