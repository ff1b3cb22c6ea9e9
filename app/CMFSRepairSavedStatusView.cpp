#include "app/CMFSRepairSavedStatusView.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>
#include <vector>

#include "app/CMFSFileList.h"
#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CRepairReportDialog.h"
#include "app/CViewManger.h"
#include "app/CommandIds.h"
#include "app/IUserDialogs.h"
#include "containers/CMFSDataContainer.h"
#include "platform/RunState.h"

CMFSRepairSavedStatusView::CMFSRepairSavedStatusView(CMainFrame* frame, int identifier,
                                                     QWidget* parent)
    : CScreenView(frame, identifier, parent) {
    m_list = new CMFSFileList(
        QStringLiteral("ResultList"),
        {tr("S. No."), tr("Source File"), tr("Destination File"), tr("Status"), tr("Reason")},
        this);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    // The list's context menu is its actions.
    m_openFile = new QAction(tr("Open file"), m_list);
    m_openFile->setObjectName(QStringLiteral("OpenFileAction"));
    m_openFile->setData(CommandId::OpenFile);
    m_list->addAction(m_openFile);
    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* back = new QPushButton(tr("&Back"), this);
    back->setObjectName(QStringLiteral("BackButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(back);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(m_openFile, &QAction::triggered, this, &CMFSRepairSavedStatusView::OnOpenFile);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int) { OpenReport(m_list->indexOfTopLevelItem(item)); });
    m_list->installEventFilter(this);
    connect(back, &QPushButton::clicked, this, &CMFSRepairSavedStatusView::OnBack);
}

CMFSRepairSavedStatusView::~CMFSRepairSavedStatusView() = default;

bool CMFSRepairSavedStatusView::OpenRow(int row) {
    const CMFSDataContainer* job = GetDocument()->GetJobData();
    // While a job runs its results are still being written.
    if (job == nullptr || row < 0 || JobRunning.load() != 0) return false;
    const auto position = static_cast<std::size_t>(row);
    const auto& destinations = job->GetDestinationList();
    if (position >= job->GetSourceList().size() || position >= destinations.size()) return false;
    if (job->GetResultFlag(position) != 1) return false;
    GetDialogs().OpenWithDesktop(QString::fromStdString(destinations[position].string()));
    return true;
}

CRepairReportDialog* CMFSRepairSavedStatusView::OpenReport(int row) {
    const CMFSDataContainer* job = GetDocument()->GetJobData();
    if (job == nullptr || row < 0 || JobRunning.load() != 0) return nullptr;
    const auto position = static_cast<std::size_t>(row);
    if (position >= job->GetSourceList().size()) return nullptr;
    const auto& report = job->GetFileResult(position).reportObject;
    if (!report) return nullptr;
    auto* dialog = new CRepairReportDialog(*report, GetDialogs(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->show();
    return dialog;
}

bool CMFSRepairSavedStatusView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OpenReport(m_list->CurrentRow());
            return true;
        }
    }
    return CScreenView::eventFilter(watched, event);
}

void CMFSRepairSavedStatusView::OnOpenFile() {
    OpenRow(m_list->CurrentRow());
}

void CMFSRepairSavedStatusView::OnBack() {
    ShowScreen(CViewManger::MFSSelectFile);
}

void CMFSRepairSavedStatusView::OnShow() {
    RebuildRows();
}

void CMFSRepairSavedStatusView::OnRefresh() {
    RebuildRows();
}

void CMFSRepairSavedStatusView::RebuildRows() {
    std::vector<QStringList> rows;
    const CMFSDataContainer* job = GetDocument()->GetJobData();
    if (job != nullptr) {
        const auto& sources = job->GetSourceList();
        // The job appends destinations and flags as it goes: until it ends
        // the rows show the sources only.
        const bool finished = JobRunning.load() == 0;
        const auto& destinations = job->GetDestinationList();
        rows.reserve(sources.size());
        for (std::size_t i = 0; i < sources.size(); ++i) {
            // The job produces destinations in list order, one per file it
            // began; a file it never reached has none.
            const bool produced = finished && i < destinations.size();
            QString status;
            QString reason;
            if (finished) {
                status = job->GetResultFlag(i) == 1 ? tr("Saved") : tr("Failed");
                // The reason is the repair's or the save's own message text,
                // as the message boxes show it.
                reason = QString::fromStdU16String(job->GetFileResult(i).reason);
            }
            rows.push_back({QString::number(i + 1), QString::fromStdString(sources[i].string()),
                            produced ? QString::fromStdString(destinations[i].string())
                                     : QStringLiteral("..."),
                            status, reason});
        }
    }
    m_list->SetRows(rows);
}
