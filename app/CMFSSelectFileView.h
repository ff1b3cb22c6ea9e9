// Multiple-file screen 7: the list of damaged files.
#pragma once
#include <QStringList>
#include "app/CScreenView.h"

class CMFSSelectFileView : public CScreenView {
    Q_OBJECT
public:
    CMFSSelectFileView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CMFSSelectFileView() override;

    // Appends paths to the job's source list; each path already listed is
    // refused with its own message. Then the screens refresh.
    void AddFiles(const QStringList& paths);
};
