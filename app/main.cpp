// mendwell: the desktop program.
#include <QApplication>

#include "app/CGuiMessageHandler.h"
#include "app/CMainFrame.h"
#include "app/CMendwellApp.h"
#include "app/CQtUserDialogs.h"
#include "server/automation/CXlsApplicationServer.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mendwell for Excel"));
    CXlsApplicationServer::Register();

    CQtUserDialogs dialogs;
    CMendwellApp app(&dialogs);
    QStringList files = QApplication::arguments();
    files.removeFirst();
    if (!app.InitInstance(files)) return 1;
    CGuiMessageHandler::Install(&dialogs, app.GetMainFrame());
    app.GetMainFrame()->show();
    const int result = QApplication::exec();
    CGuiMessageHandler::Uninstall();
    return result;
}
