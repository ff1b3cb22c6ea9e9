// Whole workbooks made the way the save makes them, through the wrapper
// (CXLEzAutomation) and our server registered as "Excel.Application", then
// read back by two independent programs: xlrd, a strict reader, and
// LibreOffice Calc, which recalculates every formula on loading, so its
// results must equal the cached results the server wrote. Each reader's
// test skips when the reader is not installed.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "save/CXLEzAutomation.h"
#include "server/CXlsSheetWriter.h"
#include "server/automation/CXlsApplicationServer.h"
#include "server/automation/tests/support/DispatchClient.h"
#include "server/tests/support/TempFolder.h"
#include "server/tests/support/XlrdReadBack.h"

using namespace servertest;

namespace {

using Fields = std::vector<std::string>;

// Sets a cell's value through the range the wrapper selects: the wrapper has
// no operation for Booleans and errors, the server takes them as values.
void PutValue(CXLEzAutomation& ez, int column, int row, const CVariant& value) {
    ObjectRef range = ObjectRef::Adopt(ez.SelectRange(column, row, column, row));
    ASSERT_TRUE(range);
    ASSERT_EQ(Put(range.Get(), u"Value", value).status, S_OK);
}

// Two sheets, "Data" and "Second", with one of everything the save writes.
void MakeWorkbook(const std::filesystem::path& path) {
    CXlsApplicationServer::Register();
    CXLEzAutomation ez(false);
    ASSERT_TRUE(ez.NewWorkbook());
    ASSERT_TRUE(ez.SelectWorksheetFromEnd(1));
    ASSERT_TRUE(ez.RenameActiveWorksheet(u"Data"));
    ASSERT_EQ(ez.AppendWorksheet(), 2);
    ASSERT_TRUE(ez.SelectWorksheetFromEnd(1));
    ASSERT_TRUE(ez.RenameActiveWorksheet(u"Second"));
    ASSERT_TRUE(ez.WriteText(1, 1, u"other sheet"));
    ASSERT_TRUE(ez.SelectWorksheetFromEnd(2));

    // Row 1: values of every kind.
    ASSERT_TRUE(ez.WriteNumber(1, 1, 21, u"General"));
    ASSERT_TRUE(ez.WriteNumber(2, 1, 1234.5, u"#,##0.000"));
    ASSERT_TRUE(ez.WriteNumber(3, 1, 0.25, u"0%"));
    ASSERT_TRUE(ez.WriteText(4, 1, u"\u00e9t\u00e9 \u65e5\u672c"));
    PutValue(ez, 5, 1, CVariant::Bool(true));
    PutValue(ez, 6, 1, CVariant::SheetError(0x07));

    // Row 2: formulas put on cells that held their results.
    ASSERT_TRUE(ez.WriteNumber(1, 2, 42, u"General"));
    ASSERT_TRUE(ez.WriteFormula(1, 2, u"=A1*2", u"0.00"));
    PutValue(ez, 2, 2, CVariant::Bool(true));
    ASSERT_TRUE(ez.WriteFormula(2, 2, u"=A1>20", u"General"));
    PutValue(ez, 3, 2, CVariant::Text(u"x21"));
    ASSERT_TRUE(ez.WriteFormula(3, 2, u"=\"x\"&A1", u"General"));

    // Rows 3-6: a formula filled down, an array formula, and a formula on a
    // cell that held nothing.
    for (int row = 3; row <= 6; ++row) {
        ASSERT_TRUE(ez.WriteNumber(1, row, row - 2, u"General"));
        ASSERT_TRUE(ez.WriteNumber(2, row, (row - 2) * 2, u"General"));
    }
    ASSERT_TRUE(ez.WriteFilledFormula(2, 3, u"=A3*2", 2, 3, 2, 6));
    ASSERT_TRUE(ez.WriteNumber(3, 3, 20, u"General"));
    ASSERT_TRUE(ez.WriteFormulaArray(3, 3, u"=SUM(A3:A6*2)"));
    ASSERT_TRUE(ez.WriteFormula(4, 3, u"=1+2", u"General"));

    // Formats.
    ASSERT_TRUE(ez.SetRangeFont(1, 1, 1, 1, u"Times New Roman", true, true, true, 3));
    ASSERT_TRUE(ez.SetRangeFontSize(1, 1, 1, 1, 14));
    ASSERT_TRUE(ez.SetCellFill(8, 1, 6, 1));
    ASSERT_TRUE(ez.SetCellFill(8, 2, 36, 17));
    ASSERT_TRUE(ez.SetColumnFill(8, 4, 1));
    ASSERT_TRUE(ez.SetRowFill(10, 5, 1));
    ASSERT_TRUE(ez.SetRangeBorder(2, 8, 3, 9, 13, 1, 3));
    ASSERT_TRUE(ez.SetRangeBorder(4, 8, 4, 8, 5, 4, 10));
    ASSERT_TRUE(ez.WriteText(1, 12, u"merged"));
    ASSERT_TRUE(ez.MergeRange(1, 12, 3, 12));
    ASSERT_TRUE(ez.SetColumnWidth(3, 20.0));
    ASSERT_TRUE(ez.SetRowHeight(4, 30.0));

    ASSERT_TRUE(ez.SelectCell(1, 1));
    ASSERT_TRUE(ez.SelectWorksheetFromEnd(ez.WorksheetCount()));
    ASSERT_TRUE(ez.SaveWorkbookAs(path.u16string()));
    ASSERT_TRUE(ez.QuitServer());
}

Fields Of(const XlrdDump& d, const std::string& kind, int row, int col) {
    return d.Find({kind, "0", std::to_string(row), std::to_string(col)});
}

bool HaveLibreOffice() {
    std::string ignored;
    return RunCommand("command -v soffice >/dev/null 2>&1", ignored);
}

// The fields of a CSV file as LibreOffice writes it (comma, quote).
std::vector<Fields> ReadCsv(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<Fields> rows;
    std::string line;
    while (std::getline(in, line)) {
        Fields fields(1);
        bool quoted = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (c == '"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    fields.back().push_back('"');
                    ++i;
                } else {
                    quoted = !quoted;
                }
            } else if (c == ',' && !quoted) {
                fields.emplace_back();
            } else {
                fields.back().push_back(c);
            }
        }
        rows.push_back(fields);
    }
    return rows;
}

