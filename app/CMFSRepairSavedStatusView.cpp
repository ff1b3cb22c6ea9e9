#include "app/CMFSRepairSavedStatusView.h"

CMFSRepairSavedStatusView::CMFSRepairSavedStatusView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {}

CMFSRepairSavedStatusView::~CMFSRepairSavedStatusView() = default;
