// The base of the twelve screens: a full-size page of the main window's
// stacked widget, with the control identifier it was created with (the
// screen manager swaps identifiers when it shows another screen).
//
// The screen manager calls OnInitialUpdate once right after creation,
// OnShow each time the screen becomes the visible one, and OnRefresh on
// every screen when the screens are told to refresh. The main window routes
// its "&Select" and "&Repair" commands to the current screen.
#pragma once
#include <QWidget>

class CMainFrame;
class QBoxLayout;
class QHBoxLayout;
class QPushButton;
class CMendwellDoc;
class IUserDialogs;

class CScreenView : public QWidget {
    Q_OBJECT
public:
    CScreenView(CMainFrame* frame, int identifier, QWidget* parent = nullptr);
    ~CScreenView() override;

    int GetIdentifier() const { return m_identifier; }
    void SetIdentifier(int identifier) { m_identifier = identifier; }

    CMainFrame* GetFrame() const { return m_frame; }
    CMendwellDoc* GetDocument() const;
    IUserDialogs& GetDialogs() const;

    virtual void OnInitialUpdate() {}
    virtual void OnShow() {}
    virtual void OnRefresh() {}
    virtual void OnSelectCommand() {}
    virtual void OnRepairCommand() {}

protected:
    // Sets index on the screen manager and activates it.
    void ShowScreen(int index);
    // Tells every screen to refresh.
    void RefreshAllScreens();
    // A row of buttons kept to the right, appended to page.
    static QHBoxLayout* AddButtonRow(QBoxLayout* page);
    // A push button of this screen named objectName (tests find it by that
    // name), appended to row.
    QPushButton* AddButton(QBoxLayout* row, const QString& text, const QString& objectName);

private:
    CMainFrame* m_frame;
    int m_identifier;
};
