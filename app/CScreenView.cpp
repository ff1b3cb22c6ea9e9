#include "app/CScreenView.h"

#include "app/CMainFrame.h"
#include "app/CViewManger.h"

CScreenView::CScreenView(CMainFrame* frame, int identifier, QWidget* parent)
    : QWidget(parent), m_frame(frame), m_identifier(identifier) {
    setObjectName(QStringLiteral("AnyWindowName"));
}

CScreenView::~CScreenView() = default;

CMendwellDoc* CScreenView::GetDocument() const { return m_frame->GetDocument(); }

IUserDialogs& CScreenView::GetDialogs() const { return m_frame->GetDialogs(); }

void CScreenView::ShowScreen(int index) {
    CViewManger& views = m_frame->GetViewManager();
    views.SetCurrentIndex(index);
    views.Activate();
}

void CScreenView::RefreshAllScreens() { m_frame->GetViewManager().RefreshAll(); }
