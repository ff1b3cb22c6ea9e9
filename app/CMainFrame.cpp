#include "app/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QToolBar>

#include "app/CHelpLocator.h"
#include "app/CMFSRepairSaveProgressView.h"
#include "app/CMFSSaveOptionView.h"
#include "app/CSFSPreViewData.h"
#include "app/CSFSRepairProgressView.h"
#include "app/CSFSSaveOptionView.h"
#include "app/CSFSSavingProgressView.h"
#include "app/CScreenView.h"
#include "app/CViewManger.h"
#include "app/CommandIds.h"
#include "app/IUserDialogs.h"
#include "app/MainWindowPlace.h"
#include "platform/ApplicationFolder.h"
#include "platform/RunState.h"
#include "platform/SettingsStore.h"
#include "platform/WindowPlace.h"

#ifndef MENDWELL_SOURCE_HELP_DIR
#define MENDWELL_SOURCE_HELP_DIR ""
#endif

// The window icon lives in a resource of this static library: the linker
// drops an unreferenced resource initialiser, so it is pulled in by name.
static void InitShellResources() {
    Q_INIT_RESOURCE(mendwell);
}

namespace {

// One theme command: which theme it sets and the colours it paints with.
// The five palettes only need to be told apart at a glance and to keep text
// readable; they echo the old toolkit's looks.
struct ThemeEntry {
    int commandId;
    const char* text;
    int theme;
    bool luna;
    QRgb window;
    QRgb button;
    QRgb base;
    QRgb highlight;
    QRgb highlightedText;
};

constexpr ThemeEntry kThemes[] = {
    {CommandId::ThemeOfficeXP, "Office XP", CMainFrame::OfficeXP, false, 0xfff4f3ee, 0xffe8e6e0,
     0xffffffff, 0xffb6bdd2, 0xff000000},
    {CommandId::ThemeOffice2000, "Office 2000", CMainFrame::Office2000, false, 0xffd4d0c8,
     0xffd4d0c8, 0xffffffff, 0xff0a246a, 0xffffffff},
    {CommandId::ThemeOffice2003Luna, "Office 2003 Luna", CMainFrame::Office2003, true, 0xffc3daf9,
     0xffdde9fb, 0xfff7fbff, 0xffffc873, 0xff000000},
    {CommandId::ThemeOffice2003, "Office 2003", CMainFrame::Office2003, false, 0xfff0efe9,
     0xffe2e1da, 0xffffffff, 0xffc1d2ee, 0xff000000},
    {CommandId::ThemeWindowsXP, "Windows XP", CMainFrame::WindowsXP, false, 0xffece9d8, 0xffece9d8,
     0xffffffff, 0xff316ac5, 0xffffffff},
};

const ThemeEntry* FindTheme(int commandId) {
    for (const ThemeEntry& entry : kThemes) {
        if (entry.commandId == commandId) return &entry;
    }
    return nullptr;
}

bool IsThemeInForce(const ThemeEntry& entry, int theme, bool luna) {
    // Only Office 2003 tells its two colour sets apart.
    return entry.theme == theme && (theme != CMainFrame::Office2003 || entry.luna == luna);
}

// The screen at index, as the class the table of screens gives it.
template <typename TScreen>
TScreen* ScreenAt(const CViewManger& views, int index) {
    return static_cast<TScreen*>(views.GetScreen(index));
}

// The screens on which the save action acts.
bool SaveActsOn(int index) {
    constexpr int kScreens[] = {CViewManger::SFSSelectFile,       CViewManger::SFSPreview,
                                CViewManger::SFSSaveOption,       CViewManger::SFSSavedStatus,
                                CViewManger::MFSSelectFile,       CViewManger::MFSSaveOption,
                                CViewManger::MFSRepairSavedStatus};
    for (int screen : kScreens) {
        if (screen == index) return true;
    }
    return false;
}

// The program's icon: the SVG of the resource when an SVG reader is there,
// else the same picture painted here (a sheet with a green header row and a
// plaster across it).
QIcon ProgramIcon() {
    QIcon icon(QStringLiteral(":/mendwell/mendwell.svg"));
    if (!icon.pixmap(32, 32).isNull()) return icon;
    QPixmap picture(64, 64);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x2e, 0x5e, 0x3a), 2));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(6, 8, 52, 48), 4, 4);
    painter.fillRect(QRectF(7, 9, 50, 10), QColor(0x3f, 0x8f, 0x55));
    painter.setPen(QPen(QColor(0xb8, 0xc8, 0xbc), 1));
    for (int y = 30; y < 56; y += 11) painter.drawLine(7, y, 57, y);
    for (int x = 23; x < 57; x += 17) painter.drawLine(x, 19, x, 55);
    painter.translate(32, 37);
    painter.rotate(-35);
    painter.setPen(QPen(QColor(0xa0, 0x6a, 0x3c), 1.5));
    painter.setBrush(QColor(0xf2, 0xc2, 0x8c));
    painter.drawRoundedRect(QRectF(-24, -7, 48, 14), 7, 7);
    painter.setBrush(QColor(0xfa, 0xe3, 0xc6));
    painter.drawRect(QRectF(-7, -7, 14, 14));
    painter.end();
    return QIcon(picture);
}

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback, const QStyle* style) {
    return QIcon::fromTheme(QString::fromLatin1(name), style->standardIcon(fallback));
}

}  // namespace

