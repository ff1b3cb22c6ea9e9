#include "app/CMFSSelectFileView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "app/CMFSFileList.h"
#include "app/CMFSRepairSaveProgressView.h"
#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CViewManger.h"
#include "app/IUserDialogs.h"
#include "containers/CMFSDataContainer.h"
#include "platform/RunState.h"

namespace {

const char* const kFilter = "Worksheet Files (*.xls)|*.xls|All Files (*.*)|*.*||";

// The local files among dropped items; anything else (web links, text) is
// not a file the job could open.
QStringList LocalFiles(const QMimeData* data) {
    QStringList paths;
    if (data == nullptr || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty()) paths << url.toLocalFile();
    }
    return paths;
}

CMFSDataContainer* JobData(CMainFrame* frame) {
    return frame->GetViewManager().GetMFSRepairSaveProgressView()->EnsureJobData();
}

}  // namespace

CMFSSelectFileView::CMFSSelectFileView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {
    // A label breaks its text at "\n": the caption's second line starts at
    // "click".
    auto* caption = new QLabel(
        tr("Select the corrupt files using [Add files] button and \nclick [Repair and save] "
           "button."),
        this);
    caption->setObjectName(QStringLiteral("Caption"));
    m_list = new CMFSFileList(QStringLiteral("FileList"), {tr("S. No."), tr("Source File")}, this);

    auto* add = new QPushButton(tr("&Add files"), this);
    add->setObjectName(QStringLiteral("AddFilesButton"));
    auto* remove = new QPushButton(tr("R&emove file"), this);
    remove->setObjectName(QStringLiteral("RemoveFileButton"));
    auto* removeAll = new QPushButton(tr("Re&move all files"), this);
    removeAll->setObjectName(QStringLiteral("RemoveAllFilesButton"));
    auto* repair = new QPushButton(tr("&Repair and save"), this);
    repair->setObjectName(QStringLiteral("RepairAndSaveButton"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addWidget(removeAll);
    buttons->addStretch(1);
    buttons->addWidget(repair);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, &CMFSSelectFileView::OnSelectCommand);
    connect(remove, &QPushButton::clicked, this, &CMFSSelectFileView::RemoveSelectedFiles);
    connect(removeAll, &QPushButton::clicked, this, &CMFSSelectFileView::RemoveAllFiles);
    connect(repair, &QPushButton::clicked, this, &CMFSSelectFileView::OnRepairCommand);
    setAcceptDrops(true);
}

CMFSSelectFileView::~CMFSSelectFileView() = default;

void CMFSSelectFileView::AddFiles(const QStringList& paths) {
    if (JobRunning.load() != 0) return;
    CMFSDataContainer* job = JobData(GetFrame());
    std::vector<std::filesystem::path>& sources = job->GetSourceList();
    for (const QString& text : paths) {
        if (text.isEmpty()) continue;
        const std::filesystem::path path(text.toStdString());
        // Compared as written: the list holds what the user chose, and the
        // same file reached by two spellings is two entries, as it was.
        if (std::find(sources.begin(), sources.end(), path) != sources.end()) {
            GetDialogs().Inform(this, text + tr(" already exists in the list"));
            continue;
        }
        sources.push_back(path);
    }
    RefreshAllScreens();
}

void CMFSSelectFileView::RemoveSelectedFiles() {
    if (JobRunning.load() != 0) return;
    std::vector<std::filesystem::path>& sources = JobData(GetFrame())->GetSourceList();
    const std::vector<int> selected = m_list->SelectedRows();
    // From the back, so that the positions still to remove stay valid.
    for (auto row = selected.rbegin(); row != selected.rend(); ++row) {
        const auto index = static_cast<std::size_t>(*row);
        if (index < sources.size()) sources.erase(sources.begin() + *row);
    }
    RefreshAllScreens();
}

void CMFSSelectFileView::RemoveAllFiles() {
    if (JobRunning.load() != 0) return;
    JobData(GetFrame())->GetSourceList().clear();
    RefreshAllScreens();
}

void CMFSSelectFileView::OnSelectCommand() {
    const QStringList chosen = GetDialogs().OpenFileNames(this, tr(kFilter), true);
    if (!chosen.isEmpty()) AddFiles(chosen);
}

void CMFSSelectFileView::OnRepairCommand() {
    ShowScreen(CViewManger::MFSSaveOption);
}

void CMFSSelectFileView::OnShow() {
    RebuildList();
}

void CMFSSelectFileView::OnRefresh() {
    RebuildList();
}

void CMFSSelectFileView::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMFSSelectFileView::dragMoveEvent(QDragMoveEvent* event) {
    if (!LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMFSSelectFileView::dropEvent(QDropEvent* event) {
    const QStringList paths = LocalFiles(event->mimeData());
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    AddFiles(paths);
}

void CMFSSelectFileView::RebuildList() {
    std::vector<QStringList> rows;
    if (const CMFSDataContainer* job = GetDocument()->GetJobData()) {
        const auto& sources = job->GetSourceList();
        rows.reserve(sources.size());
        for (std::size_t i = 0; i < sources.size(); ++i) {
            rows.push_back({QString::number(i + 1), QString::fromStdString(sources[i].string())});
        }
    }
    m_list->SetRows(rows);
}
