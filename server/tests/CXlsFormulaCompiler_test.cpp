// The formula compiler, token by token: literals, references, operator
// precedence and grouping, operand classes, calls, and what it refuses.
// Expected tokens are written as TokenHex prints them: 1E0100 is ptgInt 1,
// 44000000C0 a value-class ptgRef to A1 with both parts relative.
#include "server/CXlsFormulaCompiler.h"

#include <gtest/gtest.h>

#include <string>

#include "server/CXlsWorkbook.h"
#include "server/tests/support/FormulaBytes.h"

using namespace servertest;

namespace {

class FormulaCompiler : public ::testing::Test {
protected:
    FormulaCompiler() {
        book.AddSheet(0, u"Sheet1");
        book.AddSheet(1, u"Sheet2");
        book.AddSheet(2, u"Q1 2009");
        book.AddSheet(3, u"It's");
    }

    // The tokens of a formula that must compile.
    std::string Tokens(std::u16string_view text, EXlsFormulaKind kind = EXlsFormulaKind::kCell) {
        CXlsFormulaCompiler compiler(book);
        CXlsFormulaTokens tokens;
        if (!compiler.Compile(text, kind, tokens)) {
            return "refused: " + Ascii(compiler.ErrorText());
        }
        return TokenHex(tokens.Tokens());
    }

    std::string Extra(std::u16string_view text) {
        CXlsFormulaCompiler compiler(book);
        CXlsFormulaTokens tokens;
        EXPECT_TRUE(compiler.Compile(text, EXlsFormulaKind::kCell, tokens));
        return Hex(tokens.Extra());
    }

    // The reason for refusing a formula that must not compile.
    std::string Refusal(std::u16string_view text) {
        CXlsFormulaCompiler compiler(book);
        CXlsFormulaTokens tokens({0x1E, 0x07, 0x00});
        if (compiler.Compile(text, EXlsFormulaKind::kCell, tokens)) return "compiled";
        EXPECT_EQ(TokenHex(tokens.Tokens()), "1E0700") << "a refusal leaves the tokens alone";
        return Ascii(compiler.ErrorText());
    }

