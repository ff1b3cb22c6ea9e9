#include "app/CSFSSavedStatusView.h"

CSFSSavedStatusView::CSFSSavedStatusView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {}

CSFSSavedStatusView::~CSFSSavedStatusView() = default;
