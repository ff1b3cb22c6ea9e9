#include "save/CSaveCellFormatter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelWorkBook.h"
#include "records/CExcelRecordCOLINFO.h"
#include "records/CExcelRecordSTYLE.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBXF.h"
#include "save/CSaveNamedStyles.h"
#include "save/CSaveSheetLayoutWriter.h"
#include "save/CXLEzAutomation.h"
#include "save/tests/support/RecordingSession.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::SetU16;
using testsupport::SetU32;
using testsupport::SetU8;

namespace {

// Used-attribute bits of an XF.
constexpr std::uint8_t kFontUsed = 0x08;
constexpr std::uint8_t kBorderUsed = 0x20;
constexpr std::uint8_t kPatternUsed = 0x40;

// Bottom-aligned and locked, as a fresh cell is, unless a test says otherwise.
struct XfFields {
    std::uint16_t font = 0;
    std::uint16_t format = 0;
    std::uint16_t protection = 0x0001;
    std::uint8_t align = 0x20;
    std::uint8_t used = 0;
    std::uint32_t border = 0;      // the word at 10
    std::uint32_t borderFill = 0;  // the word at 14
    std::uint16_t fillColors = 0;  // the word at 18
};

void AddXf(CExcelWorkBook& workbook, const XfFields& f) {
    Bytes p(20, 0);
    SetU16(p, 0, f.font);
    SetU16(p, 2, f.format);
    SetU16(p, 4, f.protection);
    SetU8(p, 6, f.align);
    SetU8(p, 9, f.used);
    SetU32(p, 10, f.border);
    SetU32(p, 14, f.borderFill);
    SetU16(p, 18, f.fillColors);
    workbook.GetXFs().Add(new CExcelRecordWBXF(p.data(), 20));
}

void AddFont(CExcelWorkBook& workbook, std::uint16_t twips, std::uint16_t options,
             std::uint16_t color, const std::u16string& name, std::uint16_t weight = 400,
             std::uint8_t underline = 0) {
    Bytes p;
    for (std::uint16_t v : {twips, options, color, weight, std::uint16_t(0)}) {
        const Bytes b = BiffWriter::U16(v);
        p.insert(p.end(), b.begin(), b.end());
    }
    p.insert(p.end(), {underline, 0, 0, 0});
    const Bytes n = BiffWriter::UnicodeString(name, false, true);
    p.insert(p.end(), n.begin(), n.end());
    workbook.GetFonts().Add(new CExcelRecordWBFONT(p.data(), static_cast<std::uint32_t>(p.size())));
}

// Five fonts, so that font index 5 (list position 4) exists; position 4 is
// the one with a distinct look.
void AddFonts(CExcelWorkBook& workbook) {
    for (int i = 0; i < 4; ++i) AddFont(workbook, 200, 0, 0x7FFF, u"Arial");
    // Bold by its weight, single underline by its kind, colour 10.
    AddFont(workbook, 240, 0, 10, u"Courier New", 700, 1);
}

// The format calls of a run: the objects formatted and every value put, in
// order, without the cell and range lookups that lead to them.
std::vector<std::string> FormatCalls(const std::vector<std::string>& calls) {
    std::vector<std::string> kept;
    for (const std::string& line : calls) {
        if (line.find(" put(") != std::string::npos ||
            line.find(".Interior get()") != std::string::npos ||
            line.find(".Font get()") != std::string::npos ||
            line.find(".Borders get(") != std::string::npos) {
            kept.push_back(line);
        }
    }
    return kept;
}

// The font puts of the Courier New font of AddFonts.
std::vector<std::string> FontCalls(const std::string& range) {
    return {range + ".Font get()", "Font.Name put('Courier New')", "Font.Size put(r8:12)",
            "Font.Bold put(true)", "Font.Underline put(i2:2)",     "Font.ColorIndex put(i2:3)"};
}

std::vector<std::string> BorderCalls(const std::string& range, int edge, int style, int color) {
    const std::string border = "Border[" + std::to_string(edge) + "]";
    return {range + ".Borders get(i2:" + std::to_string(edge) + ")",
            border + ".LineStyle put(i2:" + std::to_string(style) + ")",
            border + ".ColorIndex put(i2:" + std::to_string(color) + ")"};
}

std::vector<std::string> FillCalls(const std::string& owner, int color, int pattern) {
    return {owner + ".Interior get()", "Interior.ColorIndex put(i2:" + std::to_string(color) + ")",
            "Interior.Pattern put(i2:" + std::to_string(pattern) + ")",
            "Interior.PatternColorIndex put(i2:-4105)"};
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// An XF that sets everything: fill colour 10 with pattern 1; font index 5;
// left 1/colour 8, right 2/colour 9, top 3/colour 11, bottom 4/colour 12,
// diagonal down with style 5 and colour 63.
XfFields FullXf() {
    XfFields f;
    f.font = 5;
    f.used = kFontUsed | kBorderUsed | kPatternUsed;
    f.border = 1u | (2u << 4) | (3u << 8) | (4u << 12) | (8u << 16) | (9u << 23) | (1u << 30);
    f.borderFill = 11u | (12u << 7) | (63u << 14) | (5u << 21) | (1u << 26);
    f.fillColors = 10u | (9u << 7);
    return f;
}

// A recording server with a workbook whose first sheet is active, and the
// formatter over the test's workbook model.
class CSaveCellFormatterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_facade.NewWorkbook());
        ASSERT_TRUE(m_facade.SelectWorksheetFromEnd(1));
        m_session.server->ClearCalls();
    }
    std::vector<std::string> Calls() const { return FormatCalls(m_session.server->Calls()); }
    // One cell's format, put at once.
    void FormatCell(std::int32_t row, std::int32_t column, std::uint32_t xf) {
        CSaveCellFormatter formatter(m_facade, m_workbook);
        formatter.ApplyCellFormat(row, column, xf);
        formatter.FlushCellFormats();
    }

    RecordingSession m_session;
    CXLEzAutomation m_facade{false, kRecordingProgramId};
    CExcelWorkBook m_workbook;
};

