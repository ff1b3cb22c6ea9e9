#include "app/CSFSRepairProgressView.h"

CSFSRepairProgressView::CSFSRepairProgressView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {}

CSFSRepairProgressView::~CSFSRepairProgressView() = default;

void CSFSRepairProgressView::StartRepair() { }

bool CSFSRepairProgressView::ConfirmStop() { return false; }

ProgressTarget* CSFSRepairProgressView::GetProgressTarget() { return nullptr; }

void CSFSRepairProgressView::OnTimer() { }

bool CSFSRepairProgressView::IsTimerActive() const { return false; }
