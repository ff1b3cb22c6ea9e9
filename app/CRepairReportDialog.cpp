#include "app/CRepairReportDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include "app/IUserDialogs.h"
#include "repair/CRepairReportJson.h"
#include "repair/CRepairReportText.h"

namespace {

constexpr const char* kFilter = "Text Files (*.txt)|*.txt|JSON Files (*.json)|*.json||";

QPushButton* NamedButton(const QString& text, const char* objectName, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(objectName));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CRepairReportDialog::CRepairReportDialog(const CRepairReport& report, IUserDialogs& dialogs,
                                         QWidget* parent)
    : QDialog(parent), m_report(report), m_dialogs(dialogs) {
    setWindowTitle(tr("Repair report"));
    auto* page = new QVBoxLayout(this);

    auto* search = new QHBoxLayout;
    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("ReportFind"));
    m_find->setPlaceholderText(tr("Find"));
    QPushButton* find = NamedButton(tr("Find"), "Find", this);
    search->addWidget(m_find, 1);
    search->addWidget(find);
    page->addLayout(search);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("ReportText"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setPlainText(QString::fromStdString(CRepairReportText::Write(m_report)));
    page->addWidget(m_text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copy = NamedButton(tr("Copy"), "Copy", this);
    QPushButton* save = NamedButton(tr("Save…"), "Save", this);
    buttons->addButton(copy, QDialogButtonBox::ActionRole);
    buttons->addButton(save, QDialogButtonBox::ActionRole);
    page->addWidget(buttons);

    connect(find, &QPushButton::clicked, this, [this] { FindNext(); });
    connect(m_find, &QLineEdit::returnPressed, this, [this] { FindNext(); });
    connect(copy, &QPushButton::clicked, this, [this] { CopyToClipboard(); });
    connect(save, &QPushButton::clicked, this, [this] { SaveAs(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(640, 480);
}

QString CRepairReportDialog::GetText() const {
    return m_text->toPlainText();
}

bool CRepairReportDialog::FindNext() {
    const QString wanted = m_find->text();
    if (wanted.isEmpty()) return false;
    if (m_text->find(wanted)) return true;
    // Past the last match: search again from the top.
    QTextCursor top = m_text->textCursor();
    top.movePosition(QTextCursor::Start);
    m_text->setTextCursor(top);
    return m_text->find(wanted);
}

void CRepairReportDialog::CopyToClipboard() const {
    QApplication::clipboard()->setText(GetText());
}

bool CRepairReportDialog::SaveAs() {
    const QString suggested =
        QString::fromStdString(m_report.source.stem().string()) + QStringLiteral("-report.txt");
    const QString path =
        m_dialogs.SaveFileName(this, suggested, tr(kFilter), QStringLiteral("txt"));
    if (path.isEmpty()) return false;
    if (WriteTo(path)) return true;
    m_dialogs.Inform(this, tr("The report could not be saved."));
    return false;
}

bool CRepairReportDialog::WriteTo(const QString& path) const {
    const bool json =
        QFileInfo(path).suffix().compare(QStringLiteral("json"), Qt::CaseInsensitive) == 0;
    const std::string bytes =
        json ? CRepairReportJson::Write(m_report) : CRepairReportText::Write(m_report);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return file.commit();
}
