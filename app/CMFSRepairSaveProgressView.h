// Multiple-file screen 9: the job runs. One row per source file with the
// destination and status the job reports, the job's current step, a
// progress bar, "&Skip" and "Skip &All".
//
// The screen is the job's status list and owns the progress bar the job
// drives: the job data is created with both (EnsureJobData). The job calls
// the status list from its own thread; every call is handed over to the
// user-interface thread as a queued call, so widgets are touched there only.
// The screen owns the job's manager: it must outlive the job (the main
// window closes only once no job runs).
#pragma once
#include <QString>
#include <vector>

#include "app/CScreenView.h"
#include "containers/IJobStatusList.h"
#include "platform/ProgressTarget.h"
#include "repair/CMFSRSThreadManager.h"

class CMFSDataContainer;
class CMFSFileList;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

class CMFSRepairSaveProgressView : public CScreenView, public IJobStatusList {
    Q_OBJECT
public:
    CMFSRepairSaveProgressView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CMFSRepairSaveProgressView() override;

    // Starts the job over the document's job data and the two-second timer
    // ("Error: NULL data container" when there is none). Does nothing while
    // a job runs already.
    void StartJob();
    // The "Skip &All" confirmation with the job paused while it is open;
    // when confirmed, the job ends after the current file. True when
    // confirmed; false without asking when no job runs.
    bool ConfirmSkipAll();
    // "&Skip": the current file's repair or save ends, the job goes on.
    void OnSkip();
    // One tick of the two-second timer.
    void OnTimer();
    bool IsTimerActive() const;

    // The document's job data, created with this screen's status list and
    // progress bar on first use.
    CMFSDataContainer* EnsureJobData();
    IJobStatusList* GetStatusList() { return this; }
    ProgressTarget* GetProgressTarget() { return &m_progress; }

    void OnShow() override;
    void OnRefresh() override;

    // IJobStatusList, called on the job's thread.
    void SetRow(std::size_t row, const std::filesystem::path& destination,
                std::u16string_view status) override;
    void SetStatusText(std::u16string_view text) override;
    void InvalidateStatusArea() override;

private:
    // What the job last reported for one row, and the source it ran on (the
    // list may have changed since).
    struct SRowState {
        std::filesystem::path source;
        QString destination;
        QString status;
    };

    void ApplyRow(std::size_t row, const QString& destination, const QString& status);
    void RebuildRows();
    void ShowProgress();

    // Declared before the manager: the manager's destructor waits for the
    // job, which drives this bar until it ends.
    ProgressTarget m_progress;
    CMFSRSThreadManager m_manager;
    std::vector<SRowState> m_rows;
    CMFSFileList* m_list = nullptr;
    QLabel* m_statusLine = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QPushButton* m_skip = nullptr;
    QPushButton* m_skipAll = nullptr;
    QTimer* m_timer = nullptr;
};
