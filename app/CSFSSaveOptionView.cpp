#include "app/CSFSSaveOptionView.h"

CSFSSaveOptionView::CSFSSaveOptionView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {}

CSFSSaveOptionView::~CSFSSaveOptionView() = default;

void CSFSSaveOptionView::SetDestinationPath(const QString&) { }

QString CSFSSaveOptionView::GetDestinationPath() const { return {}; }

void CSFSSaveOptionView::StartSave() { }
