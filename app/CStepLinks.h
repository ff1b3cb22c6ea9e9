// The three links on the left of every single-file screen: "Select file",
// "View file" and "Save file", each enabled exactly when the main window's
// step flag of the same position (0, 1, 2) is set. A screen calls Refresh
// each time it is shown; the links emit their clicks and the screen decides
// what they do (ConnectDefaults gives the usual: screen 0, the "&Preview"
// command, command 32805).
#pragma once
#include <QWidget>

class CHyperLinkLabel;
class CMainFrame;

class CStepLinks : public QWidget {
    Q_OBJECT
public:
    enum ELink { SelectFile = 0, ViewFile = 1, SaveFile = 2, LinkCount = 3 };

    CStepLinks(CMainFrame* frame, QWidget* parent);

    // Enables each link by its step flag.
    void Refresh();
    // Disables all three (the saving screen).
    void DisableAll();
    CHyperLinkLabel* GetLink(ELink link) const { return m_links[link]; }
    void ConnectDefaults();

signals:
    void SelectFileClicked();
    void ViewFileClicked();
    void SaveFileClicked();

private:
    CMainFrame* m_frame;
    CHyperLinkLabel* m_links[LinkCount] = {};
};
