#include "app/CMFSRepairSaveProgressView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "app/CMFSFileList.h"
#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CViewManger.h"
#include "app/CommandIds.h"
#include "app/IUserDialogs.h"
#include "containers/CMFSDataContainer.h"
#include "platform/RunState.h"

namespace {

constexpr int kTimerPeriodMs = 2000;
constexpr int kDestinationColumn = 2;
constexpr int kStatusColumn = 3;

QString FromUtf16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

int ToBarValue(std::uint32_t value) {
    return static_cast<int>(std::min<std::uint32_t>(value, INT_MAX));
}

}  // namespace

CMFSRepairSaveProgressView::CMFSRepairSaveProgressView(CMainFrame* frame, int identifier,
                                                       QWidget* parent)
    : CScreenView(frame, identifier, parent) {
    m_list = new CMFSFileList(
        QStringLiteral("JobList"),
        {tr("S. No."), tr("Source File"), tr("Destination File"), tr("Status")}, this);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_statusLine = new QLabel(this);
    m_statusLine->setObjectName(QStringLiteral("JobStatusLine"));
    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("JobProgress"));
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_skip = new QPushButton(tr("&Skip"), this);
    m_skip->setObjectName(QStringLiteral("SkipButton"));
    m_skipAll = new QPushButton(tr("Skip &All"), this);
    m_skipAll->setObjectName(QStringLiteral("SkipAllButton"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_skip);
    buttons->addWidget(m_skipAll);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_statusLine);
    layout->addWidget(m_progressBar);
    layout->addLayout(buttons);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("JobTimer"));
    m_timer->setProperty("identifier", TimerId::JobProgress);
    m_timer->setInterval(kTimerPeriodMs);
    connect(m_timer, &QTimer::timeout, this, &CMFSRepairSaveProgressView::OnTimer);
    connect(m_skip, &QPushButton::clicked, this, &CMFSRepairSaveProgressView::OnSkip);
    connect(m_skipAll, &QPushButton::clicked, this, [this] { ConfirmSkipAll(); });
}

CMFSRepairSaveProgressView::~CMFSRepairSaveProgressView() = default;

CMFSDataContainer* CMFSRepairSaveProgressView::EnsureJobData() {
    return GetDocument()->EnsureJobData(GetStatusList(), GetProgressTarget());
}

void CMFSRepairSaveProgressView::StartJob() {
    CMFSDataContainer* job = GetDocument()->GetJobData();
    if (job == nullptr) {
        GetDialogs().Inform(this, tr("Error: NULL data container"));
        return;
    }
    // One job at a time: the job worker and the run state are single, and
    // a second Start would wait here, on the user-interface thread, for the
    // first job to end.
    if (JobRunning.load() != 0) return;

    // Whoever made the job data, its rows and bar are this screen's.
    job->SetStatusList(GetStatusList());
    job->SetProgressTarget(GetProgressTarget());
    m_rows.clear();
    for (const std::filesystem::path& source : job->GetSourceList()) {
        m_rows.push_back(SRowState{source, QString(), QString()});
    }
    m_progress.SetRange(0, 100);
    m_progress.SetPosition(0);
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    // No worker runs, so the step text of an earlier job may be dropped.
    JobStatusText.Set(std::u16string());
    m_statusLine->clear();
    RebuildRows();

    m_manager.SetData(job);
    if (m_manager.Start() != 0) {
        GetDialogs().Inform(this, tr("The job could not be started: no thread could be made."));
        return;
    }
    m_timer->start();
}

bool CMFSRepairSaveProgressView::ConfirmSkipAll() {
    if (JobRunning.load() == 0) return false;
    m_manager.Suspend();
    const bool confirmed =
        GetDialogs().Confirm(this, tr("Do you want to skip all the remaining files?"));
    m_manager.Resume();
    if (confirmed) CMFSRSThreadManager::SkipAllFiles();
    return confirmed;
}

void CMFSRepairSaveProgressView::OnSkip() {
    // Outside a job the two stop flags would be left for the next single
    // repair or save to find.
    if (JobRunning.load() == 0) return;
    CMFSRSThreadManager::SkipFile();
}

