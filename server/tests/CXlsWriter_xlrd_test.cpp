// Read-back by an independent, strict reader: xlrd (python3-xlrd) opens
// what the writer saved and must find every value, text, format, font,
// fill, border, merge, width and height that the model was given, without
// logging a single warning. Skipped when python3-xlrd is not installed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <string>

#include "server/CXlsFormulaCompiler.h"
#include "server/CXlsSheetWriter.h"
#include "server/CXlsWriter.h"
#include "server/tests/support/DefinedNames.h"
#include "server/tests/support/TempFolder.h"
#include "server/tests/support/XlrdReadBack.h"

using namespace servertest;

namespace {

const CXlsFormulaTokens kOnePlusTwo({0x1E, 0x01, 0x00, 0x1E, 0x02, 0x00, 0x03});            // =1+2
const CXlsFormulaTokens kA1Times2({0x24, 0x00, 0x00, 0x00, 0xC0, 0x1E, 0x02, 0x00, 0x05});  // =A1*2

class XlrdReadBackTest : public ::testing::Test {
protected:
    void SetUp() override { MENDWELL_REQUIRE_XLRD(); }

    // Saves the book and reads it back; fails the test on any xlrd warning.
    XlrdDump SaveAndRead(const CXlsWorkbook& book, bool summary = false) {
        const auto path = m_folder / "book.xls";
        CXlsWriter writer(book);
        EXPECT_TRUE(writer.SaveAs(path));
        XlrdDump dump = RunXlrd(path, summary);
        EXPECT_TRUE(dump.Ran()) << dump.Output();
        for (const DumpLine& warning : dump.All("warning")) ADD_FAILURE() << warning[1];
        return dump;
    }

    static std::vector<std::string> Cell(const XlrdDump& d, int sheet, int row, int col) {
        return d.Find({"cell", std::to_string(sheet), std::to_string(row), std::to_string(col)});
    }
    static std::vector<std::string> Of(const XlrdDump& d, const std::string& kind, int sheet,
                                       int row, int col) {
        return d.Find({kind, std::to_string(sheet), std::to_string(row), std::to_string(col)});
    }

    TempFolder m_folder;
};

using Fields = std::vector<std::string>;

}  // namespace

// ---- Values and texts -------------------------------------------------------------------------

TEST_F(XlrdReadBackTest, ValuesOfEveryKind) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    const double numbers[] = {0,         1,     -1,        0.5,           1.23,
                              0.1 + 0.2, 1e100, -2.5e-300, 123456789.123, 536870912};
    for (std::uint32_t i = 0; i < std::size(numbers); ++i) s.SetNumber(i, 0, numbers[i]);
    s.SetText(0, 1, u"plain");
    s.SetText(1, 1, u"\u00e9t\u00e9 \u00fcber");                             // 8-bit, not ASCII
    s.SetText(2, 1, u"\u65e5\u672c\u8a9e \u0420\u0443\u0441 \u05e2\u05d1");  // 16-bit
    s.SetText(3, 1, u"quote \" backslash \\ tab\t");
    s.SetText(4, 1, u"smile \U0001F600");
    s.SetBoolean(0, 2, true);
    s.SetBoolean(1, 2, false);
    const std::uint8_t errors[] = {0x00, 0x07, 0x0F, 0x17, 0x1D, 0x24, 0x2A};
    for (std::uint32_t i = 0; i < std::size(errors); ++i) s.SetError(i, 3, errors[i]);

    const XlrdDump d = SaveAndRead(book);
    for (std::uint32_t i = 0; i < std::size(numbers); ++i) {
        const Fields f = Cell(d, 0, static_cast<int>(i), 0);
        ASSERT_EQ(f.size(), 2u) << i;
        EXPECT_EQ(f[0], "number");
        EXPECT_EQ(std::stod(f[1]), numbers[i]) << i;
    }
    EXPECT_EQ(Cell(d, 0, 0, 1), (Fields{"text", JsonQuote(u"plain")}));
    EXPECT_EQ(Cell(d, 0, 1, 1), (Fields{"text", JsonQuote(u"\u00e9t\u00e9 \u00fcber")}));
    EXPECT_EQ(Cell(d, 0, 2, 1),
              (Fields{"text", JsonQuote(u"\u65e5\u672c\u8a9e \u0420\u0443\u0441 \u05e2\u05d1")}));
    EXPECT_EQ(Cell(d, 0, 3, 1), (Fields{"text", JsonQuote(u"quote \" backslash \\ tab\t")}));
    EXPECT_EQ(Cell(d, 0, 4, 1), (Fields{"text", JsonQuote(u"smile \U0001F600")}));
    EXPECT_EQ(Cell(d, 0, 0, 2), (Fields{"boolean", "1"}));
    EXPECT_EQ(Cell(d, 0, 1, 2), (Fields{"boolean", "0"}));
    for (std::uint32_t i = 0; i < std::size(errors); ++i) {
        EXPECT_EQ(Cell(d, 0, static_cast<int>(i), 3), (Fields{"error", std::to_string(errors[i])}));
    }
}

