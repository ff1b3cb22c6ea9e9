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
