// Screen 11: the three settings.
#pragma once
#include "app/CScreenView.h"

class CSettingView : public CScreenView {
    Q_OBJECT
public:
    CSettingView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CSettingView() override;
};
