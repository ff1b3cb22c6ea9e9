// The repair report as readable text in a read-only view, with a search
// field ("Find" goes to the next match, from the top again after the last),
// "Copy" (the whole text to the clipboard) and "Save…" (the text, or the
// JSON when the chosen name ends in .json). Holds its own copy of the
// report; the dialogs (borrowed) must outlive it.
#pragma once
#include <QDialog>

#include "repair/CRepairReport.h"

class IUserDialogs;
class QLineEdit;
class QPlainTextEdit;

class CRepairReportDialog : public QDialog {
    Q_OBJECT
public:
    CRepairReportDialog(const CRepairReport& report, IUserDialogs& dialogs,
                        QWidget* parent = nullptr);

    QString GetText() const;
    // Selects the next match of the search field's text; false when there
    // is none anywhere.
    bool FindNext();
    void CopyToClipboard() const;
    // Asks for a name and writes the report there; false when cancelled or
    // the file could not be written (the user is told).
    bool SaveAs();
    // Writes the report to path: JSON when it ends in .json, else text.
    bool WriteTo(const QString& path) const;

private:
    CRepairReport m_report;
    IUserDialogs& m_dialogs;
    QLineEdit* m_find = nullptr;
    QPlainTextEdit* m_text = nullptr;
};