CMainFrame::CMainFrame(CMendwellDoc* document, IUserDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), m_document(document), m_dialogs(dialogs) {
    InitShellResources();
    setWindowTitle(tr("Mendwell for Excel"));
    setWindowIcon(ProgramIcon());
    m_stack = new QStackedWidget(this);
    setCentralWidget(m_stack);
    m_views = new CViewManger(this, m_stack);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    ApplyTheme();
    m_views->CreateScreens();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
    delete m_views;
}

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

void CMainFrame::OnRecoveryMode() {
    if (m_mode == EMode::SingleFile) return;
    if (JobRunning.load() != 0) {
        // The job screen asks; the new screen shows at the next activation,
        // once the job has ended.
        if (!m_views->GetMFSRepairSaveProgressView()->ConfirmSkipAll()) return;
        SetMode(EMode::SingleFile);
        m_views->SetCurrentIndex(CViewManger::SFSSelectFile);
        return;
    }
    SetMode(EMode::SingleFile);
    m_views->SetCurrentIndex(CViewManger::SFSSelectFile);
    m_views->Activate();
}

void CMainFrame::OnMultiFileMode() {
    if (m_mode == EMode::MultipleFile) return;
    bool confirmed = true;
    bool running = false;
    if (ParsingRunning.load() != 0) {
        running = true;
        confirmed = ScreenAt<CSFSRepairProgressView>(*m_views, CViewManger::SFSRepairProgress)
                        ->ConfirmStop();
    } else if (SaveRunning.load() != 0) {
        running = true;
        confirmed = ScreenAt<CSFSSavingProgressView>(*m_views, CViewManger::SFSSavingProgress)
                        ->ConfirmStop();
    }
    if (!confirmed) return;
    SetMode(EMode::MultipleFile);
    m_views->SetCurrentIndex(CViewManger::MFSSelectFile);
    // A stopped worker's screen shows screen 7 when its timer sees the end.
    if (!running) m_views->Activate();
}

void CMainFrame::OnOptions() {
    // A second entry would forget the screen to come back to.
    if (m_views->EnterSettings()) m_views->Activate();
}

void CMainFrame::OnSelect() {
    if (CScreenView* screen = m_views->GetScreen(m_views->GetCurrentIndex())) {
        screen->OnSelectCommand();
    }
}

void CMainFrame::OnRepair() {
    if (CScreenView* screen = m_views->GetScreen(m_views->GetCurrentIndex())) {
        screen->OnRepairCommand();
    }
}

