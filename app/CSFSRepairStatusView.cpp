#include "app/CSFSRepairStatusView.h"

CSFSRepairStatusView::CSFSRepairStatusView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {}

CSFSRepairStatusView::~CSFSRepairStatusView() = default;
