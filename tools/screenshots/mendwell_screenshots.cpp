// mendwell-screenshots OUTPUT_DIR [WORKBOOK OTHER_PNG]...: starts the desktop
// program with its own settings in a scratch folder, walks it through every
// screen on the project's damaged sample (single-file repair, preview, save;
// a multiple-file job with one file that cannot be repaired; the settings)
// and saves one PNG per screen. Dialogs answer "no" and messages go to
// standard error, so nothing waits for a user.
//
// Each WORKBOOK given is repaired too, and its preview is saved beside
// OTHER_PNG (another program's rendering of the same sheet) in one picture,
// "12-beside-<workbook name>.png", for a person to compare.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QWindow>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/CMFSRepairSaveProgressView.h"
#include "app/CMFSRepairSavedStatusView.h"
#include "app/CMFSSaveOptionView.h"
#include "app/CMFSSelectFileView.h"
#include "app/CMainFrame.h"
#include "app/CMendwellApp.h"
#include "app/CMendwellDoc.h"
#include "app/CRepairReportDialog.h"
#include "app/CReportSummaryRow.h"
#include "app/CSFSPreViewData.h"
#include "app/CSFSRepairProgressView.h"
#include "app/CSFSRepairStatusView.h"
#include "app/CSFSSaveOptionView.h"
#include "app/CSFSSavingProgressView.h"
#include "app/CSFSSelectFileView.h"
#include "app/CViewManger.h"
#include "app/IUserDialogs.h"
#include "platform/RunState.h"
#include "platform/SettingsStore.h"
#include "server/automation/CXlsApplicationServer.h"
#include "tools/samples/SampleWorkbook.h"

namespace {

class CUnattendedDialogs : public IUserDialogs {
public:
    void Inform(QWidget*, const QString& text) override {
        std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
    }
    bool Confirm(QWidget*, const QString&) override { return false; }
    QStringList OpenFileNames(QWidget*, const QString&, bool) override { return {}; }
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString ExistingDirectory(QWidget*, const QString&, const QString&) override { return {}; }
    bool OpenWithDesktop(const QString&) override { return true; }
};

bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 60000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

void Settle() {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 300) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

class CScreenshotTaker {
public:
    CScreenshotTaker(CMainFrame* frame, std::filesystem::path folder)
        : m_frame(frame), m_folder(std::move(folder)) {}

    // The main window, or another top-level window (a dialog).
    void Take(const char* name, QWidget* window = nullptr) {
        Settle();
        if (window == nullptr) window = m_frame;
        QPixmap picture;
        QScreen* screen = window->screen();
        // On a real (or virtual) X server, what the server shows; on the
        // offscreen platform, the window's own rendering.
        if (screen != nullptr && QGuiApplication::platformName() == QLatin1String("xcb")) {
            picture = screen->grabWindow(window->winId());
        }
        if (picture.isNull()) picture = window->grab();
        const std::filesystem::path path = m_folder / (std::string(name) + ".png");
        if (!picture.save(QString::fromStdString(path.string()))) {
            std::fprintf(stderr, "could not write %s\n", path.string().c_str());
            m_failed = true;
        }
    }
    // The window's picture on the left, other scaled to its height on the
    // right.
    void TakeBeside(const std::string& name, const QString& otherPng) {
        Settle();
        const QImage ours = m_frame->grab().toImage();
        QImage other(otherPng);
        if (other.isNull()) {
            std::fprintf(stderr, "could not read %s\n", otherPng.toUtf8().constData());
            m_failed = true;
            return;
        }
        other = other.scaledToHeight(ours.height(), Qt::SmoothTransformation);
        QImage both(ours.width() + other.width(), ours.height(), QImage::Format_RGB32);
        both.fill(Qt::white);
        QPainter painter(&both);
        painter.drawImage(0, 0, ours);
        painter.drawImage(ours.width(), 0, other);
        painter.end();
        const std::filesystem::path path = m_folder / (name + ".png");
        if (!both.save(QString::fromStdString(path.string()))) {
            std::fprintf(stderr, "could not write %s\n", path.string().c_str());
            m_failed = true;
        }
    }
    bool Failed() const { return m_failed; }

private:
    CMainFrame* m_frame;
    std::filesystem::path m_folder;
    bool m_failed = false;
};

template <typename TScreen>
TScreen* Screen(CMainFrame* frame, int index) {
    return static_cast<TScreen*>(frame->GetViewManager().GetScreen(index));
}

void Show(CMainFrame* frame, int index) {
    frame->GetViewManager().SetCurrentIndex(index);
    frame->GetViewManager().Activate();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: mendwell-screenshots OUTPUT_DIR [WORKBOOK OTHER_PNG]...\n");
        return 64;
    }
    const std::filesystem::path output = std::filesystem::absolute(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(output, error);

    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / "mendwell-screenshots";
    std::filesystem::remove_all(scratch, error);
    std::filesystem::create_directories(scratch / "recovered", error);
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((scratch / "config").string()));
    SettingsStore().WriteLocation(u"" + (scratch / "recovered/").u16string());