// --- Cells ---------------------------------------------------------------

TEST_F(CSaveCellFormatterTest, CellGetsFillFontAndTheDrawnEdges) {
    AddFonts(m_workbook);
    AddXf(m_workbook, FullXf());
    FormatCell(3, 2, 0);
    const std::string cell = "Range[B3:B3]";
    EXPECT_EQ(Calls(), Join({FontCalls(cell), FillCalls(cell, 3, 1), BorderCalls(cell, 1, 1, 1),
                             BorderCalls(cell, 2, 2, 2), BorderCalls(cell, 3, 3, 4),
                             BorderCalls(cell, 4, 4, 5), BorderCalls(cell, 5, 5, 56)}));
}

TEST_F(CSaveCellFormatterTest, DiagonalUpAloneDrawsOnlyEdgeSix) {
    XfFields f;
    f.used = kBorderUsed;
    f.border = 1u << 31;
    f.borderFill = (20u << 14) | (7u << 21);
    AddXf(m_workbook, f);
    FormatCell(1, 1, 0);
    // The four sides have no line, as on a fresh cell: nothing is put.
    EXPECT_EQ(Calls(), BorderCalls("Range[A1:A1]", 6, 7, 13));
}

// Readers show a cell XF's own fields whatever its used-attribute bits say,
// and so does the save: bits of groups whose values differ from a fresh
// cell's add no put. Over a cell that holds a format, Normal is put first,
// which makes the cell fresh again, and then the same values.
TEST_F(CSaveCellFormatterTest, UsedBitsDoNotChangeWhatIsWritten) {
    AddFonts(m_workbook);
    XfFields f = FullXf();
    AddXf(m_workbook, f);
    f.used = 0;
    AddXf(m_workbook, f);
    CSaveCellFormatter formatter(m_facade, m_workbook);
    formatter.ApplyCellFormat(1, 1, 0);
    formatter.FlushCellFormats();
    const std::vector<std::string> used = Calls();
    m_session.server->ClearCalls();
    formatter.ApplyCellFormat(1, 1, 1);  // A1 again: a format is there now
    formatter.FlushCellFormats();
    std::vector<std::string> again = Calls();
    m_session.server->ClearCalls();
    formatter.ApplyCellFormat(2, 1, 1);  // A2: fresh
    formatter.FlushCellFormats();
    std::vector<std::string> fresh = Calls();
    for (std::string& line : fresh) {
        if (line.starts_with("Range[A2:A2]")) line.replace(0, 12, "Range[A1:A1]");
    }
    EXPECT_EQ(fresh, used);
    ASSERT_FALSE(again.empty());
    EXPECT_EQ(again.front(), "Range[A1:A1].Style put('Normal')");
    again.erase(again.begin());
    EXPECT_EQ(again, used);
}