std::string At(const std::vector<Fields>& rows, std::size_t row, std::size_t col) {
    return row < rows.size() && col < rows[row].size() ? rows[row][col] : "<missing>";
}

}  // namespace

TEST(XlsServerReadBack, XlrdReadsWhatTheWrapperWrote) {
    MENDWELL_REQUIRE_XLRD();
    TempFolder folder;
    const auto path = folder / "saved.xls";
    ASSERT_NO_FATAL_FAILURE(MakeWorkbook(path));
    const XlrdDump d = RunXlrd(path);
    ASSERT_TRUE(d.Ran()) << d.Output();
    for (const DumpLine& warning : d.All("warning")) ADD_FAILURE() << warning[1];

    EXPECT_EQ(d.Find({"book"}), (Fields{"datemode", "0", "nsheets", "2"}));
    EXPECT_EQ(d.Find({"sheet", "0"})[0], JsonQuote(u"Data"));
    EXPECT_EQ(d.Find({"sheet", "1"})[0], JsonQuote(u"Second"));
    EXPECT_EQ(d.Find({"cell", "1", "0", "0"}), (Fields{"text", JsonQuote(u"other sheet")}));

    // Values, texts, Booleans, errors, with their number formats.
    EXPECT_EQ(Of(d, "cell", 0, 0), (Fields{"number", "21.0"}));
    EXPECT_EQ(Of(d, "cell", 0, 1), (Fields{"number", "1234.5"}));
    EXPECT_EQ(Of(d, "format", 0, 1), (Fields{JsonQuote(u"#,##0.000")}));
    EXPECT_EQ(Of(d, "format", 0, 2), (Fields{JsonQuote(u"0%")}));
    EXPECT_EQ(Of(d, "cell", 0, 3), (Fields{"text", JsonQuote(u"\u00e9t\u00e9 \u65e5\u672c")}));
    // WriteText leaves the number format to the cell's XF: General here.
    EXPECT_EQ(Of(d, "format", 0, 3), (Fields{JsonQuote(u"General")}));
    EXPECT_EQ(Of(d, "cell", 0, 4), (Fields{"boolean", "1"}));
    EXPECT_EQ(Of(d, "cell", 0, 5), (Fields{"error", "7"}));

    // Formulas show their cached results to a reader that does not
    // calculate.
    EXPECT_EQ(Of(d, "cell", 1, 0), (Fields{"number", "42.0"}));
    EXPECT_EQ(Of(d, "format", 1, 0), (Fields{JsonQuote(u"0.00")}));
    EXPECT_EQ(Of(d, "cell", 1, 1), (Fields{"boolean", "1"}));
    EXPECT_EQ(Of(d, "cell", 1, 2), (Fields{"text", JsonQuote(u"x21")}));
    for (int row = 2; row <= 5; ++row) {
        EXPECT_EQ(Of(d, "cell", row, 1), (Fields{"number", std::to_string((row - 1) * 2) + ".0"}))
            << row;
    }
    EXPECT_EQ(Of(d, "cell", 2, 2), (Fields{"number", "20.0"}));
    EXPECT_EQ(Of(d, "cell", 2, 3), (Fields{"text", JsonQuote(u"")}))
        << "a formula on an empty cell caches an empty text";

    // Fonts, fills, borders (colour index + 7 in the file).
    EXPECT_EQ(Of(d, "font", 0, 0),
              (Fields{JsonQuote(u"Times New Roman"), "280", "1", "1", "1", "10"}));
    EXPECT_EQ(Of(d, "fill", 7, 0), (Fields{"1", "13", "65"}));
    EXPECT_EQ(Of(d, "fill", 7, 1), (Fields{"17", "64", "43"}));
    const Fields topLeft = Of(d, "border", 7, 1);
    ASSERT_EQ(topLeft.size(), 7u);
    EXPECT_EQ(topLeft[0], "1/10") << "left";
    EXPECT_EQ(topLeft[2], "1/10") << "top";
    EXPECT_EQ(topLeft[3].substr(0, 2), "0/") << "no bottom inside the outline";
    const Fields bottomRight = Of(d, "border", 8, 2);
    ASSERT_EQ(bottomRight.size(), 7u);
    EXPECT_EQ(bottomRight[1], "1/10") << "right";
    EXPECT_EQ(bottomRight[3], "1/10") << "bottom";
    const Fields diagonal = Of(d, "border", 7, 3);
    ASSERT_EQ(diagonal.size(), 7u);
    EXPECT_EQ(diagonal[4], "4/17");
    EXPECT_EQ(diagonal[5], "1") << "down";
    EXPECT_EQ(diagonal[6], "0") << "up";

    // Merged range, width, height, column and row formats.
    const auto merged = d.All("merged");
    ASSERT_EQ(merged.size(), 1u);
    EXPECT_EQ(merged[0], (DumpLine{"merged", "0", "11", "11", "0", "2"}));
    EXPECT_EQ(Of(d, "cell", 11, 0), (Fields{"text", JsonQuote(u"merged")}));
    const Fields width = d.Find({"colinfo", "0", "2"});
    ASSERT_FALSE(width.empty());
    EXPECT_EQ(width[0], std::to_string(CXlsSheetWriter::ColumnWidthUnits(20)));
    EXPECT_EQ(d.Find({"rowinfo", "0", "3"}), (Fields{"600", "1", "0", "-1"}));
    const Fields filledColumn = d.Find({"colinfo", "0", "7"});
    ASSERT_EQ(filledColumn.size(), 3u);
    EXPECT_NE(filledColumn[2], "15") << "column H carries a format of its own";
    const Fields filledRow = d.Find({"rowinfo", "0", "9"});
    ASSERT_EQ(filledRow.size(), 4u);
    EXPECT_NE(filledRow[3], "-1") << "row 10 carries a format of its own";
}

