#include "app/CReportSummaryRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "app/CRepairReportDialog.h"
#include "repair/CRepairReportText.h"

CReportSummaryRow::CReportSummaryRow(IUserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_dialogs(dialogs) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    m_verdict = new QLabel(this);
    m_verdict->setObjectName(QStringLiteral("ReportVerdict"));
    m_verdict->setWordWrap(true);
    m_verdict->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_details = new QPushButton(tr("Details…"), this);
    m_details->setObjectName(QStringLiteral("Details"));
    row->addWidget(m_verdict, 1);
    row->addWidget(m_details);
    connect(m_details, &QPushButton::clicked, this, [this] { OpenDetails(); });
    setVisible(false);
}

void CReportSummaryRow::ShowReport(const CRepairReport* report) {
    if (report == nullptr) {
        m_report.reset();
        m_verdict->clear();
        setVisible(false);
        return;
    }
    m_report = *report;
    // The verdict's words are the command-line tool's; only the lead-in is
    // ours to translate.
    m_verdict->setText(
        tr("Repair: %1").arg(QString::fromStdString(CRepairReportText::Verdict(*m_report))));
    setVisible(true);
}

QString CReportSummaryRow::GetVerdictText() const {
    return m_verdict->text();
}

CRepairReportDialog* CReportSummaryRow::OpenDetails() {
    if (!m_report) return nullptr;
    auto* dialog = new CRepairReportDialog(*m_report, m_dialogs, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->show();
    return dialog;
}
