// Add-in functions: a function-255 call whose callee is a ptgNameX naming an
// EXTERNNAME of the add-in SUPBOOK prints as a call of that name; names of
// other workbooks, missing entries and missing names stay unsound.
#include <gtest/gtest.h>

#include "formula/tests/support/TokenStream.h"
#include "model/CExcelWorkBook.h"
#include "records/CExcelRecordEXTERNNAME.h"

using namespace testsupport;

namespace {

// EXTERNNAME payload: flags, sheet, reserved, then the short string.
Bytes ExternNamePayload(const std::string& name) {
    Bytes payload = {0, 0, 0, 0, 0, 0, static_cast<std::uint8_t>(name.size()), 0};
    payload.insert(payload.end(), name.begin(), name.end());
    payload.insert(payload.end(), {0x02, 0x00, 0x1C, 0x17});  // formula: #REF!
    return payload;
}

void AddExternName(CExcelWorkBook& book, const std::string& name) {
    const Bytes payload = ExternNamePayload(name);
    book.GetExternNames().Add(new CExcelRecordEXTERNNAME(payload.data(),
                                                         static_cast<std::uint32_t>(payload.size()),
                                                         book.GetSupBooks().GetCount() - 1));
}

// SUPBOOK 0 this workbook, 1 the add-in with NETWORKDAYS and EOMONTH, 2
// another file with its name Rates. REF 0 Data, 1 the add-in, 2 the file.
void BuildBook(CExcelWorkBook& book) {
    AddSheet(book, u"Data");
    AddSupBook(book, SelfSupBook(1));
    AddSupBook(book, {0x01, 0x00, 0x01, 0x3A});
    AddExternName(book, "NETWORKDAYS");
    AddExternName(book, "EOMONTH");
    AddSupBook(book, {1, 0, 3, 0, 0, 'a', 'b', 'c'});
    AddExternName(book, "Rates");
    AddExternSheet(book, {{0, 0, 0}, {1, 0xFFFE, 0xFFFE}, {2, 0, 0}});
}

TokenStream NameX(std::uint16_t ref, std::uint16_t index) {
    return TokenStream().Byte(0x39).U16(ref).U16(index).U16(0);
}

}  // namespace

TEST(AddInCall, PrintsTheExternNameAsTheCalledFunction) {
    CExcelWorkBook book;
    BuildBook(book);
    Decoded d =
        Decode(NameX(1, 1).Ref(0x44, 0, Rel(0)).Ref(0x44, 1, Rel(0)).FuncVar(0x42, 3, 255).Build(),
               0, 0, &book);
    EXPECT_EQ(d.text, "NETWORKDAYS( A1, A2 )");
    EXPECT_TRUE(d.sound);
    d = Decode(NameX(1, 2).Ref(0x44, 0, Rel(0)).Int(1).FuncVar(0x42, 3, 255).Build(), 0, 0, &book);
    EXPECT_EQ(d.text, "EOMONTH( A1, 1 )");
    EXPECT_TRUE(d.sound);
}

TEST(AddInCall, NamesOutsideTheAddInOrMissingStayUnsound) {
    CExcelWorkBook book;
    BuildBook(book);
    // Another workbook's name, a third add-in name that does not exist, a
    // REF entry past the table, name index 0.
    for (const auto& [ref, index] :
         {std::pair<std::uint16_t, std::uint16_t>{2, 1}, {1, 3}, {7, 1}, {1, 0}}) {
        const Decoded d = Decode(
            NameX(ref, index).Ref(0x44, 0, Rel(0)).FuncVar(0x42, 2, 255).Build(), 0, 0, &book);
        EXPECT_FALSE(d.sound) << ref << " " << index;
    }
    // No workbook at all.
    EXPECT_FALSE(Decode(NameX(1, 1).Ref(0x44, 0, Rel(0)).FuncVar(0x42, 2, 255).Build()).sound);
}