    CXlsWorkbook book;
};

// ---- Literals ------------------------------------------------------------------

TEST_F(FormulaCompiler, WholeNumbersUpTo65535AreIntegersAndTheRestDoubles) {
    EXPECT_EQ(Tokens(u"0"), "1E0000");
    EXPECT_EQ(Tokens(u"65535"), "1EFFFF");
    EXPECT_EQ(Tokens(u"65536"), "1F000000000000F040");
    EXPECT_EQ(Tokens(u"0.5"), "1F000000000000E03F");
    EXPECT_EQ(Tokens(u".5"), "1F000000000000E03F");
    EXPECT_EQ(Tokens(u"2.0"), "1E0200");
    // The decoder's exponent forms, both cases.
    EXPECT_EQ(Tokens(u"1E+20"), "1F408CB5781DAF1544");
    EXPECT_EQ(Tokens(u"1e20"), "1F408CB5781DAF1544");
    EXPECT_EQ(Tokens(u"1.5E-05"), "1F691D554D1075EF3E");
    EXPECT_EQ(Tokens(u"1E+06"), "1F0000000080842E41");
}

TEST_F(FormulaCompiler, TextsTakeDoubledQuotesAndWidenOnlyWhenNeeded) {
    EXPECT_EQ(Tokens(u"\"\""), "170000");
    EXPECT_EQ(Tokens(u"\"a\"\"b\""), "170300612262");
    EXPECT_EQ(Tokens(u"\"\u00e9t\u00e9\""), "170300E974E9");
    EXPECT_EQ(Tokens(u"\"\u00e9\u65e5\""), "170201E900E565");
    EXPECT_EQ(Tokens(u"\"" + std::u16string(255, u'x') + u"\""),
              "17FF00" + Hex(std::vector<std::uint8_t>(255, 'x')));
}

TEST_F(FormulaCompiler, BooleansAndEveryErrorValue) {
    EXPECT_EQ(Tokens(u"TRUE"), "1D01");
    EXPECT_EQ(Tokens(u"false"), "1D00");
    EXPECT_EQ(Tokens(u"#NULL!"), "1C00");
    EXPECT_EQ(Tokens(u"#DIV/0!"), "1C07");
    EXPECT_EQ(Tokens(u"#VALUE!"), "1C0F");
    // #REF! is a deleted reference wherever it stands (ptgRefErr, here in
    // the value class), as the spreadsheet stores it.
    EXPECT_EQ(Tokens(u"#REF!"), "4A00000000");
    EXPECT_EQ(Tokens(u"#name?"), "1C1D");
    EXPECT_EQ(Tokens(u"#NUM!"), "1C24");
    EXPECT_EQ(Tokens(u"#N/A"), "1C2A");
}

TEST_F(FormulaCompiler, ArrayConstantsKeepRowsColumnsAndValueKindsInTheExtraData) {
    // Value class at the root of a cell formula; the values follow the
    // tokens: columns - 1, rows - 1, then each value.
    EXPECT_EQ(Tokens(u"{1,2;3,4}"), "4000000000000000");
    EXPECT_EQ(Extra(u"{1,-2.5;\"a\",TRUE}"),
              "010100"
              "01000000000000F03F"
              "0100000000000004C0"
              "0201000061"
              "040100000000000000");
    EXPECT_EQ(Extra(u"{#N/A}"),
              "000000"
              "102A00000000000000");
    // The decoder prints every value on one row.
    EXPECT_EQ(Extra(u"{1,2,3,4}").substr(0, 6), "030000");
}

// ---- References ------------------------------------------------------------------

TEST_F(FormulaCompiler, DollarSignsClearTheRelativeBitsOfTheColumnField) {
    EXPECT_EQ(Tokens(u"A1"), "44000000C0");
    EXPECT_EQ(Tokens(u"$A$1"), "4400000000");
    EXPECT_EQ(Tokens(u"A$1"), "4400000040");
    EXPECT_EQ(Tokens(u"$A1"), "4400000080");
    EXPECT_EQ(Tokens(u"b3"), "44020001C0");
    EXPECT_EQ(Tokens(u"IV65536"), "44FFFFFFC0");
}

TEST_F(FormulaCompiler, AreasAreOrderedAndWholeLinesFixTheirOtherAxis) {
    EXPECT_EQ(Tokens(u"A1:B2"), "450000010000C001C0");
    EXPECT_EQ(Tokens(u"B2:A1"), "450000010000C001C0");
    EXPECT_EQ(Tokens(u"$B2:A$1"), "450000010000400180");
    // A:B is every row of columns A and B; 2:3 every column of rows 2 and 3.
    EXPECT_EQ(Tokens(u"A:$B"), "450000FFFF00400100");
    EXPECT_EQ(Tokens(u"2:3"), "45010002000080FF80");
    // In a name, relative rows and columns are offsets modulo the sheet's
    // size: IJ65505:M65514 is 32 to 23 rows up, 13 columns left to 12 right.
    EXPECT_EQ(Tokens(u"Sheet2!IJ65505:M65514", EXlsFormulaKind::kName), "3B0000E0FFE9FFF3C00CC0");
    EXPECT_EQ(Tokens(u"Sheet2!$B$2:$A$1", EXlsFormulaKind::kName), "3B00000000010000000100");
}

TEST_F(FormulaCompiler, OtherSheetsGoThroughTheExternSheetTable) {
    EXPECT_EQ(Tokens(u"Sheet2!A1"), "5A0000000000C0");
    EXPECT_EQ(Tokens(u"'Q1 2009'!B2:C3"), "5B01000100020001C002C0");
    // The decoder prints sheet names without quotes; the workbook's own
    // names are recognised that way too, ignoring case.
    EXPECT_EQ(Tokens(u"q1 2009!B2:C3"), Tokens(u"'Q1 2009'!B2:C3"));
    EXPECT_EQ(Tokens(u"'It''s'!A1"), "5A0200000000C0");
    EXPECT_EQ(Tokens(u"Sheet1:Sheet2!A1"), "5A0300000000C0");
    EXPECT_EQ(Tokens(u"'Sheet2:Sheet1'!A1"), "5A0300000000C0");
    EXPECT_EQ(Tokens(u"Sheet2!#REF!"), "5C000000000000");
    // A cell before ":" starts a range to the other sheet's cell, not a
    // range of sheets.
    EXPECT_EQ(Tokens(u"SUM(A1:Sheet2!B2)"), "290D00 24000000C0 3A0000010001C0 11 19100000");
    ASSERT_EQ(book.ExternSheets().Entries().size(), 4u);
    EXPECT_EQ(book.ExternSheets().Entries()[3].first, book.Sheet(0)->Id());
    EXPECT_EQ(book.ExternSheets().Entries()[3].last, book.Sheet(1)->Id());
}

TEST_F(FormulaCompiler, ARefusedFormulaRegistersNoSheet) {
    EXPECT_EQ(Refusal(u"Sheet2!A1+NOSUCH"), "unknown name \"NOSUCH\"");
    EXPECT_TRUE(book.ExternSheets().Entries().empty());
}

// ---- Precedence and grouping -------------------------------------------------------

TEST_F(FormulaCompiler, OperatorsBindAsInTheSpreadsheet) {
    EXPECT_EQ(Tokens(u"1+2*3"), "1E0100 1E0200 1E0300 05 03");
    EXPECT_EQ(Tokens(u"1*2+3"), "1E0100 1E0200 05 1E0300 03");
    EXPECT_EQ(Tokens(u"(1+2)*3"), "1E0100 1E0200 03 15 1E0300 05");
    EXPECT_EQ(Tokens(u"1+2&3"), "1E0100 1E0200 03 1E0300 08");
    EXPECT_EQ(Tokens(u"1&2=3&4"), "1E0100 1E0200 08 1E0300 1E0400 08 0B");
    EXPECT_EQ(Tokens(u"2*3^2"), "1E0200 1E0300 1E0200 07 05");
    EXPECT_EQ(Tokens(u"2^3%"), "1E0200 1E0300 14 07");
    // Negation binds tighter than "^": -2^2 is 4.
    EXPECT_EQ(Tokens(u"-2^2"), "1E0200 13 1E0200 07");
    EXPECT_EQ(Tokens(u"2^-2"), "1E0200 1E0200 13 07");
    EXPECT_EQ(Tokens(u"-5%"), "1E0500 13 14");
    EXPECT_EQ(Tokens(u"+--1"), "1E0100 13 13 12");
    EXPECT_EQ(Tokens(u"1<>2"), "1E0100 1E0200 0E");
    EXPECT_EQ(Tokens(u"1<=2"), "1E0100 1E0200 0A");
    EXPECT_EQ(Tokens(u"1>=2"), "1E0100 1E0200 0C");
}

TEST_F(FormulaCompiler, BinaryOperatorsGroupFromTheLeft) {
    EXPECT_EQ(Tokens(u"1-2-3"), "1E0100 1E0200 04 1E0300 04");
    EXPECT_EQ(Tokens(u"8/4/2"), "1E0800 1E0400 06 1E0200 06");
    EXPECT_EQ(Tokens(u"2^3^2"), "1E0200 1E0300 07 1E0200 07");
    EXPECT_EQ(Tokens(u"1=2<3"), "1E0100 1E0200 0B 1E0300 09");
    EXPECT_EQ(Tokens(u"50%%"), "1E3200 14 14");
}

TEST_F(FormulaCompiler, ReferenceOperatorsBindTightestAndAnnounceTheirSize) {
    // Intersection: a blank between two references; ptgMemFunc gives the
    // size of the reference expression (19 bytes).
    EXPECT_EQ(Tokens(u"A1:B2 B1:C3"), "491300 250000010000C001C0 250000020001C002C0 0F");
    // Union only inside parentheses, range between references that are not
    // one area token.
    EXPECT_EQ(Tokens(u"SUM((A1,B1))"), "290B00 24000000C0 24000001C0 10 15 19100000");
    EXPECT_EQ(Tokens(u"SUM(A1:B2:C3)"), "290F00 250000010000C001C0 24020002C0 11 19100000");
    // -A1:B2 negates the area, not A1.
    EXPECT_EQ(Tokens(u"-A1:B2"), "450000010000C001C0 13");
}

TEST_F(FormulaCompiler, BlanksAroundOperatorsAndArgumentsAreAccepted) {
    EXPECT_EQ(Tokens(u" 1 + 2 "), "1E0100 1E0200 03");
    EXPECT_EQ(Tokens(u"=A1 + B1"), "44000000C0 44000001C0 03");
    EXPECT_EQ(Tokens(u"SUM( A1, B1 )"), "24000000C0 24000001C0 42020400");
    EXPECT_EQ(Tokens(u"ROUND( A1 ,\n2 )"), "44000000C0 1E0200 411B00");
    EXPECT_EQ(Tokens(u"( 1 )"), "1E0100 15");
}

// ---- Operand classes ------------------------------------------------------------

TEST_F(FormulaCompiler, ReferencesAreValuesWhereAValueIsWanted) {
    EXPECT_EQ(Tokens(u"A1"), "44000000C0");
    EXPECT_EQ(Tokens(u"A1*2"), "44000000C0 1E0200 05");
    EXPECT_EQ(Tokens(u"ABS(A1)"), "44000000C0 411800");
    EXPECT_EQ(Tokens(u"(A1)"), "44000000C0 15");
}

TEST_F(FormulaCompiler, FunctionsThatTakeReferencesGetReferenceClass) {
    EXPECT_EQ(Tokens(u"SUM(A1:B2)"), "250000010000C001C0 19100000");
    EXPECT_EQ(Tokens(u"ROW(A1)"), "24000000C0 42010800");
    EXPECT_EQ(Tokens(u"COUNTIF(A1:A3,\">1\")"), "250000020000C000C0 1702003E31 415A01");
    // VLOOKUP wants the looked-up value as a value, its table as a reference.
    EXPECT_EQ(Tokens(u"VLOOKUP(A1,B1:C5,2,FALSE)"),
              "44000000C0 250000040001C002C0 1E0200 1D00 42046600");
    // INDEX returns a reference: value class at the root, its area stays.
    EXPECT_EQ(Tokens(u"INDEX(A1:B2,1,1)"), "250000010000C001C0 1E0100 1E0100 42031D00");
}

TEST_F(FormulaCompiler, IfKeepsItsBranchesAsTheyAre) {
    EXPECT_EQ(Tokens(u"IF(A1>0,B1,C1)"),
              "44000000C0 1E0000 0D 19020900 24000001C0 19080C00 24000002C0 19080300 42030100");
}

TEST_F(FormulaCompiler, ArrayFunctionsAndArrayFormulasGetArrayClass) {
    EXPECT_EQ(Tokens(u"SUMPRODUCT(A1:A3,B1:B3)"), "650000020000C000C0 650000020001C001C0 4202E400");
    EXPECT_EQ(Tokens(u"SUM(A1:A3*B1:B3)"), "450000020000C000C0 450000020001C001C0 05 19100000");
    EXPECT_EQ(Tokens(u"SUM(A1:A3*B1:B3)", EXlsFormulaKind::kArray),
              "650000020000C000C0 650000020001C001C0 05 19100000");
    EXPECT_EQ(Tokens(u"SUM(ABS(A1:A3))", EXlsFormulaKind::kArray),
              "650000020000C000C0 611800 19100000");
    // The root wants one value even in an array formula: MMULT's call token
    // is value class, its operands array class.
    EXPECT_EQ(Tokens(u"MMULT(A1:B2,{1;2})", EXlsFormulaKind::kArray),
              "650000010000C001C0 6000000000000000 41A500");
}

// ---- Calls -------------------------------------------------------------------------

TEST_F(FormulaCompiler, FixedCountsMakePtgFuncAndOthersPtgFuncVar) {
    EXPECT_EQ(Tokens(u"PI()"), "411300");
    EXPECT_EQ(Tokens(u"round(1.5,0)"), "1F000000000000F83F 1E0000 411B00");
    EXPECT_EQ(Tokens(u"SUM()"), "42000400");
    EXPECT_EQ(Tokens(u"SUM(1,2,3)"), "1E0100 1E0200 1E0300 42030400");
    EXPECT_EQ(Tokens(u"TRUE()"), "412200");
    EXPECT_EQ(Tokens(u"ERROR.TYPE(#N/A)"), "1C2A 410501");
}

TEST_F(FormulaCompiler, SumOfOneArgumentFollowsTheWrittenForm) {
    EXPECT_EQ(Tokens(u"SUM(A1:A3)"), "250000020000C000C0 19100000");
    EXPECT_EQ(Tokens(u"SUM( A1:A3 )"), "250000020000C000C0 42010400");
}

TEST_F(FormulaCompiler, MissingArgumentsArePtgMissArg) {
    EXPECT_EQ(Tokens(u"IF(A1,,2)"), "44000000C0 19020500 16 19080A00 1E0200 19080300 42030100");
    EXPECT_EQ(Tokens(u"IF( A1, 1, )"), "44000000C0 19020700 1E0100 19080800 16 19080300 42030100");
    EXPECT_EQ(Tokens(u"ROUND(,2)"), "16 1E0200 411B00");
}

TEST_F(FormulaCompiler, VolatileCallsMarkTheFormula) {
    EXPECT_EQ(Tokens(u"NOW()+1"), "19010000 414A00 1E0100 03");
    EXPECT_EQ(Tokens(u"SUM(OFFSET(A1,1,1))"),
              "19010000 24000000C0 1E0100 1E0100 22034E00 19100000");
}

// ---- Refusals ----------------------------------------------------------------------

TEST_F(FormulaCompiler, UnknownFunctionsNamesAndSheetsAreRefused) {
    EXPECT_EQ(Refusal(u"Sheet2!FOO(1)"), "unknown name \"FOO\"");
    EXPECT_EQ(Refusal(u"Price*2"), "unknown name \"Price\"");
    EXPECT_EQ(Refusal(u"IW1"), "unknown name \"IW1\"");
    EXPECT_EQ(Refusal(u"A65537"), "unknown name \"A65537\"");
    EXPECT_EQ(Refusal(u"Sheet9!A1"), "unknown sheet \"Sheet9\"");
    EXPECT_EQ(Refusal(u"'No such'!A1"), "unknown sheet \"No such\"");
    EXPECT_EQ(Refusal(u"Sheet2!Total"), "unknown name \"Total\"");
    EXPECT_EQ(Refusal(u"Sheet2!1x"), "expected a cell reference or a name after the sheet name");
    EXPECT_EQ(Refusal(u"#WHAT?"), "unknown error value");
}

TEST_F(FormulaCompiler, BadSyntaxIsRefusedWithItsPlace) {
    EXPECT_EQ(Refusal(u""), "empty formula");
    EXPECT_EQ(Refusal(u"="), "empty formula");
    EXPECT_EQ(Refusal(u"1+"), "formula ends where an operand is expected");
    EXPECT_EQ(Refusal(u"(1"), "expected \")\"");
    EXPECT_EQ(Refusal(u"1)"), "expected an operator");
    EXPECT_EQ(Refusal(u"1 2"), "expected an operator");
    EXPECT_EQ(Refusal(u"SUM(1"), "expected \",\" or \")\" in the call of SUM");
    EXPECT_EQ(Refusal(u"A1,B1"), "\",\" outside a function call or parentheses");
    EXPECT_EQ(Refusal(u"\"open"), "text without its closing quote");
    EXPECT_EQ(Refusal(u"1E"), "number with an incomplete exponent");
    EXPECT_EQ(Refusal(u"12abc"), "number run together with a name");
    EXPECT_EQ(Refusal(u"1E999"), "number out of range");
    EXPECT_EQ(Refusal(u"{1,2;3}"), "array rows of different lengths");
    EXPECT_EQ(Refusal(u"{A1}"),
              "an array constant holds only numbers, texts, TRUE, FALSE and errors");
    EXPECT_EQ(Refusal(u"1 ? 2"), "unexpected character \"?\"");

    CXlsFormulaCompiler compiler(book);
    CXlsFormulaTokens tokens;
    EXPECT_FALSE(compiler.Compile(u"=SUM(1,,", EXlsFormulaKind::kCell, tokens));
    EXPECT_EQ(compiler.ErrorOffset(), 8u) << Ascii(compiler.ErrorText());
    EXPECT_FALSE(compiler.Compile(u"=1+Sheet9!A1", EXlsFormulaKind::kCell, tokens));
    EXPECT_EQ(compiler.ErrorOffset(), 3u);
}

TEST_F(FormulaCompiler, ArgumentCountsAreCheckedAgainstTheFunctionTable) {
    EXPECT_EQ(Refusal(u"ABS()"), "wrong number of arguments for ABS");
    EXPECT_EQ(Refusal(u"ABS(1,2)"), "wrong number of arguments for ABS");
    EXPECT_EQ(Refusal(u"IF(1)"), "wrong number of arguments for IF");
    std::u16string many = u"SUM(1";
    for (int i = 0; i < 30; ++i) many += u",1";
    EXPECT_EQ(Refusal(many + u")"), "more than 30 arguments");
}

TEST_F(FormulaCompiler, LimitsOfTheFileFormatAreRefused) {
    EXPECT_EQ(Refusal(u"\"" + std::u16string(256, u'x') + u"\""),
              "text longer than 255 characters");
    // 450 terms of 1+ make 1799 bytes, one more passes the 1800-byte limit.
    std::u16string sum = u"1";
    for (int i = 0; i < 449; ++i) sum += u"+1";
    EXPECT_NE(Tokens(sum).substr(0, 8), "refused:");
    EXPECT_EQ(Refusal(sum + u"+1"), "formula too long: over 1800 bytes of tokens");
    EXPECT_EQ(Refusal(std::u16string(8193, u' ') + u"1"), "formula text too long");
    EXPECT_EQ(Refusal(std::u16string(101, u'(') + u"1" + std::u16string(101, u')')),
              "formula nested too deeply");
    EXPECT_EQ(Refusal(std::u16string(101, u'-') + u"1"), "formula nested too deeply");
}

}  // namespace

