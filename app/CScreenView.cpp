#include "app/CScreenView.h"

#include <QBoxLayout>
#include <QPushButton>

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

QHBoxLayout* CScreenView::AddButtonRow(QBoxLayout* page) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    page->addLayout(row);
    return row;
}

QPushButton* CScreenView::AddButton(QBoxLayout* row, const QString& text,
                                    const QString& objectName) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(objectName);
    row->addWidget(button);
    return button;
}