void CMainFrame::OnPreview() {
    m_views->SetCurrentIndex(CViewManger::SFSPreview);
    m_views->Activate();
    ScreenAt<CSFSPreViewData>(*m_views, CViewManger::SFSPreview)->Reload();
}

void CMainFrame::OnSaveAction() {
    const int current = m_views->GetCurrentIndex();
    if (!SaveActsOn(current)) return;
    if (m_mode == EMode::SingleFile) {
        if (GetStepFlag(1)) OnSaveRepaired();
        return;
    }
    if (current == CViewManger::MFSSelectFile || current == CViewManger::MFSSaveOption) {
        m_views->GetMFSSaveOptionView()->OnSave();
    }
}

void CMainFrame::OnSaveRepaired() {
    if (m_mode != EMode::SingleFile) return;
    if (m_views->GetCurrentIndex() == CViewManger::SFSSaveOption) {
        ScreenAt<CSFSSaveOptionView>(*m_views, CViewManger::SFSSaveOption)->StartSave();
        return;
    }
    m_views->SetCurrentIndex(CViewManger::SFSSaveOption);
    m_views->Activate();
}

QString CMainFrame::FindHelpPage() {
    const CHelpLocator locator(ApplicationFolder(),
                               QCoreApplication::applicationDirPath().toStdString(),
                               std::filesystem::path(MENDWELL_SOURCE_HELP_DIR));
    return QString::fromStdString(locator.Find().string());
}

void CMainFrame::OnHelp() {
    const QString page = FindHelpPage();
    if (page.isEmpty()) {
        GetDialogs().Inform(this, tr("The help page \"%1\" was not found.")
                                      .arg(QString::fromLatin1(CHelpLocator::PageName())));
        return;
    }
    if (!GetDialogs().OpenWithDesktop(page)) {
        GetDialogs().Inform(this, tr("The help page could not be opened:\n%1").arg(page));
    }
}

void CMainFrame::OnTheme(int commandId) {
    const ThemeEntry* entry = FindTheme(commandId);
    if (entry == nullptr) return;
    m_theme = entry->theme;
    m_lunaColors = entry->luna;
    ApplyTheme();
    UpdateCommandStates();
}

void CMainFrame::OnNext() {
    if (m_views->Next()) m_views->Activate();
}

void CMainFrame::OnBack() {
    if (m_views->Back()) m_views->Activate();
}

void CMainFrame::UpdateCommandStates() {
    if (m_statusPane != nullptr) m_statusPane->setText(GetStatusBarText());
    if (m_actions.empty()) return;
    const int current = m_views->GetCurrentIndex();
    GetAction(CommandId::Preview)->setEnabled(GetStepFlag(1) && current != CViewManger::SFSPreview);
    GetAction(CommandId::Save)->setEnabled(GetStepFlag(2));
    GetAction(CommandId::RecoveryMode)->setChecked(m_mode == EMode::SingleFile);
    GetAction(CommandId::MultiFileMode)->setChecked(m_mode == EMode::MultipleFile);
    for (const ThemeEntry& entry : kThemes) {
        GetAction(entry.commandId)->setChecked(IsThemeInForce(entry, m_theme, m_lunaColors));
    }
}

void CMainFrame::OnScreenActivated() {
    UpdateCommandStates();
}

