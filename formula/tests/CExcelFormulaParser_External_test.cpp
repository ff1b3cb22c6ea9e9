// References and names of other workbooks, names reached through this
// workbook's own SUPBOOK, and what stays unsound: unused SUPBOOKs, sheets or
// names the SUPBOOK does not list, file names that cannot be made readable.
#include <gtest/gtest.h>

#include "formula/tests/support/TokenStream.h"
#include "model/CExcelWorkBook.h"
#include "records/CExcelRecordEXTERNNAME.h"

using namespace testsupport;

namespace {

// A SUPBOOK of another workbook: sheet count, file name, sheet names.
Bytes OtherBook(const std::u16string& file, const std::vector<std::u16string>& sheets) {
    Bytes payload = {static_cast<std::uint8_t>(sheets.size()), 0,
                     static_cast<std::uint8_t>(file.size()), 0, 0};
    for (const char16_t c : file) payload.push_back(static_cast<std::uint8_t>(c));
    for (const std::u16string& sheet : sheets) {
        payload.insert(payload.end(), {static_cast<std::uint8_t>(sheet.size()), 0, 0});
        for (const char16_t c : sheet) payload.push_back(static_cast<std::uint8_t>(c));
    }
    return payload;
}

// An EXTERNNAME of the last SUPBOOK; declared is the length byte (cut names).
void AddExternName(CExcelWorkBook& book, const std::string& name, std::uint8_t sheet,
                   std::uint8_t declared = 0) {
    Bytes payload = {
        0, 0, sheet, 0, 0, 0, static_cast<std::uint8_t>(declared ? declared : name.size()), 0};
    payload.insert(payload.end(), name.begin(), name.end());
    book.GetExternNames().Add(new CExcelRecordEXTERNNAME(payload.data(),
                                                         static_cast<std::uint32_t>(payload.size()),
                                                         book.GetSupBooks().GetCount() - 1));
}

// SUPBOOK 0 this workbook (Data, Q1) with its name Total; 1 book.xls with
// Sheet1-Sheet3 and the names Rates (whole book), Local (Sheet2), a cut
// name; 2 C:\dir\book.xls with "Bob's"; 3 a URL; 4 unused; 5 a file in the
// start-up directory. REF entries: see the cases.
void BuildBook(CExcelWorkBook& book) {
    AddSheet(book, u"Data");
    AddSheet(book, u"Q1");
    AddName(book, u"Total", 0);
    AddSupBook(book, SelfSupBook(2));
    AddSupBook(book, OtherBook(u"\x01"
                               u"book.xls",
                               {u"Sheet1", u"Sheet2", u"Sheet3"}));
    AddExternName(book, "Rates", 0);
    AddExternName(book, "Local", 2);
    AddExternName(book, "Cut", 0, 9);
    AddSupBook(book, OtherBook(u"\x01\x01"
                               u"Cdir\x03"
                               u"book.xls",
                               {u"Bob's"}));
    AddSupBook(book, OtherBook(u"\x01\x05\x17http://host/dir/book.xls", {u"Sheet1"}));
    AddSupBook(book, OtherBook(u" ", {u" "}));
    AddSupBook(book, OtherBook(u"\x01\x06"
                               u"book.xls",
                               {u"S"}));
    AddExternSheet(book, {{1, 0, 0},            // 0 '[book.xls]Sheet1'
                          {1, 0, 2},            // 1 Sheet1 to Sheet3
                          {2, 0, 0},            // 2 C:\dir
                          {3, 0, 0},            // 3 the URL
                          {4, 0, 0},            // 4 unused
                          {1, 0xFFFE, 0xFFFE},  // 5 book.xls as a whole
                          {1, 3, 3},            // 6 a sheet book.xls does not list
                          {5, 0, 0},            // 7 start-up directory
                          {1, 0xFFFF, 0xFFFF},  // 8 a sheet of book.xls not found
                          {0, 0xFFFE, 0xFFFE}}  // 9 this workbook as a whole
    );
}

TokenStream NameX(std::uint16_t ref, std::uint16_t index) {
    return TokenStream().Byte(0x39).U16(ref).U16(index).U16(0);
}

}  // namespace

TEST(OtherWorkbook, ReferencesAndNamesPrintTheQuotedBookOrStayUnsound) {
    CExcelWorkBook book;
    BuildBook(book);
    const struct {
        TokenStream tokens;
        const char* text;
        const char* reason;  // empty: sound
    } cases[] = {
        {TokenStream().Ref3d(0x5A, 0, 2, Rel(1)), "'[book.xls]Sheet1'!B3", ""},
        {TokenStream().Area3d(0x7B, 1, 0, 9, Rel(0), Rel(0)), "'[book.xls]Sheet1:Sheet3'!A1:A10",
         ""},
        {TokenStream().Ref3d(0x3A, 2, 0, Rel(0)), "'C:\\dir\\[book.xls]Bob''s'!A1", ""},
        {TokenStream().Ref3d(0x3A, 3, 0, Rel(0)), "'http://host/dir/[book.xls]Sheet1'!A1", ""},
        {TokenStream().Byte(0x3C).U16(0).U16(0).U16(0), "'[book.xls]Sheet1'!#REF!", ""},
        // A sheet of book.xls that is gone.
        {TokenStream().Area3d(0x3B, 8, 0, 9, Rel(0), Rel(0)), "'[book.xls]#REF'!A1:A10", ""},
        {NameX(5, 1), "'[book.xls]'!Rates", ""},
        {NameX(0, 2), "'[book.xls]Sheet2'!Local", ""},
        // Cost*Rates of another workbook, as a cell formula multiplies them.
        {TokenStream().Name(0x43, 1).Byte(0x59).U16(5).U16(1).U16(0).Op(0x05),
         "Total*'[book.xls]'!Rates", ""},
        // A name of this workbook reached through its own SUPBOOK.
        {NameX(9, 1).Int(1).Op(0x03), "Total+1", ""},
        {NameX(5, 3), "Cut", "unresolved name"},
        {NameX(5, 4), "", "unresolved name"},
        // A name of another workbook is no function a cell can call.
        {NameX(5, 1).Int(1).FuncVar(0x42, 2, 255), "( '[book.xls]'!Rates, 1 )",
         "function-255 call of no name"},
    };
    for (const auto& c : cases) {
        const Decoded d = Decode(c.tokens.Build(), 0, 0, &book, book.GetWorksheets().GetAt(0));
        EXPECT_EQ(d.text, c.text);
        EXPECT_EQ(d.sound, *c.reason == '\0') << c.text;
        EXPECT_EQ(d.reason, c.reason) << c.text;
    }
    // REF entries 4-7: unused SUPBOOK, the whole book, a sheet it does not
    // list, the start-up directory.
    for (const std::uint16_t ref : {4, 5, 6, 7}) {
        const Decoded d = Decode(TokenStream().Ref3d(0x3A, ref, 2, Rel(1)).Build(), 0, 0, &book);
        EXPECT_EQ(d.text, "!B3");
        EXPECT_EQ(d.reason, "unresolved sheet") << ref;
    }
}
