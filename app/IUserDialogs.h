// The dialogs the screens open: message boxes, confirmations, file and
// folder pickers, and the desktop's "open this file" service. The program
// uses the Qt implementation (CQtUserDialogs); tests script the answers.
// Every call runs on the user-interface thread and returns when answered.
#pragma once
#include <QString>
#include <QStringList>

class QWidget;

class IUserDialogs {
public:
    virtual ~IUserDialogs() = default;

    // An information box with an OK button.
    virtual void Inform(QWidget* parent, const QString& text) = 0;
    // A yes/no question; true for yes.
    virtual bool Confirm(QWidget* parent, const QString& text) = 0;

    // filter is written the old way: "Worksheet Files (*.xls)|*.xls|All
    // Files (*.*)|*.*||". Empty when cancelled.
    virtual QStringList OpenFileNames(QWidget* parent, const QString& filter, bool multiple) = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& suggested, const QString& filter,
                                 const QString& defaultSuffix) = 0;
    virtual QString ExistingDirectory(QWidget* parent, const QString& title,
                                      const QString& start) = 0;

    // Opens a file (a saved workbook, the help page) with the desktop's
    // default program; false when nothing could be started.
    virtual bool OpenWithDesktop(const QString& path) = 0;
};
