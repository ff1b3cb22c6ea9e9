// A started program in multiple-file mode on the file list, with handles on
// the four job screens, their controls, and the job's run.
#pragma once
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <vector>

#include "app/CMFSFileList.h"
#include "app/CMFSRepairSaveProgressView.h"
#include "app/CMFSRepairSavedStatusView.h"
#include "app/CMFSSaveOptionView.h"
#include "app/CMFSSelectFileView.h"
#include "app/tests/support/CAppTestFixture.h"

class CMFSScreenTest : public CAppTestFixture {
protected:
    static const QString kJobDone;
    static const QString kDuplicateTail;

    // Starts the program and shows screen 7 in multiple-file mode.
    void StartOnFileList();

    CMFSSelectFileView& FileListScreen() const;
    CMFSSaveOptionView& OptionScreen() const;
    CMFSRepairSaveProgressView& ProgressScreen() const;
    CMFSRepairSavedStatusView& ResultScreen() const;

    // The button of screen with exactly this text ("&Save"); fails the test
    // when there is none.
    static QPushButton* Button(const CScreenView& screen, const QString& text);
    static CMFSFileList* List(const CScreenView& screen, const QString& objectName);
    // One column of a list, top to bottom.
    static QStringList Column(const CMFSFileList& list, int column);

    // The job's source list as text.
    QStringList Sources() const;

    // From screen 7: adds files through "&Add files", goes on with "&Repair
    // and save", types folder and presses "&Save".
    void RunToJob(const std::vector<std::filesystem::path>& files, const QString& folder);
    // Waits for the job's end (its closing message, whatever it counts, is
    // answered on the way).
    bool WaitForJobEnd();
    // Count of the job's closing messages among the messages shown.
    int JobEnds() const;
    // Count of messages equal to text.
    int Informed(const QString& text) const;
};
