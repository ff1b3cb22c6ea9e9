// Single-file screen 6: the file is saved. Shows the path the workbook was
// saved to and the verdict of the report with the save in it, with
// "Details…" (both read from the document each time the screen is shown or
// refreshed), "Open" hands that file to the desktop, "&Back" returns to
// the save options (screen 4).
#pragma once
#include "app/CScreenView.h"

class CReportSummaryRow;
class CStepLinks;
class QLabel;

class CSFSSavedStatusView : public CScreenView {
    Q_OBJECT
public:
    CSFSSavedStatusView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CSFSSavedStatusView() override;

    // "Open": the saved file with the desktop's default program.
    void OnOpen();
    // "&Back": screen 4.
    void OnBack();
    // The saved file's path as shown.
    QString GetSavedPath() const;
    CReportSummaryRow* GetSummary() const;

    void OnShow() override;
    void OnRefresh() override;

private:
    CStepLinks* m_links = nullptr;
    QLabel* m_path = nullptr;
    CReportSummaryRow* m_summary = nullptr;
};
