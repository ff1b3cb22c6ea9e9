#include "app/CSFSPreViewData.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CSheetView.h"
#include "app/CSheetViewer.h"
#include "app/CStepLinks.h"
#include "app/CViewManger.h"
#include "app/CommandIds.h"
#include "platform/RunState.h"
#include "widgets/CHyperLinkLabel.h"
#include "widgets/CSheetTabBar.h"

namespace {

QPushButton* MakeButton(const QString& text, const char* name, int commandId, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    if (commandId != 0) button->setProperty("commandId", commandId);
    return button;
}

}  // namespace

CSFSPreViewData::CSFSPreViewData(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {
    CreateControls();
}

CSFSPreViewData::~CSFSPreViewData() {
    // The grid's destructor joins the worker; without the stop it would
    // wait for the rest of the sheet.
    if (PreviewRunning.load() != 0) PreviewStop = 1;
    m_viewer.reset();
}

void CSFSPreViewData::CreateControls() {
    auto* root = new QHBoxLayout(this);
    m_links = new CStepLinks(GetFrame(), this);
    root->addWidget(m_links);

    auto* column = new QVBoxLayout;
    root->addLayout(column, 1);

    m_formulaBar = new QLineEdit(this);
    m_formulaBar->setObjectName(QStringLiteral("FormulaBar"));
    m_formulaBar->setProperty("commandId", CommandId::FormulaBar);
    m_formulaBar->setReadOnly(true);
    column->addWidget(m_formulaBar);

    m_gridArea = new QWidget(this);
    m_gridArea->setObjectName(QStringLiteral("GridArea"));
    auto* gridLayout = new QVBoxLayout(m_gridArea);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_gridArea, 1);

    m_tabs = new CSheetTabBar(this);
    m_tabs->setObjectName(QStringLiteral("SheetTabs"));
    m_tabs->setProperty("commandId", CommandId::SheetTabs);
    column->addWidget(m_tabs);

    auto* buttons = new QHBoxLayout;
    column->addLayout(buttons);
    QPushButton* print = MakeButton(tr("&Print..."), "PreviewPrint", 0, this);
    QPushButton* preview = MakeButton(tr("Print pre&view"), "PreviewPrintPreview", 0, this);
    QPushButton* back = MakeButton(tr("&Back"), "PreviewBack", CommandId::PreviewBack, this);
    QPushButton* save = MakeButton(tr("&Save"), "PreviewSave", CommandId::PreviewSave, this);
    buttons->addWidget(print);
    buttons->addWidget(preview);
    buttons->addStretch(1);
    buttons->addWidget(back);
    buttons->addWidget(save);

    m_timer = new QTimer(this);
    m_timer->setInterval(kSwitchTimerMs);

    connect(print, &QPushButton::clicked, this, &CSFSPreViewData::OnPrint);
    connect(preview, &QPushButton::clicked, this, &CSFSPreViewData::OnPrintPreview);
    connect(back, &QPushButton::clicked, this, &CSFSPreViewData::OnBack);
    connect(save, &QPushButton::clicked, this, &CSFSPreViewData::OnSave);
    connect(m_links, &CStepLinks::SelectFileClicked, this, &CSFSPreViewData::OnBack);
    connect(m_links, &CStepLinks::SaveFileClicked, this, &CSFSPreViewData::OnSave);
    connect(m_tabs, &CSheetTabBar::CurrentChanged, this, &CSFSPreViewData::OnTabChanged);
    connect(m_tabs, &CSheetTabBar::CloseRequested, this, &CSFSPreViewData::OnCloseTabs);
    connect(m_timer, &QTimer::timeout, this, &CSFSPreViewData::OnTimer);
}

CSheetView* CSFSPreViewData::GetCurrentView() const {
    return m_viewer ? m_viewer->GetView() : nullptr;
}

