// Compiled formulas read back by an independent token decoder, xlrd's: every
// token must have the layout xlrd expects (sizes, operand order, "$" flags,
// 3-D indexes through the EXTERNSHEET and SUPBOOK records the writer adds),
// and the text it makes must mean what was compiled. (Its decoder fails on
// ptgArea3d in cell formulas, so areas on other sheets are left to the
// LibreOffice test.) Skipped when python3-xlrd is not installed.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "server/CXlsFormulaCompiler.h"
#include "server/CXlsWriter.h"
#include "server/tests/support/FormulaBytes.h"
#include "server/tests/support/TempFolder.h"
#include "server/tests/support/XlrdReadBack.h"

using namespace servertest;

namespace {

struct Case {
    std::u16string formula;
    std::string xlrdText;
};

TEST(XlsFormulaCompilerXlrd, XlrdDecodesTheTokensToTheSameFormula) {
    MENDWELL_REQUIRE_XLRD();
    CXlsWorkbook book;
    book.AddSheet(0, u"Data")->SetNumber(0, 0, 1);
    book.AddSheet(1, u"Q1 2009");
    CXlsDefinedName rates;
    rates.text = u"Rates";
    rates.formula = CXlsFormulaTokens({0x1E, 0x01, 0x00});
    book.Names().Set(rates);

    // xlrd prints every number as a float, arguments without blanks, a
    // one-cell 3-D reference as an area, an error value in quotes, and no
    // ptgParen around a union.
    const std::vector<Case> cases = {
        {u"1+2*3", "1.0+2.0*3.0"},
        {u"(1+2)*3", "(1.0+2.0)*3.0"},
        {u"2^3^2", "2.0^3.0^2.0"},
        {u"-2^2", "-2.0^2.0"},
        {u"1&2=3&4", "1.0&2.0=3.0&4.0"},
        {u"50%", "50.0%"},
        {u"A1+$B$2-C$3*$D4", "A1+$B$2-C$3*$D4"},
        {u"SUM(A1:B2)", "SUM(A1:B2)"},
        {u"SUM( A1, B1:C2 )", "SUM(A1,B1:C2)"},
        {u"ROUND(A1,2)", "ROUND(A1,2.0)"},
        {u"IF(A1>0,\"a\"\"b\",)", "IF(A1>0.0,\"a\"\"b\",)"},
        {u"VLOOKUP(A1,B1:C5,2,FALSE)", "VLOOKUP(A1,B1:C5,2.0,FALSE)"},
        {u"'Q1 2009'!A1*Data!$B$2", "'Q1 2009'!A1:A1*Data!$B$2"},
        {u"SUM((A1,B1))", "SUM(A1,B1)"},
        {u"SUM(A1:B2 B1:C3)", "SUM(A1:B2 B1:C3)"},
        {u"#DIV/0!", "\"#DIV/0!\""},
        {u"1.5E-05", "1.5e-05"},
        {u"NOW()", "NOW()"},
        // Names, add-in and newer functions by their EXTERNNAMEs, another
        // workbook, a deleted sheet and a deleted reference, as xlrd shows
        // them.
        {u"SUM(Rates)", "SUM(Rates)"},
        {u"NETWORKDAYS(A1,A2)", "CALL_ADDIN(\"NETWORKDAYS\",A1,A2)"},
        {u"IFERROR(1/0,2)", "CALL_ADDIN(\"_xlfn.IFERROR\",1.0/0.0,2.0)"},
        {u"'[other.xls]Sheet1'!A1", "<<external>>!A1:A1"},
        {u"#REF!A1", "'internal; deleted sheet'!A1:A1"},
        {u"ROW(#REF!)", "ROW(?)"},
    };
    CXlsFormulaCompiler compiler(book);
    std::string command;
    for (const Case& c : cases) {
        CXlsFormulaTokens tokens;
        ASSERT_TRUE(compiler.Compile(c.formula, EXlsFormulaKind::kCell, tokens))
            << Ascii(c.formula) << ": " << Ascii(compiler.ErrorText());
        command += " " + Hex(tokens.Tokens());
    }
    TempFolder folder;
    const auto path = folder / "book.xls";
    ASSERT_TRUE(CXlsWriter(book).SaveAs(path));
    command = *XlrdPython() + " '" + MENDWELL_SERVER_TEST_DIR + "/xlrd_formula.py' '" +
              path.string() + "'" + command + " 2>&1";
    std::string output;
    ASSERT_TRUE(RunCommand(command, output)) << output;

    std::istringstream lines(output);
    for (const Case& c : cases) {
        std::string line;
        ASSERT_TRUE(std::getline(lines, line)) << output;
        EXPECT_EQ(line, c.xlrdText) << Ascii(c.formula);
    }
}

}  // namespace
