#include "app/CSFSSelectFileView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>

#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CSFSRepairProgressView.h"
#include "app/CStepLinks.h"
#include "app/CViewManger.h"
#include "app/IUserDialogs.h"
#include "platform/RunState.h"

namespace {

const char* const kCaption = QT_TR_NOOP(
    "Please select the corrupt file using [Select file] button and \r\nclick on [Recover] button.");
const char* const kEmptyPathMessage =
    QT_TR_NOOP("Please select the corrupt file using [Select file] and \r\nclick [Recover].");
const char* const kMissingFileMessage =
    QT_TR_NOOP("File does not exist. Please select the file\r\n using [Select file] button.");
const char* const kFilter = QT_TR_NOOP("Worksheet Files (*.xls)|*.xls|All Files (*.*)|*.*||");

// How long, at most, a "&Recover" waits for a preview fill to notice its
// stop: 200 looks 50 ms apart.
constexpr int kMaxPreviewWaits = 200;
constexpr int kPreviewWaitMs = 50;

// The texts carry the old message boxes' CR LF; a label shows a lone CR as a
// glyph on some styles, so the label gets plain line feeds.
QString ForLabel(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString FirstLocalFile(const QList<QUrl>& urls) {
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return {};
}

}  // namespace

CSFSSelectFileView::CSFSSelectFileView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {
    auto* outer = new QHBoxLayout(this);
    m_links = new CStepLinks(frame, this);
    m_links->ConnectDefaults();
    outer->addWidget(m_links);

    auto* page = new QVBoxLayout;
    auto* caption = new QLabel(ForLabel(tr(kCaption)), this);
    caption->setObjectName(QStringLiteral("Caption"));
    page->addWidget(caption);

    auto* pathRow = new QHBoxLayout;
    m_pathEdit = new QLineEdit(this);
    m_pathEdit->setObjectName(QStringLiteral("SourcePath"));
    pathRow->addWidget(m_pathEdit, 1);
    auto* browse = new QPushButton(tr("&Browse"), this);
    browse->setObjectName(QStringLiteral("Browse"));
    pathRow->addWidget(browse);
    page->addLayout(pathRow);

    QHBoxLayout* buttons = AddButtonRow(page);
    QPushButton* select = AddButton(buttons, tr("&Select file"), QStringLiteral("SelectFile"));
    QPushButton* recover = AddButton(buttons, tr("&Recover"), QStringLiteral("Recover"));
    page->addStretch(1);
    outer->addLayout(page, 1);

    connect(browse, &QPushButton::clicked, this, &CSFSSelectFileView::OnSelectFile);
    connect(select, &QPushButton::clicked, this, &CSFSSelectFileView::OnSelectFile);
    connect(recover, &QPushButton::clicked, this, &CSFSSelectFileView::OnRecover);
    setAcceptDrops(true);
}

CSFSSelectFileView::~CSFSSelectFileView() = default;

void CSFSSelectFileView::OnShow() {
    m_links->Refresh();
    OnRefresh();
}

void CSFSSelectFileView::OnRefresh() {
    m_pathEdit->setText(QString::fromStdString(GetDocument()->GetSourcePath().string()));
}

void CSFSSelectFileView::OnSelectCommand() {
    OnSelectFile();
}

void CSFSSelectFileView::OnRepairCommand() {
    OnRecover();
}

void CSFSSelectFileView::OnSelectFile() {
    const QStringList chosen = GetDialogs().OpenFileNames(this, tr(kFilter), false);
    if (chosen.isEmpty() || chosen.front().isEmpty()) return;
    SetSourcePath(chosen.front());
}

bool CSFSSelectFileView::AcceptDroppedFiles(const QList<QUrl>& urls) {
    const QString path = FirstLocalFile(urls);
    if (path.isEmpty()) return false;
    SetSourcePath(path.left(kMaxDroppedPathLength));
    return true;
}

void CSFSSelectFileView::SetSourcePath(const QString& path) {
    GetDocument()->SetSourcePath(std::filesystem::path(path.toStdString()));
    RefreshAllScreens();
}

void CSFSSelectFileView::OnRecover() {
    // A second repair would replace the workbook a running worker reads;
    // the user is taken back to the work in progress instead.
    if (ParsingRunning != 0) {
        ShowScreen(CViewManger::SFSRepairProgress);
        return;
    }
    if (SaveRunning != 0) {
        ShowScreen(CViewManger::SFSSavingProgress);
        return;
    }
    const QString text = m_pathEdit->text();
    if (text.isEmpty()) {
        GetDialogs().Inform(this, tr(kEmptyPathMessage));
        return;
    }
    // Only an empty box counts as no path: blanks are a name like any other,
    // and no such file exists.
    const std::filesystem::path source(text.toStdString());
    std::error_code error;
    if (!std::filesystem::is_regular_file(source, error)) {
        GetDialogs().Inform(this, tr(kMissingFileMessage));
        return;
    }

    BeginRepair(source, kMaxPreviewWaits);
}

void CSFSSelectFileView::BeginRepair(const std::filesystem::path& source, int waitsLeft) {
    if (ParsingRunning != 0 || SaveRunning != 0) return;
    // The preview fill reads the workbook that the repair is about to drop:
    // ask it to stop and come back once it has (it ends at its next page).
    if (PreviewRunning != 0) {
        PreviewStop = 1;
        if (waitsLeft > 0) {
            QTimer::singleShot(kPreviewWaitMs, this,
                               [this, source, waitsLeft] { BeginRepair(source, waitsLeft - 1); });
        }
        return;
    }
    CMainFrame* frame = GetFrame();
    CMendwellDoc* doc = GetDocument();
    auto* progressView = static_cast<CSFSRepairProgressView*>(
        frame->GetViewManager().GetScreen(CViewManger::SFSRepairProgress));
    doc->SetSourcePath(source);
    doc->ResetWorkbook(source, progressView->GetProgressTarget());
    frame->SetSingleFileStatusText(QString::fromStdString(source.string()));
    ResetRepairCounters();
    // The old workbook is gone: its preview and its save are no longer
    // there to reach, while choosing another file always is.
    frame->SetStepFlag(0, true);
    frame->SetStepFlag(1, false);
    frame->SetStepFlag(2, false);
    ShowScreen(CViewManger::SFSRepairProgress);
    progressView->StartRepair();
}

void CSFSSelectFileView::dragEnterEvent(QDragEnterEvent* event) {
    if (!FirstLocalFile(event->mimeData()->urls()).isEmpty()) event->acceptProposedAction();
}

void CSFSSelectFileView::dragMoveEvent(QDragMoveEvent* event) {
    if (!FirstLocalFile(event->mimeData()->urls()).isEmpty()) event->acceptProposedAction();
}

void CSFSSelectFileView::dropEvent(QDropEvent* event) {
    if (AcceptDroppedFiles(event->mimeData()->urls())) event->acceptProposedAction();
}
