// The repair's one-line verdict and a "Details…" button that opens the
// whole report (CRepairReportDialog), for the single-file status and saved
// screens. Shows nothing until it is given a report.
#pragma once
#include <QWidget>
#include <optional>

#include "repair/CRepairReport.h"

class CRepairReportDialog;
class IUserDialogs;
class QLabel;
class QPushButton;

class CReportSummaryRow : public QWidget {
    Q_OBJECT
public:
    // dialogs (borrowed) serve the report dialog's "Save…".
    explicit CReportSummaryRow(IUserDialogs& dialogs, QWidget* parent = nullptr);

    // Copies report; null hides the row.
    void ShowReport(const CRepairReport* report);
    QString GetVerdictText() const;
    // "Details…": opens the report dialog (window-modal, deleted on close)
    // and returns it; null without a report.
    CRepairReportDialog* OpenDetails();

private:
    IUserDialogs& m_dialogs;
    std::optional<CRepairReport> m_report;
    QLabel* m_verdict = nullptr;
    QPushButton* m_details = nullptr;
};
