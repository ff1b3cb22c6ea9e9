// Multiple-file screen 7: the list of damaged files. The list shown is
// rebuilt from the job's source list every time the screen is shown or the
// screens refresh; the buttons edit the source list itself. Files dropped
// from the desktop are added as if chosen in the dialog.
#pragma once
#include <QStringList>
#include "app/CScreenView.h"

class CMFSFileList;
class QLabel;

class CMFSSelectFileView : public CScreenView {
    Q_OBJECT
public:
    CMFSSelectFileView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CMFSSelectFileView() override;

    // Appends paths to the job's source list; each path already listed is
    // refused with its own message. Then the screens refresh. Nothing
    // changes while a job runs (the job reads the list).
    void AddFiles(const QStringList& paths);
    // "R&emove file": drops the selected entries.
    void RemoveSelectedFiles();
    // "Re&move all files": empties the list.
    void RemoveAllFiles();

    // "&Add files" and the main window's "&Select".
    void OnSelectCommand() override;
    // "&Repair and save" and the main window's "&Repair": on to screen 8.
    void OnRepairCommand() override;
    void OnShow() override;
    void OnRefresh() override;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void RebuildList();

    CMFSFileList* m_list = nullptr;
};
