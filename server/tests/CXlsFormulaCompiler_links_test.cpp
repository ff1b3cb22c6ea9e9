// The formula compiler's links beyond a formula's own cells: defined names,
// calls through names, add-in and newer functions, references into other
// workbooks and to deleted sheets, and #REF!. Each case compiles into a
// fresh workbook and checks the tokens and what entered the link tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "server/CXlsFormulaCompiler.h"
#include "server/CXlsWorkbook.h"
#include "server/tests/support/FormulaBytes.h"

using namespace servertest;

namespace {

constexpr int kNoSheet = -1;

// Sheet1, Sheet2, 'Q1 2009'; the names Rates (workbook, position 1),
// Rates (Sheet2's own, 2), _xlfn.IFERROR (function, 3), MyFunc (function, 4).
void Prepare(CXlsWorkbook& book) {
    for (const char16_t* sheet : {u"Sheet1", u"Sheet2", u"Q1 2009"}) {
        book.AddSheet(book.SheetCount(), sheet);
    }
    auto add = [&](const char16_t* text, std::uint32_t scope, EXlsNameMacro macro) {
        CXlsDefinedName name;
        name.text = text;
        name.scopeSheetId = scope;
        name.macro = macro;
        if (macro == EXlsNameMacro::kNone) name.formula = CXlsFormulaTokens({0x1E, 0x01, 0x00});
        ASSERT_NE(book.Names().Set(name), CXlsDefinedNames::kNotFound);
    };
    add(u"Rates", CXlsDefinedName::kWorkbookScope, EXlsNameMacro::kNone);
    add(u"Rates", book.Sheet(1)->Id(), EXlsNameMacro::kNone);
    add(u"_xlfn.IFERROR", CXlsDefinedName::kWorkbookScope, EXlsNameMacro::kFunction);
    add(u"MyFunc", CXlsDefinedName::kWorkbookScope, EXlsNameMacro::kFunction);
}

// The link tables in short: each EXTERNSHEET entry (this workbook's sheets
// by position, # for a deleted one; another workbook's by list position,
// - for none), then the add-in functions, then each other workbook with its
// sheets and names.
std::string Links(const CXlsWorkbook& book) {
    std::string text;
    auto sheet = [&](std::uint32_t id) {
        const std::size_t at = book.PositionOfId(id);
        return at == CXlsWorkbook::kNotFound ? std::string("#") : std::to_string(at);
    };
    auto other = [](std::uint32_t at) {
        return at == CXlsExternSheetTable::kNoSheet ? std::string("-") : std::to_string(at);
    };
    for (const CXlsExternSheetTable::Entry& e : book.ExternSheets().Entries()) {
        if (e.book == CXlsExternSheetTable::kThisWorkbook) {
            text += "self:" + sheet(e.first) + "-" + sheet(e.last) + " ";
        } else if (e.book == CXlsExternSheetTable::kAddIns) {
            text += "addins ";
        } else {
            text +=
                "book" + std::to_string(e.book) + ":" + other(e.first) + "-" + other(e.last) + " ";
        }
    }
    for (const std::u16string& function : book.Links().AddInFunctions()) {
        text += "fn=" + Ascii(function) + " ";
    }
    for (const CXlsExternalBook& b : book.Links().Books()) {
        text += Ascii(b.Path()) + "[";
        for (const std::u16string& s : b.Sheets()) text += Ascii(s) + ";";
        text += "]";
        for (const CXlsExternalBook::BookName& n : b.Names()) {
            text += "{" + Ascii(n.text) + "@" + other(n.sheet) + "}";
        }
        text += " ";
    }
    return text;
}

struct Case {
    std::u16string text;
    int ownSheet;  // position, or kNoSheet
    EXlsFormulaKind kind;
    std::string tokens;  // TokenHex, or "refused: reason"
    std::string links;
};

std::string Compile(CXlsWorkbook& book, const Case& c) {
    CXlsFormulaCompiler compiler(book, c.ownSheet == kNoSheet ? nullptr : book.Sheet(c.ownSheet));
    CXlsFormulaTokens tokens;
    if (!compiler.Compile(c.text, c.kind, tokens)) return "refused: " + Ascii(compiler.ErrorText());
    return TokenHex(tokens.Tokens());
}

constexpr EXlsFormulaKind kCell = EXlsFormulaKind::kCell;
constexpr EXlsFormulaKind kName = EXlsFormulaKind::kName;

TEST(FormulaCompilerLinks, NamesCallsOtherWorkbooksAndDeletedReferences) {
    const std::vector<Case> cases = {
        // Defined names: the formula's own sheet's first, then the workbook's.
        {u"Rates*2", kNoSheet, kCell, "4301000000 1E0200 05", ""},
        {u"SUM(rates)", 0, kCell, "2301000000 19100000", ""},
        {u"Rates", 1, kCell, "4302000000", ""},
        {u"Sheet2!Rates", kNoSheet, kCell, "4302000000", ""},
        {u"Sheet1!Rates", kNoSheet, kCell, "refused: unknown name \"Rates\"", ""},
        // Calls through names: callee, arguments, function 255.
        {u"MyFunc(1,A1)", kNoSheet, kCell, "2304000000 1E0100 24000000C0 4203FF00", ""},
        {u"IFERROR(1/0,2)", kNoSheet, kCell, "2303000000 1E0100 1E0000 06 1E0200 4203FF00", ""},
        // Add-in functions, newer ones with their prefix, one EXTERNNAME each.
        {u"NETWORKDAYS(A1,B1)+EOMONTH(A1,0)+networkdays(A1,B1)", kNoSheet, kCell,
         "39000001000000 24000000C0 24000001C0 4203FF00 39000002000000 24000000C0 1E0000 "
         "4203FF00 03 39000001000000 24000000C0 24000001C0 4203FF00 03",
         "addins fn=NETWORKDAYS fn=EOMONTH "},
        {u"SUMIFS(A1:A3,B1:B3,1)", kNoSheet, kCell,
         "39000001000000 250000020000C000C0 250000020001C001C0 1E0100 4204FF00",
         "addins fn=_xlfn.SUMIFS "},
        {u"FILTER(A1:A3,B1:B3)", kNoSheet, kCell,
         "39000001000000 250000020000C000C0 250000020001C001C0 4203FF00",
         "addins fn=_xlfn._xlws.FILTER "},
        // Other workbooks: their sheets and names.
        {u"'[book.xls]Sheet1'!A1+[book.xls]Sheet2!A1:B2", kNoSheet, kCell,
         "5A0000000000C0 5B01000000010000C001C0 03",
         "book0:0-0 book0:1-1 book.xls[Sheet1;Sheet2;] "},
        {u"'C:\\dir\\[my book.xls]Sheet 1:Sheet 3'!$A$1", kNoSheet, kCell, "5A000000000000",
         "book0:0-1 C:\\dir\\my book.xls[Sheet 1;Sheet 3;] "},
        {u"'[book.xls]#REF'!$A$1", kNoSheet, kCell, "5A000000000000",
         "book0:65535-65535 book.xls[] "},
        {u"'[b.xls]'!Rate+'[b.xls]Sheet1'!Rate", kNoSheet, kCell,
         "59000001000000 59010002000000 03", "book0:--- book0:0-0 b.xls[Sheet1;]{Rate@-}{Rate@0} "},
        {u"'[b.xls]'!A1", kNoSheet, kCell,
         "refused: a reference into another workbook names its sheet", ""},
        {u"[b.xls Sheet1!A1", kNoSheet, kCell, "refused: workbook name without its closing \"]\"",
         ""},
        // #REF!: a deleted reference wherever it stands; deleted sheets.
        {u"#REF!+1", kNoSheet, kCell, "4A00000000 1E0100 03", ""},
        {u"SUM(#REF!:A1)", kNoSheet, kCell, "290B00 2A00000000 24000000C0 11 19100000", ""},
        {u"Sheet2!#REF!", kNoSheet, kCell, "5C000000000000", "self:1-1 "},
        {u"#REF!A1+SUM(#REF!$A$1:$B$2)+#REF!#REF!", kNoSheet, kCell,
         "5A0000000000C0 3B00000000010000000100 19100000 03 5C000000000000 03", "self:#-# "},
        // Names' formulas: 3-D references, areas joined at the top, the
        // root keeping its class, values as in arrays; a name that is #REF!
        // is the error constant.
        {u"Sheet1!$A$1:$A$3,Sheet1!$C$1", kNoSheet, kName,
         "291300 3B00000000020000000000 3A000000000200 10", "self:0-0 "},
        {u"$B$2", 1, kName, "3A000001000100", "self:1-1 "},
        {u"ABS(Sheet1!A1)", kNoSheet, kName, "7A0000000000C0 611800", "self:0-0 "},
        {u"#REF!", kNoSheet, kName, "1C17", ""},
    };
    for (const Case& c : cases) {
        CXlsWorkbook book;
        Prepare(book);
        EXPECT_EQ(Compile(book, c), c.tokens) << Ascii(c.text);
        EXPECT_EQ(Links(book), c.links) << Ascii(c.text);
    }
}

TEST(FormulaCompilerLinks, ARefusedFormulaLeavesEveryLinkTableAsItWas) {
    CXlsWorkbook book;
    Prepare(book);
    ASSERT_NE(Compile(book, {u"'[a.xls]S1'!A1+IMREAL(1)", kNoSheet, kCell, "", ""}).substr(0, 8),
              "refused:");
    const std::string before = Links(book);
    EXPECT_EQ(Compile(book, {u"'[a.xls]S2'!A1+'[a.xls]'!N+'[c.xls]S'!A1+COMPLEX(1,2)+Sheet2!A1+"
                             u"Nosuch",
                             kNoSheet, kCell, "", ""}),
              "refused: unknown name \"Nosuch\"");
    EXPECT_EQ(Links(book), before);
}

}  // namespace
