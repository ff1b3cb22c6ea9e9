#include "app/CSFSSaveOptionView.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CSFSPreViewData.h"
#include "app/CSFSSavingProgressView.h"
#include "app/CStepLinks.h"
#include "app/CViewManger.h"
#include "app/IUserDialogs.h"
#include "model/CExcelData.h"
#include "model/CSaveOption.h"
#include "platform/RunState.h"
#include "repair/CThreadManager.h"

namespace {

// The boxes in the order the screen lists them, with the option bit each
// one controls.
struct SOptionBox {
    const char* caption;
    const char* objectName;
    std::uint32_t bit;
};
constexpr SOptionBox kOptionBoxes[CSFSSaveOptionView::kOptionCount] = {
    {QT_TR_NOOP("Save row information"), "SaveRows", CSaveOption::RowInformation},
    {QT_TR_NOOP("Save column information"), "SaveColumns", CSaveOption::ColumnInformation},
    {QT_TR_NOOP("Save merged cells"), "SaveMerged", CSaveOption::MergedRanges},
    {QT_TR_NOOP("Save text"), "SaveText", CSaveOption::Texts},
    {QT_TR_NOOP("Save bool value"), "SaveBool", CSaveOption::BooleansAndErrors},
    {QT_TR_NOOP("Save formula"), "SaveFormula", CSaveOption::Formulas},
    {QT_TR_NOOP("Save number"), "SaveNumber", CSaveOption::Numbers},
};

const char* const kFilter = QT_TR_NOOP("Worksheet Files (*.xls)|*.xls|All Files (*.*)|*.*||");

}  // namespace

CSFSSaveOptionView::CSFSSaveOptionView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent), m_threadManager(std::make_unique<CThreadManager>()) {
    auto* outer = new QHBoxLayout(this);
    m_links = new CStepLinks(frame, this);
    m_links->ConnectDefaults();
    outer->addWidget(m_links);

    auto* page = new QVBoxLayout;
    auto* pathRow = new QHBoxLayout;
    m_destinationEdit = new QLineEdit(this);
    m_destinationEdit->setObjectName(QStringLiteral("DestinationPath"));
    pathRow->addWidget(m_destinationEdit, 1);
    auto* browse = new QPushButton(tr("Browse..."), this);
    browse->setObjectName(QStringLiteral("Browse"));
    pathRow->addWidget(browse);
    page->addLayout(pathRow);

    for (int i = 0; i < kOptionCount; ++i) {
        m_options[i] = new QCheckBox(tr(kOptionBoxes[i].caption), this);
        m_options[i]->setObjectName(QString::fromLatin1(kOptionBoxes[i].objectName));
        m_options[i]->setChecked(true);
        page->addWidget(m_options[i]);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* back = new QPushButton(tr("&Back"), this);
    back->setObjectName(QStringLiteral("Back"));
    buttons->addWidget(back);
    auto* save = new QPushButton(tr("&Save"), this);
    save->setObjectName(QStringLiteral("Save"));
    buttons->addWidget(save);
    page->addLayout(buttons);
    page->addStretch(1);
    outer->addLayout(page, 1);

    connect(browse, &QPushButton::clicked, this, &CSFSSaveOptionView::OnBrowse);
    connect(back, &QPushButton::clicked, this, &CSFSSaveOptionView::OnBack);
    connect(save, &QPushButton::clicked, this, &CSFSSaveOptionView::StartSave);
}

// The thread manager waits for its worker here; the main window closes only
// once no save runs, so this does not block in practice.
CSFSSaveOptionView::~CSFSSaveOptionView() = default;

void CSFSSaveOptionView::OnShow() {
    m_links->Refresh();
}

void CSFSSaveOptionView::SetDestinationPath(const QString& path) {
    m_destinationEdit->setText(path);
}

QString CSFSSaveOptionView::GetDestinationPath() const {
    return m_destinationEdit->text();
}

QCheckBox* CSFSSaveOptionView::GetOptionBox(int index) const {
    return index >= 0 && index < kOptionCount ? m_options[index] : nullptr;
}

std::uint32_t CSFSSaveOptionView::GetOptionMask() const {
    std::uint32_t mask = CSaveOption::BlankCellFormats;
    for (int i = 0; i < kOptionCount; ++i) {
        if (m_options[i]->isChecked()) mask |= kOptionBoxes[i].bit;
    }
    return mask;
}

void CSFSSaveOptionView::OnBrowse() {
    const QString chosen =
        GetDialogs().SaveFileName(this, GetDestinationPath(), tr(kFilter), QStringLiteral("xls"));
    if (!chosen.isEmpty()) SetDestinationPath(chosen);
}

void CSFSSaveOptionView::OnBack() {
    if (SaveRunning != 0) return;
    ShowScreen(CViewManger::SFSPreview);
    static_cast<CSFSPreViewData*>(GetFrame()->GetViewManager().GetScreen(CViewManger::SFSPreview))
        ->Reload();
}

void CSFSSaveOptionView::StartSave() {
    // One save at a time, and never of a workbook a repair is still filling.
    if (SaveRunning != 0 || ParsingRunning != 0) return;
    const QString destination = GetDestinationPath();
    if (destination.trimmed().isEmpty()) {
        GetDialogs().Inform(this, tr("Please enter the path of the file to save."));
        return;
    }
    CViewManger& views = GetFrame()->GetViewManager();
    auto* savingView =
        static_cast<CSFSSavingProgressView*>(views.GetScreen(CViewManger::SFSSavingProgress));
    CExcelData* workbook = GetDocument()->GetWorkbook();
    workbook->SetDestinationPath(std::filesystem::path(destination.toStdString()));
    workbook->GetSaveOptions() = CSaveOption(GetOptionMask());
    savingView->ResetProgress();
    workbook->SetSaveProgressWindow(savingView->GetProgressTarget());
    m_threadManager->SetData(workbook);
    if (m_threadManager->Start() != 0) {
        GetDialogs().Inform(this, tr("The save could not be started: no thread could be made."));
        return;
    }
    ShowScreen(CViewManger::SFSSavingProgress);
    savingView->StartTimer();
}