TEST_F(XlrdReadBackTest, LargeSharedStringTableAcrossContinueRecords) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    std::vector<std::u16string> texts;
    for (std::uint32_t i = 0; i < 2500; ++i) {
        std::u16string t =
            (i % 3 == 0) ? u"\u00c4rger " : (i % 3 == 1 ? u"\u6587\u5b57 " : u"ascii ");
        for (char c : std::to_string(i * 7919)) t.push_back(static_cast<char16_t>(c));
        t += std::u16string(i % 23, u'.');
        texts.push_back(t);
        s.SetText(i, 0, t);
    }
    // One text longer than a record on its own, and the longest a cell takes.
    texts.push_back(std::u16string(10000, u'\u0416'));
    s.SetText(2500, 0, texts.back());
    texts.push_back(std::u16string(32767, u'z'));
    s.SetText(2501, 0, texts.back());

    const XlrdDump d = SaveAndRead(book);
    for (std::uint32_t i = 0; i < texts.size(); ++i) {
        ASSERT_EQ(Cell(d, 0, static_cast<int>(i), 0), (Fields{"text", JsonQuote(texts[i])})) << i;
    }
}

// A surrogate that is not half of a pair is stored as U+FFFD wherever the
// writer puts a text: the shared strings, a sheet name, a comment, a
// hyperlink's description and tool tip, a string token of a name's formula.
TEST_F(XlrdReadBackTest, UnpairedSurrogatesAreStoredAsReplacementCharacters) {
    struct Case {
        std::u16string text;
        std::u16string stored;
    };
    constexpr char16_t kHigh = 0xD800, kLow = 0xDC00, kMend = 0xFFFD;
    const Case cases[] = {
        {{u'a', kHigh, u'b'}, {u'a', kMend, u'b'}},  // high alone
        {{kLow, u'x'}, {kMend, u'x'}},               // low alone, first
        {{u'z', kHigh}, {u'z', kMend}},              // high, last
        {{kLow, kHigh}, {kMend, kMend}},             // the pair's halves swapped
        {{kHigh, kLow}, {kHigh, kLow}},              // a sound pair stays
    };
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    for (std::uint32_t i = 0; i < std::size(cases); ++i) {
        const std::u16string& text = cases[i].text;
        const std::u16string digit(1, static_cast<char16_t>(u'0' + i));
        s.SetText(i, 0, text);
        s.Comments().Add(i, 1, text);
        ASSERT_TRUE(s.Hyperlinks().Add(
            {CXlsCellRange::Cell(i, 2), u"http://example.com/", u"", text, text}));
        ASSERT_NE(book.AddSheet(i + 1, u"S" + digit + text), nullptr) << i;
        const std::u16string name = u"Text_" + digit;
        const std::u16string formula = u"=\"" + text + u"\"";
        ASSERT_TRUE(testsupport::AddDefinedName(book, name.c_str(), nullptr, formula.c_str(), false,
                                                EXlsNameMacro::kNone));
    }

    const XlrdDump d = SaveAndRead(book);
    for (std::uint32_t i = 0; i < std::size(cases); ++i) {
        const int row = static_cast<int>(i);
        const std::string stored = JsonQuote(cases[i].stored);
        const std::u16string digit(1, static_cast<char16_t>(u'0' + i));
        EXPECT_EQ(Cell(d, 0, row, 0), (Fields{"text", stored})) << i;
        const Fields note = Of(d, "note", 0, row, 1);
        ASSERT_FALSE(note.empty()) << i;
        EXPECT_EQ(note.back(), stored) << i;
        const Fields link = d.Find({"hyperlink", "0", std::to_string(i), std::to_string(i)});
        ASSERT_GE(link.size(), 2u) << i;
        EXPECT_EQ(link[link.size() - 2], stored) << i;
        EXPECT_EQ(link.back(), stored) << i;
        EXPECT_EQ(d.Find({"sheet", std::to_string(i + 1)})[0],
                  JsonQuote(u"S" + digit + cases[i].stored))
            << i;
        EXPECT_EQ(d.Find({"name", JsonQuote(u"Text_" + digit)}).back(),
                  JsonQuote(u"\"" + cases[i].stored + u"\""))
            << i;
    }
}

