// The sheet grids of the preview on a workbook built in memory: the formula
// bar over own and shared formulas, and the viewer's choice of worksheet
// across several workbooks.
#include "app/CSheetView.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QPushButton>

#include "app/CMainFrame.h"
#include "app/CMendwellDoc.h"
#include "app/CSFSPreViewData.h"
#include "app/CSheetViewer.h"
#include "app/CViewManger.h"
#include "app/tests/support/CAppTestFixture.h"
#include "containers/CSheetGridStore.h"
#include "formula/CExcelRecordFormula.h"
#include "formula/tests/support/FormulaRecordBuilder.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "platform/RunState.h"
#include "records/CExcelRecordLABELSST.h"
#include "records/CExcelRecordNUMBER.h"
#include "widgets/CGridCellPainter.h"
#include "widgets/CSheetTabBar.h"

using testsupport::Bytes;
using testsupport::FormulaBody;
using testsupport::NumberResult;
using testsupport::SharedFormulaBody;

namespace {

// ptgExp: this cell belongs to the shared formula anchored at row, column.
Bytes Exp(std::uint16_t row, std::uint16_t column) {
    return {0x01, static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(row >> 8),
            static_cast<std::uint8_t>(column), static_cast<std::uint8_t>(column >> 8)};
}
// ptgRefN, row and column relative to the cell holding the formula.
Bytes RelativeRefN(std::int16_t rowOffset, std::int8_t columnOffset) {
    const auto row = static_cast<std::uint16_t>(rowOffset);
    return {0x2C, static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(row >> 8),
            static_cast<std::uint8_t>(columnOffset), 0xC0};
}
Bytes Int(std::uint16_t value) {
    return {0x1E, static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
}
Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}
constexpr std::uint8_t kPtgAdd = 0x03;

CExcelRecordFormula* AddFormula(CExcelWorkSheet& sheet, const Bytes& body) {
    auto* record = new CExcelRecordFormula(body.data(), static_cast<std::uint32_t>(body.size()));
    sheet.GetFormulas().Add(record);
    return record;
}

CExcelWorkSheet* AddSheet(CExcelWorkBook& book, const std::u16string& name) {
    CExcelWorkSheet model;
    model.SetName(name);
    return book.GetWorksheets().Add(model);
}

}  // namespace

class SheetViewTest : public CAppTestFixture {
protected:
    CSFSPreViewData& Screen() const {
        return *static_cast<CSFSPreViewData*>(Views().GetScreen(CViewManger::SFSPreview));
    }

    // A fresh document workbook with one workbook in it.
    CExcelWorkBook& NewWorkbook() {
        CExcelData* data = Doc().ResetWorkbook(m_scratch / "built.xls", nullptr);
        data->GetWorkbooks().Add(new CExcelWorkBook());
        return *data->GetWorkbooks().GetTail();
    }

    void OpenPreview() {
        Views().SetCurrentIndex(CViewManger::SFSPreview);
        Views().Activate();
        Screen().Reload();
        ASSERT_TRUE(WaitForWorkersIdle());
        ASSERT_NE(Screen().GetCurrentView(), nullptr);
    }

    QString FormulaBarAt(int row, int column) {
        Screen().GetCurrentView()->SetCurrentCell(row, column);
        return Screen().GetFormulaBar()->text();
    }
};

// --- The formula bar ----------------------------------------------------------

