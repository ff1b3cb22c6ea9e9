// Compiled formulas in a written workbook, calculated by LibreOffice Calc:
// the file is converted to CSV headless, which recalculates every formula,
// and each result must be what the formula means. The formula cells carry
// no cached result, so every value in the CSV is Calc's own. Skipped when
// LibreOffice (libreoffice-calc-nogui) is not installed.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "server/CXlsFormulaCompiler.h"
#include "server/CXlsFormulaShifter.h"
#include "server/CXlsWriter.h"
#include "server/tests/support/DefinedNames.h"
#include "server/tests/support/FormulaBytes.h"
#include "server/tests/support/TempFolder.h"
#include "server/tests/support/XlrdReadBack.h"

using namespace servertest;

namespace {

bool HaveLibreOffice() {
    std::string ignored;
    return RunCommand("command -v soffice >/dev/null 2>&1", ignored);
}

// The cells of a CSV file: fields split at commas outside quotes, "" inside
// quotes standing for one quote.
std::vector<std::vector<std::string>> ReadCsv(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    const std::string text = all.str();
    std::vector<std::vector<std::string>> rows(1);
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field.push_back('"');
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field.push_back(c);
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().push_back(field);
            field.clear();
        } else if (c == '\n') {
            rows.back().push_back(field);
            field.clear();
            rows.emplace_back();
        } else if (c != '\r') {
            field.push_back(c);
        }
    }
    if (rows.back().empty()) rows.pop_back();
    return rows;
}

std::string Cell(const std::vector<std::vector<std::string>>& rows, std::size_t row,
                 std::size_t column) {
    if (row >= rows.size() || column >= rows[row].size()) return "<none>";
    return rows[row][column];
}

struct Case {
    std::u16string formula;
    // As Calc shows the result; a Boolean in the standard number format
    // shows as 1 or 0 in its CSV.
    std::string shown;
};

