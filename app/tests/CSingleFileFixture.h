// Screen tests of the single-file mode: the started program plus short ways
// to reach its screens, press their buttons and run a repair to its end.
#pragma once
#include <QPushButton>
#include <QString>
#include <filesystem>

#include "app/CViewManger.h"
#include "app/tests/support/CAppTestFixture.h"

class CSFSRepairProgressView;
class CSFSSaveOptionView;
class CSFSSavedStatusView;
class CSFSSavingProgressView;
class CSFSSelectFileView;
class CStepLinks;

class CSingleFileFixture : public CAppTestFixture {
protected:
    CSFSSelectFileView* SelectView() const;
    CSFSRepairProgressView* RepairView() const;
    CSFSSaveOptionView* OptionView() const;
    CSFSSavingProgressView* SavingView() const;
    CSFSSavedStatusView* SavedView() const;

    // Sets the current index and activates, as a link or a command does.
    void Show(int index) const;
    // Clicks the button with that object name on the screen; false (and a
    // test failure) when the screen has none.
    static bool Click(QWidget* screen, const char* objectName);
    // The links of a screen.
    static CStepLinks* Links(QWidget* screen);

    // Types path into screen 0's box and presses "&Recover".
    void Recover(const std::filesystem::path& path) const;
    // Waits for the repair worker to end (events keep running, so its
    // messages are answered); false on a time-out.
    static bool WaitForRepairEnd();
    // Recover, then the end of the repair and the timer's last tick: the
    // screen the repair leads to is current afterwards.
    bool RepairToEnd(const std::filesystem::path& path);
    // From screen 4: "&Save", then the save's end and the timer's tick.
    bool SaveToEnd();
};
