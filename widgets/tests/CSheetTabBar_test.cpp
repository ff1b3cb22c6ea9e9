#include "widgets/CSheetTabBar.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTabBar>
#include <QToolButton>

namespace {

class TabBarTest : public ::testing::Test {
protected:
    void SetUp() override { m_bar.SetTabs({"Sales", "Notes", "Totals"}); }

    void Click(CSheetTabBar::ENavButton button) { m_bar.GetButton(button)->click(); }

    CSheetTabBar m_bar;
};

}  // namespace

TEST_F(TabBarTest, CaptionsUseCourierFifteenPixelsNormalWeight) {
    const QTabBar* tabs = m_bar.findChild<QTabBar*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->font().family(), "Courier");
    EXPECT_EQ(tabs->font().pixelSize(), 15);
    EXPECT_EQ(tabs->font().weight(), QFont::Normal);
    EXPECT_EQ(m_bar.height(), CSheetTabBar::kHeight);
}

TEST_F(TabBarTest, ButtonsCarryTheirTooltipsAndIcons) {
    const char* const tips[] = {"First", "Previous", "Next", "Last", "Close"};
    for (int i = 0; i < CSheetTabBar::NavButtonCount; ++i) {
        const QToolButton* button = m_bar.GetButton(static_cast<CSheetTabBar::ENavButton>(i));
        EXPECT_EQ(button->toolTip(), tips[i]);
        EXPECT_FALSE(button->icon().isNull()) << tips[i];
    }
}

TEST_F(TabBarTest, SettingTabsSelectsTheFirstSilently) {
    QSignalSpy changed(&m_bar, &CSheetTabBar::CurrentChanged);
    m_bar.SetTabs({"One", "Two"});
    EXPECT_EQ(m_bar.GetCount(), 2);
    EXPECT_EQ(m_bar.GetTabText(1), "Two");
    EXPECT_EQ(m_bar.GetCurrentIndex(), 0);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(TabBarTest, NavigationButtonsMoveTheCurrentTab) {
    QSignalSpy changed(&m_bar, &CSheetTabBar::CurrentChanged);
    Click(CSheetTabBar::Next);
    EXPECT_EQ(m_bar.GetCurrentIndex(), 1);
    Click(CSheetTabBar::Last);
    EXPECT_EQ(m_bar.GetCurrentIndex(), 2);
    Click(CSheetTabBar::Previous);
    EXPECT_EQ(m_bar.GetCurrentIndex(), 1);
    Click(CSheetTabBar::First);
    EXPECT_EQ(m_bar.GetCurrentIndex(), 0);
    ASSERT_EQ(changed.count(), 4);
    EXPECT_EQ(changed.at(1).at(0).toInt(), 2);
}

TEST_F(TabBarTest, NavigationStopsAtBothEnds) {
    QSignalSpy changed(&m_bar, &CSheetTabBar::CurrentChanged);
    Click(CSheetTabBar::Previous);
    Click(CSheetTabBar::First);
    EXPECT_EQ(m_bar.GetCurrentIndex(), 0);
    Click(CSheetTabBar::Last);
    Click(CSheetTabBar::Next);
    Click(CSheetTabBar::Last);
    EXPECT_EQ(m_bar.GetCurrentIndex(), 2);
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(TabBarTest, CloseAsksAndChangesNothing) {
    QSignalSpy closing(&m_bar, &CSheetTabBar::CloseRequested);
    Click(CSheetTabBar::Close);
    EXPECT_EQ(closing.count(), 1);
    EXPECT_EQ(m_bar.GetCount(), 3);
}

TEST(CSheetTabBarEmpty, ButtonsDoNothingWithoutTabs) {
    CSheetTabBar bar;
    QSignalSpy changed(&bar, &CSheetTabBar::CurrentChanged);
    for (int i = CSheetTabBar::First; i <= CSheetTabBar::Last; ++i) {
        bar.GetButton(static_cast<CSheetTabBar::ENavButton>(i))->click();
    }
    EXPECT_EQ(bar.GetCurrentIndex(), -1);
    EXPECT_EQ(changed.count(), 0);
}
