// Second independent reader: LibreOffice Calc, headless, converts what the
// writer saved to CSV, with cells as they are shown. It recalculates the
// formulas on loading (the FORMULA records ask for it), so their results
// must equal the cached results we wrote, and a stale one is replaced.
// Skipped when LibreOffice (libreoffice-calc-nogui) is not installed.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "server/CXlsWriter.h"
#include "server/tests/support/TempFolder.h"
#include "server/tests/support/XlrdReadBack.h"

using namespace servertest;

namespace {

bool HaveLibreOffice() {
    std::string ignored;
    return RunCommand("command -v soffice >/dev/null 2>&1", ignored);
}

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(XlsWriterLibreOffice, CalcReadsValuesFormatsAndRecalculatesToTheCachedResults) {
    if (!HaveLibreOffice()) {
        GTEST_SKIP() << "LibreOffice is not installed (apt-get install libreoffice-calc-nogui); "
                        "the read-back by Calc is skipped";
    }
    const CXlsFormulaTokens onePlusTwo({0x1E, 0x01, 0x00, 0x1E, 0x02, 0x00, 0x03});
    const CXlsFormulaTokens a1Times2({0x24, 0x00, 0x00, 0x00, 0xC0, 0x1E, 0x02, 0x00, 0x05});
    const CXlsFormulaTokens a1GreaterThan20({0x24, 0x00, 0x00, 0x00, 0xC0, 0x1E, 0x14, 0x00, 0x0D});

    CXlsWorkbook book;
    CXlsWorksheet& s = *book.AddSheet(0, u"Values");
    s.SetNumber(0, 0, 21);
    s.SetNumber(0, 1, 3);
    s.SetFormula(0, 1, onePlusTwo);
    s.SetNumber(0, 2, 42);
    s.SetFormula(0, 2, a1Times2);
    s.SetBoolean(0, 3, true);
    s.SetFormula(0, 3, a1GreaterThan20);
    // A stale cached result shows that Calc really calculates on open.
    s.SetNumber(0, 4, 999);
    s.SetFormula(0, 4, onePlusTwo);
    s.SetNumber(1, 0, 1234.5);
    s.ModifyFormat(CXlsCellRange::Cell(1, 0),
                   [](CXlsCellFormat& f) { return f.SetNumberFormat(u"#,##0.000"); });
    s.SetNumber(1, 1, 0.25);
    s.ModifyFormat(CXlsCellRange::Cell(1, 1),
                   [](CXlsCellFormat& f) { return f.SetNumberFormat(u"0%"); });
    s.SetText(1, 2, u"\u00e9t\u00e9 \u65e5\u672c");
    s.SetBoolean(1, 3, false);
    s.SetError(1, 4, 0x07);
    s.SetText(2, 0, u"merged");
    s.Merge(CXlsCellRange(2, 0, 2, 2));
    book.AddSheet(1, u"Second")->SetText(0, 0, u"other sheet");

    TempFolder folder;
    const auto path = folder / "book.xls";
    ASSERT_TRUE(CXlsWriter(book).SaveAs(path));
    // Its own profile folder, so that it never meets another running
    // LibreOffice; fields: comma, quote, UTF-8, as shown, every sheet.
    const std::string command =
        "cd '" + folder.Path().string() + "' && HOME='" + folder.Path().string() +
        "' soffice -env:UserInstallation=file://" + folder.Path().string() +
        "/profile --headless --convert-to "
        "'csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,true,false,false,-1' "
        "--outdir '" +
        folder.Path().string() + "' book.xls 2>&1";
    std::string output;
    ASSERT_TRUE(RunCommand(command, output)) << output;

    // Calc keeps Booleans from the file as =TRUE() and =FALSE() in the
    // standard number format, which its CSV export writes as 1 and 0.
    const std::string values = ReadText(folder / "book-Values.csv");
    EXPECT_EQ(values,
              "21,3,42,1,3\n"
              "\"1,234.500\",25%,\u00e9t\u00e9 \u65e5\u672c,0,#DIV/0!\n"
              "merged,,,,\n")
        << output;
    EXPECT_EQ(ReadText(folder / "book-Second.csv"), "other sheet\n");
}
