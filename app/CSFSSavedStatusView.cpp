#include "app/CSFSSavedStatusView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/CMendwellDoc.h"
#include "app/CReportSummaryRow.h"
#include "app/CStepLinks.h"
#include "app/CViewManger.h"
#include "app/IUserDialogs.h"
#include "model/CExcelData.h"

CSFSSavedStatusView::CSFSSavedStatusView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {
    auto* outer = new QHBoxLayout(this);
    m_links = new CStepLinks(frame, this);
    m_links->ConnectDefaults();
    outer->addWidget(m_links);

    auto* page = new QVBoxLayout;
    m_path = new QLabel(this);
    m_path->setObjectName(QStringLiteral("SavedPath"));
    m_path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_path->setWordWrap(true);
    page->addWidget(m_path);
    m_summary = new CReportSummaryRow(GetDialogs(), this);
    page->addWidget(m_summary);
    QHBoxLayout* buttons = AddButtonRow(page);
    QPushButton* open = AddButton(buttons, tr("Open"), QStringLiteral("Open"));
    QPushButton* back = AddButton(buttons, tr("&Back"), QStringLiteral("Back"));
    page->addStretch(1);
    outer->addLayout(page, 1);

    connect(open, &QPushButton::clicked, this, &CSFSSavedStatusView::OnOpen);
    connect(back, &QPushButton::clicked, this, &CSFSSavedStatusView::OnBack);
}

CSFSSavedStatusView::~CSFSSavedStatusView() = default;

void CSFSSavedStatusView::OnShow() {
    m_links->Refresh();
    OnRefresh();
}

void CSFSSavedStatusView::OnRefresh() {
    const std::filesystem::path& saved = GetDocument()->GetWorkbook()->GetDestinationPath();
    m_path->setText(QString::fromStdString(saved.string()));
    m_summary->ShowReport(GetDocument()->GetSaveReport());
}

CReportSummaryRow* CSFSSavedStatusView::GetSummary() const {
    return m_summary;
}

QString CSFSSavedStatusView::GetSavedPath() const {
    return m_path->text();
}

void CSFSSavedStatusView::OnOpen() {
    const QString path = GetSavedPath();
    if (!path.isEmpty()) GetDialogs().OpenWithDesktop(path);
}

void CSFSSavedStatusView::OnBack() {
    ShowScreen(CViewManger::SFSSaveOption);
}
