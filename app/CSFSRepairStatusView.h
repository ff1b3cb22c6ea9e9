// Single-file screen 2, reached by going back from the preview: a picture
// of a mended worksheet drawn into the screen beside the step links, and
// under it the repair's verdict with "Details…" (the document's repair
// report, read each time the screen is shown).
#pragma once
#include "app/CScreenView.h"

class CReportSummaryRow;
class CStepLinks;

class CSFSRepairStatusView : public CScreenView {
    Q_OBJECT
public:
    CSFSRepairStatusView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CSFSRepairStatusView() override;

    void OnShow() override;
    CReportSummaryRow* GetSummary() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CStepLinks* m_links = nullptr;
    CReportSummaryRow* m_summary = nullptr;
};