class FormulaBarTest : public SheetViewTest {
protected:
    // Sheet "Calc": a shared formula A2+1 anchored at A1 covering A1:B2 (the
    // FORMULA records of A1 and B2 present), a formula 5+7 of its own in C5,
    // and a shared range at D1:D3 whose anchor comes after the FORMULA
    // record of D2 in the list. The anchors are the sheet's formula hosts,
    // as the record reader makes them.
    void BuildSheet() {
        CExcelWorkSheet& sheet = *AddSheet(NewWorkbook(), u"Calc");
        CExcelRecordFormula* anchor =
            AddFormula(sheet, FormulaBody(0, 0, 0, NumberResult(1), Exp(0, 0)));
        const Bytes shared =
            SharedFormulaBody(0, 1, 0, 1, Join({RelativeRefN(1, 0), Int(1), {kPtgAdd}}));
        anchor->SetSharedFormulaRecord(shared.data(), static_cast<std::uint32_t>(shared.size()));
        sheet.AddFormulaHost(*anchor, 0, 0);
        AddFormula(sheet, FormulaBody(1, 1, 0, NumberResult(1), Exp(0, 0)));
        AddFormula(sheet,
                   FormulaBody(4, 2, 0, NumberResult(12), Join({Int(5), Int(7), {kPtgAdd}})));

        AddFormula(sheet, FormulaBody(1, 3, 0, NumberResult(0), Exp(0, 3)));
        CExcelRecordFormula* late =
            AddFormula(sheet, FormulaBody(0, 3, 0, NumberResult(0), Exp(0, 3)));
        const Bytes lateShared = SharedFormulaBody(0, 2, 3, 3, Int(9));
        late->SetSharedFormulaRecord(lateShared.data(),
                                     static_cast<std::uint32_t>(lateShared.size()));
        sheet.AddFormulaHost(*late, 0, 3);
    }
};

TEST_F(FormulaBarTest, CellOfASharedRangeShowsTheRangeFormulaMovedToIt) {
    Start();
    BuildSheet();
    OpenPreview();
    // B2 is grid row 2, column 2; its own record points at the anchor, whose
    // tokens it decodes relative to B2.
    EXPECT_EQ(FormulaBarAt(2, 2), QStringLiteral("B3+1"));
    EXPECT_EQ(FormulaBarAt(1, 1), QStringLiteral("A2+1"));
    // A cell of the range without a FORMULA record of its own (A2) has no
    // formula.
    EXPECT_EQ(FormulaBarAt(2, 1), QString());
}

TEST_F(FormulaBarTest, OwnFormulaOutsideAnySharedRange) {
    Start();
    BuildSheet();
    OpenPreview();
    EXPECT_EQ(FormulaBarAt(5, 3), QStringLiteral("5+7"));
}

TEST_F(FormulaBarTest, MemberBeforeItsAnchorInListOrder) {
    Start();
    BuildSheet();
    OpenPreview();
    // D2's own record comes before the anchor whose range covers D2.
    EXPECT_EQ(FormulaBarAt(2, 4), QStringLiteral("9"));
    // D3 has no record of its own.
    EXPECT_EQ(FormulaBarAt(3, 4), QString());
}

TEST_F(FormulaBarTest, CellWithoutFormulaShowsItsText) {
    Start();
    BuildSheet();
    OpenPreview();
    CSheetGridStore& store = Screen().GetCurrentView()->GetGridStore();
    store.SetText(7, 6, u"plain text");
    EXPECT_EQ(FormulaBarAt(7, 6), QStringLiteral("plain text"));
    // Just past the shared range A1:B2 (C1 and A3).
    EXPECT_EQ(FormulaBarAt(1, 3), QString());
    EXPECT_EQ(FormulaBarAt(3, 1), QString());
}

TEST_F(FormulaBarTest, ClearedWhenAnotherSheetIsShown) {
    Start();
    BuildSheet();
    AddSheet(*Doc().GetWorkbook()->GetWorkbooks().GetHead(), u"Empty");
    OpenPreview();
    ASSERT_EQ(FormulaBarAt(5, 3), QStringLiteral("5+7"));
    Screen().GetTabBar()->SetCurrentIndex(1);
    EXPECT_EQ(Screen().GetFormulaBar()->text(), QString());
    ASSERT_TRUE(WaitForWorkersIdle());
}

// --- The viewer ---------------------------------------------------------------

TEST_F(SheetViewTest, WorksheetsAreCountedAcrossAllWorkbooks) {
    Start();
    CExcelWorkBook& first = NewWorkbook();
    AddSheet(first, u"One");
    AddSheet(first, u"Two");
    Doc().GetWorkbook()->GetWorkbooks().Add(new CExcelWorkBook());
    CExcelWorkBook& second = *Doc().GetWorkbook()->GetWorkbooks().GetTail();
    CExcelWorkSheet* third = AddSheet(second, u"Three");
    OpenPreview();

    CSheetViewer& viewer = *Screen().GetViewer();
    EXPECT_EQ(viewer.GetTabCaptions(), (QStringList{"One", "Two", "Three"}));
    EXPECT_EQ(viewer.GetWorksheetCount(), 3);
    ASSERT_TRUE(viewer.ShowSheet(2));
    EXPECT_EQ(viewer.GetView()->GetWorkSheet(), third);
    EXPECT_EQ(viewer.GetView()->GetWorkBook(), &second);
    ASSERT_TRUE(WaitForWorkersIdle());
}

