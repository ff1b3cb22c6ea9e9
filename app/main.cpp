// mendwell: the desktop program.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "app/CGuiMessageHandler.h"
#include "app/CMainFrame.h"
#include "app/CMendwellApp.h"
#include "app/CQtUserDialogs.h"
#include "platform/ProcessHeap.h"
#include "server/automation/CXlsApplicationServer.h"

#ifndef MENDWELL_VERSION
#define MENDWELL_VERSION "unknown"
#endif

namespace {

constexpr const char* kUsage =
    "Usage: mendwell [FILE...]\n"
    "Repairs damaged Excel 97-2003 workbooks (.xls).\n"
    "\n"
    "  FILE        one workbook opens it for repair; several open the\n"
    "              multiple-file list; none starts in the mode chosen in\n"
    "              the settings.\n"
    "  --help      show this text and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "The repair without a window: mendwell-cli.\n";

// --help and --version must work without a display, so they are answered
// before Qt connects to one. Returns the exit code, or -1 to go on.
int AnswerInfoOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) break;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("mendwell %s\n", MENDWELL_VERSION);
            return 0;
        }
    }
    return -1;
}

// The files of the command line as left after Qt took its own options;
// everything after "--" is a file even when it starts with "-".
QStringList FileArguments(int argc, char** argv) {
    QStringList files;
    bool onlyFiles = false;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (!onlyFiles && argument == QLatin1String("--")) {
            onlyFiles = true;
        } else if (onlyFiles || !argument.startsWith(QLatin1Char('-'))) {
            files << argument;
        }
    }
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    const int answered = AnswerInfoOption(argc, argv);
    if (answered >= 0) return answered;
    KeepLargeBlocksApart();

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mendwell for Excel"));
    QApplication::setApplicationVersion(QStringLiteral(MENDWELL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("mendwell"));
    CXlsApplicationServer::Register();

    CQtUserDialogs dialogs;
    CMendwellApp app(&dialogs);
    if (!app.InitInstance(FileArguments(argc, argv))) return 1;
    CGuiMessageHandler::Install(&dialogs, app.GetMainFrame());
    app.GetMainFrame()->ShowPlaced();
    const int result = QApplication::exec();
    CGuiMessageHandler::Uninstall();
    return result;
}
