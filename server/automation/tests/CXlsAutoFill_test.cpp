// The default fill on the workbook model: the shapes it accepts, the
// direction it runs, what it copies and what it refuses.
#include "server/automation/CXlsAutoFill.h"

#include <gtest/gtest.h>

#include "server/CXlsFormulaCompiler.h"
#include "server/CXlsWorkbook.h"

namespace {

class XlsAutoFillTest : public ::testing::Test {
protected:
    CXlsFormulaTokens Compiled(std::u16string_view text) {
        CXlsFormulaTokens tokens;
        CXlsFormulaCompiler compiler(m_book);
        EXPECT_TRUE(compiler.Compile(text, EXlsFormulaKind::kCell, tokens));
        return tokens;
    }
    using EResult = CXlsAutoFill::EResult;

    CXlsWorkbook m_book;
    CXlsWorksheet& m_sheet = *m_book.AddSheet(0);
};

}  // namespace

TEST_F(XlsAutoFillTest, UpwardAndLeftwardFillsMoveReferencesBackwards) {
    ASSERT_TRUE(m_sheet.SetFormula(4, 4, Compiled(u"=E4+1")));
    ASSERT_EQ(CXlsAutoFill::Fill(m_sheet, CXlsCellRange::Cell(4, 4), CXlsCellRange(2, 4, 4, 4)),
              EResult::kFilled);
    EXPECT_EQ(*m_sheet.GetFormula(2, 4), Compiled(u"=E2+1"));
    ASSERT_EQ(CXlsAutoFill::Fill(m_sheet, CXlsCellRange::Cell(4, 4), CXlsCellRange(4, 3, 4, 4)),
              EResult::kFilled);
    EXPECT_EQ(*m_sheet.GetFormula(4, 3), Compiled(u"=D4+1"));
    // Up past row 1 a relative reference has nowhere to go: #REF!.
    ASSERT_EQ(CXlsAutoFill::Fill(m_sheet, CXlsCellRange::Cell(4, 4), CXlsCellRange(0, 4, 4, 4)),
              EResult::kFilled);
    const CXlsFormulaTokens* lost = m_sheet.GetFormula(0, 4);
    ASSERT_NE(lost, nullptr);
    EXPECT_EQ(lost->Tokens()[0] & 0x1F, 0x0A) << "ptgRefErr";
}

TEST_F(XlsAutoFillTest, ALongerDestinationRepeatsTheSourceWithValuesAndFormats) {
    ASSERT_TRUE(m_sheet.SetNumber(0, 0, 5));
    ASSERT_TRUE(m_sheet.SetText(1, 0, u"five"));
    ASSERT_TRUE(m_sheet.ModifyFormat(CXlsCellRange::Cell(1, 0), [](CXlsCellFormat& f) {
        f.Font().SetBold(true);
        return f.SetNumberFormat(u"@");
    }));
    ASSERT_TRUE(m_sheet.SetNumber(3, 0, 99));
    ASSERT_EQ(CXlsAutoFill::Fill(m_sheet, CXlsCellRange(0, 0, 1, 0), CXlsCellRange(0, 0, 4, 0)),
              EResult::kFilled);
    EXPECT_EQ(m_sheet.GetValue(2, 0), CXlsCellValue::Number(5));
    EXPECT_EQ(m_sheet.GetValue(3, 0), CXlsCellValue::Text(u"five")) << "overwritten";
    EXPECT_EQ(m_sheet.GetValue(4, 0), CXlsCellValue::Number(5));
    EXPECT_EQ(m_sheet.GetFormat(3, 0), m_sheet.GetFormat(1, 0));
    EXPECT_TRUE(m_sheet.GetFormat(3, 0).Font().Bold());
    EXPECT_FALSE(m_sheet.GetFormat(4, 0).Font().Bold());
}

TEST_F(XlsAutoFillTest, EmptySourceCellsClearTheirCopies) {
    ASSERT_TRUE(m_sheet.SetNumber(0, 1, 3));
    ASSERT_EQ(CXlsAutoFill::Fill(m_sheet, CXlsCellRange::Cell(0, 0), CXlsCellRange(0, 0, 0, 2)),
              EResult::kFilled);
    EXPECT_EQ(m_sheet.GetValue(0, 1).Kind(), EXlsValueKind::kEmpty);
}

TEST_F(XlsAutoFillTest, ShapesThatDoNotExtendTheSourceAreRefusedUntouched) {
    ASSERT_TRUE(m_sheet.SetNumber(2, 2, 1));
    const CXlsCellRange source = CXlsCellRange::Cell(2, 2);
    for (const CXlsCellRange& bad : {CXlsCellRange(0, 0, 5, 5), CXlsCellRange(1, 2, 3, 2),
                                     CXlsCellRange(3, 2, 5, 2), CXlsCellRange(2, 2, 3, 3)}) {
        EXPECT_EQ(CXlsAutoFill::Fill(m_sheet, source, bad), EResult::kBadShape);
    }
    EXPECT_EQ(m_sheet.Cells().CellCount(), 1u);
    EXPECT_EQ(CXlsAutoFill::Fill(m_sheet, source, source), EResult::kFilled) << "nothing to do";
}

TEST_F(XlsAutoFillTest, ArrayFormulasAndUnreadableTokensAreNotFilled) {
    ASSERT_TRUE(m_sheet.SetArrayFormula(CXlsCellRange(3, 0, 4, 0), Compiled(u"=1")));
    ASSERT_TRUE(m_sheet.SetNumber(0, 0, 1));
    EXPECT_EQ(CXlsAutoFill::Fill(m_sheet, CXlsCellRange::Cell(0, 0), CXlsCellRange(0, 0, 3, 0)),
              EResult::kArrayPart);
    EXPECT_EQ(m_sheet.GetValue(1, 0).Kind(), EXlsValueKind::kEmpty);
    EXPECT_TRUE(CXlsAutoFill::TouchesArray(m_sheet, CXlsCellRange(4, 0, 9, 9)));
    EXPECT_TRUE(CXlsAutoFill::CutsArray(m_sheet, CXlsCellRange(4, 0, 9, 9)));
    EXPECT_FALSE(CXlsAutoFill::CutsArray(m_sheet, CXlsCellRange(0, 0, 9, 9)));

    // A token the shifter does not know (0xFF) stops the fill before any
    // cell changes.
    ASSERT_TRUE(m_sheet.SetFormula(0, 5, CXlsFormulaTokens({0xFF})));
    EXPECT_EQ(CXlsAutoFill::Fill(m_sheet, CXlsCellRange::Cell(0, 5), CXlsCellRange(0, 5, 2, 5)),
              EResult::kBadFormula);
    EXPECT_EQ(m_sheet.GetFormula(1, 5), nullptr);
}
