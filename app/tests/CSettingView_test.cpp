#include "app/CSettingView.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "app/CMainFrame.h"
#include "app/CViewManger.h"
#include "app/CommandIds.h"
#include "app/tests/support/CAppTestFixture.h"
#include "platform/SettingsStore.h"

namespace {

template <typename TWidget>
TWidget* Child(const CSettingView& view, const char* name) {
    auto* widget = view.findChild<TWidget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

}  // namespace

class SettingViewTest : public CAppTestFixture {
protected:
    CSettingView& Settings() const {
        return *static_cast<CSettingView*>(Views().GetScreen(CViewManger::Settings));
    }
    void OpenFrom(int index) {
        Views().SetCurrentIndex(index);
        Views().Activate();
        Frame().OnOptions();
        ASSERT_EQ(CurrentIndex(), CViewManger::Settings);
    }
    void Click(const char* name) { Child<QPushButton>(Settings(), name)->click(); }
    QLineEdit* Location() const { return Child<QLineEdit>(Settings(), "LocationEdit"); }
    QLineEdit* Suffix() const { return Child<QLineEdit>(Settings(), "SuffixEdit"); }
    QRadioButton* Single() const { return Child<QRadioButton>(Settings(), "StartSingleRadio"); }
    QRadioButton* Multiple() const { return Child<QRadioButton>(Settings(), "StartMultipleRadio"); }
};

TEST_F(SettingViewTest, ShowsTheDefaultsWhenNothingIsStored) {
    Start();
    OpenFrom(CViewManger::SFSSelectFile);
    EXPECT_TRUE(Single()->isChecked());
    EXPECT_FALSE(Multiple()->isChecked());
    EXPECT_EQ(Suffix()->text(), "(Mendwell)");
    EXPECT_EQ(Location()->text().toStdU16String(),
              SettingsStore::DefaultValue(ESetting::RecLocation));
    EXPECT_EQ(Single()->text(), "Start in Single file mode");
    EXPECT_EQ(Multiple()->text(), "Start in Multiple file mode");
}

TEST_F(SettingViewTest, ApplyWritesTheThreeValuesAndGoesBack) {
    Start();
    OpenFrom(CViewManger::SFSSaveOption);
    Multiple()->setChecked(true);
    Location()->setText("/srv/recovered/");
    Suffix()->setText(" (fixed)");
    Click("ApplyButton");
    const SettingsStore store;
    EXPECT_EQ(store.ReadStartUpMode(), u"M");
    EXPECT_EQ(store.ReadLocation(), u"/srv/recovered/");
    EXPECT_EQ(store.ReadSuffix(), u" (fixed)");
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSSaveOption);
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::SFSSaveOption));
}

TEST_F(SettingViewTest, ApplyWithSingleFileModeWritesS) {
    SettingsStore().WriteStartUpMode(u"M");
    Start();
    OpenFrom(CViewManger::MFSSelectFile);
    EXPECT_TRUE(Multiple()->isChecked());
    Single()->setChecked(true);
    Click("ApplyButton");
    EXPECT_EQ(SettingsStore().ReadStartUpMode(), u"S");
}

TEST_F(SettingViewTest, CancelWritesNothingAndGoesBack) {
    Start();
    OpenFrom(CViewManger::MFSRepairSaveProgress);
    Multiple()->setChecked(true);
    Suffix()->setText("(other)");
    Click("CancelButton");
    EXPECT_FALSE(std::filesystem::exists(SettingsStore().GetFilePath()));
    EXPECT_EQ(CurrentIndex(), CViewManger::MFSRepairSaveProgress);
}

TEST_F(SettingViewTest, ReloadsOnEveryShowDroppingUnappliedEdits) {
    Start();
    OpenFrom(CViewManger::SFSSelectFile);
    Suffix()->setText("(typed)");
    Click("CancelButton");
    SettingsStore().WriteSuffix(u"(from elsewhere)");
    OpenFrom(CViewManger::SFSSelectFile);
    EXPECT_EQ(Suffix()->text(), "(from elsewhere)");
}

TEST_F(SettingViewTest, BrowseAsksWithItsTitleAndTakesTheChosenFolder) {
    Start();
    OpenFrom(CViewManger::SFSSelectFile);
    m_dialogs.folderChoices = {QString(), "/media/usb/out"};
    Click("BrowseButton");
    EXPECT_NE(Location()->text(), "");
    EXPECT_NE(Location()->text(), "/media/usb/out");
    Click("BrowseButton");
    EXPECT_EQ(Location()->text(), "/media/usb/out");
    ASSERT_EQ(m_dialogs.folderTitles.size(), 2);
    EXPECT_EQ(m_dialogs.folderTitles.front(), "Select the destination directory to save the file:");
}

TEST_F(SettingViewTest, ApplyOutsideSettingsDoesNotJumpAway) {
    Start();
    Views().SetCurrentIndex(CViewManger::SFSSaveOption);
    Views().Activate();
    Settings().OnCancel();
    EXPECT_EQ(CurrentIndex(), CViewManger::SFSSaveOption);
}