TEST_F(XlrdReadBackTest, SheetNamesOrderAndDate1904) {
    CXlsWorkbook book;
    book.AddSheet(0, u"Data \u00e9t\u00e9");
    book.AddSheet(1, u"\u8868");
    book.AddSheet(0);  // Sheet1 before the others
    book.MoveSheet(0, 2);
    book.SetDate1904(true);
    const XlrdDump d = SaveAndRead(book);
    EXPECT_EQ(d.Find({"book", "datemode"}), (Fields{"1", "nsheets", "3"}));
    EXPECT_EQ(d.Find({"sheet", "0"})[0], JsonQuote(u"Data \u00e9t\u00e9"));
    EXPECT_EQ(d.Find({"sheet", "1"})[0], JsonQuote(u"\u8868"));
    EXPECT_EQ(d.Find({"sheet", "2"})[0], JsonQuote(u"Sheet1"));
}

// ---- Formulas
// -------------------------------------------------------------------------------------

TEST_F(XlrdReadBackTest, FormulaCellsShowTheirCachedResults) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    s.SetNumber(0, 0, 21);
    s.SetNumber(0, 1, 3);
    ASSERT_TRUE(s.SetFormula(0, 1, kOnePlusTwo));
    s.SetNumber(1, 1, 42);
    ASSERT_TRUE(s.SetFormula(1, 1, kA1Times2));
    s.SetText(2, 1, u"cached text \u00e9");
    ASSERT_TRUE(s.SetFormula(2, 1, kOnePlusTwo));
    s.SetBoolean(3, 1, true);
    ASSERT_TRUE(s.SetFormula(3, 1, kOnePlusTwo));
    s.SetError(4, 1, 0x07);
    ASSERT_TRUE(s.SetFormula(4, 1, kOnePlusTwo));
    ASSERT_TRUE(s.SetFormula(5, 1, kOnePlusTwo));  // held nothing
    s.SetNumber(6, 1, 5);
    ASSERT_TRUE(s.SetArrayFormula(CXlsCellRange(6, 1, 7, 2), kOnePlusTwo));

    const XlrdDump d = SaveAndRead(book);
    EXPECT_EQ(Cell(d, 0, 0, 1), (Fields{"number", "3.0"}));
    EXPECT_EQ(Cell(d, 0, 1, 1), (Fields{"number", "42.0"}));
    EXPECT_EQ(Cell(d, 0, 2, 1), (Fields{"text", JsonQuote(u"cached text \u00e9")}));
    EXPECT_EQ(Cell(d, 0, 3, 1), (Fields{"boolean", "1"}));
    EXPECT_EQ(Cell(d, 0, 4, 1), (Fields{"error", "7"}));
    EXPECT_EQ(Cell(d, 0, 5, 1), (Fields{"text", "\"\""})) << "no value: an empty text result";
    EXPECT_EQ(Cell(d, 0, 6, 1), (Fields{"number", "5.0"}));
    EXPECT_EQ(Cell(d, 0, 7, 2), (Fields{"text", "\"\""}));
}

// ---- Formatting
// -------------------------------------------------------------------------------------

TEST_F(XlrdReadBackTest, NumberFormats) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    const std::u16string formats[] = {u"General",          u"0.00", u"#,##0.000 \"kg\"",   u"@",
                                      u"yyyy-mm-dd hh:mm", u"0%",   u"[Red]0.0;[Blue]-0.0"};
    for (std::uint32_t i = 0; i < std::size(formats); ++i) {
        s.SetNumber(i, 0, 1234.5);
        ASSERT_TRUE(s.ModifyFormat(CXlsCellRange::Cell(i, 0), [&](CXlsCellFormat& f) {
            return f.SetNumberFormat(formats[i]);
        }));
    }
    const XlrdDump d = SaveAndRead(book);
    for (std::uint32_t i = 0; i < std::size(formats); ++i) {
        EXPECT_EQ(Of(d, "format", 0, static_cast<int>(i), 0), (Fields{JsonQuote(formats[i])})) << i;
    }
    EXPECT_EQ(Of(d, "used", 0, 0, 0)[0], "0");
    EXPECT_EQ(Of(d, "used", 0, 1, 0)[0], "1") << "number format used";
}

