// Number formats, fonts, fills and border lines through the range's
// members, with the values the save sends (colour indices, the file's fill
// patterns and line styles).
#include <gtest/gtest.h>

#include "server/automation/CXlsBorderObject.h"
#include "server/automation/CXlsWorkbookObject.h"
#include "server/automation/tests/support/DispatchClient.h"

using namespace servertest;

namespace {

class XlsServerFormatTest : public ::testing::Test {
protected:
    CXlsWorksheet& Sheet() {
        return *dynamic_cast<CXlsWorkbookObject&>(*m_server.workbook.Get())
                    .Document()
                    ->Book()
                    .Sheet(0);
    }
    ObjectRef Range(std::u16string_view address) {
        return GetObject(m_server.sheet.Get(), u"Range", {CVariant::Text(std::u16string(address))});
    }
    const CXlsCellFormat& Format(std::uint32_t row, std::uint32_t column) {
        return Sheet().GetFormat(row, column);
    }

    ServerFixture m_server = StartWithWorkbook();
};

}  // namespace

TEST_F(XlsServerFormatTest, NumberFormatOfEveryCellOfTheRange) {
    ObjectRef range = Range(u"A1:B2");
    ASSERT_EQ(Put(range.Get(), u"NumberFormat", CVariant::Text(u"#,##0.00")).status, S_OK);
    EXPECT_EQ(Format(1, 1).NumberFormat(), u"#,##0.00");
    EXPECT_EQ(Format(2, 2).NumberFormat(), u"General");
    EXPECT_EQ(Get(range.Get(), u"NumberFormat").value.GetText(), u"#,##0.00");
    EXPECT_EQ(Put(range.Get(), u"NumberFormat", CVariant::Text(std::u16string(256, u'0'))).status,
              DISP_E_EXCEPTION);
}

TEST_F(XlsServerFormatTest, FontMembersAsTheSaveSetsThem) {
    ObjectRef font = GetObject(Range(u"B2").Get(), u"Font");
    ASSERT_EQ(Put(font.Get(), u"Name", CVariant::Text(u"Times New Roman")).status, S_OK);
    ASSERT_EQ(Put(font.Get(), u"Bold", CVariant::Bool(true)).status, S_OK);
    ASSERT_EQ(Put(font.Get(), u"Italic", CVariant::Bool(true)).status, S_OK);
    ASSERT_EQ(Put(font.Get(), u"Underline", CVariant::Bool(true)).status, S_OK);
    ASSERT_EQ(Put(font.Get(), u"ColorIndex", CVariant::Short(3)).status, S_OK);
    ASSERT_EQ(Put(font.Get(), u"Size", CVariant::Short(14)).status, S_OK);
    const CXlsFont& set = Format(1, 1).Font();
    EXPECT_EQ(set.Name(), u"Times New Roman");
    EXPECT_TRUE(set.Bold());
    EXPECT_TRUE(set.Italic());
    EXPECT_EQ(set.Underline(), CXlsFont::kUnderlineSingle);
    EXPECT_EQ(set.ColorIndex(), 3);
    EXPECT_DOUBLE_EQ(set.Size(), 14.0);
    EXPECT_EQ(Get(font.Get(), u"Underline").value.GetLong(), 2);
    EXPECT_EQ(Get(font.Get(), u"Size").value.GetDouble(), 14.0);
    EXPECT_EQ(Get(font.Get(), u"Bold").value.GetBoolWord(), VARIANT_TRUE);
    EXPECT_EQ(Format(0, 0).Font(), CXlsFont()) << "other cells keep the default font";

    ASSERT_EQ(Put(font.Get(), u"Underline", CVariant::Long(-4119)).status, S_OK);
    EXPECT_EQ(Format(1, 1).Font().Underline(), CXlsFont::kUnderlineDouble);
    ASSERT_EQ(Put(font.Get(), u"Underline", CVariant::Bool(false)).status, S_OK);
    EXPECT_EQ(Get(font.Get(), u"Underline").value.GetLong(), -4142);
}

