#include "app/CMendwellApp.h"

#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CViewManger.h"
#include "platform/ApplicationFolder.h"
#include "platform/SettingsStore.h"

CMendwellApp::CMendwellApp(IUserDialogs* dialogs)
    : m_dialogs(dialogs), m_applicationFolder(ApplicationFolder()) {}

CMendwellApp::~CMendwellApp() {
    m_frame.reset();
    m_document.reset();
}

bool CMendwellApp::InitInstance(const QStringList&) {
    m_document = std::make_unique<CMendwellDoc>();
    m_frame = std::make_unique<CMainFrame>(m_document.get(), m_dialogs);
    if (SettingsStore().ReadStartUpMode() == u"M") {
        m_frame->SetMode(CMainFrame::EMode::MultipleFile);
        m_frame->GetViewManager().SetCurrentIndex(CViewManger::MFSSelectFile);
    }
    m_frame->GetViewManager().Activate();
    return true;
}
