#include "app/CQtUserDialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace {
const QString kCaption = QStringLiteral("Mendwell for Excel");
}

void CQtUserDialogs::Inform(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, kCaption, text);
}

bool CQtUserDialogs::Confirm(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, kCaption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

QStringList CQtUserDialogs::OpenFileNames(QWidget* parent, const QString& filter, bool multiple) {
    if (multiple)
        return QFileDialog::getOpenFileNames(parent, QString(), QString(), QtFilter(filter));
    const QString one =
        QFileDialog::getOpenFileName(parent, QString(), QString(), QtFilter(filter));
    return one.isEmpty() ? QStringList() : QStringList{one};
}

QString CQtUserDialogs::SaveFileName(QWidget* parent, const QString& suggested,
                                     const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent, QString(), suggested, QtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!suggested.isEmpty()) dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

QString CQtUserDialogs::ExistingDirectory(QWidget* parent, const QString& title,
                                          const QString& start) {
    return QFileDialog::getExistingDirectory(parent, title, start);
}

bool CQtUserDialogs::OpenWithDesktop(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString CQtUserDialogs::QtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList entries;
    // Pairs of caption and pattern; the caption already names the pattern.
    // "*.*" meant every file where it came from; here it would hide the
    // files without a dot in their name, so it becomes "*".
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString entry = parts[i];
        entry.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
        entries << entry;
    }
    return entries.join(QStringLiteral(";;"));
}
