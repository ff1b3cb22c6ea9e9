#include "app/CMendwellApp.h"

#include <system_error>

#include "app/CMFSSelectFileView.h"
#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CViewManger.h"
#include "platform/ApplicationFolder.h"
#include "platform/SettingsStore.h"

namespace {

// The screens' fonts: 14 pixels high, normal weight, smoothed edges.
QFont MakeScreenFont(const QString& family) {
    QFont font(family);
    font.setPixelSize(14);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace

CMendwellApp::CMendwellApp(IUserDialogs* dialogs)
    : m_dialogs(dialogs),
      m_applicationFolder(ApplicationFolder()),
      m_verdana(MakeScreenFont(QStringLiteral("Verdana"))),
      m_arial(MakeScreenFont(QStringLiteral("Arial"))) {}

CMendwellApp::~CMendwellApp() {
    m_frame.reset();
    m_document.reset();
}

std::vector<std::filesystem::path> CMendwellApp::ExistingFiles(const QStringList& files) {
    std::vector<std::filesystem::path> existing;
    for (const QString& file : files) {
        if (file.isEmpty()) continue;
        std::error_code error;
        std::filesystem::path path = std::filesystem::absolute(file.toStdString(), error);
        if (error) continue;
        if (std::filesystem::is_regular_file(path, error))
            existing.push_back(path.lexically_normal());
    }
    return existing;
}

bool CMendwellApp::InitInstance(const QStringList& files) {
    m_document = std::make_unique<CMendwellDoc>();
    m_frame = std::make_unique<CMainFrame>(m_document.get(), m_dialogs);
    CViewManger& views = m_frame->GetViewManager();
    const std::vector<std::filesystem::path> opened = ExistingFiles(files);
    if (opened.size() == 1) {
        m_document->SetSourcePath(opened.front());
    } else if (opened.size() > 1) {
        m_frame->SetMode(CMainFrame::EMode::MultipleFile);
        views.SetCurrentIndex(CViewManger::MFSSelectFile);
        QStringList paths;
        for (const std::filesystem::path& path : opened) {
            paths << QString::fromStdString(path.string());
        }
        views.GetMFSSelectFileView()->AddFiles(paths);
    } else if (SettingsStore().ReadStartUpMode() == u"M") {
        m_frame->SetMode(CMainFrame::EMode::MultipleFile);
        views.SetCurrentIndex(CViewManger::MFSSelectFile);
    }
    views.Activate();
    return true;
}