void CMFSRepairSaveProgressView::OnTimer() {
    if (JobRunning.load() != 0) {
        ShowProgress();
        return;
    }
    m_timer->stop();
    if (ExitPending.load() != 0) {
        GetFrame()->PostClose();
        return;
    }
    CViewManger& views = GetFrame()->GetViewManager();
    if (views.GetCurrentIndex() == CViewManger::MFSRepairSaveProgress) {
        views.SetCurrentIndex(CViewManger::MFSRepairSavedStatus);
    }
    views.Activate();
    views.RefreshAll();
}

bool CMFSRepairSaveProgressView::IsTimerActive() const {
    return m_timer->isActive();
}

void CMFSRepairSaveProgressView::OnShow() {
    RebuildRows();
}

void CMFSRepairSaveProgressView::OnRefresh() {
    RebuildRows();
}

void CMFSRepairSaveProgressView::SetRow(std::size_t row, const std::filesystem::path& destination,
                                        std::u16string_view status) {
    // Copies, made on the job's thread: the caller's texts do not outlive
    // the call.
    const QString destinationText = QString::fromStdString(destination.string());
    const QString statusText = FromUtf16(status);
    QMetaObject::invokeMethod(
        this,
        [this, row, destinationText, statusText] { ApplyRow(row, destinationText, statusText); },
        Qt::QueuedConnection);
}

void CMFSRepairSaveProgressView::SetStatusText(std::u16string_view text) {
    const QString copy = FromUtf16(text);
    QMetaObject::invokeMethod(
        this, [this, copy] { GetFrame()->SetMultiFileStatusText(copy); }, Qt::QueuedConnection);
}

void CMFSRepairSaveProgressView::InvalidateStatusArea() {
    // The text is read when the repaint is handled, so a burst of changes
    // shows the latest step.
    QMetaObject::invokeMethod(
        this, [this] { m_statusLine->setText(FromUtf16(JobStatusText.Get())); },
        Qt::QueuedConnection);
}

void CMFSRepairSaveProgressView::ApplyRow(std::size_t row, const QString& destination,
                                          const QString& status) {
    // The job reports rows by source position; a position past the list
    // cannot be shown and is dropped.
    if (row >= m_rows.size()) return;
    m_rows[row].destination = destination;
    m_rows[row].status = status;
    const int index = static_cast<int>(row);
    m_list->SetCellText(index, kDestinationColumn, destination);
    m_list->SetCellText(index, kStatusColumn, status);
}

void CMFSRepairSaveProgressView::RebuildRows() {
    const CMFSDataContainer* job = GetDocument()->GetJobData();
    std::vector<QStringList> rows;
    if (job != nullptr) {
        // The source list is written only on this thread and never while a
        // job runs; the job's own results are taken from what it reported,
        // for as long as the row still names the file the job ran on.
        const auto& sources = job->GetSourceList();
        rows.reserve(sources.size());
        for (std::size_t i = 0; i < sources.size(); ++i) {
            QStringList row{QString::number(i + 1), QString::fromStdString(sources[i].string())};
            if (i < m_rows.size() && m_rows[i].source == sources[i]) {
                row << m_rows[i].destination << m_rows[i].status;
            }
            rows.push_back(row);
        }
    }
    m_list->SetRows(rows);
    m_statusLine->setText(FromUtf16(JobStatusText.Get()));
}

void CMFSRepairSaveProgressView::ShowProgress() {
    // Only a running repair or save step drives the bar; between the two the
    // bar keeps where it was.
    if (ParsingRunning.load() == 0 && SaveRunning.load() == 0) return;
    const ProgressTarget::Range range = m_progress.GetRange();
    const int lower = ToBarValue(range.lower);
    const int upper = std::max(lower, ToBarValue(range.upper));
    m_progressBar->setRange(lower, upper);
    m_progressBar->setValue(std::clamp(ToBarValue(m_progress.GetPosition()), lower, upper));
}
