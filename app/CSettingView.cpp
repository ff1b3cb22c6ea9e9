#include "app/CSettingView.h"

CSettingView::CSettingView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {}

CSettingView::~CSettingView() = default;
