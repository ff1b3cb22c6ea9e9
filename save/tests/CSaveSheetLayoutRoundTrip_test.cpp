// Sheet layout through our writer and our reader, then through the save and
// our reader again: column widths (exact COLINFO units), hidden columns,
// custom row heights (exact twips), hidden rows, frozen panes, a split, the
// zoom, gridlines and their colour, the selection, hidden and very hidden
// sheets, tab colours and a custom palette colour. The columns and rows
// options leave theirs out.
#include <gtest/gtest.h>

#include <functional>

#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkSheet.h"
#include "platform/PauseGate.h"
#include "platform/RunState.h"
#include "platform/ScopedMessageCapture.h"
#include "records/CExcelRecordCOLINFO.h"
#include "records/CExcelRecordPALETTE.h"
#include "records/CExcelRecordROW.h"
#include "repair/RepairFile.h"
#include "save/CSaveProcessManagerExcel.h"
#include "server/CXlsSheetWriter.h"
#include "server/CXlsWriter.h"
#include "server/automation/CXlsApplicationServer.h"

namespace {

struct ColumnCase {
    std::uint32_t column;
    double characters;
    bool hidden;
};
constexpr ColumnCase kColumns[] = {
    {0, 20.0, false},
    {1, 0.5, false},  // below one character the padding shrinks
    {2, 12.0, true},  // a hidden column keeps its width
    {3, 255.0, false},
};

struct RowCase {
    std::uint32_t row;
    double points;
    bool hidden;
};
constexpr RowCase kRows[] = {
    {1, 30.25, false},
    {2, 9.75, true},
    {3, 0.0, false},     // height 0 hides
    {4, 653.25, false},  // taller than the program offers, as files may hold
};

constexpr std::int32_t kPaletteIndex = 10;  // BIFF colour 17
constexpr std::int32_t kPaletteRgb = 0x123456;

// Tab and gridline colours per sheet, as ColorIndex (0: none / automatic).
struct ColorCase {
    int tab;
    int gridlines;
};
constexpr ColorCase kColors[] = {
    {kPaletteIndex, 12},  // a colour the palette changed; gridlines coloured
    {3, 0},               // a default palette colour
    {0, 0},               // neither
};

// Sheet "Frozen": two rows and a column frozen, zoom 150, no gridlines,
// B3:C4 selected. "Split": a split 75 points down and 45 points across,
// hidden. "Secret": very hidden.
void BuildBook(CXlsWorkbook& book) {
    CXlsWorksheet& frozen = *book.AddSheet(0, u"Frozen");
    CXlsWorksheet& split = *book.AddSheet(1, u"Split");
    CXlsWorksheet& secret = *book.AddSheet(2, u"Secret");
    for (CXlsWorksheet* sheet : {&frozen, &split, &secret}) sheet->SetNumber(9, 9, 1);
    for (const ColumnCase& c : kColumns) {
        frozen.SetColumnWidth(c.column, c.characters);
        frozen.SetColumnHidden(c.column, c.hidden);
    }
    for (const RowCase& r : kRows) {
        frozen.SetRowHeight(r.row, r.points);
        frozen.SetRowHidden(r.row, r.hidden);
    }
    CXlsSheetView& view = frozen.View();
    view.frozen = true;
    view.splitRows = 2;
    view.splitColumns = 1;
    view.zoom = 150;
    view.gridlines = false;
    view.selection = CXlsCellRange(2, 1, 3, 2);
    split.View().splitXTwips = 900;
    split.View().splitYTwips = 1500;
    book.SetSheetVisibility(split, CXlsWorksheet::kHidden);
    book.SetSheetVisibility(secret, CXlsWorksheet::kVeryHidden);
    book.Palette().Set(kPaletteIndex, kPaletteRgb);
    CXlsWorksheet* sheets[] = {&frozen, &split, &secret};
    for (std::size_t i = 0; i < std::size(kColors); ++i) {
        if (kColors[i].tab != 0) sheets[i]->View().tabColorIndex = kColors[i].tab;
        if (kColors[i].gridlines != 0) sheets[i]->View().gridlineColorIndex = kColors[i].gridlines;
    }
}

const CExcelRecordCOLINFO* ColInfo(const CExcelWorkSheet& sheet, std::uint32_t column) {
    for (const CExcelRecordCOLINFO& r : sheet.GetColInfos()) {
        if (r.GetFirstColumn() <= column && column <= r.GetLastColumn()) return &r;
    }
    return nullptr;
}

const CExcelRecordROW* Row(const CExcelWorkSheet& sheet, std::uint32_t row) {
    for (const CExcelRecordROW& r : sheet.GetRows()) {
        if (r.GetRow() == row) return &r;
    }
    return nullptr;
}

// What every copy must hold; `lines` false: the column and row cases are
// absent (the save left them out).
void ExpectLayout(const CExcelData& data, bool lines, const char* copy) {
    SCOPED_TRACE(copy);
    const CExcelWorkBook& book = *data.GetWorkbooks().GetHead();
    ASSERT_EQ(book.GetWorksheets().GetCount(), 3u);
    const CExcelWorkSheet& frozen = *book.GetWorksheets().GetHead();
    const CExcelWorkSheet& split = *frozen.GetNext();
    const CExcelWorkSheet& secret = *split.GetNext();
    for (const ColumnCase& c : kColumns) {
        const CExcelRecordCOLINFO* info = ColInfo(frozen, c.column);
        if (!lines) {
            EXPECT_TRUE(info == nullptr || !info->IsHidden()) << "column " << c.column;
            continue;
        }
        ASSERT_NE(info, nullptr) << "column " << c.column;
        EXPECT_EQ(info->GetWidth(), CXlsSheetWriter::ColumnWidthUnits(c.characters))
            << "column " << c.column;
        EXPECT_EQ(info->IsHidden(), c.hidden) << "column " << c.column;
    }
    for (const RowCase& r : kRows) {
        const CExcelRecordROW* row = Row(frozen, r.row);
        if (!lines) {
            EXPECT_TRUE(row == nullptr || (!row->HasCustomHeightFlag() && !row->IsHidden()));
            continue;
        }
        ASSERT_NE(row, nullptr) << "row " << r.row;
        EXPECT_TRUE(row->HasCustomHeightFlag()) << "row " << r.row;
        EXPECT_EQ(row->GetHeightTwips(), r.points * 20) << "row " << r.row;
        EXPECT_EQ(row->IsHidden(), r.hidden || r.points == 0) << "row " << r.row;
    }
    const CExcelSheetLayout& layout = frozen.GetLayout();
    EXPECT_TRUE(layout.GetWindow().flags & CExcelSheetLayout::kFrozen);
    EXPECT_FALSE(layout.GetWindow().flags & CExcelSheetLayout::kShowGridlines);
    EXPECT_EQ(layout.GetPane().y, 2);
    EXPECT_EQ(layout.GetPane().x, 1);
    EXPECT_EQ(layout.Zoom(), 150);
    const CExcelSheetLayout::Selection* selection = layout.GetSelection(layout.GetPane().active);
    ASSERT_NE(selection, nullptr);
    EXPECT_EQ(selection->firstRow, 2);
    EXPECT_EQ(selection->lastColumn, 2);
    EXPECT_FALSE(split.GetLayout().GetWindow().flags & CExcelSheetLayout::kFrozen);
    EXPECT_EQ(split.GetLayout().GetPane().x, 900);
    EXPECT_EQ(split.GetLayout().GetPane().y, 1500);
    EXPECT_EQ(frozen.GetVisibility(), 0u);
    EXPECT_EQ(split.GetVisibility(), 1u);
    EXPECT_EQ(secret.GetVisibility(), 2u);
    const CExcelWorkSheet* sheets[] = {&frozen, &split, &secret};
    for (std::size_t i = 0; i < std::size(kColors); ++i) {
        const CExcelSheetLayout& colors = sheets[i]->GetLayout();
        EXPECT_EQ(colors.HasTabColor(), kColors[i].tab != 0) << "sheet " << i;
        if (kColors[i].tab != 0) {
            EXPECT_EQ(colors.TabColor(), kColors[i].tab + 7) << "sheet " << i;
        }
        const CExcelSheetLayout::Window& window = colors.GetWindow();
        const bool automatic = (window.flags & CExcelSheetLayout::kDefaultGridlineColor) != 0;
        EXPECT_EQ(automatic, kColors[i].gridlines == 0) << "sheet " << i;
        if (!automatic) {
            EXPECT_EQ(window.gridlineColor, kColors[i].gridlines + 7) << "sheet " << i;
        }
    }
    const CExcelRecordPALETTE* palette = book.GetPalettes().GetTail();
    ASSERT_NE(palette, nullptr);
    const std::uint32_t at = 2 + 4 * (kPaletteIndex - 1);
    EXPECT_EQ(palette->GetPayload().ReadU8(at), 0x56);
    EXPECT_EQ(palette->GetPayload().ReadU8(at + 2), 0x12);
}

class SheetLayoutRoundTrip : public ::testing::Test {
protected:
    SheetLayoutRoundTrip() {
        CXlsApplicationServer::Register();
        while (SaveWorkerGate.IsSuspended()) SaveWorkerGate.Resume();
        SaveStopRequested.store(0);
        StopRequested.store(0);
        CXlsWorkbook book;
        BuildBook(book);
        EXPECT_TRUE(CXlsWriter(book).SaveAs(temp.Path() / "written.xls"));
        EXPECT_TRUE(Repair(temp.Path() / "written.xls", written));
    }