TEST_F(CSaveCellFormatterTest, FontIsAppliedWithoutTheFontUsedFlag) {
    AddFonts(m_workbook);
    XfFields f;
    f.font = 5;
    AddXf(m_workbook, f);
    FormatCell(2, 2, 0);
    EXPECT_EQ(Calls(), FontCalls("Range[B2:B2]"));
}

// A font without a name keeps the default name; a pattern colour without a
// pattern is no fill, put only so that the fill stays the cell's own group.
TEST_F(CSaveCellFormatterTest, FontWithAnEmptyNameKeepsTheDefaultName) {
    AddFont(m_workbook, 200, 0x0002, 10, u"");
    XfFields f;
    f.used = kPatternUsed;
    f.fillColors = 12;
    AddXf(m_workbook, f);
    FormatCell(1, 1, 0);
    EXPECT_EQ(Calls(),
              (std::vector<std::string>{"Range[A1:A1].Font get()", "Font.Italic put(true)",
                                        "Font.ColorIndex put(i2:3)", "Range[A1:A1].Interior get()",
                                        "Interior.Pattern put(i2:0)"}));
}

TEST_F(CSaveCellFormatterTest, FontIndexFourIsTheFourthFont) {
    AddFont(m_workbook, 200, 0, 8, u"Zero");
    AddFont(m_workbook, 200, 0, 8, u"One");
    AddFont(m_workbook, 200, 0, 8, u"Two");
    AddFont(m_workbook, 200, 0, 8, u"Three");
    XfFields f;
    f.used = kFontUsed;
    f.font = 4;
    AddXf(m_workbook, f);
    f.font = 3;
    AddXf(m_workbook, f);
    CSaveCellFormatter formatter(m_facade, m_workbook);
    formatter.ApplyCellFormat(1, 1, 0);
    formatter.ApplyCellFormat(1, 2, 1);
    formatter.FlushCellFormats();
    const std::vector<std::string> calls = Calls();
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls[1], "Font.Name put('Three')");
    EXPECT_EQ(calls[4], "Font.Name put('Three')");
}

TEST_F(CSaveCellFormatterTest, HeldCellFormatsGoInByColumnRunsAndTheLaterFormatWins) {
    AddFonts(m_workbook);
    AddXf(m_workbook, FullXf());
    XfFields bold;
    bold.font = 5;
    AddXf(m_workbook, bold);
    // Cells given row by row from first to last row of a column, one XF.
    struct Given {
        std::int32_t column, first, last;
        std::uint32_t xf;
    };
    struct Case {
        const char* what;
        std::vector<Given> given;
        std::vector<std::string> ranges;
    };
    const Case cases[] = {
        {"B1, A1..A3 with A2 given another XF afterwards, B2",
         {{2, 1, 1, 0}, {1, 1, 3, 0}, {1, 2, 2, 1}, {2, 2, 2, 0}},
         {"Range[A1:A1]", "Range[A2:A2]", "Range[A3:A3]", "Range[B1:B2]"}},
        {"an XF change and a gap end a run",
         {{1, 1, 4, 0}, {1, 5, 6, 1}, {1, 8, 8, 1}},
         {"Range[A1:A4]", "Range[A5:A6]", "Range[A8:A8]"}},
        {"a column filled to its last row stops short of the whole column",
         {{3, 1, CSaveCellFormatter::kLastRow, 1}},
         {"Range[C1:C65535]", "Range[C65536:C65536]"}},
    };
    for (const Case& c : cases) {
        m_session.server->ClearCalls();
        CSaveCellFormatter formatter(m_facade, m_workbook);
        for (const Given& g : c.given)
            for (std::int32_t row = g.first; row <= g.last; ++row)
                formatter.ApplyCellFormat(row, g.column, g.xf);
        EXPECT_TRUE(Calls().empty()) << c.what << ": held until flushed";
        formatter.FlushCellFormats();
        std::vector<std::string> ranges;
        for (const std::string& line : Calls())
            if (line.starts_with("Range[") && line.find("].Font get()") != std::string::npos)
                ranges.push_back(line.substr(0, line.find(']') + 1));
        EXPECT_EQ(ranges, c.ranges) << c.what;
    }
}