TEST_F(SheetViewTest, NoSuchWorksheetKeepsTheGrid) {
    Start();
    AddSheet(NewWorkbook(), u"Only");
    OpenPreview();
    CSheetViewer& viewer = *Screen().GetViewer();
    const CSheetView* shown = viewer.GetView();
    EXPECT_FALSE(viewer.ShowSheet(1));
    EXPECT_FALSE(viewer.ShowSheet(-1));
    EXPECT_EQ(viewer.GetView(), shown);
    EXPECT_EQ(PreviewRunning.load(), 0);
}

TEST_F(SheetViewTest, GridIsNeverReplacedWhileAFillRuns) {
    Start();
    CExcelWorkBook& book = NewWorkbook();
    AddSheet(book, u"One");
    AddSheet(book, u"Two");
    OpenPreview();
    CSheetViewer& viewer = *Screen().GetViewer();
    const CSheetView* shown = viewer.GetView();
    PreviewRunning = 1;
    EXPECT_FALSE(viewer.ShowSheet(1));
    EXPECT_EQ(viewer.GetView(), shown);
    PreviewRunning = 0;
    EXPECT_TRUE(viewer.ShowSheet(1));
    ASSERT_TRUE(WaitForWorkersIdle());
}

TEST_F(SheetViewTest, GridFillsTheScreensGridArea) {
    Start();
    AddSheet(NewWorkbook(), u"Only");
    OpenPreview();
    QWidget* area = Screen().findChild<QWidget*>(QStringLiteral("GridArea"));
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(Screen().GetCurrentView()->parentWidget(), area);
}

// --- A real fill held by a long sheet -----------------------------------------

class LongFillTest : public SheetViewTest {
protected:
    // "Long" holds a number in each of its first 64,000 rows: its fill runs
    // for hundreds of pages. "Short" holds one number.
    void BuildSheets() {
        CExcelWorkBook& book = NewWorkbook();
        CExcelWorkSheet& tall = *AddSheet(book, u"Long");
        for (std::uint16_t row = 0; row < 64000; ++row) {
            tall.GetNumbers().Add(new CExcelRecordNUMBER(row, 0, 0, row + 0.5));
        }
        CExcelWorkSheet& small = *AddSheet(book, u"Short");
        small.GetNumbers().Add(new CExcelRecordNUMBER(0, 0, 0, 42.0));
    }
    void StartPreview() {
        Views().SetCurrentIndex(CViewManger::SFSPreview);
        Views().Activate();
        Screen().Reload();
    }
};

TEST_F(LongFillTest, TabSwitchStopsTheRunningFillAndShowsTheNewSheetAfterIt) {
    Start();
    BuildSheets();
    StartPreview();
    ASSERT_EQ(PreviewRunning.load(), 1) << "the long sheet's fill ended at once";
    const CSheetView* tall = Screen().GetCurrentView();
    Screen().GetTabBar()->SetCurrentIndex(1);
    EXPECT_TRUE(Screen().IsTimerActive());
    EXPECT_EQ(Screen().GetCurrentView(), tall);

    // The fill sees PreviewStop and ends; the real timer then switches.
    ASSERT_TRUE(WaitUntil([&] { return !Screen().IsTimerActive(); }));
    ASSERT_NE(Screen().GetCurrentView(), nullptr);
    EXPECT_EQ(Screen().GetCurrentView()->GetSheetIndex(), 1);
    ASSERT_TRUE(WaitForWorkersIdle());
    const auto cell = Screen().GetCurrentView()->GetGridStore().GetCell(1, 1);
    ASSERT_TRUE(cell.has_value());
    EXPECT_EQ(cell->text, u"42");
}

