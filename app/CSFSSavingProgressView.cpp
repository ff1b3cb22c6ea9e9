#include "app/CSFSSavingProgressView.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CProgressTargetBar.h"
#include "app/CSFSSaveOptionView.h"
#include "app/CStepLinks.h"
#include "app/CViewManger.h"
#include "app/IUserDialogs.h"
#include "platform/RunState.h"
#include "repair/CThreadManager.h"
#include "widgets/CColorTextLabel.h"

CSFSSavingProgressView::CSFSSavingProgressView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {
    auto* outer = new QHBoxLayout(this);
    m_links = new CStepLinks(frame, this);
    m_links->ConnectDefaults();
    outer->addWidget(m_links);

    auto* page = new QVBoxLayout;
    m_bar = new CProgressTargetBar(this);
    m_bar->setObjectName(QStringLiteral("SaveProgress"));
    page->addWidget(m_bar);
    m_text = new CColorTextLabel(QColor(Qt::red), this);
    m_text->setObjectName(QStringLiteral("SaveProgressText"));
    page->addWidget(m_text);
    QHBoxLayout* buttons = AddButtonRow(page);
    QPushButton* stop = AddButton(buttons, tr("&Stop"), QStringLiteral("Stop"));
    page->addStretch(1);
    outer->addLayout(page, 1);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("SaveTimer"));
    m_timer->setInterval(kTimerPeriodMs);
    connect(m_timer, &QTimer::timeout, this, &CSFSSavingProgressView::OnTimer);
    connect(stop, &QPushButton::clicked, this, &CSFSSavingProgressView::ConfirmStop);
}

CSFSSavingProgressView::~CSFSSavingProgressView() = default;

void CSFSSavingProgressView::OnShow() {
    m_links->DisableAll();
}

bool CSFSSavingProgressView::IsTimerActive() const {
    return m_timer->isActive();
}

QString CSFSSavingProgressView::GetProgressText() const {
    return m_text->text();
}

void CSFSSavingProgressView::ResetProgress() {
    m_progress.SetRange(0, 100);
    m_progress.SetPosition(0);
}

void CSFSSavingProgressView::StartTimer() {
    // The target is left alone: the worker runs already and may have set
    // its range.
    m_bar->setValue(0);
    m_text->clear();
    m_timer->start();
}

bool CSFSSavingProgressView::ConfirmStop() {
    if (SaveRunning == 0) return false;
    auto* optionView = static_cast<CSFSSaveOptionView*>(
        GetFrame()->GetViewManager().GetScreen(CViewManger::SFSSaveOption));
    CThreadManager& manager = optionView->GetThreadManager();
    manager.Suspend();
    const bool confirmed = GetDialogs().Confirm(this, tr("Do you want to stop saving the file?"));
    manager.Resume();
    if (confirmed) manager.Stop();
    return confirmed;
}

void CSFSSavingProgressView::OnTimer() {
    if (SaveRunning != 0) {
        // The bar's range is the one the save set on our target; its
        // position is the run state's, which the save moves with it.
        const ProgressTarget::Range range = m_progress.GetRange();
        m_bar->ShowPosition(range.lower, range.upper, SaveProgress.load());
        const QString text = QString::fromStdU16String(SaveProgressText.Get());
        if (text != m_text->text()) m_text->setText(text);
        return;
    }
    m_timer->stop();
    CMainFrame* frame = GetFrame();
    if (ExitPending != 0) {
        frame->PostClose();
        return;
    }
    GetDocument()->BuildSaveReport(SaveResult == 0);
    CViewManger& views = frame->GetViewManager();
    if (views.GetCurrentIndex() == CViewManger::SFSSavingProgress) {
        // 0 is a saved file; a stop, a failure and a workbook that could
        // not be saved at all (2) all leave the user on the options.
        views.SetCurrentIndex(SaveResult == 0 ? CViewManger::SFSSavedStatus
                                              : CViewManger::SFSSaveOption);
    }
    views.Activate();
    views.RefreshAll();
}
