#include "app/CMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QStackedWidget>
#include <QStatusBar>

#include "app/CViewManger.h"

CMainFrame::CMainFrame(CMendwellDoc* document, IUserDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), m_document(document), m_dialogs(dialogs) {
    setWindowTitle(tr("Mendwell for Excel"));
    m_stack = new QStackedWidget(this);
    setCentralWidget(m_stack);
    m_views = new CViewManger(this, m_stack);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    m_views->CreateScreens();
}

CMainFrame::~CMainFrame() { delete m_views; }

void CMainFrame::SetMode(EMode mode) {
    m_mode = mode;
    UpdateCommandStates();
}

bool CMainFrame::GetStepFlag(int index) const {
    return index >= 0 && index < 3 ? m_stepFlags[index] : false;
}

void CMainFrame::SetStepFlag(int index, bool value) {
    if (index >= 0 && index < 3) m_stepFlags[index] = value;
    UpdateCommandStates();
}

void CMainFrame::SetAllStepFlags(bool value) {
    for (bool& flag : m_stepFlags) flag = value;
    UpdateCommandStates();
}

void CMainFrame::SetMultiFileStatusText(const QString& text) {
    m_multiFileStatus = text;
    UpdateCommandStates();
}

void CMainFrame::SetSingleFileStatusText(const QString& text) {
    m_singleFileStatus = text;
    UpdateCommandStates();
}

QString CMainFrame::GetStatusBarText() const {
    if (m_mode == EMode::MultipleFile) return m_multiFileStatus;
    return m_views->GetCurrentIndex() == CViewManger::SFSSelectFile ? QString()
                                                                     : m_singleFileStatus;
}

QAction* CMainFrame::GetAction(int commandId) const {
    const auto found = m_actions.find(commandId);
    return found == m_actions.end() ? nullptr : found->second;
}

void CMainFrame::OnRecoveryMode() {}
void CMainFrame::OnMultiFileMode() {}
void CMainFrame::OnOptions() {}
void CMainFrame::OnSelect() {}
void CMainFrame::OnRepair() {}
void CMainFrame::OnPreview() {}
void CMainFrame::OnSaveAction() {}
void CMainFrame::OnSaveRepaired() {}
void CMainFrame::OnHelp() {}
void CMainFrame::OnTheme(int) {}
void CMainFrame::OnNext() {}
void CMainFrame::OnBack() {}

void CMainFrame::UpdateCommandStates() {
    if (m_statusPane != nullptr) m_statusPane->setText(GetStatusBarText());
}

void CMainFrame::OnScreenActivated() { UpdateCommandStates(); }

void CMainFrame::PostClose() {
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void CMainFrame::closeEvent(QCloseEvent* event) { event->accept(); }

void CMainFrame::CreateActions() {}
void CMainFrame::CreateMenus() {}
void CMainFrame::CreateToolBar() {}

void CMainFrame::CreateStatusBar() {
    m_statusPane = new QLabel(this);
    statusBar()->addWidget(m_statusPane, 1);
}