TEST_F(XlrdReadBackTest, Fonts) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    s.SetText(0, 0, u"styled");
    ASSERT_TRUE(s.ModifyFormat(CXlsCellRange::Cell(0, 0), [](CXlsCellFormat& f) {
        f.Font().SetBold(true);
        f.Font().SetItalic(true);
        return f.Font().SetName(u"Times New Roman") && f.Font().SetSize(14) &&
               f.Font().SetUnderline(CXlsFont::kUnderlineSingle) && f.Font().SetColorIndex(3);
    }));
    s.SetText(1, 0, u"wide name");
    ASSERT_TRUE(s.ModifyFormat(CXlsCellRange::Cell(1, 0), [](CXlsCellFormat& f) {
        return f.Font().SetName(u"\uff2d\uff33 \u30b4\u30b7\u30c3\u30af") &&
               f.Font().SetUnderline(CXlsFont::kUnderlineDoubleAccounting);
    }));
    s.SetText(2, 0, u"plain");

    const XlrdDump d = SaveAndRead(book);
    EXPECT_EQ(Of(d, "font", 0, 0, 0),
              (Fields{JsonQuote(u"Times New Roman"), "280", "1", "1", "1", "10"}));
    EXPECT_EQ(Of(d, "font", 0, 1, 0), (Fields{JsonQuote(u"\uff2d\uff33 \u30b4\u30b7\u30c3\u30af"),
                                              "200", "0", "0", "34", "32767"}));
    EXPECT_EQ(Of(d, "font", 0, 2, 0), (Fields{JsonQuote(u"Arial"), "200", "0", "0", "0", "32767"}));
    EXPECT_EQ(Of(d, "used", 0, 0, 0)[1], "1");
    EXPECT_EQ(Of(d, "used", 0, 2, 0)[1], "0");
}

TEST_F(XlrdReadBackTest, FillsAndBorders) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    ASSERT_TRUE(s.ModifyFormat(CXlsCellRange::Cell(0, 0),
                               [](CXlsCellFormat& f) { return f.Interior().SetColorIndex(6); }));
    ASSERT_TRUE(s.ModifyFormat(CXlsCellRange::Cell(1, 0), [](CXlsCellFormat& f) {
        return f.Interior().SetColorIndex(36) && f.Interior().SetPattern(17) &&
               f.Interior().SetPatternColorIndex(5);
    }));
    ASSERT_TRUE(s.ModifyFormat(CXlsCellRange::Cell(2, 0), [](CXlsCellFormat& f) {
        CXlsBorders& b = f.Borders();
        return b.SetLineStyle(CXlsBorders::kLeft, 1) && b.SetLineStyle(CXlsBorders::kRight, 2) &&
               b.SetColorIndex(CXlsBorders::kRight, 3) && b.SetLineStyle(CXlsBorders::kTop, 6) &&
               b.SetColorIndex(CXlsBorders::kTop, 56) && b.SetLineStyle(CXlsBorders::kBottom, 13) &&
               b.SetLineStyle(CXlsBorders::kDiagonalDown, 4) &&
               b.SetColorIndex(CXlsBorders::kDiagonalDown, 10);
    }));
    s.SetNumber(3, 0, 1);

    const XlrdDump d = SaveAndRead(book);
    EXPECT_EQ(Of(d, "fill", 0, 0, 0), (Fields{"1", "13", "65"}));
    EXPECT_EQ(Of(d, "fill", 0, 1, 0), (Fields{"17", "12", "43"}));
    EXPECT_EQ(Of(d, "border", 0, 2, 0),
              (Fields{"1/64", "2/10", "6/63", "13/64", "4/17", "1", "0"}));
    EXPECT_EQ(Of(d, "fill", 0, 3, 0), (Fields{"0", "64", "65"}));
    EXPECT_EQ(Of(d, "border", 0, 3, 0), (Fields{"0/0", "0/0", "0/0", "0/0", "0/0", "0", "0"}));
    EXPECT_EQ(Of(d, "used", 0, 0, 0), (Fields{"0", "0", "0", "1"}));
    EXPECT_EQ(Of(d, "used", 0, 2, 0), (Fields{"0", "0", "1", "0"}));
}

