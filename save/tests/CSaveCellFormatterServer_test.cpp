// Row and column formats through our own "Excel.Application" server, read
// back from the file it writes: a format for a whole row or column must stay
// one row or column format, not become a format on every cell of it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "biff/tests/support/BiffWriter.h"
#include "format/CExcelFormatText.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "platform/RunState.h"
#include "platform/ScopedMessageCapture.h"
#include "records/CExcelGlobalLookup.h"
#include "records/CExcelRecordCOLINFO.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordPALETTE.h"
#include "records/CExcelRecordROW.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBFORMAT.h"
#include "records/CExcelRecordWBXF.h"
#include "repair/RepairFile.h"
#include "save/CSaveCellFormatter.h"
#include "save/CSavePaletteWriter.h"
#include "save/CXLEzAutomation.h"
#include "server/automation/CXlsApplicationServer.h"
#include "server/tests/support/XlrdReadBack.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::SetU16;
using testsupport::SetU32;

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

    // Saves 1/3 in A1, A2, ... with row i formatted by source's XF xfs[i],
    // and repairs the file into back.
    void SaveThirdsAndReadBack(const CExcelWorkBook& source, const std::vector<std::uint32_t>& xfs,
                               const std::filesystem::path& file, CExcelData& back) {
        {
            CXLEzAutomation facade(false);
            ASSERT_TRUE(facade.NewWorkbook());
            ASSERT_TRUE(facade.SelectWorksheetFromEnd(1));
            CSaveCellFormatter formatter(facade, source);
            for (std::int32_t i = 0; i < static_cast<std::int32_t>(xfs.size()); ++i) {
                ASSERT_TRUE(facade.WriteNumber(1, i + 1, 1.0 / 3, u"General"));
                formatter.ApplyCellFormat(i + 1, 1, xfs[static_cast<std::size_t>(i)]);
            }
            formatter.FlushCellFormats();
            ASSERT_TRUE(facade.SaveWorkbookAs(file.u16string()));
            facade.QuitServer();
        }
        back.SetSourcePath(file);
        ASSERT_TRUE(RepairFile(&back));
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
            formatter.FlushCellFormats();
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

// ---- Whole XF formats, source -> save -> our server's writer -> our reader ----

void AddFont(CExcelWorkBook& book, std::uint16_t twips, std::uint16_t options, std::uint16_t color,
             std::uint16_t weight, std::uint16_t escapement, std::uint8_t underline,
             const std::u16string& name) {
    Bytes p;
    for (std::uint16_t v : {twips, options, color, weight, escapement}) {
        const Bytes b = BiffWriter::U16(v);
        p.insert(p.end(), b.begin(), b.end());
    }
    p.insert(p.end(), {underline, 0, 0, 0});
    const Bytes n = BiffWriter::UnicodeString(name, false, true);
    p.insert(p.end(), n.begin(), n.end());
    book.GetFonts().Add(new CExcelRecordWBFONT(p.data(), static_cast<std::uint32_t>(p.size())));
}

void AddFormat(CExcelWorkBook& book, std::uint16_t index, const std::u16string& text) {
    Bytes p = BiffWriter::U16(index);
    const Bytes t = BiffWriter::UnicodeString(text, false);
    p.insert(p.end(), t.begin(), t.end());
    book.GetFormats().Add(new CExcelRecordWBFORMAT(p.data(), static_cast<std::uint32_t>(p.size())));
}

struct XfCase {
    const char* what;
    std::uint16_t font = 0;
    std::uint16_t format = 0;
    std::uint16_t protection = 0x0001;
    std::uint8_t align = 0x20;
    std::uint8_t rotation = 0;
    std::uint8_t indent = 0;
    std::uint32_t borderFill = 0;
    std::uint16_t fillColors = 0;
};

// Every attribute the XF and FONT hold, one group per row.
const XfCase kXfCases[] = {
    {.what = "centre, wrap, middle, 45 degrees, indent 3, shrink",
     .align = 0x1A,
     .rotation = 45,
     .indent = 0x13},
    {.what = "distributed, 45 degrees clockwise", .align = 0x27, .rotation = 135},
    {.what = "stacked letters, justified, top", .align = 0x05, .rotation = 255},
    {.what = "formula hidden, not locked", .protection = 0x0002},
    {.what = "11.5 pt bold italic struck superscript, double accounting, colour 10", .font = 5},
    {.what = "subscript, double underline, automatic colour", .font = 6},
    {.what = "hatching 3 in colour 10 on colour 12",
     .borderFill = 3u << 26,
     .fillColors = 10 | (12 << 7)},
    {.what = "hatching 2 with automatic colours",
     .borderFill = 2u << 26,
     .fillColors = 64 | (65 << 7)},
    {.what = "the source's own code", .format = 164},
    {.what = "text, by the built-in index", .format = 49},
    {.what = "a redefined built-in index", .format = 7},
};

// The reader's view of an XF and its font, number format text included.
std::vector<std::string> Attributes(const CExcelWorkBook& book, const CExcelRecordWBXF& xf) {
    std::vector<std::string> out;
    auto add = [&out](const char* name, long value) {
        out.push_back(std::string(name) + "=" + std::to_string(value));
    };
    add("horizontal", xf.GetHorizontalAlignment());
    add("vertical", xf.GetVerticalAlignment());
    add("wrap", xf.IsWrapped());
    add("rotation", xf.GetRotation());
    add("indent", xf.GetIndentLevel());
    add("shrink", xf.IsShrinkToFit());
    add("locked", xf.IsLocked());
    add("hidden", xf.IsFormulaHidden());
    add("pattern", xf.GetFillPattern());
    add("fore", xf.GetFillPattern() > 0 ? xf.GetPatternColor() : 0);
    add("back", xf.GetFillPattern() > 1 ? xf.GetPatternBackgroundColor() : 0);
    const CExcelRecordWBFONT* font =
        CExcelGlobalLookup::GetFont(book.GetFonts(), xf.GetFontIndex());
    if (font != nullptr) {
        const std::u16string name = font->GetName();
        out.push_back("font=" + std::string(name.begin(), name.end()));
        add("height", font->GetHeight());
        add("weight", font->GetWeight());
        add("italic", font->IsItalic());
        add("strike", font->IsStrikeOut());
        add("escapement", font->GetEscapement());
        add("underline", font->GetUnderlineKind());
        add("colour", font->GetColorIndex());
    }
    const std::u16string code = CExcelFormatText::Lookup(book, xf.GetFormatIndex());
    out.push_back("format=" + std::string(code.begin(), code.end()));
    return out;
}

TEST_F(CSaveCellFormatterServerTest, EveryXfAttributeSurvivesTheWriter) {
    CExcelWorkBook source;
    for (int i = 0; i < 4; ++i) AddFont(source, 200, 0, 0x7FFF, 400, 0, 0, u"Arial");
    AddFont(source, 230, 0x000A, 10, 700, 1, 0x22, u"Courier New");  // index 5
    AddFont(source, 200, 0, 0x7FFF, 400, 2, 0x02, u"Arial");         // index 6
    AddFormat(source, 164, u"0.000;[Red]-0.000");
    AddFormat(source, 7, u"#,##0.00 \"kr\";-#,##0.00 \"kr\"");
    for (const XfCase& c : kXfCases) {
        Bytes p(20, 0);
        SetU16(p, 0, c.font);
        SetU16(p, 2, c.format);
        SetU16(p, 4, c.protection);
        p[6] = c.align;
        p[7] = c.rotation;
        p[8] = c.indent;
        SetU32(p, 14, c.borderFill);
        SetU16(p, 18, c.fillColors);
        source.GetXFs().Add(new CExcelRecordWBXF(p.data(), 20));
    }
    std::vector<std::uint32_t> xfs(std::size(kXfCases));
    for (std::uint32_t i = 0; i < xfs.size(); ++i) xfs[i] = i;
    CExcelData back;
    ASSERT_NO_FATAL_FAILURE(SaveThirdsAndReadBack(source, xfs, m_temp.Path() / "xfs.xls", back));
    const CExcelWorkBook& book = *back.GetWorkbooks().GetHead();
    std::vector<const CExcelRecordNUMBER*> cells(std::size(kXfCases), nullptr);
    for (const CExcelRecordNUMBER& n : book.GetWorksheets().GetHead()->GetNumbers()) {
        if (n.GetRow() < cells.size()) cells[n.GetRow()] = &n;
    }
    for (std::size_t i = 0; i < std::size(kXfCases); ++i) {
        SCOPED_TRACE(kXfCases[i].what);
        ASSERT_NE(cells[i], nullptr);
        const CExcelRecordWBXF* saved =
            CExcelGlobalLookup::GetXF(book.GetXFs(), cells[i]->GetXFIndex());
        ASSERT_NE(saved, nullptr);
        const CExcelRecordWBXF* original = CExcelGlobalLookup::GetXF(source.GetXFs(), i);
        EXPECT_EQ(Attributes(book, *saved), Attributes(source, *original));
    }
}

// A damaged file's missing XF, FONT or FORMAT record leaves the default:
// nothing is invented for what is not there.
TEST_F(CSaveCellFormatterServerTest, MissingRecordsLeaveTheDefaultFormat) {
    CExcelWorkBook source;
    AddFont(source, 200, 0, 0x7FFF, 400, 0, 0, u"Arial");
    struct Missing {
        const char* what;
        std::uint32_t xf;  // the cell's XF index
        std::uint16_t font;
        std::uint16_t format;
        std::uint8_t horizontal;  // kept where the XF is there
    };
    const Missing kCases[] = {
        {"XF past the list", 7, 0, 0, 0},
        {"FONT past the list", 1, 9, 0, 2},
        {"FORMAT index without a record or a built-in code", 2, 0, 300, 3},
    };
    // Not an RK value, so that the cells come back as NUMBER records.
    for (const Missing& c : kCases) {
        Bytes p(20, 0);
        SetU16(p, 0, c.font);
        SetU16(p, 2, c.format);
        SetU16(p, 4, 0x0001);
        p[6] = static_cast<std::uint8_t>(0x20 | c.horizontal);
        source.GetXFs().Add(new CExcelRecordWBXF(p.data(), 20));
    }
    const std::filesystem::path file = m_temp.Path() / "missing.xls";
    CExcelData back;
    ASSERT_NO_FATAL_FAILURE(
        SaveThirdsAndReadBack(source, {kCases[0].xf, kCases[1].xf, kCases[2].xf}, file, back));
    const CExcelWorkBook& book = *back.GetWorkbooks().GetHead();
    for (const CExcelRecordNUMBER& n : book.GetWorksheets().GetHead()->GetNumbers()) {
        ASSERT_LT(n.GetRow(), 3u);
        const Missing& c = kCases[n.GetRow()];
        SCOPED_TRACE(c.what);
        const CExcelRecordWBXF* xf = CExcelGlobalLookup::GetXF(book.GetXFs(), n.GetXFIndex());
        ASSERT_NE(xf, nullptr);
        EXPECT_EQ(xf->GetHorizontalAlignment(), c.horizontal);
        EXPECT_EQ(CExcelFormatText::Lookup(book, xf->GetFormatIndex()), u"General");
        const CExcelRecordWBFONT* font =
            CExcelGlobalLookup::GetFont(book.GetFonts(), xf->GetFontIndex());
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->GetName(), u"Arial");
        EXPECT_EQ(font->GetHeight(), 200);
    }
    // The independent reader agrees: every cell keeps its value, reads
    // General in the default font, and the XFs that were there their
    // alignment.
    if (!servertest::XlrdPython()) return;
    const servertest::XlrdDump d = servertest::RunXlrd(file);
    ASSERT_TRUE(d.Ran()) << d.Output();
    EXPECT_TRUE(d.All("warning").empty()) << d.Output();
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(kCases[row].what);
        const auto at = [&](const char* kind) {
            return d.Find({kind, "0", std::to_string(row), "0"});
        };
        EXPECT_EQ(at("cell"), (servertest::DumpLine{"number", "0.3333333333333333"}));
        EXPECT_EQ(at("format"), (servertest::DumpLine{"\"General\""}));
        EXPECT_EQ(at("font"), (servertest::DumpLine{"\"Arial\"", "200", "0", "0", "0", "32767"}));
        const servertest::DumpLine align = at("align");
        ASSERT_FALSE(align.empty());
        EXPECT_EQ(align[0], std::to_string(kCases[row].horizontal));
    }
}