void CSFSPreViewData::Reload() {
    // The old grid goes with its viewer and joins its worker on the way.
    if (PreviewRunning.load() != 0) PreviewStop = 1;
    m_viewer.reset();
    m_formulaBar->clear();
    m_viewer = std::make_unique<CSheetViewer>(m_gridArea, GetDocument()->GetWorkbook(),
                                              GetDocument()->GetRepairReport());
    m_tabs->SetTabs(m_viewer->GetTabCaptions());
    ShowSheet(0);
}

void CSFSPreViewData::ShowSheet(int index) {
    if (!m_viewer || !m_viewer->ShowSheet(index)) return;
    CSheetView* view = m_viewer->GetView();
    connect(view, &CGridCtrl::CurrentCellChanged, this, &CSFSPreViewData::OnCurrentCellChanged);
    // The first cell is current before anyone moves, and its text may reach
    // the store only once the fill gets to it.
    connect(view, &CGridCtrl::StoreChanged, this, &CSFSPreViewData::OnStoreChanged);
    OnStoreChanged();
}

void CSFSPreViewData::OnStoreChanged() {
    if (const CSheetView* view = GetCurrentView()) {
        OnCurrentCellChanged(view->GetCurrentRow(), view->GetCurrentColumn());
    }
}

void CSFSPreViewData::OnCurrentCellChanged(int row, int column) {
    const CSheetView* view = GetCurrentView();
    if (view == nullptr) return;
    m_formulaBar->setText(view->GetFormulaBarText(row, column));
}

void CSFSPreViewData::OnTabChanged(int index) {
    if (m_timer->isActive()) return;
    if (PreviewRunning.load() == 0) {
        ShowSheet(index);
        return;
    }
    PreviewStop = 1;
    m_timer->start();
}

void CSFSPreViewData::ChangeScreen(int index) {
    CViewManger& views = GetFrame()->GetViewManager();
    if (PreviewRunning.load() != 0) {
        m_timer->stop();
        PreviewStop = 1;
        views.SetCurrentIndex(index);
        m_timer->start();
        return;
    }
    views.SetCurrentIndex(index);
    views.Activate();
    RefreshAllScreens();
}

void CSFSPreViewData::OnBack() {
    ChangeScreen(CViewManger::SFSRepairStatus);
}

void CSFSPreViewData::OnSave() {
    ChangeScreen(CViewManger::SFSSaveOption);
}

// The sheet tabs' "Close" closes the preview as a whole: the user starts
// again from the file choice, the repaired model stays with the document.
void CSFSPreViewData::OnCloseTabs() {
    ChangeScreen(CViewManger::SFSSelectFile);
}

void CSFSPreViewData::StopForExit() {
    ExitPending = 1;
    PreviewStop = 1;
    m_timer->start();
}

void CSFSPreViewData::OnTimer() {
    if (!m_timer->isActive() || PreviewRunning.load() != 0) return;
    m_timer->stop();
    if (ExitPending.load() != 0) {
        GetFrame()->PostClose();
        return;
    }
    CViewManger& views = GetFrame()->GetViewManager();
    if (views.GetCurrentIndex() == CViewManger::SFSPreview) {
        ShowSheet(m_tabs->GetCurrentIndex());
        return;
    }
    views.Activate();
    RefreshAllScreens();
}

void CSFSPreViewData::hideEvent(QHideEvent* event) {
    // A deferred change of our own hides the screen only once the fill has
    // ended; a minimised window is no reason to stop.
    if (!event->spontaneous() && PreviewRunning.load() != 0) PreviewStop = 1;
    CScreenView::hideEvent(event);
}

bool CSFSPreViewData::IsTimerActive() const {
    return m_timer->isActive();
}

void CSFSPreViewData::OnShow() {
    GetFrame()->SetAllStepFlags(true);
    OnRefresh();
}

void CSFSPreViewData::OnRefresh() {
    m_links->Refresh();
    // This screen is the view: its own link would only reload it.
    m_links->GetLink(CStepLinks::ViewFile)->setEnabled(false);
}

void CSFSPreViewData::OnPrint() {
    if (CSheetView* view = GetCurrentView()) view->PrintWithDialog();
}

void CSFSPreViewData::OnPrintPreview() {
    if (CSheetView* view = GetCurrentView()) view->PrintPreview();
}