    static bool Repair(const std::filesystem::path& file, CExcelData& data) {
        data.SetSourcePath(file);
        return RepairFile(&data);
    }

    // Saves `written` with the options and repairs the copy into `back`.
    void SaveAndRepair(std::uint32_t options, CExcelData& back) {
        const std::filesystem::path copy = temp.Path() / "saved.xls";
        written.SetDestinationPath(copy);
        written.GetSaveOptions() = CSaveOption(options);
        CSaveProcessManagerExcel manager;
        ASSERT_EQ(manager.Save(&written), 0);
        ASSERT_TRUE(Repair(copy, back));
    }

    testsupport::ScopedTempDir temp;
    ScopedMessageCapture messages;
    CExcelData written;
};

TEST_F(SheetLayoutRoundTrip, WriterReaderAndSaveKeepTheLayout) {
    ExpectLayout(written, true, "written");
    CExcelData saved;
    SaveAndRepair(CSaveOption::All, saved);
    ExpectLayout(saved, true, "saved");
}

TEST_F(SheetLayoutRoundTrip, ColumnAndRowOptionsLeaveTheirsOut) {
    CExcelData saved;
    SaveAndRepair(
        CSaveOption::All & ~(CSaveOption::ColumnInformation | CSaveOption::RowInformation), saved);
    ExpectLayout(saved, false, "saved without columns and rows");
}

}  // namespace
