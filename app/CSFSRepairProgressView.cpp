#include "app/CSFSRepairProgressView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CProgressTargetBar.h"
#include "app/CSFSPreViewData.h"
#include "app/CSFSSaveOptionView.h"
#include "app/CStepLinks.h"
#include "app/CViewManger.h"
#include "app/IUserDialogs.h"
#include "platform/RunState.h"
#include "save/CSaveFileNames.h"

namespace {

// One row per repair counter, in ERepairCounter order: the text before the
// repair has counted anything, and the label a running count follows (its
// blank ends it, so 12 reads "Text cells: - 12").
struct SLine {
    const char* idle;
    const char* running;
};
constexpr SLine kLines[CSFSRepairProgressView::kLineCount] = {
    {QT_TR_NOOP("Text cells: -"), QT_TR_NOOP("Text cells: - ")},
    {QT_TR_NOOP("Formula cells: -"), QT_TR_NOOP("Formula cells: - ")},
    {QT_TR_NOOP("Number cells: -"), QT_TR_NOOP("Numeric cells: - ")},
    {QT_TR_NOOP("Other cells: -"), QT_TR_NOOP("Other cells: - ")},
    {QT_TR_NOOP("Sheets: -"), QT_TR_NOOP("Sheets: - ")},
    {QT_TR_NOOP("Charts: -"), QT_TR_NOOP("Charts: - ")},
    {QT_TR_NOOP("Pictures: -"), QT_TR_NOOP("Pictures: - ")},
};
static_assert(CSFSRepairProgressView::kLineCount == RepairCounterCount);

}  // namespace

CSFSRepairProgressView::CSFSRepairProgressView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {
    auto* outer = new QHBoxLayout(this);
    m_links = new CStepLinks(frame, this);
    m_links->ConnectDefaults();
    outer->addWidget(m_links);

    auto* page = new QVBoxLayout;
    for (int i = 0; i < kLineCount; ++i) {
        m_lines[i] = new QLabel(tr(kLines[i].idle), this);
        m_lines[i]->setObjectName(QStringLiteral("CounterLine%1").arg(i));
        page->addWidget(m_lines[i]);
    }
    m_bar = new CProgressTargetBar(this);
    m_bar->setObjectName(QStringLiteral("RepairProgress"));
    page->addWidget(m_bar);
    QHBoxLayout* buttons = AddButtonRow(page);
    QPushButton* stop = AddButton(buttons, tr("&Stop"), QStringLiteral("Stop"));
    page->addStretch(1);
    outer->addLayout(page, 1);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("RepairTimer"));
    m_timer->setInterval(kTimerPeriodMs);
    connect(m_timer, &QTimer::timeout, this, &CSFSRepairProgressView::OnTimer);
    connect(stop, &QPushButton::clicked, this, &CSFSRepairProgressView::ConfirmStop);
}

CSFSRepairProgressView::~CSFSRepairProgressView() = default;

void CSFSRepairProgressView::OnShow() {
    m_links->Refresh();
}

ProgressTarget* CSFSRepairProgressView::GetProgressTarget() {
    return &m_progress;
}

bool CSFSRepairProgressView::IsTimerActive() const {
    return m_timer->isActive();
}

QString CSFSRepairProgressView::GetLineText(int index) const {
    if (index < 0 || index >= kLineCount) return {};
    return m_lines[index]->text();
}

void CSFSRepairProgressView::StartRepair() {
    for (int i = 0; i < kLineCount; ++i) m_lines[i]->setText(tr(kLines[i].idle));
    m_progress.SetRange(0, 100);
    m_progress.SetPosition(0);
    m_bar->Show(m_progress);
    if (GetDocument()->GetRepairManager().Start(GetDocument()->GetWorkbook()) != 0) {
        // The run has already ended as a failed repair: the timer takes the
        // screen back to the file choice.
        GetDialogs().Inform(this, tr("The repair could not be started: no thread could be made."));
    }
    m_timer->start();
}

bool CSFSRepairProgressView::ConfirmStop() {
    if (ParsingRunning == 0) return false;
    CFileParsingManager& manager = GetDocument()->GetRepairManager();
    manager.Suspend();
    const bool confirmed = GetDialogs().Confirm(this, tr("Do you want to stop the repair?"));
    manager.Resume();
    if (confirmed) StopRequested = 1;
    return confirmed;
}

void CSFSRepairProgressView::OnTimer() {
    if (ParsingRunning != 0) {
        for (int i = 0; i < kLineCount; ++i) {
            m_lines[i]->setText(tr(kLines[i].running) + QString::number(RepairCounters[i].load()));
        }
        m_bar->Show(m_progress);
        return;
    }
    m_timer->stop();
    CMainFrame* frame = GetFrame();
    if (ExitPending != 0) {
        frame->PostClose();
        return;
    }
    ResetRepairCounters();
    GetDocument()->BuildRepairReport(ParsingSucceeded != 0);
    CViewManger& views = frame->GetViewManager();
    if (views.GetCurrentIndex() != CViewManger::SFSRepairProgress) {
        // A mode switch that stopped the repair set its screen without
        // showing it, leaving that to the end of the repair.
        if (views.GetShownScreen() != views.GetScreen(views.GetCurrentIndex())) views.Activate();
        return;
    }
    if (ParsingSucceeded == 0) {
        ShowScreen(CViewManger::SFSSelectFile);
        return;
    }
    frame->SetStepFlag(1, true);
    ShowScreen(CViewManger::SFSPreview);
    static_cast<CSFSPreViewData*>(views.GetScreen(CViewManger::SFSPreview))->Reload();
    const std::filesystem::path destination =
        CSaveFileNames::MakeDefaultDestinationName(GetDocument()->GetSourcePath());
    static_cast<CSFSSaveOptionView*>(views.GetScreen(CViewManger::SFSSaveOption))
        ->SetDestinationPath(QString::fromStdString(destination.string()));
}
