#include "app/CMFSSelectFileView.h"

CMFSSelectFileView::CMFSSelectFileView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {}

CMFSSelectFileView::~CMFSSelectFileView() = default;

void CMFSSelectFileView::AddFiles(const QStringList&) { }