TEST_F(XlrdReadBackTest, RunsOfFormattedBlankCellsKeepEachCellsFill) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    // Columns A:D of row 0 blank, filled 6, 6, 36, 6 (one MULBLANK record).
    const int colors[] = {6, 6, 36, 6};
    for (std::uint32_t c = 0; c < std::size(colors); ++c) {
        ASSERT_TRUE(s.ModifyFormat(CXlsCellRange::Cell(0, c), [&](CXlsCellFormat& f) {
            return f.Interior().SetColorIndex(colors[c]);
        }));
    }
    const XlrdDump d = SaveAndRead(book);
    for (std::uint32_t c = 0; c < std::size(colors); ++c) {
        EXPECT_EQ(Cell(d, 0, 0, static_cast<int>(c)), (Fields{"blank", ""})) << c;
    }
    EXPECT_EQ(Of(d, "fill", 0, 0, 0), (Fields{"1", "13", "65"}));
    EXPECT_EQ(Of(d, "fill", 0, 0, 1), (Fields{"1", "13", "65"}));
    EXPECT_EQ(Of(d, "fill", 0, 0, 2), (Fields{"1", "43", "65"}));
    EXPECT_EQ(Of(d, "fill", 0, 0, 3), (Fields{"1", "13", "65"}));
}

// Each case formats the number in its own row of column A; xlrd must read
// back the XF's alignment and protection, its font's effects and its
// diagonals (space-separated as in the dump). Every alignment field at its
// largest at once catches a field that spills into its neighbour.
TEST_F(XlrdReadBackTest, AlignmentProtectionFontEffectsAndDiagonals) {
    using A = CXlsAlignment;
    using B = CXlsBorders;
    struct Case {
        const char* what;
        CXlsWorksheet::FormatChange change;
        const char* align;     // horizontal vertical wrap rotation indent shrink used
        const char* protect;   // locked formula-hidden used
        const char* effects;   // struck-out escapement
        const char* diagonal;  // style/colour down up
    };
    const Case cases[] = {
        {"the default cell XF", [](CXlsCellFormat&) { return true; }, "0 2 0 0 0 0 0", "1 0 0",
         "0 0", "0/0 0 0"},
        {"largest alignment, 90 clockwise; unlocked, hidden; struck subscript; thin diagonals",
         [](CXlsCellFormat& f) {
             A& a = f.Alignment();
             a.SetWrap(true);
             a.SetShrinkToFit(true);
             f.SetLocked(false);
             f.SetFormulaHidden(true);
             f.Font().SetStrikethrough(true);
             return a.SetHorizontal(A::kLastHorizontal) && a.SetVertical(A::kLastVertical) &&
                    a.SetRotation(180) && a.SetIndent(A::kLastIndent) &&
                    f.Font().SetEscapement(CXlsFont::kEscapementSubscript) &&
                    f.Borders().SetLineStyle(B::kDiagonalUp, 1) &&
                    f.Borders().SetLineStyle(B::kDiagonalDown, 1);
         },
         "7 4 1 180 15 1 1", "0 1 1", "1 2", "1/64 1 1"},
        {"across the selection, top, 90 counter-clockwise; hidden; superscript; diagonal up",
         [](CXlsCellFormat& f) {
             f.SetFormulaHidden(true);
             return f.Alignment().SetHorizontal(6) && f.Alignment().SetVertical(0) &&
                    f.Alignment().SetRotation(90) &&
                    f.Font().SetEscapement(CXlsFont::kEscapementSuperscript) &&
                    f.Borders().SetLineStyle(B::kDiagonalUp, 10) &&
                    f.Borders().SetColorIndex(B::kDiagonalUp, 3);
         },
         "6 0 0 90 0 0 1", "1 1 1", "0 1", "10/10 0 1"},
        {"letters stacked, justified; struck out",
         [](CXlsCellFormat& f) {
             f.Font().SetStrikethrough(true);
             return f.Alignment().SetRotation(A::kRotationStacked) && f.Alignment().SetVertical(3);
         },
         "0 3 0 255 0 0 1", "1 0 0", "1 0", "0/0 0 0"},
        {"right, indent 15; diagonal down, dotted",
         [](CXlsCellFormat& f) {
             return f.Alignment().SetHorizontal(3) && f.Alignment().SetIndent(15) &&
                    f.Borders().SetLineStyle(B::kDiagonalDown, 4);
         },
         "3 2 0 0 15 0 1", "1 0 0", "0 0", "4/64 1 0"},
    };
    auto split = [](const char* text) {
        Fields fields;
        std::istringstream in(text);
        for (std::string field; in >> field;) fields.push_back(field);
        return fields;
    };
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    for (std::uint32_t i = 0; i < std::size(cases); ++i) {
        s.SetNumber(i, 0, 2.5);
        ASSERT_TRUE(s.ModifyFormat(CXlsCellRange::Cell(i, 0), cases[i].change)) << cases[i].what;
    }
    const XlrdDump d = SaveAndRead(book);
    for (std::uint32_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].what);
        const int row = static_cast<int>(i);
        EXPECT_EQ(Cell(d, 0, row, 0), (Fields{"number", "2.5"}));
        EXPECT_EQ(Of(d, "align", 0, row, 0), split(cases[i].align));
        EXPECT_EQ(Of(d, "protect", 0, row, 0), split(cases[i].protect));
        EXPECT_EQ(Of(d, "effects", 0, row, 0), split(cases[i].effects));
        const Fields border = Of(d, "border", 0, row, 0);
        ASSERT_EQ(border.size(), 7u);
        EXPECT_EQ(Fields(border.begin() + 4, border.end()), split(cases[i].diagonal));
    }
}

