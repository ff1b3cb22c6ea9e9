// Scripted answers for the screens' dialogs: confirmations answer from a
// queue (then the default), file pickers hand out queued choices (then
// nothing), every text shown and every file opened is recorded.
#pragma once
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "app/IUserDialogs.h"

class CFakeUserDialogs : public IUserDialogs {
public:
    void Inform(QWidget* parent, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& text) override;
    QStringList OpenFileNames(QWidget* parent, const QString& filter, bool multiple) override;
    QString SaveFileName(QWidget* parent, const QString& suggested, const QString& filter,
                         const QString& defaultSuffix) override;
    QString ExistingDirectory(QWidget* parent, const QString& title,
                              const QString& start) override;
    bool OpenWithDesktop(const QString& path) override;

    // Answers, taken in order.
    std::deque<bool> confirmAnswers;
    bool defaultConfirmAnswer = false;
    std::deque<QStringList> openChoices;
    std::deque<QString> saveChoices;
    std::deque<QString> folderChoices;
    bool openWithDesktopResult = true;
    // Runs inside Confirm before it answers (a test may look at the state
    // of a paused worker there).
    std::function<void()> onConfirm;

    // What was shown and asked.
    QStringList informed;
    QStringList confirmations;
    QStringList openFilters;
    QStringList saveSuggestions;
    QStringList folderTitles;
    QStringList opened;
};