// --- Named styles and own groups -----------------------------------------

// XF 0 is Normal, XF 1 the style "Figures" (number format 2, "0.00", and
// nothing else included); the cell XFs after them differ in parent, format
// and used bits. A cell in Figures gets the style first; then only what
// differs from what the style shows, and one put of each group its bits
// mark as its own.
TEST_F(CSaveCellFormatterTest, ParentStyleFirstThenOwnGroupsAndDifferences) {
    AddFont(m_workbook, 200, 0, 0x7FFF, u"Arial");
    XfFields normal;
    normal.protection = 0xFFF5;  // a style XF without parent
    AddXf(m_workbook, normal);
    XfFields figures = normal;
    figures.format = 2;
    figures.used = 0xF8;  // a style XF's set bits leave the groups out
    AddXf(m_workbook, figures);
    const Bytes builtinNormal = {0x00, 0x80, 0x00, 0xFF};
    m_workbook.GetStyles().Add(new CExcelRecordSTYLE(builtinNormal.data(), 4));
    Bytes named = {0x01, 0x00};
    const Bytes name = BiffWriter::UnicodeString(u"Figures", false);
    named.insert(named.end(), name.begin(), name.end());
    m_workbook.GetStyles().Add(
        new CExcelRecordSTYLE(named.data(), static_cast<std::uint32_t>(named.size())));

    struct Case {
        std::uint16_t parent;
        std::uint16_t format;
        std::uint8_t used;
        std::vector<std::string> calls;
    };
    const std::string put = "Range[A1:A1].";
    const Case cases[] = {
        {1, 2, 0x00, {put + "Style put('Figures')"}},
        {1, 2, 0x04, {put + "Style put('Figures')", put + "NumberFormat put('0.00')"}},
        {1, 2, 0x10, {put + "Style put('Figures')", put + "HorizontalAlignment put(i2:1)"}},
        {1, 0, 0x00, {put + "Style put('Figures')", put + "NumberFormat put('General')"}},
        {0, 0, 0x80, {put + "Locked put(true)"}},
        {0, 2, 0x00, {put + "NumberFormat put('0.00')"}},
    };
    for (const Case& c : cases) {
        XfFields cell;
        cell.protection = static_cast<std::uint16_t>(0x0001 | (c.parent << 4));
        cell.format = c.format;
        cell.used = c.used;
        AddXf(m_workbook, cell);
    }
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        m_session.server->ClearCalls();
        FormatCell(1, 1, static_cast<std::uint32_t>(2 + i));
        EXPECT_EQ(Calls(), cases[i].calls) << "case " << i;
    }

    // The style itself, made before any cell: its groups and its values.
    m_session.server->ClearCalls();
    CSaveNamedStyles(m_workbook).Make(m_facade);
    const std::vector<std::string> made = m_session.server->Calls();
    for (const std::string expected :
         {"Style[Figures].IncludeNumber put(true)", "Style[Figures].IncludeFont put(false)",
          "Style[Figures].NumberFormat put('0.00')"}) {
        EXPECT_NE(std::find(made.begin(), made.end(), expected), made.end()) << expected;
    }
    EXPECT_EQ(std::count_if(made.begin(), made.end(),
                            [](const std::string& line) { return line.ends_with(" put(true)"); }),
              1)
        << "Normal is not made; Figures includes the number format only";
}

// --- Missing records -------------------------------------------------------

TEST_F(CSaveCellFormatterTest, MissingXFWritesNothing) {
    AddFonts(m_workbook);
    AddXf(m_workbook, FullXf());
    CSaveCellFormatter formatter(m_facade, m_workbook);
    formatter.ApplyCellFormat(1, 1, 1);
    formatter.ApplyCellFormat(1, 1, 0xFFFFFFFFu);
    formatter.ApplyRowFormat(1, 1);
    formatter.FlushCellFormats();
    EXPECT_TRUE(m_session.server->Calls().empty());
}

TEST_F(CSaveCellFormatterTest, MissingFontSkipsTheFontOnly) {
    AddFont(m_workbook, 200, 0, 8, u"Only");  // font index 5 points past the list
    AddXf(m_workbook, FullXf());
    FormatCell(1, 1, 0);
    const std::vector<std::string> calls = Calls();
    EXPECT_EQ(calls.size(), 4u + 5u * 3u);
    for (const std::string& line : calls) EXPECT_EQ(line.find("Font"), std::string::npos) << line;
}