TEST_F(LongFillTest, ReloadDuringAFillStopsItAndStartsAgain) {
    Start();
    BuildSheets();
    StartPreview();
    ASSERT_EQ(PreviewRunning.load(), 1) << "the long sheet's fill ended at once";
    const CSheetViewer* before = Screen().GetViewer();
    Screen().Reload();
    EXPECT_NE(Screen().GetViewer(), before);
    // The new fill starts from the first page, PreviewStop cleared.
    EXPECT_EQ(PreviewStop.load(), 0);
    ASSERT_NE(Screen().GetCurrentView(), nullptr);
    EXPECT_EQ(Screen().GetCurrentView()->GetSheetIndex(), 0);
    PreviewStop = 1;
    ASSERT_TRUE(WaitForWorkersIdle());
}

TEST_F(LongFillTest, SaveDuringAFillLeavesOnceItHasStopped) {
    Start();
    BuildSheets();
    StartPreview();
    ASSERT_EQ(PreviewRunning.load(), 1) << "the long sheet's fill ended at once";
    Screen().findChild<QPushButton*>(QStringLiteral("PreviewSave"))->click();
    EXPECT_EQ(Views().GetShownScreen(), &Screen());
    ASSERT_TRUE(WaitUntil([&] { return !Screen().IsTimerActive(); }));
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::SFSSaveOption));
    EXPECT_EQ(PreviewRunning.load(), 0);
}

TEST_F(LongFillTest, LeavingByAMenuCommandStopsTheFill) {
    Start();
    Frame().show();  // hidden screens of a hidden window get no hide event
    BuildSheets();
    StartPreview();
    ASSERT_EQ(PreviewRunning.load(), 1) << "the long sheet's fill ended at once";
    // What the main window's "Next" does: no question asked of this screen.
    Frame().OnNext();
    EXPECT_EQ(Views().GetShownScreen(), Views().GetScreen(CViewManger::SFSSaveOption));
    EXPECT_EQ(PreviewStop.load(), 1);
    ASSERT_TRUE(WaitForWorkersIdle());
    EXPECT_FALSE(Screen().IsTimerActive());
}

// The cells the repair report knows to hold a fallback value carry a cue in
// their corner and say why on hover; the others neither.
TEST_F(SheetViewTest, CellsWhoseValueIsAFallbackAreMarkedAndSayWhy) {
    Start();
    CExcelWorkSheet& sheet = *AddSheet(NewWorkbook(), u"Marks");
    // B2: shared string 7 of an empty table. C4: a formula whose only token
    // is no token at all (0xFF), so it has no formula text. A1: a number.
    const Bytes lost = {1, 0, 1, 0, 0, 0, 7, 0, 0, 0};
    sheet.GetLabelSSTs().Add(
        new CExcelRecordLABELSST(lost.data(), static_cast<std::uint32_t>(lost.size())));
    AddFormula(sheet, FormulaBody(3, 2, 0, NumberResult(5), Bytes{0xFF}));
    sheet.GetNumbers().Add(new CExcelRecordNUMBER(0, 0, 0, 1.5));
    Doc().BuildRepairReport(true);
    OpenPreview();
    CSheetView& view = *Screen().GetCurrentView();
    // B wide enough for "Lost string": the tip is then the mark's alone.
    view.GetGridStore().SetColumnWidth(2, 120);
    view.RefreshFromStore();
    const QImage image = view.viewport()->grab().toImage();

    struct Case {
        int row;
        int column;
        QString tip;
    };
    const Case cases[] = {
        {2, 2, QStringLiteral("Text lost: its shared string was damaged")},
        {4, 3, QStringLiteral("Formula kept as its value: no formula text")},
        {1, 1, QString()},
    };
    for (const Case& c : cases) {
        const QRect cell = view.CellRect(c.row, c.column);
        ASSERT_FALSE(cell.isEmpty());
        EXPECT_EQ(view.ToolTipAt(cell.center()).toStdString(), c.tip.toStdString())
            << c.row << "," << c.column;
        const qreal ratio = image.devicePixelRatio();
        const QPoint corner = (cell.topLeft() + QPoint(2, 2)) * ratio;
        EXPECT_EQ(image.pixelColor(corner) == CGridCellPainter::FallbackMarkColor(),
                  !c.tip.isEmpty())
            << c.row << "," << c.column;
    }
}