TEST_F(XlrdReadBackTest, MergedRangesWidthsAndHeights) {
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    s.SetText(0, 0, u"merged");
    ASSERT_TRUE(s.Merge(CXlsCellRange(0, 0, 1, 3)));
    ASSERT_TRUE(s.Merge(CXlsCellRange(10, 5, 20, 5)));
    ASSERT_TRUE(s.SetColumnWidth(1, 20));
    ASSERT_TRUE(s.SetColumnWidth(2, 8.43));
    ASSERT_TRUE(s.SetColumnWidth(4, 0));
    ASSERT_TRUE(s.SetRowHeight(3, 30));
    ASSERT_TRUE(s.SetRowHeight(4, 9.75));
    ASSERT_TRUE(s.SetRowHeight(5, 0));
    ASSERT_TRUE(s.ModifyFormat(CXlsCellRange(8, 0, 8, 255),
                               [](CXlsCellFormat& f) { return f.Interior().SetColorIndex(4); }));

    const XlrdDump d = SaveAndRead(book);
    const auto merged = d.All("merged");
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[0], (DumpLine{"merged", "0", "0", "1", "0", "3"}));
    EXPECT_EQ(merged[1], (DumpLine{"merged", "0", "10", "20", "5", "5"}));
    EXPECT_EQ(d.Find({"colinfo", "0", "1"}),
              (Fields{std::to_string(CXlsSheetWriter::ColumnWidthUnits(20)), "0", "15"}));
    EXPECT_EQ(d.Find({"colinfo", "0", "2"})[0], "2340")
        << "the standard width as the spreadsheet stores it";
    EXPECT_EQ(d.Find({"colinfo", "0", "4"}), (Fields{"0", "1", "15"}));
    EXPECT_EQ(d.Find({"rowinfo", "0", "3"}), (Fields{"600", "1", "0", "-1"}));
    EXPECT_EQ(d.Find({"rowinfo", "0", "4"}), (Fields{"195", "1", "0", "-1"}));
    EXPECT_EQ(d.Find({"rowinfo", "0", "5"})[2], "1") << "hidden";
    const Fields formatted = d.Find({"rowinfo", "0", "8"});
    ASSERT_EQ(formatted.size(), 4u);
    EXPECT_NE(formatted[3], "-1") << "the row carries its format";
}

