// Defined names' formulas: decoded with the name's own sheet and no base
// cell, cut formulas unsound, and the single reference-error tokens whose
// value is #REF! whatever their sheet.
#include "formula/CExcelFormulaNameDefinition.h"

#include <gtest/gtest.h>

#include "formula/tests/support/TokenStream.h"
#include "model/CExcelWorkBook.h"
#include "records/CExcelRecordNAME.h"

using namespace testsupport;

TEST(NameDefinition, DecodesWithTheNamesSheetAndNoBaseCell) {
    CExcelWorkBook book;
    AddSheet(book, u"Data");
    AddSheet(book, u"Plan");
    AddSupBook(book, SelfSupBook(2));
    AddExternSheet(book, {{0, 0, 0}, {0, 1, 1}, {0, 0xFFFF, 0xFFFF}, {0, 0xFFFE, 0xFFFE}});
    AddName(book, u"Local", 2, false, TokensOf(TokenStream().Int(7)));  // name 1, of Plan
    const struct {
        TokenStream tokens;
        std::uint16_t sheet;
        int declared;
        const char* text;
        bool sound;
        bool referenceError;
    } cases[] = {
        {TokenStream().Area3d(0x3B, 0, 0, 8, Abs(0), Abs(2)), 0, -1, "Data!$A$1:$C$9", true, false},
        // Relative parts print as stored; the name's sheet names its own
        // names bare, others carry their sheet.
        {TokenStream().Ref3d(0x3A, 1, 31, Rel(3)).Name(0x23, 1).Op(0x03), 2, -1, "Plan!D32+Local",
         true, false},
        {TokenStream().Name(0x23, 1), 1, -1, "Plan!Local", true, false},
        {TokenStream().Ref(0x2C, 0xFFFF, Rel(0)), 0, -1, "A65536", true, false},
        {TokenStream().Byte(0x3C).U16(1).U16(0).U16(0), 0, -1, "Plan!#REF!", true, true},
        {TokenStream().Byte(0x3D).U16(3).U16(0).U16(0).U16(0).U16(0), 0, -1, "!#REF!", false, true},
        {TokenStream().Byte(0x2A).U16(0).U16(0), 0, -1, "#REF!", true, true},
        {TokenStream().Ref3d(0x3A, 2, 0, Abs(0)), 0, -1, "#REF!$A$1", true, false},
        {TokenStream().Byte(0x3C).U16(3).U16(0).U16(0).Int(1).Op(0x03), 0, -1, "!#REF!+1", false,
         false},
        // The record declares more token bytes than it holds.
        {TokenStream().Int(5), 0, 9, "5", false, false},
    };
    for (const auto& c : cases) {
        AddName(book, u"N", c.sheet, false, TokensOf(c.tokens), 0, c.declared);
        const CExcelRecordNAME& name = *book.GetNames().GetTail();
        bool sound = !c.sound;
        EXPECT_EQ(Utf8(CExcelFormulaNameDefinition::Text(book, name, &sound)), c.text);
        EXPECT_EQ(sound, c.sound) << c.text;
        EXPECT_EQ(CExcelFormulaNameDefinition::IsReferenceError(name), c.referenceError) << c.text;
        EXPECT_TRUE(CExcelFormulaNameDefinition::HasFormula(name));
    }
    AddName(book, u"_xlfn.IFERROR", 0, false, {}, 0x000E);
    EXPECT_FALSE(CExcelFormulaNameDefinition::HasFormula(*book.GetNames().GetTail()));
}
