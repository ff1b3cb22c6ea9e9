#include "app/CMFSRepairSaveProgressView.h"

CMFSRepairSaveProgressView::CMFSRepairSaveProgressView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {}

CMFSRepairSaveProgressView::~CMFSRepairSaveProgressView() = default;

void CMFSRepairSaveProgressView::StartJob() { }

bool CMFSRepairSaveProgressView::ConfirmSkipAll() { return false; }

void CMFSRepairSaveProgressView::OnTimer() { }

bool CMFSRepairSaveProgressView::IsTimerActive() const { return false; }