// One sheet per case, each with the lines xlrd must show for it (the sheet
// index left out); widths in 1/256 of a digit of Arial 10 with the cell
// padding, heights in twips. A sheet's "pane" line is there only when
// listed.
TEST_F(XlrdReadBackTest, SheetLayoutWindowVisibilityAndPalette) {
    struct Case {
        const char* what;
        std::function<bool(CXlsWorkbook&, CXlsWorksheet&)> set;
        std::vector<Fields> lines;  // kind, then the fields after the sheet index
    };
    const Case cases[] = {
        {"untouched",
         [](CXlsWorkbook&, CXlsWorksheet&) { return true; },
         {{"visible", "0"},
          {"window", "1", "1", "0", "100", "0", "0"},
          {"sizes", "8", "-1", "255", "0", "0"}}},
        {"frozen at B3, zoom 85, no gridlines or headings, standard width and height",
         [](CXlsWorkbook&, CXlsWorksheet& s) {
             CXlsSheetView& v = s.View();
             v.frozen = true;
             v.splitRows = 2;
             v.splitColumns = 1;
             v.zoom = 85;
             v.gridlines = v.headings = false;
             // A hidden column and row keep their own size, else the sheet's.
             return s.SetStandardWidth(12.5) && s.SetStandardHeight(15) &&
                    s.SetColumnWidth(3, 20) && s.SetColumnHidden(3, true) &&
                    s.SetColumnHidden(5, true) && s.SetRowHeight(4, 30) &&
                    s.SetRowHidden(4, true) && s.SetRowHidden(6, true);
         },
         {{"visible", "0"},
          {"window", "0", "0", "1", "85", "0", "0"},
          {"pane", "1", "2", "2", "1", "0"},
          {"sizes", "12", "3382", "300", "1", "0"},
          {"colinfo", "3", "5302", "1", "15"},
          {"colinfo", "5", "3382", "1", "15"},
          {"rowinfo", "4", "600", "1", "1", "-1"},
          {"rowinfo", "6", "300", "0", "1", "-1"}}},
        {"hidden, split 1500 by 900 twips, scrolled to E11, zoom 400",
         [](CXlsWorkbook& book, CXlsWorksheet& s) {
             CXlsSheetView& v = s.View();
             v.splitXTwips = 1500;
             v.splitYTwips = 900;
             v.splitRows = 3;
             v.splitColumns = 2;
             v.scrollRow = 10;
             v.scrollColumn = 4;
             v.zoom = 400;
             return book.SetSheetVisibility(s, CXlsWorksheet::kHidden);
         },
         {{"visible", "1"},
          {"window", "1", "1", "0", "400", "10", "4"},
          {"pane", "1500", "900", "13", "6", "0"},
          {"sizes", "8", "-1", "255", "0", "0"}}},
        {"very hidden, first row frozen, zoom 10, rows hidden by default",
         [](CXlsWorkbook& book, CXlsWorksheet& s) {
             s.View().frozen = true;
             s.View().splitRows = 1;
             s.View().zoom = 10;
             return s.SetStandardHeight(0) &&
                    book.SetSheetVisibility(s, CXlsWorksheet::kVeryHidden);
         },
         {{"visible", "2"},
          {"window", "1", "1", "1", "10", "0", "0"},
          {"pane", "0", "1", "1", "0", "2"},
          {"sizes", "8", "-1", "0", "1", "1"}}},
        {"the tallest rows: 1638.35 points, the default capped at 8179 twips",
         [](CXlsWorkbook&, CXlsWorksheet& s) {
             return s.SetStandardHeight(409.5) && s.SetRowHeight(2, 1638.35);
         },
         {{"visible", "0"},
          {"sizes", "8", "-1", "8179", "1", "0"},
          {"rowinfo", "2", "32767", "1", "0", "-1"}}},
    };
    CXlsWorkbook book;
    for (std::uint32_t i = 0; i < std::size(cases); ++i) {
        ASSERT_TRUE(cases[i].set(book, *book.AddSheet(i))) << cases[i].what;
    }
    // A colour of the palette's own at its first and last index.
    ASSERT_TRUE(book.Palette().Set(1, 0x123456));
    ASSERT_TRUE(book.Palette().Set(CXlsPalette::kColors, 0x00FF80));

    const XlrdDump d = SaveAndRead(book);
    for (std::uint32_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].what);
        bool pane = false;
        for (const Fields& expected : cases[i].lines) {
            DumpLine line = expected;
            line.insert(line.begin() + 1, std::to_string(i));
            const auto found = d.All(expected[0]);
            EXPECT_NE(std::find(found.begin(), found.end(), line), found.end())
                << "no line " << testing::PrintToString(line);
            pane = pane || expected[0] == "pane";
        }
        EXPECT_EQ(!d.Find({"pane", std::to_string(i)}).empty(), pane) << "a PANE record";
    }
    EXPECT_EQ(d.Find({"colour", "8"}), (Fields{"86", "52", "18"}));
    EXPECT_EQ(d.Find({"colour", "10"}), (Fields{"255", "0", "0"})) << "a default colour stays";
    EXPECT_EQ(d.Find({"colour", "63"}), (Fields{"128", "255", "0"}));
}

// ---- Size
// ---------------------------------------------------------------------------------------------

