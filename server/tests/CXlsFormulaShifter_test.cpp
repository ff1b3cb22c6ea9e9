// The fill's moving of references: relative parts move, "$" parts stay,
// references pushed off the sheet turn into #REF! tokens of their class,
// and bytes that only look like references are left alone.
#include "server/CXlsFormulaShifter.h"

#include <gtest/gtest.h>

#include <string>

#include "server/CXlsFormulaCompiler.h"
#include "server/CXlsWorkbook.h"
#include "server/tests/support/FormulaBytes.h"

using namespace servertest;

namespace {

class FormulaShifter : public ::testing::Test {
protected:
    FormulaShifter() {
        book.AddSheet(0, u"Sheet1");
        book.AddSheet(1, u"Sheet2");
    }

    CXlsFormulaTokens Compile(std::u16string_view text) {
        CXlsFormulaCompiler compiler(book);
        CXlsFormulaTokens tokens;
        EXPECT_TRUE(compiler.Compile(text, EXlsFormulaKind::kCell, tokens))
            << Ascii(compiler.ErrorText());
        return tokens;
    }

    // The formula compiled at its place and moved by rows and columns,
    // against the text that the spreadsheet's fill would give there.
    void ExpectMoved(std::u16string_view from, std::int32_t rows, std::int32_t columns,
                     std::u16string_view to) {
        CXlsFormulaTokens moved;
        ASSERT_TRUE(CXlsFormulaShifter::Shift(Compile(from), rows, columns, moved));
        EXPECT_EQ(TokenHex(moved.Tokens()), TokenHex(Compile(to).Tokens()))
            << Ascii(from) << " moved by " << rows << "," << columns;
    }

    std::string Moved(std::u16string_view from, std::int32_t rows, std::int32_t columns) {
        CXlsFormulaTokens moved;
        if (!CXlsFormulaShifter::Shift(Compile(from), rows, columns, moved)) return "refused";
        return TokenHex(moved.Tokens());
    }

    CXlsWorkbook book;
};

TEST_F(FormulaShifter, RelativePartsMoveAndDollarPartsStay) {
    ExpectMoved(u"A1+B2", 1, 0, u"A2+B3");
    ExpectMoved(u"A1+B2", 0, 2, u"C1+D2");
    ExpectMoved(u"$A$1+A$1+$A1", 3, 3, u"$A$1+D$1+$A4");
    ExpectMoved(u"SUM(A1:B2)", 10, 1, u"SUM(B11:C12)");
    ExpectMoved(u"C5", -2, -1, u"B3");
    ExpectMoved(u"Sheet2!A1*Sheet2!$B$2", 5, 0, u"Sheet2!A6*Sheet2!$B$2");
    ExpectMoved(u"SUM(Sheet1:Sheet2!A1:A3)", 1, 0, u"SUM(Sheet1:Sheet2!A2:A4)");
}

TEST_F(FormulaShifter, WholeColumnsAndRowsMoveAlongTheirOwnAxisOnly) {
    ExpectMoved(u"SUM(A:A)", 100, 1, u"SUM(B:B)");
    ExpectMoved(u"SUM(3:4)", 2, 100, u"SUM(5:6)");
}

TEST_F(FormulaShifter, CornersWithMixedDollarsStayInOrder) {
    // A1:A$5 filled ten rows down reaches from row 11 to the fixed row 5.
    ExpectMoved(u"SUM(A1:A$5)", 10, 0, u"SUM(A$5:A11)");
}

TEST_F(FormulaShifter, ReferencesPushedOffTheSheetBecomeRefErrorsOfTheirClass) {
    // Value-class ptgRef 0x44 becomes value-class ptgRefErr 0x4A.
    EXPECT_EQ(Moved(u"A1+1", -1, 0), "4A00000000 1E0100 03");
    EXPECT_EQ(Moved(u"IV1", 0, 1), "4A00000000");
    EXPECT_EQ(Moved(u"A65536", 1, 0), "4A00000000");
    // One corner off the sheet invalidates the whole area.
    EXPECT_EQ(Moved(u"SUM(A1:B2)", -1, 0), "2B0000000000000000 19100000");
    // 3-D ones keep their EXTERNSHEET index.
    EXPECT_EQ(Moved(u"Sheet2!A1", 0, -1), "5C000000000000");
    EXPECT_EQ(Moved(u"SUM(Sheet2!A1:B2)", -5, 0), "3D00000000000000000000 19100000");
    // "$" parts never leave.
    EXPECT_EQ(Moved(u"$A$1", -1, -1), "4400000000");
}

TEST_F(FormulaShifter, BytesInsideTextsAndNumbersAreNotReferences) {
    // "$" is 0x24, ptgRef's id, and 0x24 also appears inside the double.
    const CXlsFormulaTokens tokens = Compile(u"\"$$$$$\"&10.0703125&A1");
    CXlsFormulaTokens moved;
    ASSERT_TRUE(CXlsFormulaShifter::Shift(tokens, 1, 1, moved));
    EXPECT_EQ(TokenHex(moved.Tokens()), TokenHex(Compile(u"\"$$$$$\"&10.0703125&B2").Tokens()));
}

TEST_F(FormulaShifter, ArrayConstantsAndTheirExtraDataPassUnchanged) {
    const CXlsFormulaTokens tokens = Compile(u"SUM({1,2},A1)");
    CXlsFormulaTokens moved;
    ASSERT_TRUE(CXlsFormulaShifter::Shift(tokens, 1, 0, moved));
    EXPECT_EQ(Hex(moved.Extra()), Hex(tokens.Extra()));
    EXPECT_EQ(TokenHex(moved.Tokens()), TokenHex(Compile(u"SUM({1,2},A2)").Tokens()));
}

TEST_F(FormulaShifter, UnknownOrCutTokensAreRefusedAndLeaveTheOutputAlone) {
    const CXlsFormulaTokens untouched({0x1E, 0x09, 0x00});
    CXlsFormulaTokens out = untouched;
    EXPECT_FALSE(CXlsFormulaShifter::Shift(CXlsFormulaTokens({0x24, 0x00, 0x00, 0x00}), 1, 0, out));
    EXPECT_FALSE(CXlsFormulaShifter::Shift(CXlsFormulaTokens({0x1E, 0x01, 0x00, 0x18}), 1, 0, out));
    EXPECT_FALSE(CXlsFormulaShifter::Shift(CXlsFormulaTokens({0x17, 0x05, 0x00, 0x41}), 1, 0, out));
    EXPECT_FALSE(
        CXlsFormulaShifter::Shift(CXlsFormulaTokens({0x19, 0x04, 0x02, 0x00, 0x00}), 1, 0, out));
    EXPECT_FALSE(CXlsFormulaShifter::Shift(CXlsFormulaTokens({0xFF}), 1, 0, out));
    EXPECT_EQ(out, untouched);
}

TEST_F(FormulaShifter, ChooseJumpTablesAreSteppedOver) {
    // ptgAttr choose with two cases: kind, count 2, three u16 offsets; its
    // offsets hold 0x24 bytes that must not be taken for a reference.
    const CXlsFormulaTokens tokens({0x1E, 0x01, 0x00, 0x19, 0x04, 0x02, 0x00, 0x24, 0x00, 0x24,
                                    0x00, 0x24, 0x00, 0x24, 0x00, 0x00, 0x00, 0xC0});
    CXlsFormulaTokens moved;
    ASSERT_TRUE(CXlsFormulaShifter::Shift(tokens, 2, 0, moved));
    EXPECT_EQ(TokenHex(moved.Tokens()), "1E0100 19040200240024002400 24020000C0");
}

}  // namespace
