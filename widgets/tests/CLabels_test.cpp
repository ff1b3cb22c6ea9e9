#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "widgets/CColorTextLabel.h"
#include "widgets/CHyperLinkLabel.h"

TEST(CHyperLinkLabelLook, EnabledLinksAreUnderlinedInTheLinkColour) {
    CHyperLinkLabel link("Select file");
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.palette().color(QPalette::Active, QPalette::WindowText),
              link.palette().color(QPalette::Active, QPalette::Link));
}

TEST(CHyperLinkLabelLook, DisabledLinksArePlainGreyAndComeBack) {
    CHyperLinkLabel link("View file");
    link.setEnabled(false);
    EXPECT_FALSE(link.font().underline());
    EXPECT_EQ(link.palette().color(QPalette::Disabled, QPalette::WindowText), QColor(Qt::gray));
    EXPECT_EQ(link.palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::gray));
    link.setEnabled(true);
    EXPECT_TRUE(link.font().underline());
    EXPECT_NE(link.palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::gray));
}

TEST(CHyperLinkLabelClick, OnlyAnEnabledLinkReportsClicks) {
    CHyperLinkLabel link("Save file");
    link.resize(100, 20);
    QSignalSpy clicked(&link, &CHyperLinkLabel::Clicked);
    QTest::mouseClick(&link, Qt::LeftButton);
    QTest::keyClick(&link, Qt::Key_Space);
    EXPECT_EQ(clicked.count(), 2);
    link.setEnabled(false);
    link.Click();
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 2);
}

TEST(CColorTextLabelLook, TextIsDrawnInItsOwnColour) {
    CColorTextLabel label(Qt::red);
    EXPECT_EQ(label.palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(label.palette().color(QPalette::Inactive, QPalette::WindowText), QColor(Qt::red));
    label.SetColor(Qt::blue);
    EXPECT_EQ(label.GetColor(), QColor(Qt::blue));
    EXPECT_EQ(label.palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::blue));
}
