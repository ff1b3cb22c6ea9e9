// The twelve screens of the main window and the rules for moving between
// them. Setting the index changes nothing on screen; Activate shows the
// screen at the current index. The screens are created once, hidden, and
// live until the main window goes.
#pragma once
#include <array>

class CMainFrame;
class CScreenView;
class CMFSSelectFileView;
class CMFSSaveOptionView;
class CMFSRepairSaveProgressView;
class QStackedWidget;

class CViewManger {
public:
    static constexpr int kScreenCount = 12;
    enum EScreen : int {
        SFSSelectFile = 0,
        SFSRepairProgress = 1,
        SFSRepairStatus = 2,
        SFSPreview = 3,
        SFSSaveOption = 4,
        SFSSavingProgress = 5,
        SFSSavedStatus = 6,
        MFSSelectFile = 7,
        MFSSaveOption = 8,
        MFSRepairSaveProgress = 9,
        MFSRepairSavedStatus = 10,
        Settings = 11,
    };
    // Control identifier each screen is created with (59649 + index).
    static int InitialIdentifier(int index) { return 59649 + index; }

    CViewManger(CMainFrame* frame, QStackedWidget* stack);

    // Creates the twelve screens as hidden pages of the stack and sends each
    // its initial update.
    void CreateScreens();

    // False (index unchanged) when the index is 11.
    bool Next();
    // False when the index is 0.
    bool Back();
    // One of the fixed screens 0, 1, 3, 4, 7, 9, 10; false for any other.
    bool GoTo(int index);
    // False when settings are already shown; otherwise remembers the index
    // and sets 11.
    bool EnterSettings();
    // Swaps the current and the remembered index.
    void LeaveSettings();

    // Shows the screen at the current index (see the .cpp).
    void Activate();

    int GetCurrentIndex() const { return m_current; }
    void SetCurrentIndex(int index);
    int GetRememberedIndex() const { return m_remembered; }

    CScreenView* GetScreen(int index) const;
    // The screen the stack shows now (null before the first Activate).
    CScreenView* GetShownScreen() const { return m_shown; }
    CMFSSelectFileView* GetMFSSelectFileView() const;
    CMFSSaveOptionView* GetMFSSaveOptionView() const;
    CMFSRepairSaveProgressView* GetMFSRepairSaveProgressView() const;

    // Every screen's OnRefresh.
    void RefreshAll();

private:
    CMainFrame* m_frame;
    QStackedWidget* m_stack;
    std::array<CScreenView*, kScreenCount> m_screens{};
    CScreenView* m_shown = nullptr;
    int m_current = 0;
    int m_remembered = 0;
};
