#include "app/CViewManger.h"

#include <gtest/gtest.h>

#include "app/CMainFrame.h"
#include "app/CScreenView.h"
#include "app/CommandIds.h"
#include "app/tests/support/CAppTestFixture.h"

class ViewManagerTest : public CAppTestFixture {};

TEST_F(ViewManagerTest, StartsOnScreenZeroShowingIt) {
    Start();
    EXPECT_EQ(CurrentIndex(), 0);
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(0));
}

TEST_F(ViewManagerTest, BackOnTheFirstScreenAndNextOnSettingsDoNothing) {
    Start();
    EXPECT_FALSE(Views().Back());
    EXPECT_EQ(CurrentIndex(), 0);
    Views().SetCurrentIndex(CViewManger::Settings);
    EXPECT_FALSE(Views().Next());
    EXPECT_EQ(CurrentIndex(), CViewManger::Settings);
}

TEST_F(ViewManagerTest, NextAndBackCommandsMoveOneScreenAndShowIt) {
    Start();
    Frame().GetAction(CommandId::Next)->trigger();
    EXPECT_EQ(CurrentIndex(), 1);
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(1));
    Frame().GetAction(CommandId::Back)->trigger();
    Frame().GetAction(CommandId::Back)->trigger();
    EXPECT_EQ(CurrentIndex(), 0);
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(0));
}

TEST_F(ViewManagerTest, SettingIndexAloneChangesNothingOnScreen) {
    Start();
    Views().SetCurrentIndex(CViewManger::SFSSaveOption);
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(0));
    Views().Activate();
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::SFSSaveOption));
}

TEST_F(ViewManagerTest, GoToTakesOnlyTheFixedScreens) {
    Start();
    for (int index : {2, 5, 6, 8, 11, -1, 12}) {
        EXPECT_FALSE(Views().GoTo(index)) << index;
        EXPECT_EQ(CurrentIndex(), 0);
    }
    for (int index : {0, 1, 3, 4, 7, 9, 10}) {
        EXPECT_TRUE(Views().GoTo(index)) << index;
        EXPECT_EQ(CurrentIndex(), index);
    }
}

TEST_F(ViewManagerTest, SettingsEnteredTwiceKeepTheScreenToComeBackTo) {
    Start();
    Views().SetCurrentIndex(CViewManger::MFSRepairSaveProgress);
    ASSERT_TRUE(Views().EnterSettings());
    EXPECT_FALSE(Views().EnterSettings());
    EXPECT_EQ(Views().GetRememberedIndex(), CViewManger::MFSRepairSaveProgress);
    Views().LeaveSettings();
    EXPECT_EQ(CurrentIndex(), CViewManger::MFSRepairSaveProgress);
}

TEST_F(ViewManagerTest, ShownScreenCarriesThePaneIdentifierAndGivesItBack) {
    Start();
    const int paneId = Views().GetScreen(0)->GetIdentifier();
    Views().SetCurrentIndex(CViewManger::SFSPreview);
    Views().Activate();
    EXPECT_EQ(Views().GetScreen(CViewManger::SFSPreview)->GetIdentifier(), paneId);
    EXPECT_EQ(Views().GetScreen(0)->GetIdentifier(), CViewManger::InitialIdentifier(3));
    for (int i = 0; i < CViewManger::kScreenCount; ++i) {
        EXPECT_EQ(!Views().GetScreen(i)->isHidden(), i == CViewManger::SFSPreview) << i;
    }
}