TEST(XlsServerReadBack, CalcRecalculatesToTheCachedResults) {
    if (!HaveLibreOffice()) {
        GTEST_SKIP() << "LibreOffice is not installed (apt-get install libreoffice-calc-nogui); "
                        "the read-back by Calc is skipped";
    }
    TempFolder folder;
    const auto path = folder / "saved.xls";
    ASSERT_NO_FATAL_FAILURE(MakeWorkbook(path));
    // Its own profile folder, so that it never meets another running
    // LibreOffice; fields: comma, quote, UTF-8, as shown, every sheet.
    const std::string dir = folder.Path().string();
    const std::string command =
        "cd '" + dir + "' && HOME='" + dir + "' soffice -env:UserInstallation=file://" + dir +
        "/profile --headless --convert-to "
        "'csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,true,false,false,-1' "
        "--outdir '" +
        dir + "' saved.xls 2>&1";
    std::string output;
    ASSERT_TRUE(RunCommand(command, output)) << output;
    const auto rows = ReadCsv(folder / "saved-Data.csv");
    ASSERT_GE(rows.size(), 12u) << output;

    EXPECT_EQ(At(rows, 0, 0), "21");
    EXPECT_EQ(At(rows, 0, 1), "1,234.500");
    EXPECT_EQ(At(rows, 0, 2), "25%");
    EXPECT_EQ(At(rows, 0, 3), "\u00e9t\u00e9 \u65e5\u672c");
    EXPECT_EQ(At(rows, 0, 5), "#DIV/0!");
    // Recalculated formulas equal what was cached.
    EXPECT_EQ(At(rows, 1, 0), "42.00");
    EXPECT_EQ(At(rows, 1, 2), "x21");
    for (std::size_t row = 2; row <= 5; ++row) {
        EXPECT_EQ(At(rows, row, 1), std::to_string((row - 1) * 2)) << row;
    }
    EXPECT_EQ(At(rows, 2, 2), "20");
    EXPECT_EQ(At(rows, 2, 3), "3") << "calculated although nothing was cached";
    EXPECT_EQ(At(rows, 11, 0), "merged");
    const auto second = ReadCsv(folder / "saved-Second.csv");
    EXPECT_EQ(At(second, 0, 0), "other sheet");
}

TEST(XlsServerReadBack, Date1904ReachesTheFile) {
    MENDWELL_REQUIRE_XLRD();
    ServerFixture server = StartWithWorkbook();
    ASSERT_EQ(Put(server.workbook.Get(), u"Date1904", CVariant::Bool(true)).status, S_OK);
    ASSERT_EQ(Put(CellAt(server.sheet.Get(), 1, 1).Get(), u"Value", CVariant::Double(1)).status,
              S_OK);
    TempFolder folder;
    const auto path = folder / "dates.xls";
    ASSERT_EQ(
        Call(server.workbook.Get(), u"SaveAs", DISPATCH_METHOD, {CVariant::Text(path.u16string())})
            .status,
        S_OK);
    const XlrdDump d = RunXlrd(path);
    ASSERT_TRUE(d.Ran()) << d.Output();
    EXPECT_EQ(d.Find({"book"}), (Fields{"datemode", "1", "nsheets", "1"}));
}
