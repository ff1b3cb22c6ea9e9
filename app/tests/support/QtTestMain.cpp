// The main of the screen tests: the QApplication exists before any test,
// on the offscreen platform unless another one was asked for, and our own
// spreadsheet server is registered for the saves.
#include <gtest/gtest.h>

#include <QApplication>

#include "server/automation/CXlsApplicationServer.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    CXlsApplicationServer::Register();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The leak checker of sanitizer builds reads these rules at start-up. The
// system's fontconfig keeps a small block from Qt's first font lookup for the
// life of the process (FcFini, which would free it, is never called); the
// report's stack ends inside the library, so only the library can be named.
// Nothing of ours is hidden by this rule.
extern "C" const char* __lsan_default_suppressions();

extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
