// Workbook.Names and Worksheet.Names: Add with its arguments, scopes,
// replacement in place, Count and Item, the Name object, and refusals.
#include "server/automation/CXlsNamesObject.h"

#include <gtest/gtest.h>

#include <string>

#include "server/automation/CXlsWorkbookObject.h"
#include "server/automation/tests/support/DispatchClient.h"

using namespace servertest;

namespace {

CallResult AddName(const ObjectRef& names, const NamedArgs& args) {
    return Call(names.Get(), u"Add", DISPATCH_METHOD, {}, args);
}

const CXlsDefinedNames& Table(const ObjectRef& workbook) {
    return dynamic_cast<CXlsWorkbookObject&>(*workbook.Get()).Document()->Book().Names();
}

}  // namespace

TEST(XlsServerNames, AddDefinesNamesOfTheWorkbookAndOfSheets) {
    ServerFixture server = StartWithWorkbook();
    ASSERT_EQ(Put(server.sheet.Get(), u"Name", CVariant::Text(u"Q1 2009")).status, S_OK);
    ObjectRef names = GetObject(server.workbook.Get(), u"Names");
    ObjectRef own = GetObject(server.sheet.Get(), u"Names");

    CallResult rates = AddName(names, {{u"Name", CVariant::Text(u"Rates")},
                                       {u"RefersTo", CVariant::Text(u"='Q1 2009'!$A$1:$A$3")}});
    ASSERT_EQ(rates.status, S_OK) << std::string(rates.exception.description.begin(),
                                                 rates.exception.description.end());
    ASSERT_EQ(AddName(own, {{u"Name", CVariant::Text(u"Rates")},
                            {u"RefersTo", CVariant::Double(0.5)},
                            {u"Visible", CVariant::Bool(false)}})
                  .status,
              S_OK);
    ASSERT_EQ(AddName(names, {{u"Name", CVariant::Text(u"'Q1 2009'!Print_Area")},
                              {u"RefersTo", CVariant::Text(u"=$A$1:$B$2")}})
                  .status,
              S_OK);
    ASSERT_EQ(AddName(names, {{u"Name", CVariant::Text(u"_xlfn.IFERROR")},
                              {u"Visible", CVariant::Bool(false)},
                              {u"MacroType", CVariant::Long(1)}})
                  .status,
              S_OK);
    ASSERT_EQ(AddName(names, {{u"Name", CVariant::Text(u"Note")},
                              {u"RefersTo", CVariant::Text(u"say \"hi\"")}})
                  .status,
              S_OK);

    const CXlsDefinedNames& table = Table(server.workbook);
    ASSERT_EQ(table.Count(), 5u);
    EXPECT_EQ(table.At(1).scopeSheetId, table.At(2).scopeSheetId);
    EXPECT_NE(table.At(1).scopeSheetId, CXlsDefinedName::kWorkbookScope);
    EXPECT_TRUE(table.At(1).hidden);
    EXPECT_EQ(table.At(2).builtinCode, std::optional<std::uint8_t>(0x06));
    EXPECT_EQ(table.At(3).macro, EXlsNameMacro::kFunction);
    EXPECT_TRUE(table.At(3).formula.Tokens().empty());
    EXPECT_EQ(table.At(4).formula.Tokens().front(), 0x17) << "a text constant";

    EXPECT_EQ(Get(names.Get(), u"Count").value.GetLong(), 5);
    EXPECT_EQ(Get(own.Get(), u"Count").value.GetLong(), 2);
    ObjectRef local = GetObject(names.Get(), u"Item", {CVariant::Text(u"'q1 2009'!rates")});
    EXPECT_EQ(Get(local.Get(), u"Name").value.GetText(), u"'Q1 2009'!Rates");
    EXPECT_EQ(Get(local.Get(), u"Index").value.GetLong(), 2);
    EXPECT_EQ(Get(local.Get(), u"Visible").value.GetBoolWord(), 0);
    ObjectRef second = GetObject(own.Get(), u"Item", {CVariant::Long(2)});
    EXPECT_EQ(Get(second.Get(), u"Name").value.GetText(), u"'Q1 2009'!Print_Area");
    EXPECT_EQ(Get(GetObject(names.Get(), u"Item", {CVariant::Text(u"RATES")}).Get(), u"Index")
                  .value.GetLong(),
              1);

    // Adding an existing name replaces it where it stands.
    ASSERT_EQ(AddName(names, {{u"Name", CVariant::Text(u"rates")},
                              {u"RefersTo", CVariant::Text(u"=2")},
                              {u"Visible", CVariant::Bool(false)}})
                  .status,
              S_OK);
    EXPECT_EQ(table.Count(), 5u);
    EXPECT_EQ(table.At(0).text, u"Rates");
    EXPECT_TRUE(table.At(0).hidden);
    ObjectRef first = GetObject(names.Get(), u"Item", {CVariant::Long(1)});
    EXPECT_EQ(Get(first.Get(), u"RefersTo").status, DISP_E_EXCEPTION) << "the text is not kept";
    ASSERT_EQ(Put(first.Get(), u"RefersTo", CVariant::Text(u"=Rates+1")).status, S_OK);
    EXPECT_EQ(table.At(0).formula.Tokens().front(), 0x63) << "ptgName in the array class";
    ASSERT_EQ(Put(first.Get(), u"Visible", CVariant::Bool(true)).status, S_OK);
    EXPECT_FALSE(table.At(0).hidden);
}

TEST(XlsServerNames, AddRefusesWhatCannotBeANameAndChangesNothing) {
    ServerFixture server = StartWithWorkbook();
    ObjectRef names = GetObject(server.workbook.Get(), u"Names");
    const NamedArgs refused[] = {
        {{u"Name", CVariant::Text(u"B3")}, {u"RefersTo", CVariant::Text(u"=1")}},
        {{u"Name", CVariant::Text(u"R1C1")}, {u"RefersTo", CVariant::Text(u"=1")}},
        {{u"Name", CVariant::Text(u"")}, {u"RefersTo", CVariant::Text(u"=1")}},
        {{u"Name", CVariant::Text(u"Bad")}, {u"RefersTo", CVariant::Text(u"=SUM(")}},
        {{u"Name", CVariant::Text(u"Bad")}, {u"RefersTo", CVariant::Text(u"=Nowhere!A1")}},
        {{u"Name", CVariant::Text(u"Nowhere!Bad")}, {u"RefersTo", CVariant::Text(u"=1")}},
        {{u"Name", CVariant::Text(u"Key")},
         {u"MacroType", CVariant::Long(2)},
         {u"ShortcutKey", CVariant::Text(u"ab")}},
    };
    for (const NamedArgs& args : refused) {
        CallResult result = AddName(names, args);
        EXPECT_EQ(result.status, DISP_E_EXCEPTION)
            << std::string(args[0].second.GetText().begin(), args[0].second.GetText().end());
        EXPECT_EQ(result.exception.code, 1004);
    }
    EXPECT_EQ(
        AddName(names, {{u"Name", CVariant::Text(u"F")}, {u"MacroType", CVariant::Long(4)}}).status,
        DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Table(server.workbook).Count(), 0u);
    EXPECT_EQ(Get(names.Get(), u"Item", {CVariant::Long(1)}).status, DISP_E_BADINDEX);
    // A plain name without a formula, as other writers leave them, is kept.
    EXPECT_EQ(AddName(names, {{u"Name", CVariant::Text(u"Plain")}}).status, S_OK);
    EXPECT_TRUE(Table(server.workbook).At(0).formula.Tokens().empty());
}