TEST_F(XlsServerFormatTest, FontRefusesWhatTheFontCannotTake) {
    ObjectRef font = GetObject(Range(u"A1").Get(), u"Font");
    // The save maps the automatic font colour 0x7FFF to 0, which is no
    // colour index: refused, and the font keeps its colour.
    for (const auto& [member, value] : {std::pair{u"ColorIndex", CVariant::Short(0)},
                                        {u"ColorIndex", CVariant::Short(57)},
                                        {u"Size", CVariant::Short(0)},
                                        {u"Name", CVariant::Text(u"")},
                                        {u"Underline", CVariant::Long(3)}}) {
        CallResult refused = Put(font.Get(), member, value);
        EXPECT_EQ(refused.status, DISP_E_EXCEPTION) << std::u16string(member).size();
        EXPECT_EQ(refused.exception.code, 1004);
    }
    EXPECT_EQ(Format(0, 0).Font(), CXlsFont());
    EXPECT_EQ(Put(font.Get(), u"ColorIndex", CVariant::Short(-4142)).status, S_OK);
    EXPECT_EQ(Get(font.Get(), u"ColorIndex").value.GetLong(), -4105) << "none is automatic";
}

TEST_F(XlsServerFormatTest, InteriorAsSetCellFillSendsIt) {
    // ColorIndex, Pattern, PatternColorIndex -4105, in that order.
    const auto fill = [&](std::u16string_view address, std::int16_t color, std::int16_t pattern) {
        ObjectRef interior = GetObject(Range(address).Get(), u"Interior");
        EXPECT_EQ(Put(interior.Get(), u"ColorIndex", CVariant::Short(color)).status, S_OK);
        EXPECT_EQ(Put(interior.Get(), u"Pattern", CVariant::Short(pattern)).status, S_OK);
        EXPECT_EQ(Put(interior.Get(), u"PatternColorIndex", CVariant::Short(-4105)).status, S_OK);
    };
    fill(u"A1", 6, 1);
    fill(u"A2", 36, 17);
    fill(u"A3", 6, 0);
    EXPECT_EQ(Format(0, 0).Interior().ColorIndex(), 6);
    EXPECT_EQ(Format(0, 0).Interior().Pattern(), CXlsInterior::kPatternSolid);
    EXPECT_EQ(Format(1, 0).Interior().Pattern(), 17);
    EXPECT_EQ(Format(1, 0).Interior().ColorIndex(), 36);
    EXPECT_FALSE(Format(2, 0).Interior().IsFilled()) << "pattern 0 removes the fill";

    ObjectRef interior = GetObject(Range(u"A1").Get(), u"Interior");
    EXPECT_EQ(Get(interior.Get(), u"Pattern").value.GetLong(), 1);
    EXPECT_EQ(Put(interior.Get(), u"Pattern", CVariant::Short(19)).status, DISP_E_EXCEPTION);
    EXPECT_EQ(Put(interior.Get(), u"ColorIndex", CVariant::Short(0)).status, DISP_E_EXCEPTION);
    ASSERT_EQ(Put(interior.Get(), u"Pattern", CVariant::Long(-4142)).status, S_OK);
    EXPECT_FALSE(Format(0, 0).Interior().IsFilled());
}

TEST_F(XlsServerFormatTest, WholeRowAndColumnFillsReachCellsFilledLater) {
    ObjectRef row = GetObject(m_server.sheet.Get(), u"Rows", {CVariant::Double(3)});
    ObjectRef interior = GetObject(row.Get(), u"Interior");
    ASSERT_EQ(Put(interior.Get(), u"ColorIndex", CVariant::Short(4)).status, S_OK);
    ASSERT_EQ(Put(CellAt(m_server.sheet.Get(), 3, 200).Get(), u"Value", CVariant::Double(1)).status,
              S_OK);
    EXPECT_EQ(Format(2, 199).Interior().ColorIndex(), 4);
    EXPECT_FALSE(Format(3, 199).Interior().IsFilled());
}