void CMainFrame::PostClose() {
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void CMainFrame::ShowPlaced() {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.append(screen->availableGeometry());
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect primaryArea =
        primary != nullptr ? primary->availableGeometry() : QRect(QPoint(0, 0), kMinimumWindowSize);
    const std::optional<WindowPlace> stored =
        ParseWindowPlace(SettingsStore().Read(ESetting::WindowPlace));
    setGeometry(ChooseWindowFrame(stored, primaryArea, screens));
    m_keepsPlace = true;
    if (stored && stored->maximised) {
        showMaximized();
    } else {
        show();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (MayClose()) {
        if (m_keepsPlace) {
            // The normal frame, so that a maximised window comes back to the
            // size it had before it was maximised.
            const QRect frame = normalGeometry();
            SettingsStore().Write(ESetting::WindowPlace,
                                  FormatWindowPlace({frame.x(), frame.y(), frame.width(),
                                                     frame.height(), isMaximized()}));
        }
        event->accept();
    } else {
        event->ignore();
    }
}

bool CMainFrame::MayClose() {
    bool confirmed = false;
    if (JobRunning.load() != 0) {
        confirmed = m_views->GetMFSRepairSaveProgressView()->ConfirmSkipAll();
    } else if (ParsingRunning.load() != 0) {
        confirmed = ScreenAt<CSFSRepairProgressView>(*m_views, CViewManger::SFSRepairProgress)
                        ->ConfirmStop();
    } else if (SaveRunning.load() != 0) {
        confirmed = ScreenAt<CSFSSavingProgressView>(*m_views, CViewManger::SFSSavingProgress)
                        ->ConfirmStop();
    } else if (PreviewRunning.load() != 0) {
        ScreenAt<CSFSPreViewData>(*m_views, CViewManger::SFSPreview)->StopForExit();
        return false;
    } else {
        return true;
    }
    if (!confirmed) return false;
    ExitPending = 1;
    return NothingLeftRunning();
}

bool CMainFrame::NothingLeftRunning() {
    // The question's own event loop may have let the worker end and its
    // screen's timer move on before ExitPending was set: nobody would then
    // post the close, so close now unless something else has started.
    if (JobRunning.load() != 0 || ParsingRunning.load() != 0 || SaveRunning.load() != 0) {
        return false;
    }
    if (PreviewRunning.load() != 0) {
        ScreenAt<CSFSPreViewData>(*m_views, CViewManger::SFSPreview)->StopForExit();
        return false;
    }
    return true;
}

QAction* CMainFrame::AddAction(int commandId, const QString& text, void (CMainFrame::*slot)()) {
    auto* action = new QAction(text, this);
    if (slot != nullptr) connect(action, &QAction::triggered, this, slot);
    m_actions[commandId] = action;
    return action;
}

void CMainFrame::CreateActions() {
    const QStyle* look = style();
    QAction* recovery =
        AddAction(CommandId::RecoveryMode, tr("R&ecovery    "), &CMainFrame::OnRecoveryMode);
    recovery->setShortcut(QKeySequence(tr("Ctrl+R")));
    recovery->setCheckable(true);
    recovery->setIcon(ThemeIcon("document-properties", QStyle::SP_FileIcon, look));
    QAction* multi =
        AddAction(CommandId::MultiFileMode, tr("&Multi file"), &CMainFrame::OnMultiFileMode);
    multi->setCheckable(true);
    multi->setIcon(ThemeIcon("folder", QStyle::SP_DirIcon, look));
    QAction* exitAction = AddAction(CommandId::Exit, tr("E&xit"), nullptr);
    connect(exitAction, &QAction::triggered, this, &QWidget::close);
    AddAction(CommandId::Options, tr("&Options"), &CMainFrame::OnOptions)
        ->setIcon(ThemeIcon("preferences-system", QStyle::SP_FileDialogDetailedView, look));
    QAction* select = AddAction(CommandId::Select, tr("&Select"), &CMainFrame::OnSelect);
    select->setShortcut(QKeySequence(tr("Alt+S")));
    select->setToolTip(tr("Select the file to repair"));
    select->setIcon(ThemeIcon("document-open", QStyle::SP_DialogOpenButton, look));
    AddAction(CommandId::Repair, tr("&Repair"), &CMainFrame::OnRepair);
    AddAction(CommandId::Preview, tr("&Preview"), &CMainFrame::OnPreview);
    AddAction(CommandId::Save, tr("&Save"), &CMainFrame::OnSaveAction);
    AddAction(CommandId::SaveFile, tr("Save file"), &CMainFrame::OnSaveAction)
        ->setIcon(ThemeIcon("document-save", QStyle::SP_DialogSaveButton, look));
    AddAction(CommandId::SaveRepaired, tr("Save the repaired file"), &CMainFrame::OnSaveRepaired)
        ->setIcon(ThemeIcon("document-save-as", QStyle::SP_DriveFDIcon, look));
    AddAction(CommandId::Help, tr("&Help"), &CMainFrame::OnHelp)
        ->setIcon(ThemeIcon("help-contents", QStyle::SP_DialogHelpButton, look));
    AddAction(CommandId::Next, tr("Next"), &CMainFrame::OnNext);
    AddAction(CommandId::Back, tr("Back"), &CMainFrame::OnBack);
    for (const ThemeEntry& entry : kThemes) {
        QAction* theme = AddAction(entry.commandId, tr(entry.text), nullptr);
        theme->setCheckable(true);
        const int commandId = entry.commandId;
        connect(theme, &QAction::triggered, this, [this, commandId] { OnTheme(commandId); });
    }
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(GetAction(CommandId::RecoveryMode));
    file->addAction(GetAction(CommandId::MultiFileMode));
    file->addSeparator();
    file->addAction(GetAction(CommandId::Exit));

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    for (int id : {CommandId::Select, CommandId::Repair, CommandId::Preview, CommandId::Save}) {
        tools->addAction(GetAction(id));
    }
    tools->addSeparator();
    tools->addAction(GetAction(CommandId::Back));
    tools->addAction(GetAction(CommandId::Next));
    tools->addSeparator();
    tools->addAction(GetAction(CommandId::Options));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    QMenu* theme = view->addMenu(tr("&Theme"));
    for (const ThemeEntry& entry : kThemes) theme->addAction(GetAction(entry.commandId));

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(GetAction(CommandId::Help));
}

void CMainFrame::CreateToolBar() {
    QToolBar* bar = addToolBar(tr("Commands"));
    bar->setObjectName(QStringLiteral("MainToolBar"));
    bar->setMovable(false);
    for (int id : {CommandId::RecoveryMode, CommandId::MultiFileMode})
        bar->addAction(GetAction(id));
    bar->addSeparator();
    for (int id : {CommandId::Select, CommandId::SaveFile, CommandId::SaveRepaired}) {
        bar->addAction(GetAction(id));
    }
    bar->addSeparator();
    bar->addAction(GetAction(CommandId::Options));
    bar->addAction(GetAction(CommandId::Help));
}

void CMainFrame::CreateStatusBar() {
    m_statusPane = new QLabel(this);
    m_statusPane->setObjectName(QStringLiteral("StatusPane"));
    statusBar()->addWidget(m_statusPane, 1);
}

void CMainFrame::ApplyTheme() {
    const ThemeEntry* chosen = nullptr;
    for (const ThemeEntry& entry : kThemes) {
        if (IsThemeInForce(entry, m_theme, m_lunaColors)) chosen = &entry;
    }
    if (chosen == nullptr) return;
    // One style for all five themes: the palettes carry the difference and
    // look the same on every desktop.
    if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0) {
        if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
            QApplication::setStyle(fusion);
        }
    }
    QPalette palette = QApplication::style()->standardPalette();
    palette.setColor(QPalette::Window, QColor::fromRgb(chosen->window));
    palette.setColor(QPalette::Button, QColor::fromRgb(chosen->button));
    palette.setColor(QPalette::Base, QColor::fromRgb(chosen->base));
    palette.setColor(QPalette::AlternateBase, QColor::fromRgb(chosen->window).lighter(106));
    palette.setColor(QPalette::Highlight, QColor::fromRgb(chosen->highlight));
    palette.setColor(QPalette::HighlightedText, QColor::fromRgb(chosen->highlightedText));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(role, Qt::black);
    }
    QApplication::setPalette(palette);
}
