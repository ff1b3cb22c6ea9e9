// Single-file screen 0: choose the damaged file. The path box shows the
// document's source path each time the screen is shown or the screens are
// refreshed; "&Browse" and "&Select file" pick a file through the dialogs,
// a file dropped from the desktop becomes the source path, and "&Recover"
// checks the path and starts the repair on screen 1.
#pragma once
#include <QList>
#include <QUrl>
#include <filesystem>

#include "app/CScreenView.h"

class CStepLinks;
class QLineEdit;
class QPushButton;

class CSFSSelectFileView : public CScreenView {
    Q_OBJECT
public:
    // Longest dropped path taken, in characters (the rest is cut off).
    static constexpr int kMaxDroppedPathLength = 512;

    CSFSSelectFileView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CSFSSelectFileView() override;

    // "&Recover": checks the path in the edit box, prepares the repair,
    // shows screen 1 and starts the repair worker. An empty box and a path
    // that names no existing file each get their message and change
    // nothing. While a repair or a save still runs, its screen is shown
    // instead: the document's workbook must not be replaced under a worker.
    void OnRecover();
    // "&Select file" and "&Browse": the open-file dialog; a confirmed
    // choice becomes the source path and every screen refreshes.
    void OnSelectFile();
    // The first local file of urls (cut to kMaxDroppedPathLength) becomes
    // the source path; false when urls hold no local file.
    bool AcceptDroppedFiles(const QList<QUrl>& urls);

    void OnShow() override;
    void OnRefresh() override;
    void OnSelectCommand() override;
    void OnRepairCommand() override;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Prepares the repair of source and starts it on screen 1, once no
    // preview fill reads the workbook any more (waiting up to waitsLeft
    // timer turns for it to stop).
    void BeginRepair(const std::filesystem::path& source, int waitsLeft);
    void SetSourcePath(const QString& path);

    CStepLinks* m_links = nullptr;
    QLineEdit* m_pathEdit = nullptr;
};
