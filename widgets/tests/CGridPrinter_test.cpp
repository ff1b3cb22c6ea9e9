#include "widgets/CGridPrinter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QPrinter>
#include <QTemporaryDir>

#include "containers/CSheetGridStore.h"
#include "widgets/CGridCtrl.h"

namespace {

// Pages of a PDF written by Qt: one "/Type /Page" object each (the page tree
// is "/Type /Pages").
int CountPdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray bytes = file.readAll();
    int pages = 0;
    for (qsizetype at = bytes.indexOf("/Type /Page"); at >= 0;
         at = bytes.indexOf("/Type /Page", at + 1)) {
        if (bytes.mid(at + 11, 1) != "s") ++pages;
    }
    return pages;
}

class PrintTest : public ::testing::Test {
protected:
    bool PrintToPdf() {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(Pdf());
        CGridCtrl grid;
        grid.SetStore(&m_store);
        return grid.Print(&m_printer);
    }

    QString Pdf() const { return m_folder.filePath("sheet.pdf"); }

    QTemporaryDir m_folder;
    QPrinter m_printer{QPrinter::HighResolution};
    CSheetGridStore m_store;
};

}  // namespace

TEST_F(PrintTest, AFewCellsPrintOnOnePage) {
    m_store.SetText(1, 1, u"Sales");
    m_store.SetText(5, 3, u"42");
    ASSERT_TRUE(PrintToPdf());
    EXPECT_EQ(CountPdfPages(Pdf()), 1);
}

TEST_F(PrintTest, AnEmptySheetStillPrintsOnePage) {
    ASSERT_TRUE(PrintToPdf());
    EXPECT_EQ(CountPdfPages(Pdf()), 1);
}

TEST_F(PrintTest, RowsBeyondOnePageContinueOnTheNext) {
    ASSERT_TRUE(m_store.EnsureCell(300, 3));
    m_store.SetText(300, 1, u"end");
    ASSERT_TRUE(PrintToPdf());
    // 300 rows of 17 pixels are more than 5,000 pixels: more than one A4 or
    // Letter page at 96 pixels an inch, but fewer than ten.
    const int pages = CountPdfPages(Pdf());
    EXPECT_GT(pages, 1);
    EXPECT_LT(pages, 10);
}

TEST_F(PrintTest, ColumnsBeyondOnePageWidthAddBands) {
    m_store.SetText(1, 1, u"left");
    m_store.SetText(1, 26, u"right");
    ASSERT_TRUE(PrintToPdf());
    const int oneBand = CountPdfPages(Pdf());
    EXPECT_GT(oneBand, 1);  // 26 columns of 64 pixels do not fit across a page
}

TEST_F(PrintTest, AnUnusableOutputFileFailsThePrint) {
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setOutputFileName(m_folder.filePath("missing/folder/sheet.pdf"));
    CGridCtrl grid;
    grid.SetStore(&m_store);
    EXPECT_FALSE(grid.Print(&m_printer));
    EXPECT_FALSE(grid.Print(nullptr));
}

TEST(CGridPrinterUsedArea, ReachesTheLastCellHoldingAnything) {
    CSheetGridStore store;
    int lastRow = -1;
    int lastColumn = -1;
    CGridPrinter::FindUsedArea(store, lastRow, lastColumn);
    EXPECT_EQ(lastRow, 0);
    EXPECT_EQ(lastColumn, 0);

    store.SetText(40, 2, u"low");
    store.SetBackground(7, 20, 0x00ff00);  // a coloured cell without text counts
    CGridPrinter::FindUsedArea(store, lastRow, lastColumn);
    EXPECT_EQ(lastRow, 40);
    EXPECT_EQ(lastColumn, 20);
}

TEST(CGridPrinterFont, APointSizedGridFontPrintsAtItsScreenPixelSize) {
    QFont screen(QStringLiteral("Sans"));
    screen.setPointSize(9);
    const QFont printed = CGridPrinter::PrintFont(screen);
    EXPECT_EQ(printed.pixelSize(), QFontInfo(screen).pixelSize());
    EXPECT_GT(printed.pixelSize(), 0);
    QFont pixels(screen);
    pixels.setPixelSize(23);
    EXPECT_EQ(CGridPrinter::PrintFont(pixels).pixelSize(), 23);
}
