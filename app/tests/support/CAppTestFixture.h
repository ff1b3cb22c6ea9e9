// A started desktop program for screen tests: a fresh settings folder and a
// scratch folder per test, the run state reset, the application object
// started with scripted dialogs (which also receive the fixed messages), and
// helpers to wait for workers while the event loop runs.
#pragma once
#include <gtest/gtest.h>

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/tests/support/CFakeUserDialogs.h"

class CMainFrame;
class CMendwellApp;
class CMendwellDoc;
class CViewManger;

class CAppTestFixture : public testing::Test {
protected:
    CAppTestFixture();
    ~CAppTestFixture() override;

    void SetUp() override;
    void TearDown() override;

    // Starts the program (settings written before this call are read).
    void Start(const QStringList& files = {});

    CMendwellApp& App() const { return *m_app; }
    CMainFrame& Frame() const;
    CMendwellDoc& Doc() const;
    CViewManger& Views() const;
    int CurrentIndex() const;

    // Runs the event loop until done() holds or timeoutMs pass; returns
    // done()'s last value.
    static bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 60000);
    // Runs pending events for about ms milliseconds.
    static void Pump(int ms = 20);
    // Waits until no repair, save, preview fill or job runs.
    static bool WaitForWorkersIdle(int timeoutMs = 60000);

    // The project's damaged sample workbook written into the scratch folder.
    std::filesystem::path WriteDamagedSample(const QString& name = QStringLiteral("damaged.xls"));
    // A file that no repair can use (plain text).
    std::filesystem::path WriteUnrepairableFile(const QString& name = QStringLiteral("notes.xls"));

    static QString ToQString(const std::filesystem::path& path);

    CFakeUserDialogs m_dialogs;
    std::filesystem::path m_scratch;
    std::filesystem::path m_settingsFolder;

private:
    std::unique_ptr<CMendwellApp> m_app;
    QByteArray m_oldConfigHome;
    bool m_hadConfigHome = false;
};