// ---- Formulas of one shape -------------------------------------------------------

TEST_F(FormulaCompiler, AFormulaOfAShapeSeenBeforeGivesTheTokensItsOwnTextGives) {
    CXlsDefinedName rate;
    rate.text = u"Rate";
    rate.formula = CXlsFormulaTokens({0x1E, 0x02, 0x00});
    ASSERT_NE(book.Names().Set(rate), CXlsDefinedNames::kNotFound);
    struct Case {
        std::u16string_view first;  // compiled in C1 first
        std::u16string_view second;
        std::uint32_t row, column;  // where the second is compiled
    };
    const Case cases[] = {
        {u"=A1+B1", u"=A2+B2", 1, 2},            // filled down
        {u"=A1+B1", u"=A1+B1", 1, 2},            // same text, other shape
        {u"=$A$1*B1", u"=$A$1*C9", 8, 3},        // absolute parts stay
        {u"=SUM(A1:B5)", u"=SUM(A2:B6)", 1, 2},  // areas and functions
        {u"=$A5:A1", u"=$A5:A11", 10, 2},        // corners put in order
        {u"=A:A", u"=A:A", 7, 2},                // whole columns
        {u"=A1 +  B1", u"=A2 +  B2", 1, 2},      // blanks are kept
        {u"=A1+B1 ", u"=A2+B2", 1, 2},           // ... and told apart
        {u"=IF(A1>0,\"x\",B1)", u"=IF(A3>0,\"x\",B3)", 2, 2},
        {u"=Rate*A1", u"=Rate*A2", 1, 2},      // names are never shared
        {u"=Sheet2!A1", u"=Sheet2!A2", 1, 2},  // nor sheet parts
    };
    for (const Case& c : cases) {
        CXlsFormulaCompiler compiler(book, book.Sheet(0));
        CXlsFormulaTokens first;
        CXlsFormulaTokens second;
        ASSERT_TRUE(compiler.CompileCell(c.first, 0, 2, first)) << Ascii(c.first);
        ASSERT_TRUE(compiler.CompileCell(c.second, c.row, c.column, second)) << Ascii(c.second);
        CXlsFormulaTokens alone;
        ASSERT_TRUE(compiler.Compile(c.second, EXlsFormulaKind::kCell, alone));
        EXPECT_EQ(TokenHex(second.Tokens()), TokenHex(alone.Tokens())) << Ascii(c.second);
    }
}