TEST_F(XlsServerFormatTest, BorderIndicesDrawOnTheCellsTheyName) {
    // 1-4: every cell's own line.
    ObjectRef left = GetObject(Range(u"A1:B2").Get(), u"Borders", {CVariant::Short(1)});
    ASSERT_EQ(Put(left.Get(), u"LineStyle", CVariant::Short(2)).status, S_OK);
    ASSERT_EQ(Put(left.Get(), u"ColorIndex", CVariant::Short(3)).status, S_OK);
    for (std::uint32_t r : {0u, 1u}) {
        for (std::uint32_t c : {0u, 1u}) {
            EXPECT_EQ(Format(r, c).Borders().LineStyle(CXlsBorders::kLeft), 2);
            EXPECT_EQ(Format(r, c).Borders().ColorIndex(CXlsBorders::kLeft), 3);
        }
    }
    // 7-10: the outline of D4:F6 (left, top, bottom, right), as edge 13 of
    // the wrapper sets them.
    ObjectRef box = Range(u"D4:F6");
    for (std::int16_t edge : {7, 8, 9, 10}) {
        ObjectRef border = GetObject(box.Get(), u"Borders", {CVariant::Short(edge)});
        ASSERT_EQ(Put(border.Get(), u"LineStyle", CVariant::Short(edge - 6)).status, S_OK);
    }
    EXPECT_EQ(Format(3, 3).Borders().LineStyle(CXlsBorders::kLeft), 1);
    EXPECT_EQ(Format(3, 3).Borders().LineStyle(CXlsBorders::kTop), 2);
    EXPECT_EQ(Format(5, 4).Borders().LineStyle(CXlsBorders::kBottom), 3);
    EXPECT_EQ(Format(4, 5).Borders().LineStyle(CXlsBorders::kRight), 4);
    EXPECT_FALSE(Format(4, 4).Borders().HasLines()) << "the middle cell has no line";
    EXPECT_EQ(Format(4, 4).Borders(), CXlsBorders());

    // 5 and 6: the diagonals, sharing one style.
    ObjectRef down = GetObject(Range(u"H1").Get(), u"Borders", {CVariant::Short(5)});
    ASSERT_EQ(Put(down.Get(), u"LineStyle", CVariant::Short(4)).status, S_OK);
    EXPECT_TRUE(Format(0, 7).Borders().DiagonalDown());
    EXPECT_FALSE(Format(0, 7).Borders().DiagonalUp());
    EXPECT_EQ(Get(down.Get(), u"LineStyle").value.GetLong(), 4);

    EXPECT_EQ(Put(down.Get(), u"LineStyle", CVariant::Short(14)).status, DISP_E_EXCEPTION);
    for (std::int16_t bad : {0, 13}) {
        EXPECT_EQ(Get(box.Get(), u"Borders", {CVariant::Short(bad)}).status, DISP_E_BADINDEX);
    }
    ObjectRef borders = GetObject(box.Get(), u"Borders");
    EXPECT_EQ(Get(borders.Get(), u"Count").value.GetLong(), 12);
    EXPECT_TRUE(GetObject(borders.Get(), u"Item", {CVariant::Long(12)}));
}

TEST(XlsBorderStretches, InsideLinesAreCarriedByTheCellsOnBothSides) {
    const auto inside = CXlsBorderObject::Stretches(CXlsCellRange(0, 0, 2, 2), 11);
    ASSERT_EQ(inside.size(), 2u);
    EXPECT_EQ(inside[0].cells, CXlsCellRange(0, 0, 2, 1));
    EXPECT_EQ(inside[0].edge, CXlsBorders::kRight);
    EXPECT_EQ(inside[1].cells, CXlsCellRange(0, 1, 2, 2));
    EXPECT_EQ(inside[1].edge, CXlsBorders::kLeft);
    EXPECT_TRUE(CXlsBorderObject::Stretches(CXlsCellRange(0, 0, 0, 0), 12).empty());
    EXPECT_TRUE(CXlsBorderObject::Stretches(CXlsCellRange(0, 0, 0, 0), 13).empty());
}