// --- Rows ------------------------------------------------------------------

// Whole rows and columns, so that the server keeps one row or column format
// (the server tests read the file back for that).
TEST_F(CSaveCellFormatterTest, RowFormatCoversTheWholeRow) {
    AddFonts(m_workbook);
    AddXf(m_workbook, FullXf());
    CSaveCellFormatter(m_facade, m_workbook).ApplyRowFormat(4, 0);
    const std::string cells = "Range[A4:IV4]";
    EXPECT_EQ(Calls(), Join({FontCalls(cells), FillCalls(cells, 3, 1), BorderCalls(cells, 1, 1, 1),
                             BorderCalls(cells, 2, 2, 2), BorderCalls(cells, 3, 3, 4),
                             BorderCalls(cells, 4, 4, 5), BorderCalls(cells, 5, 5, 56)}));
}

TEST_F(CSaveCellFormatterTest, RowFontNeedsNeitherTheFlagNorAName) {
    AddFont(m_workbook, 200, 0, 8, u"");
    XfFields f;
    AddXf(m_workbook, f);  // 0: no font-used flag
    f.used = kFontUsed;
    AddXf(m_workbook, f);  // 1: font used, empty name
    CSaveCellFormatter formatter(m_facade, m_workbook);
    const std::vector<std::string> colour = {"Range[A2:IV2].Font get()",
                                             "Font.ColorIndex put(i2:1)"};
    formatter.ApplyRowFormat(2, 0);
    EXPECT_EQ(Calls(), colour);
    m_session.server->ClearCalls();
    formatter.ApplyRowFormat(2, 1);
    EXPECT_EQ(Calls(), colour);
}

// --- Columns ---------------------------------------------------------------

// Widths are CSaveSheetLayoutWriter's now: 2560 units (ten characters with
// the padding) are 65 / 7 characters without it, and the formatter sets none.
TEST_F(CSaveCellFormatterTest, TenCharacterColumnsAreNinePointTwoNineWide) {
    EXPECT_DOUBLE_EQ(CSaveSheetLayoutWriter::ColumnWidthFromUnits(2560), 65.0 / 7.0);
    XfFields f;
    AddXf(m_workbook, f);
    CSaveCellFormatter(m_facade, m_workbook).ApplyColumnInfo(3, 5, 0);
    EXPECT_TRUE(Calls().empty());
}

TEST_F(CSaveCellFormatterTest, ColumnFormatCoversTheWholeColumns) {
    AddFonts(m_workbook);
    AddXf(m_workbook, FullXf());
    CSaveCellFormatter(m_facade, m_workbook).ApplyColumnInfo(2, 3, 0);
    const std::string cells = "Range[B1:C65536]";
    EXPECT_EQ(Calls(), Join({FontCalls(cells), FillCalls(cells, 3, 1), BorderCalls(cells, 1, 1, 1),
                             BorderCalls(cells, 2, 2, 2), BorderCalls(cells, 3, 3, 4),
                             BorderCalls(cells, 4, 4, 5), BorderCalls(cells, 5, 5, 56)}));
}

// Without an XF the formatter has nothing to set; the width goes through
// CSaveSheetLayoutWriter (SavePipelineTest checks it).
TEST_F(CSaveCellFormatterTest, ColumnWidthIsSetEvenWithoutAnXF) {
    CSaveCellFormatter(m_facade, m_workbook).ApplyColumnInfo(1, 2, 7);
    EXPECT_TRUE(Calls().empty());
}

// A run to one past the sheet's last column (or a damaged one far beyond it)
// keeps the columns the sheet has.
TEST_F(CSaveCellFormatterTest, ColumnsPastTheSheetAreDropped) {
    XfFields f;
    f.used = kPatternUsed;
    f.borderFill = 1u << 26;
    f.fillColors = 8;
    AddXf(m_workbook, f);
    CSaveCellFormatter formatter(m_facade, m_workbook);
    formatter.ApplyColumnInfo(255, 257, 0);
    EXPECT_EQ(Calls(), FillCalls("Range[IU1:IV65536]", 1, 1));
    m_session.server->ClearCalls();
    formatter.ApplyColumnInfo(300, 65536, 0);
    formatter.ApplyColumnInfo(5, 4, 0);
    EXPECT_TRUE(m_session.server->Calls().empty());
}

}  // namespace