    QApplication application(argc, argv);
    CXlsApplicationServer::Register();

    const std::filesystem::path damaged = scratch / "quarterly sales.xls";
    WriteFile(damaged, BuildDamagedSampleFile());
    WriteFile(scratch / "regional sales.xls", BuildDamagedSampleFile());
    std::ofstream(scratch / "minutes.xls") << "not a workbook\n";

    CUnattendedDialogs dialogs;
    CMendwellApp app(&dialogs);
    if (!app.InitInstance()) return 1;
    CMainFrame* frame = app.GetMainFrame();
    frame->resize(1000, 700);
    frame->show();
    CScreenshotTaker shots(frame, output);

    // Single-file mode.
    app.GetDocument()->SetSourcePath(damaged);
    frame->GetViewManager().RefreshAll();
    shots.Take("00-select-file");

    Screen<CSFSSelectFileView>(frame, 0)->OnRecover();
    auto* progress = Screen<CSFSRepairProgressView>(frame, 1);
    app.GetDocument()->GetRepairManager().Suspend();
    progress->OnTimer();
    shots.Take("01-repair-progress");
    app.GetDocument()->GetRepairManager().Resume();
    WaitUntil([] { return ParsingRunning == 0; });
    progress->OnTimer();
    WaitUntil([] { return PreviewRunning == 0; });
    shots.Take("03-preview");

    Show(frame, CViewManger::SFSRepairStatus);
    shots.Take("02-repair-status");
    CRepairReportDialog* details = Screen<CSFSRepairStatusView>(frame, CViewManger::SFSRepairStatus)
                                       ->GetSummary()
                                       ->OpenDetails();
    if (details != nullptr) {
        shots.Take("02-repair-status-details", details);
        details->close();
    }

    Show(frame, CViewManger::SFSSaveOption);
    shots.Take("04-save-options");
    Screen<CSFSSaveOptionView>(frame, 4)->StartSave();
    shots.Take("05-saving-progress");
    WaitUntil([] { return SaveRunning == 0; });
    Screen<CSFSSavingProgressView>(frame, 5)->OnTimer();
    shots.Take("06-saved");

    // Workbooks to show beside another program's rendering, in a window as
    // large as the virtual screen allows.
    frame->resize(1200, 900);
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::filesystem::path workbook = std::filesystem::absolute(argv[i]);
        app.GetDocument()->SetSourcePath(workbook);
        Show(frame, CViewManger::SFSSelectFile);
        Screen<CSFSSelectFileView>(frame, 0)->OnRecover();
        WaitUntil([] { return ParsingRunning == 0; });
        progress->OnTimer();
        WaitUntil([] { return PreviewRunning == 0; });
        shots.TakeBeside("12-beside-" + workbook.stem().string(),
                         QString::fromLocal8Bit(argv[i + 1]));
    }
    frame->resize(1000, 700);

    // Multiple-file mode.
    frame->OnMultiFileMode();
    Screen<CMFSSelectFileView>(frame, 7)->AddFiles(
        {QString::fromStdString(damaged.string()),
         QString::fromStdString((scratch / "minutes.xls").string()),
         QString::fromStdString((scratch / "regional sales.xls").string())});
    Show(frame, CViewManger::MFSSelectFile);
    shots.Take("07-file-list");
    Show(frame, CViewManger::MFSSaveOption);
    shots.Take("08-job-options");
    Screen<CMFSSaveOptionView>(frame, 8)->OnSave();
    shots.Take("09-job-progress");
    WaitUntil([] { return JobRunning == 0; });
    Screen<CMFSRepairSaveProgressView>(frame, 9)->OnTimer();
    shots.Take("10-job-results");
    // The first file's report, as a double-click on its row opens it.
    if (CRepairReportDialog* report =
            Screen<CMFSRepairSavedStatusView>(frame, CViewManger::MFSRepairSavedStatus)
                ->OpenReport(0)) {
        shots.Take("10-job-results-report", report);
        report->close();
    }

    frame->OnOptions();
    shots.Take("11-settings");

    frame->hide();
    std::filesystem::remove_all(scratch, error);
    return shots.Failed() ? 1 : 0;
}
