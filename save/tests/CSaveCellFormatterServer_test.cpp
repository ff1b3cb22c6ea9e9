// Row and column formats through our own "Excel.Application" server, read
// back from the file it writes: a format for a whole row or column must stay
// one row or column format, not become a format on every cell of it.
#include <gtest/gtest.h>

#include <string>

#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "platform/RunState.h"
#include "platform/ScopedMessageCapture.h"
#include "records/CExcelGlobalLookup.h"
#include "records/CExcelRecordCOLINFO.h"
#include "records/CExcelRecordROW.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBXF.h"
#include "repair/RepairFile.h"
#include "save/CSaveCellFormatter.h"
#include "save/CXLEzAutomation.h"
#include "server/automation/CXlsApplicationServer.h"

using testsupport::Bytes;
using testsupport::SetU16;

namespace {

// A workbook model with one bold Courier New font and one XF that sets its
// font and a thin left border.
void AddBoldFormat(CExcelWorkBook& workbook) {
    Bytes font = {240, 0, 1, 0, 10, 0, 0xBC, 2, 0, 0, 0, 0, 0, 0, 11, 0};
    for (const char c : std::string("Courier New")) font.push_back(static_cast<std::uint8_t>(c));
    workbook.GetFonts().Add(
        new CExcelRecordWBFONT(font.data(), static_cast<std::uint32_t>(font.size())));
    Bytes xf(20, 0);
    xf[9] = 0x08 | 0x20;  // font and border of its own
    xf[10] = 0x01;        // thin left edge
    workbook.GetXFs().Add(new CExcelRecordWBXF(xf.data(), 20));
}

class CSaveCellFormatterServerTest : public ::testing::Test {
protected:
    CSaveCellFormatterServerTest() {
        CXlsApplicationServer::Register();
        StopRequested.store(0);
        AddBoldFormat(m_model);
    }

    // Runs format on a fresh sheet, saves, and repairs the file into back.
    template <class Format>
    void SaveAndReadBack(Format format, CExcelData& back) {
        const std::filesystem::path file = m_temp.Path() / "formats.xls";
        {
            CXLEzAutomation facade(false);
            ASSERT_TRUE(facade.NewWorkbook());
            ASSERT_TRUE(facade.SelectWorksheetFromEnd(1));
            ASSERT_TRUE(facade.WriteNumber(1, 1, 7, u"General"));
            CSaveCellFormatter formatter(facade, m_model);
            format(formatter);
            ASSERT_TRUE(facade.SaveWorkbookAs(file.u16string()));
            facade.QuitServer();
        }
        back.SetSourcePath(file);
        ASSERT_TRUE(RepairFile(&back));
    }

    // The font of the XF at xfIndex in the read-back workbook, or null.
    static const CExcelRecordWBFONT* FontOf(const CExcelWorkBook& book, std::uint32_t xfIndex) {
        const CExcelRecordWBXF* xf = CExcelGlobalLookup::GetXF(book.GetXFs(), xfIndex);
        return xf ? CExcelGlobalLookup::GetFont(book.GetFonts(), xf->GetFontIndex()) : nullptr;
    }

    static std::uint32_t BlankCells(const CExcelWorkSheet& sheet) {
        return sheet.GetBlanks().GetCount() + sheet.GetMulBlanks().GetCount();
    }

    CExcelWorkBook m_model;
    testsupport::ScopedTempDir m_temp;
    ScopedMessageCapture m_messages;
};

TEST_F(CSaveCellFormatterServerTest, ColumnRunBecomesColumnFormatsWithoutBlankCells) {
    CExcelData back;
    SaveAndReadBack([&](CSaveCellFormatter& f) { f.ApplyColumnInfo(1, 3, 0); }, back);
    const CExcelWorkBook& book = *back.GetWorkbooks().GetHead();
    const CExcelWorkSheet& sheet = *book.GetWorksheets().GetHead();
    EXPECT_EQ(BlankCells(sheet), 0u);  // one row short of the sheet: ~200,000 blanks
    std::uint32_t covered = 0;
    for (const CExcelRecordCOLINFO& run : sheet.GetColInfos()) {
        if (run.GetFirstColumn() > 2) continue;
        covered += static_cast<std::uint32_t>(run.GetLastColumn() - run.GetFirstColumn() + 1);
        const CExcelRecordWBFONT* font = FontOf(book, run.GetXFIndex());
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->GetName(), u"Courier New");
        EXPECT_EQ(font->GetWeight(), 700);
    }
    EXPECT_EQ(covered, 3u);
}

TEST_F(CSaveCellFormatterServerTest, RowFormatBecomesTheRowsDefaultFormat) {
    CExcelData back;
    SaveAndReadBack([](CSaveCellFormatter& f) { f.ApplyRowFormat(3, 0); }, back);
    const CExcelWorkBook& book = *back.GetWorkbooks().GetHead();
    const CExcelWorkSheet& sheet = *book.GetWorksheets().GetHead();
    EXPECT_EQ(BlankCells(sheet), 0u);  // one column short of the sheet: 255 of them
    const CExcelRecordROW* formatted = nullptr;
    for (const CExcelRecordROW& row : sheet.GetRows()) {
        if (row.GetRow() == 2) formatted = &row;
    }
    ASSERT_NE(formatted, nullptr);
    ASSERT_TRUE(formatted->HasDefaultFormat());
    const CExcelRecordWBFONT* font = FontOf(book, formatted->GetDefaultXFIndex());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->GetName(), u"Courier New");
}

}  // namespace
