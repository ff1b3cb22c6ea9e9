#include <gtest/gtest.h>

#include "app/CMainFrame.h"
#include "app/CScreenView.h"
#include "app/CViewManger.h"
#include "app/tests/support/CAppTestFixture.h"

class ViewManagerTest : public CAppTestFixture {};

TEST_F(ViewManagerTest, StartsOnScreenZeroShowingIt) {
    Start();
    EXPECT_EQ(CurrentIndex(), 0);
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(0));
}
