// Single-file screen 6: the file is saved.
#pragma once
#include "app/CScreenView.h"

class CSFSSavedStatusView : public CScreenView {
    Q_OBJECT
public:
    CSFSSavedStatusView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CSFSSavedStatusView() override;
};
