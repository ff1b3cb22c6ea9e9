#include "app/CSFSRepairStatusView.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "app/CMainFrame.h"
#include "app/CStepLinks.h"
#include "app/tests/CSingleFileFixture.h"

namespace {

class RepairStatusViewTest : public CSingleFileFixture {};

// Pixels of the picture's green check mark inside rect of image.
int CheckMarkPixels(const QImage& image, const QRect& rect) {
    const QColor green(40, 150, 70);
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (image.pixelColor(x, y) == green) ++count;
        }
    }
    return count;
}

TEST_F(RepairStatusViewTest, ThePictureIsDrawnBesideTheLinksAtAnySize) {
    Start();
    Show(CViewManger::SFSRepairStatus);
    QWidget* screen = Views().GetScreen(CViewManger::SFSRepairStatus);
    for (const QSize size : {QSize(640, 420), QSize(300, 700)}) {
        Frame().resize(size);
        Pump();
        const QImage image = screen->grab().toImage();
        const QRect links = Links(screen)->geometry();
        const QRect picture(links.right() + 1, 0, image.width() - links.right() - 1,
                            image.height());
        EXPECT_GT(CheckMarkPixels(image, picture), 50) << size.width();
        EXPECT_EQ(CheckMarkPixels(image, links), 0) << size.width();
    }
}

TEST_F(RepairStatusViewTest, ATinyWindowDrawsNothingAndDoesNotFail) {
    Start();
    QWidget* screen = Views().GetScreen(CViewManger::SFSRepairStatus);
    screen->resize(4, 4);
    const QImage image = screen->grab().toImage();
    EXPECT_EQ(CheckMarkPixels(image, image.rect()), 0);
}

}  // namespace
