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
#include <vector>

class CMainFrame;
class CMendwellDoc;
class IUserDialogs;

class CMendwellApp {
public:
    // dialogs is borrowed and must outlive the application object.
    explicit CMendwellApp(IUserDialogs* dialogs);
    ~CMendwellApp();

    // The start-up; files are the paths given on the command line. Only
    // those naming an existing regular file count (relative ones are taken
    // from the current directory): one opens screen 0 in single-file mode
    // with its path as the source; several open the multiple-file list with
    // them; none leaves the choice to the start-up mode setting. False when
    // the main window cannot be made.
    bool InitInstance(const QStringList& files = {});

    // The command-line paths that name existing regular files, made
    // absolute, in their order.
    static std::vector<std::filesystem::path> ExistingFiles(const QStringList& files);

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
