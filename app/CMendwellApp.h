// The application object: the start-up of the desktop program. It creates
// the document, the main window and its twelve screens, reads the start-up
// mode ("M" starts on the multiple-file list, anything else on the
// single-file screen 0), opens files given on the command line in the
// matching mode, and activates the first screen.
#pragma once
#include <QFont>
#include <QStringList>
#include <filesystem>
#include <memory>

class CMainFrame;
class CMendwellDoc;
class IUserDialogs;

class CMendwellApp {
public:
    // dialogs is borrowed and must outlive the application object.
    explicit CMendwellApp(IUserDialogs* dialogs);
    ~CMendwellApp();

    // The start-up; files are the paths given on the command line (one
    // file: screen 0 with its path; several: the multiple-file list). False
    // when the main window cannot be made.
    bool InitInstance(const QStringList& files = {});

    CMainFrame* GetMainFrame() const { return m_frame.get(); }
    CMendwellDoc* GetDocument() const { return m_document.get(); }

    // The folder the program started in, ending in "/".
    const std::filesystem::path& GetApplicationFolder() const { return m_applicationFolder; }
    // "Verdana" and "Arial", 14 pixels high, normal weight, antialiased.
    const QFont& GetVerdanaFont() const { return m_verdana; }
    const QFont& GetArialFont() const { return m_arial; }

private:
    IUserDialogs* m_dialogs;
    std::filesystem::path m_applicationFolder;
    QFont m_verdana;
    QFont m_arial;
    std::unique_ptr<CMendwellDoc> m_document;
    std::unique_ptr<CMainFrame> m_frame;
};
