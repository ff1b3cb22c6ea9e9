#include "app/CSFSSelectFileView.h"

CSFSSelectFileView::CSFSSelectFileView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {}

CSFSSelectFileView::~CSFSSelectFileView() = default;

void CSFSSelectFileView::OnRecover() { }
