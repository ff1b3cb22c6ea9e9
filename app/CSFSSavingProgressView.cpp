#include "app/CSFSSavingProgressView.h"

CSFSSavingProgressView::CSFSSavingProgressView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {}

CSFSSavingProgressView::~CSFSSavingProgressView() = default;

bool CSFSSavingProgressView::ConfirmStop() { return false; }

void CSFSSavingProgressView::OnTimer() { }

bool CSFSSavingProgressView::IsTimerActive() const { return false; }