TEST_F(XlrdReadBackTest, DefinedNamesWithTheirScopesFlagsAndFormulas) {
    CXlsWorkbook book;
    CXlsWorksheet& data = *book.AddSheet(0, u"Data");
    CXlsWorksheet& q1 = *book.AddSheet(1, u"Q1 2009");
    auto name = [&](const char16_t* text, const CXlsWorksheet* scope, const char16_t* refersTo,
                    bool hidden, EXlsNameMacro macro) {
        ASSERT_TRUE(testsupport::AddDefinedName(book, text, scope, refersTo, hidden, macro));
    };
    name(u"Rates", nullptr, u"=Data!$B$1:$B$3", false, EXlsNameMacro::kNone);
    name(u"Local", &q1, u"=$A$1", false, EXlsNameMacro::kNone);
    name(u"Secret", nullptr, u"=Data!$A$1*100", true, EXlsNameMacro::kNone);
    name(u"Print_Area", &data, u"=Data!$A$1:$C$3", false, EXlsNameMacro::kNone);
    name(u"_xlfn.IFERROR", nullptr, nullptr, true, EXlsNameMacro::kFunction);
    // A formula of each kind, with the cached result the save wrote.
    const char16_t* formulas[] = {u"=SUM(Rates)", u"=IFERROR(1/0,2)+NETWORKDAYS(A1,A2)",
                                  u"='[other.xls]Sheet1'!A1", u"=#REF!A1+#REF!"};
    for (std::uint32_t i = 0; i < std::size(formulas); ++i) {
        CXlsFormulaCompiler compiler(book, &data);
        CXlsFormulaTokens tokens;
        ASSERT_TRUE(compiler.Compile(formulas[i], EXlsFormulaKind::kCell, tokens));
        data.SetNumber(i, 4, 60.0 + i);
        ASSERT_TRUE(data.SetFormula(i, 4, tokens));
    }

    const XlrdDump d = SaveAndRead(book);
    auto named = [&](std::u16string_view text) { return d.Find({"name", JsonQuote(text)}); };
    // Scope, hidden, function, macro, built-in, the formula as xlrd shows it.
    EXPECT_EQ(named(u"Rates"), (Fields{"-1", "0", "0", "0", "0", JsonQuote(u"Data!$B$1:$B$3")}));
    EXPECT_EQ(named(u"Local"), (Fields{"1", "0", "0", "0", "0", JsonQuote(u"'Q1 2009'!$A$1")}));
    EXPECT_EQ(named(u"Secret"), (Fields{"-1", "1", "0", "0", "0", JsonQuote(u"Data!$A$1*100.0")}));
    EXPECT_EQ(named(u"Print_Area"),
              (Fields{"0", "0", "0", "0", "1", JsonQuote(u"Data!$A$1:$C$3")}));
    EXPECT_EQ(named(u"_xlfn.IFERROR"), (Fields{"-1", "1", "1", "1", "0", JsonQuote(u"")}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Cell(d, 0, i, 4), (Fields{"number", std::to_string(60 + i) + ".0"})) << i;
    }
}

TEST_F(XlrdReadBackTest, FullSheetOf65536RowsByTenColumns) {
    // Half numbers that need a whole NUMBER record, half texts: the stream
    // passes 7 MB, so the compound file needs DIFAT sectors.
    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0);
    double sum = 0;
    std::uint64_t chars = 0;
    for (std::uint32_t r = 0; r < 65536; ++r) {
        for (std::uint32_t c = 0; c < 5; ++c) {
            const double v = r * 10.0 + c + 0.123456789;
            s.SetNumber(r, c, v);
            sum += v;
        }
        for (std::uint32_t c = 5; c < 10; ++c) {
            std::u16string t = u"row ";
            for (char ch : std::to_string(r % 4096)) t.push_back(static_cast<char16_t>(ch));
            t += c % 2 ? u" \u00e9" : u" x";
            s.SetText(r, c, t);
            chars += t.size();
        }
    }
    CXlsWriter writer(book);
    const auto path = m_folder / "big.xls";
    ASSERT_TRUE(writer.SaveAs(path));
    EXPECT_EQ(writer.CellsWritten(), 655360u);
    EXPECT_GT(std::filesystem::file_size(path), 109u * 128 * 512) << "more than 109 FAT sectors";

    const XlrdDump d = RunXlrd(path, true);
    ASSERT_TRUE(d.Ran()) << d.Output();
    EXPECT_TRUE(d.All("warning").empty());
    EXPECT_EQ(d.Find({"sheet", "0"}), (Fields{JsonQuote(u"Sheet1"), "65536", "10"}));
    const Fields summary = d.Find({"summary", "0"});
    ASSERT_EQ(summary.size(), 5u);
    EXPECT_EQ(summary[0], "327680");
    EXPECT_NEAR(std::stod(summary[1]), sum, std::abs(sum) * 1e-12);
    EXPECT_EQ(summary[2], "327680");
    EXPECT_EQ(summary[3], std::to_string(chars));
    EXPECT_EQ(summary[4], "0");
}
