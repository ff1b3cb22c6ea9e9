#include "app/tests/support/CFakeUserDialogs.h"

void CFakeUserDialogs::Inform(QWidget*, const QString& text) { informed << text; }

bool CFakeUserDialogs::Confirm(QWidget*, const QString& text) {
    confirmations << text;
    if (onConfirm) onConfirm();
    if (confirmAnswers.empty()) return defaultConfirmAnswer;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

QStringList CFakeUserDialogs::OpenFileNames(QWidget*, const QString& filter, bool) {
    openFilters << filter;
    if (openChoices.empty()) return {};
    QStringList choice = openChoices.front();
    openChoices.pop_front();
    return choice;
}

QString CFakeUserDialogs::SaveFileName(QWidget*, const QString& suggested, const QString&,
                                       const QString&) {
    saveSuggestions << suggested;
    if (saveChoices.empty()) return {};
    QString choice = saveChoices.front();
    saveChoices.pop_front();
    return choice;
}

QString CFakeUserDialogs::ExistingDirectory(QWidget*, const QString& title, const QString&) {
    folderTitles << title;
    if (folderChoices.empty()) return {};
    QString choice = folderChoices.front();
    folderChoices.pop_front();
    return choice;
}

bool CFakeUserDialogs::OpenWithDesktop(const QString& path) {
    opened << path;
    return openWithDesktopResult;
}
