// The dialogs of the desktop program, made with Qt's message boxes, file
// dialogs and desktop services.
#pragma once
#include "app/IUserDialogs.h"

class CQtUserDialogs : public IUserDialogs {
public:
    void Inform(QWidget* parent, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& text) override;
    QStringList OpenFileNames(QWidget* parent, const QString& filter, bool multiple) override;
    QString SaveFileName(QWidget* parent, const QString& suggested, const QString& filter,
                         const QString& defaultSuffix) override;
    QString ExistingDirectory(QWidget* parent, const QString& title, const QString& start) override;
    bool OpenWithDesktop(const QString& path) override;

    // "A (*.a)|*.a|B (*.*)|*.*||" as Qt writes it: "A (*.a);;B (*)" (every
    // file, also those without a dot).
    static QString QtFilter(const QString& filter);
};