TEST(XlsFormulaCompilerLibreOffice, CalcCalculatesWhatTheCompiledFormulasMean) {
    if (!HaveLibreOffice()) {
        GTEST_SKIP() << "LibreOffice is not installed (apt-get install libreoffice-calc-nogui); "
                        "the calculation by Calc is skipped";
    }
    CXlsWorkbook book;
    CXlsWorksheet& data = *book.AddSheet(0, u"Data");
    book.AddSheet(1, u"Q1 2009")->SetNumber(0, 0, 100);
    for (std::uint32_t r = 0; r < 3; ++r) {
        data.SetNumber(r, 0, r + 1);
        data.SetNumber(r, 1, 10.0 * (r + 1));
    }
    data.SetText(0, 2, u"abc");
    // Names of the workbook and of a sheet, a hidden one, the name under
    // which a newer function is called, a deleted reference.
    auto name = [&](const char16_t* text, const CXlsWorksheet* scope, const char16_t* refersTo,
                    bool hidden, EXlsNameMacro macro) {
        ASSERT_TRUE(testsupport::AddDefinedName(book, text, scope, refersTo, hidden, macro));
    };
    name(u"Rates", nullptr, u"=Data!$B$1:$B$3", false, EXlsNameMacro::kNone);
    name(u"Local", book.Sheet(1), u"=$A$1", false, EXlsNameMacro::kNone);
    name(u"Secret", nullptr, u"=Data!$A$1*100", true, EXlsNameMacro::kNone);
    name(u"_xlfn.IFERROR", nullptr, nullptr, true, EXlsNameMacro::kFunction);
    name(u"Gone", nullptr, u"=Data!#REF!", false, EXlsNameMacro::kNone);

    // A1:A3 = 1, 2, 3; B1:B3 = 10, 20, 30; C1 = "abc"; 'Q1 2009'!A1 = 100.
    const std::vector<Case> cases = {
        {u"=SUM(A1:A3)", "6"},
        {u"=SUM( A1:A3, B1:B3 )", "66"},
        {u"=A1+B2*2^2", "81"},
        {u"=-2^2", "4"},
        {u"=2^3^2", "64"},
        {u"=IF(A1>0,\"yes\",\"no\")", "yes"},
        {u"=VLOOKUP(2,A1:B3,2,FALSE)", "20"},
        {u"=SUMPRODUCT(A1:A3,B1:B3)", "140"},
        {u"='Q1 2009'!A1*2", "200"},
        {u"=Q1 2009!A1+1", "101"},
        {u"=MAX(Data!B1:B3)-MIN(B1:B3)", "20"},
        {u"=CONCATENATE(C1,\"\"\"x\"\"\")", "abc\"x\""},
        {u"=LEN(\"\u00e9\u65e5\u672c\")", "3"},
        {u"=SUM({1,2;3,4})", "10"},
        {u"=ROUND(PI(),2)", "3.14"},
        {u"=INDEX(A1:B3,3,2)", "30"},
        {u"=SUM((A1:A3,B1))", "16"},
        {u"=SUM(A1:B3 B1:B3)", "60"},
        {u"=COUNTIF(A1:A3,\">1\")", "2"},
        {u"=50%", "0.5"},
        {u"=SUM(A:A)", "6"},
        {u"=SUM('Q1 2009'!1:1)", "100"},
        {u"=A1<A2", "1"},
        {u"=ISNA(#N/A)", "1"},
        {u"=1E+20/1E+19", "10"},
        {u"=NOW()>0", "1"},
        {u"=SUM(OFFSET(A1,1,0,2,1))", "5"},
        {u"=CHOOSE(2,A1,A2,A3)", "2"},
        {u"=INDIRECT(\"B2\")", "20"},
        {u"=MATCH(20,B1:B3,0)", "2"},
        {u"=IF(A1,,2)", "0"},
        {u"=SUM(Rates)", "60"},
        {u"='Q1 2009'!Local+1", "101"},
        {u"=Secret", "100"},
        // Through the name _xlfn.IFERROR, and as add-in functions.
        {u"=IFERROR(1/0,42)", "42"},
        {u"=IFNA(NA(),7)", "7"},
        {u"=SUMIFS(B1:B3,A1:A3,\">1\")", "50"},
        {u"=NETWORKDAYS(DATE(2008,1,1),DATE(2008,1,31))", "23"},
        {u"=EOMONTH(DATE(2008,1,1),1)", "39507"},
        // Without cached cells of the other workbook, Calc finds nothing
        // there.
        {u"='[other.xls]Sheet1'!A1", "0"},
        {u"=#REF!+1", "#REF!"},
        {u"=#REF!A1", "#REF!"},
        {u"=SUM('Q1 2009'!#REF!)", "#REF!"},
        {u"=Gone", "#REF!"},
        {u"=ISERROR(#REF!#REF!)", "1"},
    };
    CXlsFormulaCompiler compiler(book, &data);
    constexpr std::uint32_t kColumn = 4;  // E
    for (std::size_t i = 0; i < cases.size(); ++i) {
        CXlsFormulaTokens tokens;
        ASSERT_TRUE(compiler.Compile(cases[i].formula, EXlsFormulaKind::kCell, tokens))
            << Ascii(cases[i].formula) << ": " << Ascii(compiler.ErrorText());
        ASSERT_TRUE(data.SetFormula(static_cast<std::uint32_t>(i), kColumn, tokens));
    }

    // Array formulas: F1:F3 one over three cells, G1 to G3 one cell each.
    auto setArray = [&](const CXlsCellRange& range, std::u16string_view text) {
        CXlsFormulaTokens tokens;
        ASSERT_TRUE(compiler.Compile(text, EXlsFormulaKind::kArray, tokens))
            << Ascii(text) << ": " << Ascii(compiler.ErrorText());
        ASSERT_TRUE(data.SetArrayFormula(range, tokens));
    };
    setArray(CXlsCellRange(0, 5, 2, 5), u"=A1:A3*B1:B3");
    setArray(CXlsCellRange::Cell(0, 6), u"=SUM(A1:A3*B1:B3)");
    setArray(CXlsCellRange::Cell(1, 6), u"=SUM(ABS(A1:A3-2))");
    setArray(CXlsCellRange::Cell(2, 6), u"=SUM(MMULT(A1:B1,{1;1}))");

    // A fill down column H from H1: relative rows move, $B$1 stays; filled
    // upwards from H1 the reference leaves the sheet.
    CXlsFormulaTokens first;
    ASSERT_TRUE(compiler.Compile(u"=A1+$B$1", EXlsFormulaKind::kCell, first));
    ASSERT_TRUE(data.SetFormula(0, 7, first));
    for (std::int32_t down : {1, 2}) {
        CXlsFormulaTokens moved;
        ASSERT_TRUE(CXlsFormulaShifter::Shift(first, down, 0, moved));
        ASSERT_TRUE(data.SetFormula(static_cast<std::uint32_t>(down), 7, moved));
    }
    CXlsFormulaTokens offSheet;
    ASSERT_TRUE(CXlsFormulaShifter::Shift(first, -1, 0, offSheet));
    ASSERT_TRUE(data.SetFormula(3, 7, offSheet));

    TempFolder folder;
    ASSERT_TRUE(CXlsWriter(book).SaveAs(folder / "formulas.xls"));
    const std::string dir = folder.Path().string();
    const std::string command = "cd '" + dir + "' && HOME='" + dir +
                                "' soffice -env:UserInstallation=file://" + dir +
                                "/profile --headless --convert-to "
                                "'csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,"
                                "true,false,false,-1' --outdir '" +
                                dir + "' formulas.xls 2>&1";
    std::string output;
    ASSERT_TRUE(RunCommand(command, output)) << output;
    const auto rows = ReadCsv(folder / "formulas-Data.csv");

    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(Cell(rows, i, kColumn), cases[i].shown) << Ascii(cases[i].formula);
    }
    EXPECT_EQ(Cell(rows, 0, 5), "10");
    EXPECT_EQ(Cell(rows, 1, 5), "40");
    EXPECT_EQ(Cell(rows, 2, 5), "90");
    EXPECT_EQ(Cell(rows, 0, 6), "140");
    EXPECT_EQ(Cell(rows, 1, 6), "2");
    EXPECT_EQ(Cell(rows, 2, 6), "11");
    EXPECT_EQ(Cell(rows, 0, 7), "11");
    EXPECT_EQ(Cell(rows, 1, 7), "12");
    EXPECT_EQ(Cell(rows, 2, 7), "13");
    EXPECT_EQ(Cell(rows, 3, 7), "#REF!");
}

}  // namespace
