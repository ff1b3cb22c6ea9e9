#include "app/CMFSSaveOptionView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "app/CMFSRepairSaveProgressView.h"
#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CViewManger.h"
#include "app/IUserDialogs.h"
#include "containers/CMFSDataContainer.h"
#include "model/CSaveOption.h"
#include "platform/CDirectoryManager.h"
#include "platform/RunState.h"

namespace {

// The check boxes in screen order and the option bit each one edits. The
// bit for the formats of blank cells has no box: it stays as it is.
struct SOptionBox {
    const char* caption;
    const char* objectName;
    std::uint32_t bit;
};
constexpr SOptionBox kOptionBoxes[CMFSSaveOptionView::kOptionCount] = {
    {"Save row information", "SaveRowInformation", CSaveOption::RowInformation},
    {"Save column information", "SaveColumnInformation", CSaveOption::ColumnInformation},
    {"Save merged cells", "SaveMergedCells", CSaveOption::MergedRanges},
    {"Save text", "SaveText", CSaveOption::Texts},
    {"Save bool value", "SaveBoolValue", CSaveOption::BooleansAndErrors},
    {"Save formula", "SaveFormula", CSaveOption::Formulas},
    {"Save number", "SaveNumber", CSaveOption::Numbers},
};

const QChar kSeparator = QLatin1Char('/');

QString WithSeparator(QString folder) {
    if (!folder.endsWith(kSeparator)) folder += kSeparator;
    return folder;
}

}  // namespace

CMFSSaveOptionView::CMFSSaveOptionView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {
    auto* caption = new QLabel(tr("Destination directory path:"), this);
    m_folder = new QLineEdit(this);
    m_folder->setObjectName(QStringLiteral("DestinationFolder"));
    caption->setBuddy(m_folder);
    auto* browse = new QPushButton(tr("Browse..."), this);
    browse->setObjectName(QStringLiteral("BrowseButton"));

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browse);

    auto* optionGrid = new QGridLayout;
    for (int i = 0; i < kOptionCount; ++i) {
        const SOptionBox& box = kOptionBoxes[i];
        auto* check = new QCheckBox(tr(box.caption), this);
        check->setObjectName(QLatin1String(box.objectName));
        optionGrid->addWidget(check, i / 2, i % 2);
        connect(check, &QCheckBox::toggled, this,
                [this, i](bool checked) { OnOptionToggled(i, checked); });
        m_options[static_cast<std::size_t>(i)] = check;
    }

    auto* back = new QPushButton(tr("&Back"), this);
    back->setObjectName(QStringLiteral("BackButton"));
    auto* save = new QPushButton(tr("&Save"), this);
    save->setObjectName(QStringLiteral("SaveButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(back);
    buttons->addWidget(save);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addLayout(folderRow);
    layout->addSpacing(12);
    layout->addLayout(optionGrid);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(m_folder, &QLineEdit::textEdited, this, &CMFSSaveOptionView::OnFolderEdited);
    connect(browse, &QPushButton::clicked, this, &CMFSSaveOptionView::OnBrowse);
    connect(back, &QPushButton::clicked, this, &CMFSSaveOptionView::OnBack);
    connect(save, &QPushButton::clicked, this, &CMFSSaveOptionView::OnSave);
}

CMFSSaveOptionView::~CMFSSaveOptionView() = default;

void CMFSSaveOptionView::OnSave() {
    // Every edit of the box goes into the job data at once, so the box holds
    // nothing of its own once it has been filled.
    if (!m_loaded) LoadFromJob();
    const QString typed = m_folder->text();
    if (typed.isEmpty()) {
        GetDialogs().Inform(
            this, tr("Please set the destination folder path to save the repaired file."));
        return;
    }
    CMFSRepairSaveProgressView* progress =
        GetFrame()->GetViewManager().GetMFSRepairSaveProgressView();
    // The folder is the job's to read once it runs.
    if (JobRunning.load() == 0) {
        const QString folder = WithSeparator(typed);
        m_folder->setText(folder);
        const std::filesystem::path path(folder.toStdString());
        // A folder that cannot be made is not stopped here: each file's save
        // then fails on its own and shows as failed.
        CDirectoryManager::CreatePath(path);
        progress->EnsureJobData()->SetDestinationFolder(path);
    }
    ShowScreen(CViewManger::MFSRepairSaveProgress);
    progress->StartJob();
}

void CMFSSaveOptionView::OnBrowse() {
    const QString chosen = GetDialogs().ExistingDirectory(
        this, tr("Select the destination directory to save the file:"), m_folder->text());
    if (chosen.isEmpty()) return;
    const QString folder = WithSeparator(chosen);
    m_folder->setText(folder);
    OnFolderEdited(folder);
    RefreshAllScreens();
}

void CMFSSaveOptionView::OnBack() {
    ShowScreen(CViewManger::MFSSelectFile);
}

void CMFSSaveOptionView::OnShow() {
    LoadFromJob();
}

void CMFSSaveOptionView::OnRefresh() {
    LoadFromJob();
}

void CMFSSaveOptionView::LoadFromJob() {
    const CMFSDataContainer* job = GetDocument()->GetJobData();
    if (job == nullptr) {
        // The job data comes with the first file added; until then the boxes
        // show what a new job would use.
        job = GetFrame()->GetViewManager().GetMFSRepairSaveProgressView()->EnsureJobData();
    }
    m_loading = true;
    m_folder->setText(QString::fromStdString(job->GetDestinationFolder().string()));
    const CSaveOption& options = job->GetSaveOptions();
    for (int i = 0; i < kOptionCount; ++i) {
        m_options[static_cast<std::size_t>(i)]->setChecked(options.IsSet(kOptionBoxes[i].bit));
    }
    m_loading = false;
    m_loaded = true;
}

void CMFSSaveOptionView::OnOptionToggled(int option, bool checked) {
    // The job reads the mask for each file it begins.
    if (m_loading || JobRunning.load() != 0) return;
    CSaveOption& options = GetFrame()
                               ->GetViewManager()
                               .GetMFSRepairSaveProgressView()
                               ->EnsureJobData()
                               ->GetSaveOptions();
    const std::uint32_t bit = kOptionBoxes[option].bit;
    if (checked) {
        options.Set(bit);
    } else {
        options.Clear(bit);
    }
}

void CMFSSaveOptionView::OnFolderEdited(const QString& text) {
    if (m_loading || JobRunning.load() != 0) return;
    GetFrame()
        ->GetViewManager()
        .GetMFSRepairSaveProgressView()
        ->EnsureJobData()
        ->SetDestinationFolder(std::filesystem::path(text.toStdString()));
}
