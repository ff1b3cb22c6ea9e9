// Defined names: ptgName prints the NAME record at its 1-based index,
// built-in names by their spreadsheet names, sheet-level names with their
// sheet where needed; an unresolved name is unsound.
#include <gtest/gtest.h>

#include "formula/CExcelFormulaNameText.h"
#include "formula/tests/support/TokenStream.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"

using namespace testsupport;

namespace {

// Sheets "Data" (1) and "Q1 2009" (2). Names: 1 Rates (global), 2
// Print_Area of Data, 3 Print_Area of Q1 2009, 4 _FilterDatabase of Data,
// 5 Local of Q1 2009, 6 Rates of Data (hides the global Rates there).
void BuildBook(CExcelWorkBook& book) {
    AddSheet(book, u"Data");
    AddSheet(book, u"Q1 2009");
    AddName(book, u"Rates", 0);
    AddName(book, std::u16string(1, u'\x06'), 1, true);
    AddName(book, std::u16string(1, u'\x06'), 2, true);
    AddName(book, std::u16string(1, u'\x0D'), 1, true);
    AddName(book, u"Local", 2);
    AddName(book, u"rates", 1);
}

Decoded OnSheet(const CExcelWorkBook& book, std::uint32_t sheet, std::uint16_t index,
                std::uint8_t token = 0x43) {
    return Decode(TokenStream().Name(token, index).Build(), 0, 0, &book,
                  book.GetWorksheets().GetAt(sheet));
}

}  // namespace

TEST(DefinedName, GlobalNamesPrintTheirTextAtTheOneBasedIndex) {
    CExcelWorkBook book;
    BuildBook(book);
    for (const std::uint8_t token : {0x23, 0x43, 0x63}) {
        const Decoded d = OnSheet(book, 1, 1, token);
        EXPECT_EQ(d.text, "Rates");
        EXPECT_TRUE(d.sound);
    }
    const Decoded sum = Decode(TokenStream().Name(0x23, 1).FuncVar(0x42, 1, 4).Build(), 0, 0, &book,
                               book.GetWorksheets().GetAt(1));
    EXPECT_EQ(sum.text, "SUM( Rates )");
}

TEST(DefinedName, BuiltInNamesPrintTheirSpreadsheetNames) {
    CExcelWorkBook book;
    BuildBook(book);
    Decoded d = OnSheet(book, 0, 2);
    EXPECT_EQ(d.text, "Print_Area");
    EXPECT_TRUE(d.sound);
    d = OnSheet(book, 0, 4);
    EXPECT_EQ(d.text, "_FilterDatabase");
    EXPECT_TRUE(d.sound);
}

TEST(DefinedName, SheetLevelNamesOfOtherSheetsCarryTheirQuotedSheet) {
    CExcelWorkBook book;
    BuildBook(book);
    Decoded d = OnSheet(book, 0, 3);
    EXPECT_EQ(d.text, "'Q1 2009'!Print_Area");
    EXPECT_TRUE(d.sound);
    d = OnSheet(book, 1, 2);
    EXPECT_EQ(d.text, "Data!Print_Area");
    EXPECT_TRUE(d.sound);
    d = OnSheet(book, 1, 5);
    EXPECT_EQ(d.text, "Local");
    EXPECT_TRUE(d.sound);
    // Without knowing the formula's sheet a sheet-level name is always
    // qualified.
    d = Decode(TokenStream().Name(0x43, 5).Build(), 0, 0, &book, nullptr);
    EXPECT_EQ(d.text, "'Q1 2009'!Local");
    EXPECT_TRUE(d.sound);
}

TEST(DefinedName, AGlobalNameHiddenByTheSheetsOwnNameIsUnsound) {
    CExcelWorkBook book;
    BuildBook(book);
    // On Data, bare "Rates" would select Data's own rates (name 6); the
    // name prints as its index, as every unresolved name does.
    const Decoded d = OnSheet(book, 0, 1);
    EXPECT_EQ(d.text, "1");
    EXPECT_FALSE(d.sound);
    EXPECT_EQ(OnSheet(book, 0, 6).text, "rates");
    EXPECT_TRUE(OnSheet(book, 0, 6).sound);
}

