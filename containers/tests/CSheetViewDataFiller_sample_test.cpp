// The preview fill over a model the repair really built: the project's
// damaged sample workbook, repaired from its raw file, fills its two sheets
// with the texts, number formats, fonts, widths and heights it was written
// with.
#include <gtest/gtest.h>

#include <memory>

#include "biff/tests/support/BiffWriter.h"
#include "containers/CSheetGridStore.h"
#include "containers/CSheetViewDataFiller.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "platform/RunState.h"
#include "platform/ScopedMessageCapture.h"
#include "repair/RepairFile.h"
#include "tools/samples/SampleWorkbook.h"

namespace {

class SamplePreview : public ::testing::Test {
protected:
    void SetUp() override {
        PreviewStop = 0;
        StopRequested = 0;
        const auto path = m_temp.Path() / "sample.xls";
        ASSERT_TRUE(testsupport::WriteFileBytes(path, BuildDamagedSampleFile()));
        m_data.SetSourcePath(path);
        ScopedMessageCapture messages;
        ASSERT_TRUE(RepairFile(&m_data));
        ASSERT_EQ(m_data.GetWorkbooks().GetCount(), 1u);
        m_workbook = m_data.GetWorkbooks().GetHead();
        ASSERT_EQ(m_workbook->GetWorksheets().GetCount(), 2u);
    }

    // Fills sheet index into m_grid; the fill's result.
    int Fill(std::uint32_t sheet) {
        CSheetViewDataFiller filler(&m_grid, m_workbook->GetWorksheets().GetAt(sheet), m_workbook);
        filler.Fill();
        return filler.GetResult();
    }

    std::u16string TextAt(int row, int column) const {
        const auto cell = m_grid.GetCell(row + 1, column + 1);
        return cell ? cell->text : u"<none>";
    }

    testsupport::ScopedTempDir m_temp;
    CExcelData m_data;
    const CExcelWorkBook* m_workbook = nullptr;
    CSheetGridStore m_grid;
};

}  // namespace

TEST_F(SamplePreview, SalesShowsItsHeadingsAndMoneyInItsOwnFormat) {
    ASSERT_EQ(Fill(0), 0);
    EXPECT_EQ(TextAt(0, 0), u"Region");
    EXPECT_EQ(TextAt(0, 3), u"Total");
    EXPECT_EQ(TextAt(1, 0), u"North");
    EXPECT_EQ(TextAt(1, 1), u"$1,250.50");  // NUMBER
    EXPECT_EQ(TextAt(1, 2), u"$1,320.00");  // RK
    EXPECT_EQ(TextAt(1, 3), u"$2,570.50");  // the SUM's cached result
    EXPECT_EQ(TextAt(4, 0), u"West");
    EXPECT_EQ(TextAt(4, 3), u"$1,780.75");
}

TEST_F(SamplePreview, SalesHeadingsAreBoldAndItsFirstColumnAndRowAreSized) {
    ASSERT_EQ(Fill(0), 0);
    const auto heading = m_grid.GetCell(1, 1);
    ASSERT_TRUE(heading && heading->font);
    EXPECT_EQ(heading->font->weight, 700);
    EXPECT_EQ(heading->font->faceName, u"Arial");
    EXPECT_EQ(heading->font->height, 13);  // 10 points
    const auto plain = m_grid.GetCell(2, 1);
    ASSERT_TRUE(plain && plain->font);
    EXPECT_EQ(plain->font->weight, 400);
    EXPECT_EQ(m_grid.GetColumnWidth(1), 98);  // 3584: fourteen 7-pixel digits
    EXPECT_EQ(m_grid.GetRowHeight(1), 27);    // 20 points
}

TEST_F(SamplePreview, NotesShowsItsBooleanErrorDateAndWideText) {
    ASSERT_EQ(Fill(1), 0);
    EXPECT_EQ(TextAt(0, 0), u"Notes");
    EXPECT_EQ(TextAt(0, 1), u"Recovered by Mendwell: caf\u00e9, na\u00efve, \u00fcber");
    EXPECT_EQ(TextAt(1, 1), u"TRUE");
    EXPECT_EQ(TextAt(2, 1), u"#DIV/0!");
    EXPECT_EQ(TextAt(3, 1), u"12/7/2026");
}
