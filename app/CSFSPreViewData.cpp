#include "app/CSFSPreViewData.h"

CSFSPreViewData::CSFSPreViewData(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {}

CSFSPreViewData::~CSFSPreViewData() = default;

void CSFSPreViewData::Reload() { }

void CSFSPreViewData::StopForExit() { }

void CSFSPreViewData::OnTimer() { }

bool CSFSPreViewData::IsTimerActive() const { return false; }
