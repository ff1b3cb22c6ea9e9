#include "app/tests/support/CAppTestFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <fstream>

#include "app/CGuiMessageHandler.h"
#include "app/CMainFrame.h"
#include "app/CMendwellApp.h"
#include "app/CViewManger.h"
#include "platform/RunState.h"
#include "tools/samples/SampleWorkbook.h"

namespace {

void ResetRunState() {
    ParsingRunning = 0;
    ParsingSucceeded = 0;
    StopRequested = 0;
    ResetRepairCounters();
    RepairProgress = 0;
    SaveRunning = 0;
    SaveStopRequested = 0;
    SaveResult = 0;
    SaveProgress = 0;
    PreviewRunning = 0;
    PreviewStop = 0;
    JobRunning = 0;
    SkipAll = 0;
    ExitPending = 0;
}

}  // namespace

CAppTestFixture::CAppTestFixture() = default;

CAppTestFixture::~CAppTestFixture() = default;

void CAppTestFixture::SetUp() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    m_scratch = std::filesystem::temp_directory_path() /
                (std::string("mendwell-app-") + info->test_suite_name() + "-" + info->name() +
                 "-" + std::to_string(QCoreApplication::applicationPid()));
    std::filesystem::remove_all(m_scratch);
    std::filesystem::create_directories(m_scratch);
    m_settingsFolder = m_scratch / "config";
    m_hadConfigHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    m_oldConfigHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(m_settingsFolder.string()));
    m_settingsFolder /= "MendwellExcel";
    ResetRunState();
}

void CAppTestFixture::TearDown() {
    WaitForWorkersIdle();
    CGuiMessageHandler::Uninstall();
    m_app.reset();
    Pump();
    ResetRunState();
    if (m_hadConfigHome) {
        qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
    } else {
        qunsetenv("XDG_CONFIG_HOME");
    }
    std::error_code ignored;
    std::filesystem::remove_all(m_scratch, ignored);
}

void CAppTestFixture::Start(const QStringList& files) {
    m_app = std::make_unique<CMendwellApp>(&m_dialogs);
    ASSERT_TRUE(m_app->InitInstance(files));
    CGuiMessageHandler::Install(&m_dialogs, m_app->GetMainFrame());
}

CMainFrame& CAppTestFixture::Frame() const { return *m_app->GetMainFrame(); }

CMendwellDoc& CAppTestFixture::Doc() const { return *m_app->GetDocument(); }

CViewManger& CAppTestFixture::Views() const { return Frame().GetViewManager(); }

int CAppTestFixture::CurrentIndex() const { return Views().GetCurrentIndex(); }

bool CAppTestFixture::WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return done();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

void CAppTestFixture::Pump(int ms) {
    QElapsedTimer clock;
    clock.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    } while (clock.elapsed() < ms);
}

bool CAppTestFixture::WaitForWorkersIdle(int timeoutMs) {
    return WaitUntil(
        [] {
            return ParsingRunning == 0 && SaveRunning == 0 && PreviewRunning == 0 &&
                   JobRunning == 0;
        },
        timeoutMs);
}

std::filesystem::path CAppTestFixture::WriteDamagedSample(const QString& name) {
    const std::filesystem::path path = m_scratch / name.toStdString();
    const std::vector<std::uint8_t> bytes = BuildDamagedSampleFile();
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::filesystem::path CAppTestFixture::WriteUnrepairableFile(const QString& name) {
    const std::filesystem::path path = m_scratch / name.toStdString();
    std::ofstream(path) << "just some notes, not a workbook\n";
    return path;
}

QString CAppTestFixture::ToQString(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}
