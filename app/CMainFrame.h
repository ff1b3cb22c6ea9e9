// The main window "Mendwell for Excel": a stacked widget holding the twelve
// screens, the menu bar, tool bar and status bar with their commands, the
// mode (single-file or multiple-file), the theme, the three step flags that
// open the single-file links, and the two status texts.
//
// Closing the window while a worker runs asks first and, when confirmed,
// stops the work and sets ExitPending: the screen whose timer sees the
// worker end then calls PostClose. When the worker has already ended by the
// time the question is answered, the window closes at once instead.
//
// The theme is a style and palette applied to the whole application.
#pragma once
#include <QMainWindow>
#include <QString>
#include <map>

class CMendwellDoc;
class CViewManger;
class IUserDialogs;
class QAction;
class QLabel;
class QStackedWidget;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    enum class EMode { SingleFile, MultipleFile };
    // 0 Office 2000, 1 Office XP, 2 Office 2003 (Luna colours optional),
    // 3 Windows XP.
    enum ETheme : int { Office2000 = 0, OfficeXP = 1, Office2003 = 2, WindowsXP = 3 };

    // The document and the dialogs are borrowed and must outlive the window.
    // Creates the menus, tool bar, status bar and the twelve screens (not
    // yet activated).
    CMainFrame(CMendwellDoc* document, IUserDialogs* dialogs, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CMendwellDoc* GetDocument() const { return m_document; }
    IUserDialogs& GetDialogs() const { return *m_dialogs; }
    CViewManger& GetViewManager() const { return *m_views; }

    EMode GetMode() const { return m_mode; }
    void SetMode(EMode mode);

    int GetTheme() const { return m_theme; }
    bool GetLunaColors() const { return m_lunaColors; }

    // Step flags 0, 1, 2 (all false at construction).
    bool GetStepFlag(int index) const;
    void SetStepFlag(int index, bool value);
    void SetAllStepFlags(bool value);

    void SetMultiFileStatusText(const QString& text);
    void SetSingleFileStatusText(const QString& text);
    QString GetMultiFileStatusText() const { return m_multiFileStatus; }
    QString GetSingleFileStatusText() const { return m_singleFileStatus; }
    // What the status bar pane shows now.
    QString GetStatusBarText() const;

    // The action of a menu or tool bar command (CommandId), null if none.
    QAction* GetAction(int commandId) const;

    // Commands; the menu and tool bar actions call these.
    void OnRecoveryMode();
    void OnMultiFileMode();
    void OnOptions();
    void OnSelect();
    void OnRepair();
    void OnPreview();
    void OnSaveAction();
    void OnSaveRepaired();
    void OnHelp();
    void OnTheme(int commandId);
    void OnNext();
    void OnBack();

    // Enabling and check marks of the commands, and the status bar text.
    void UpdateCommandStates();
    // Called by the screen manager after every activation.
    void OnScreenActivated();

    // Asks the window to close from the event loop (not at once).
    void PostClose();
    // Shows the window where it stood when it last closed (maximised if it
    // was), or at two thirds of the screen the first time; from then on its
    // place is written to the settings when it closes.
    void ShowPlaced();

    // The help page found now (see CHelpLocator), empty when none is.
    static QString FindHelpPage();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    QAction* AddAction(int commandId, const QString& text, void (CMainFrame::*slot)());
    // Applies m_theme and m_lunaColors to the application.
    void ApplyTheme();
    // Whether the window may close now; asks the running worker's screen
    // to stop it first (see the header comment).
    bool MayClose();
    // After a confirmed stop: true when no worker runs any more.
    bool NothingLeftRunning();

    CMendwellDoc* m_document;
    IUserDialogs* m_dialogs;
    QStackedWidget* m_stack = nullptr;
    CViewManger* m_views = nullptr;
    QLabel* m_statusPane = nullptr;
    std::map<int, QAction*> m_actions;
    EMode m_mode = EMode::SingleFile;
    int m_theme = WindowsXP;
    bool m_lunaColors = false;
    bool m_keepsPlace = false;
    bool m_stepFlags[3] = {false, false, false};
    QString m_multiFileStatus;
    QString m_singleFileStatus;
};
