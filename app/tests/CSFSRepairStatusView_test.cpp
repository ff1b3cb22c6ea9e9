#include "app/CSFSRepairStatusView.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>

#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CRepairReportDialog.h"
#include "app/CReportSummaryRow.h"
#include "app/CSFSSavedStatusView.h"
#include "app/CStepLinks.h"
#include "app/tests/CSingleFileFixture.h"
#include "repair/CRepairReportText.h"

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

TEST_F(RepairStatusViewTest, TheVerdictAndItsDetailsFollowTheRepairAndTheSave) {
    Start();
    ASSERT_TRUE(RepairToEnd(WriteDamagedSample()));
    ASSERT_NE(Doc().GetRepairReport(), nullptr);
    const QString verdict =
        QString::fromStdString(CRepairReportText::Verdict(*Doc().GetRepairReport()));

    Show(CViewManger::SFSRepairStatus);
    auto* screen =
        static_cast<CSFSRepairStatusView*>(Views().GetScreen(CViewManger::SFSRepairStatus));
    EXPECT_EQ(screen->GetSummary()->GetVerdictText(), QStringLiteral("Repair: ") + verdict);
    ASSERT_TRUE(Click(screen, "Details"));
    Pump();
    auto* dialog = screen->findChild<CRepairReportDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    const QString text = dialog->GetText();
    EXPECT_TRUE(text.contains(QStringLiteral("sheet 2 \"Notes\"")));
    EXPECT_TRUE(text.startsWith(QStringLiteral("Result: ") + verdict));
    // "Find" moves to the match and comes round again after the last.
    dialog->findChild<QLineEdit*>(QStringLiteral("ReportFind"))->setText(QStringLiteral("Sales"));
    ASSERT_TRUE(Click(dialog, "Find"));
    auto* view = dialog->findChild<QPlainTextEdit*>(QStringLiteral("ReportText"));
    EXPECT_EQ(view->textCursor().selectedText(), QStringLiteral("Sales"));
    EXPECT_TRUE(dialog->FindNext());
    EXPECT_EQ(view->textCursor().selectedText(), QStringLiteral("Sales"));
    // Saved as JSON by its name, as text otherwise.
    const QString json = ToQString(m_scratch / "report.json");
    const QString plain = ToQString(m_scratch / "report.txt");
    ASSERT_TRUE(dialog->WriteTo(json) && dialog->WriteTo(plain));
    QFile jsonFile(json), plainFile(plain);
    ASSERT_TRUE(jsonFile.open(QIODevice::ReadOnly) && plainFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(jsonFile.readAll().startsWith("{\"report\": \"mendwell repair report\""));
    EXPECT_EQ(QString::fromUtf8(plainFile.readAll()), text);
    dialog->close();

    // The saved screen's verdict is the report's with the save in it.
    ASSERT_TRUE(WaitForWorkersIdle());
    Show(CViewManger::SFSSaveOption);
    ASSERT_TRUE(SaveToEnd());
    ASSERT_EQ(CurrentIndex(), CViewManger::SFSSavedStatus);
    const CRepairReport* saved = Doc().GetSaveReport();
    ASSERT_NE(saved, nullptr);
    EXPECT_TRUE(saved->destination.has_value() && saved->saved);
    EXPECT_EQ(
        SavedView()->GetSummary()->GetVerdictText(),
        QStringLiteral("Repair: ") + QString::fromStdString(CRepairReportText::Verdict(*saved)));
    EXPECT_TRUE(
        SavedView()->GetSummary()->OpenDetails()->GetText().contains(QStringLiteral("(saved)")));
}

}  // namespace
