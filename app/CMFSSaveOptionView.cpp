#include "app/CMFSSaveOptionView.h"

CMFSSaveOptionView::CMFSSaveOptionView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {}

CMFSSaveOptionView::~CMFSSaveOptionView() = default;

void CMFSSaveOptionView::OnSave() { }