TEST(DefinedName, UnresolvedNamesPrintTheIndexAndAreUnsound) {
    CExcelWorkBook book;
    BuildBook(book);
    for (const std::uint16_t index : {0, 7, 65535}) {
        const Decoded d = OnSheet(book, 0, index);
        EXPECT_EQ(d.text, std::to_string(index));
        EXPECT_FALSE(d.sound);
    }
    const Decoded none = Decode(TokenStream().Name(0x43, 1).Build());
    EXPECT_EQ(none.text, "1");
    EXPECT_FALSE(none.sound);
}

TEST(DefinedName, ANameOfASheetNotInTheListIsUnsound) {
    CExcelWorkBook book;
    AddSheet(book, u"Only");
    AddName(book, u"Far", 9);
    const Decoded d = OnSheet(book, 0, 1);
    EXPECT_EQ(d.text, "1");
    EXPECT_FALSE(d.sound);
}

TEST(DefinedName, ABuiltInCodeWithoutASpreadsheetNameIsUnsound) {
    CExcelWorkBook book;
    AddSheet(book, u"Only");
    AddName(book, std::u16string(1, u'\x20'), 1, true);
    const Decoded d = OnSheet(book, 0, 1);
    EXPECT_EQ(d.text, "1");
    EXPECT_FALSE(d.sound);
}

// ---- Functions called through a name (function 255) ----------------------------

TEST(UserDefinedCall, ANameAsFirstOperandIsTheFunctionCalled) {
    CExcelWorkBook book;
    AddSheet(book, u"Data");
    AddName(book, u"Commission", 0);
    AddName(book, u"_xlfn.IFERROR", 0);
    const CExcelWorkSheet* sheet = book.GetWorksheets().GetAt(0);
    Decoded d = Decode(
        TokenStream().Name(0x23, 1).Ref(0x24, 0, Rel(0)).FuncVar(0x42, 2, 255).Build(), 0, 0,
        &book, sheet);
    EXPECT_EQ(d.text, "Commission( A1 )");
    EXPECT_TRUE(d.sound);
    // Functions newer than the file are stored under an "_xlfn." name.
    d = Decode(TokenStream()
                   .Name(0x23, 2)
                   .Ref(0x44, 0, Rel(0))
                   .Ref(0x44, 0, Rel(1))
                   .Op(0x06)
                   .Int(0)
                   .FuncVar(0x42, 3, 255)
                   .Build(),
               0, 0, &book, sheet);
    EXPECT_EQ(d.text, "IFERROR( A1/B1, 0 )");
    EXPECT_TRUE(d.sound);
    EXPECT_EQ(Utf8(CExcelFormulaNameText::FunctionName(u"_XLFN.COUNTIFS")), "COUNTIFS");
    EXPECT_EQ(Utf8(CExcelFormulaNameText::FunctionName(u"_xlfn.")), "_xlfn.");
    // No arguments besides the name.
    d = Decode(TokenStream().Name(0x23, 1).FuncVar(0x42, 1, 255).Build(), 0, 0, &book, sheet);
    EXPECT_EQ(d.text, "Commission(  )");
    EXPECT_TRUE(d.sound);
}

TEST(UserDefinedCall, WithoutANameTheArgumentsPrintBareAndUnsound) {
    CExcelWorkBook book;
    AddSheet(book, u"Data");
    AddName(book, u"Commission", 0);
    const CExcelWorkSheet* sheet = book.GetWorksheets().GetAt(0);
    // An unresolved name prints its index and calls nothing.
    Decoded d = Decode(
        TokenStream().Name(0x23, 9).Ref(0x24, 0, Rel(0)).FuncVar(0x42, 2, 255).Build(), 0, 0,
        &book, sheet);
    EXPECT_EQ(d.text, "( 9, A1 )");
    EXPECT_FALSE(d.sound);
    // A name that is an argument of an operator is no function.
    d = Decode(TokenStream()
                   .Name(0x23, 1)
                   .Int(1)
                   .Op(0x03)
                   .Ref(0x24, 0, Rel(0))
                   .FuncVar(0x42, 2, 255)
                   .Build(),
               0, 0, &book, sheet);
    EXPECT_EQ(d.text, "( Commission+1, A1 )");
    EXPECT_FALSE(d.sound);
    // The command bit makes it a macro command.
    d = Decode(TokenStream().Name(0x23, 1).FuncVar(0x42, 1, 0x80FF).Build(), 0, 0, &book, sheet);
    EXPECT_EQ(d.text, "( Commission )");
    EXPECT_FALSE(d.sound);
}