// The source's palette is the saved workbook's: entries past the record's
// bytes keep the default.
TEST_F(CSaveCellFormatterServerTest, PaletteEntriesSurviveAndACutRecordKeepsTheRest) {
    Bytes p = BiffWriter::U16(56);  // claims 56 entries, holds two
    p.insert(p.end(), {0x3C, 0x3C, 0x3C, 0, 0x03, 0x62, 0xAA, 0});
    CExcelWorkBook source;
    source.GetPalettes().Add(
        new CExcelRecordPALETTE(p.data(), static_cast<std::uint32_t>(p.size())));
    const std::filesystem::path file = m_temp.Path() / "palette.xls";
    {
        CXLEzAutomation facade(false);
        ASSERT_TRUE(facade.NewWorkbook());
        CSavePaletteWriter::Write(facade, source);
        ASSERT_TRUE(facade.SaveWorkbookAs(file.u16string()));
        facade.QuitServer();
    }
    CExcelData back;
    back.SetSourcePath(file);
    ASSERT_TRUE(RepairFile(&back));
    const CExcelRecordPALETTE* saved = back.GetWorkbooks().GetHead()->GetPalettes().GetHead();
    ASSERT_NE(saved, nullptr);
    const CByteBuffer& bytes = saved->GetPayload();
    EXPECT_EQ(bytes.ReadU16(0), 56);
    const std::uint32_t expected[][3] = {{0x3C, 0x3C, 0x3C}, {0x03, 0x62, 0xAA}, {0xFF, 0, 0}};
    for (std::uint32_t i = 0; i < 3; ++i) {
        for (std::uint32_t k = 0; k < 3; ++k) {
            EXPECT_EQ(bytes.ReadU8(2 + i * 4 + k), expected[i][k]) << "entry " << i;
        }
    }
}

}  // namespace
