#include "app/tests/CSingleFileFixture.h"

#include <QLineEdit>

#include "app/CSFSRepairProgressView.h"
#include "app/CSFSSaveOptionView.h"
#include "app/CSFSSavedStatusView.h"
#include "app/CSFSSavingProgressView.h"
#include "app/CSFSSelectFileView.h"
#include "app/CStepLinks.h"
#include "platform/RunState.h"

CSFSSelectFileView* CSingleFileFixture::SelectView() const {
    return static_cast<CSFSSelectFileView*>(Views().GetScreen(CViewManger::SFSSelectFile));
}

CSFSRepairProgressView* CSingleFileFixture::RepairView() const {
    return static_cast<CSFSRepairProgressView*>(Views().GetScreen(CViewManger::SFSRepairProgress));
}

CSFSSaveOptionView* CSingleFileFixture::OptionView() const {
    return static_cast<CSFSSaveOptionView*>(Views().GetScreen(CViewManger::SFSSaveOption));
}

CSFSSavingProgressView* CSingleFileFixture::SavingView() const {
    return static_cast<CSFSSavingProgressView*>(Views().GetScreen(CViewManger::SFSSavingProgress));
}

CSFSSavedStatusView* CSingleFileFixture::SavedView() const {
    return static_cast<CSFSSavedStatusView*>(Views().GetScreen(CViewManger::SFSSavedStatus));
}

void CSingleFileFixture::Show(int index) const {
    Views().SetCurrentIndex(index);
    Views().Activate();
}

bool CSingleFileFixture::Click(QWidget* screen, const char* objectName) {
    auto* button = screen->findChild<QPushButton*>(QString::fromLatin1(objectName));
    if (button == nullptr) {
        ADD_FAILURE() << "no button " << objectName;
        return false;
    }
    button->click();
    return true;
}

CStepLinks* CSingleFileFixture::Links(QWidget* screen) {
    return screen->findChild<CStepLinks*>();
}

void CSingleFileFixture::Recover(const std::filesystem::path& path) const {
    SelectView()->findChild<QLineEdit*>(QStringLiteral("SourcePath"))->setText(ToQString(path));
    Click(SelectView(), "Recover");
}

bool CSingleFileFixture::WaitForRepairEnd() {
    return WaitUntil([] { return ParsingRunning == 0; });
}

bool CSingleFileFixture::RepairToEnd(const std::filesystem::path& path) {
    Recover(path);
    if (CurrentIndex() != CViewManger::SFSRepairProgress || !WaitForRepairEnd()) return false;
    // The real timer may have ticked already; a second tick would find the
    // screen changed and do nothing, but the test wants exactly one.
    if (RepairView()->IsTimerActive()) RepairView()->OnTimer();
    return !RepairView()->IsTimerActive();
}

bool CSingleFileFixture::SaveToEnd() {
    if (!Click(OptionView(), "Save")) return false;
    if (!WaitUntil([] { return SaveRunning == 0; })) return false;
    if (SavingView()->IsTimerActive()) SavingView()->OnTimer();
    return !SavingView()->IsTimerActive();
}
