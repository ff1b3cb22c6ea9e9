// Worksheets and Sheets: indexing, Count, Add's naming and placing, Move,
// and the sheet-name rules of a rename.
#include "server/automation/CXlsSheetsObject.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "server/automation/CXlsWorkbookObject.h"
#include "server/automation/tests/support/DispatchClient.h"

using namespace servertest;

namespace {

std::vector<std::u16string> TabOrder(const ObjectRef& workbook) {
    const CXlsWorkbook& book =
        dynamic_cast<CXlsWorkbookObject&>(*workbook.Get()).Document()->Book();
    std::vector<std::u16string> names;
    for (std::size_t i = 0; i < book.SheetCount(); ++i) names.push_back(book.Sheet(i)->Name());
    return names;
}

std::u16string ActiveName(const ObjectRef& workbook) {
    ObjectRef active = GetObject(workbook.Get(), u"ActiveSheet");
    return Get(active.Get(), u"Name").value.GetText();
}

ObjectRef Sheet(const ObjectRef& workbook, const CVariant& index) {
    return GetObject(workbook.Get(), u"Worksheets", {index});
}

using Names = std::vector<std::u16string>;

}  // namespace

TEST(XlsServerSheets, IndexedByPositionOrByNameIgnoringCase) {
    ServerFixture server = StartWithWorkbook();
    ObjectRef sheets = GetObject(server.workbook.Get(), u"Sheets");
    ASSERT_EQ(Get(sheets.Get(), u"Add").status, S_OK);
    EXPECT_EQ(Get(sheets.Get(), u"Count").value.GetLong(), 2);
    ObjectRef byName = GetObject(server.workbook.Get(), u"Sheets", {CVariant::Text(u"sheet1")});
    EXPECT_EQ(Get(byName.Get(), u"Index").value.GetLong(), 2);
    ObjectRef byItem = GetObject(sheets.Get(), u"Item", {CVariant::Double(1)});
    EXPECT_EQ(Get(byItem.Get(), u"Name").value.GetText(), u"Sheet2");
    for (const CVariant& bad : {CVariant::Long(0), CVariant::Long(3), CVariant::Text(u"Sheet9")}) {
        EXPECT_EQ(Get(server.workbook.Get(), u"Worksheets", {bad}).status, DISP_E_BADINDEX);
    }
}

TEST(XlsServerSheets, AddNamesTheNextSheetNAndPutsItBeforeTheActiveSheet) {
    ServerFixture server = StartWithWorkbook();
    ObjectRef sheets = GetObject(server.workbook.Get(), u"Sheets");
    CallResult added = Get(sheets.Get(), u"Add");
    ASSERT_EQ(added.status, S_OK);
    EXPECT_EQ(Get(added.Object().Get(), u"Name").value.GetText(), u"Sheet2");
    EXPECT_EQ(TabOrder(server.workbook), (Names{u"Sheet2", u"Sheet1"}));
    EXPECT_EQ(ActiveName(server.workbook), u"Sheet2") << "the new sheet becomes active";

    // With Sheet1 active again, the next one goes before it, in the middle.
    ASSERT_EQ(Get(Sheet(server.workbook, CVariant::Text(u"Sheet1")).Get(), u"Select").status, S_OK);
    ASSERT_EQ(Get(sheets.Get(), u"Add").status, S_OK);
    EXPECT_EQ(TabOrder(server.workbook), (Names{u"Sheet2", u"Sheet3", u"Sheet1"}));
}

TEST(XlsServerSheets, AddSkipsNumbersThatRenamedSheetsHold) {
    ServerFixture server = StartWithWorkbook();
    ASSERT_EQ(Put(server.sheet.Get(), u"Name", CVariant::Text(u"Sheet2")).status, S_OK);
    ObjectRef sheets = GetObject(server.workbook.Get(), u"Sheets");
    CallResult added = Get(sheets.Get(), u"Add");
    EXPECT_EQ(Get(added.Object().Get(), u"Name").value.GetText(), u"Sheet3");
}

TEST(XlsServerSheets, AddBeforeOrAfterANamedSheet) {
    ServerFixture server = StartWithWorkbook();
    ObjectRef sheets = GetObject(server.workbook.Get(), u"Sheets");
    CallResult after = Call(sheets.Get(), u"Add", DISPATCH_METHOD, {},
                            {{u"After", CVariant::Object(server.sheet.Get())}});
    ASSERT_EQ(after.status, S_OK);
    EXPECT_EQ(TabOrder(server.workbook), (Names{u"Sheet1", u"Sheet2"}));
    CallResult both = Call(sheets.Get(), u"Add", DISPATCH_METHOD, {},
                           {{u"After", CVariant::Object(server.sheet.Get())},
                            {u"Before", CVariant::Object(server.sheet.Get())}});
    EXPECT_EQ(both.status, DISP_E_EXCEPTION);
    CallResult notASheet =
        Call(sheets.Get(), u"Add", DISPATCH_METHOD, {}, {{u"Before", CVariant::Text(u"Sheet1")}});
    EXPECT_EQ(notASheet.status, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(TabOrder(server.workbook).size(), 2u);
}

TEST(XlsServerSheets, MoveAfterReordersAsTheWrapperAppends) {
    // AppendWorksheet: select the last sheet, Sheets.Add (which lands before
    // it), then move the new sheet after the previous last one.
    ServerFixture server = StartWithWorkbook();
    ObjectRef sheets = GetObject(server.workbook.Get(), u"Sheets");
    for (int n = 2; n <= 4; ++n) {
        ObjectRef previousLast = Sheet(server.workbook, CVariant::Long(n - 1));
        ASSERT_EQ(Get(previousLast.Get(), u"Select").status, S_OK);
        CallResult added = Get(sheets.Get(), u"Add");
        ASSERT_EQ(added.status, S_OK);
        ObjectRef newSheet = added.Object();
        CallResult moved =
            Get(newSheet.Get(), u"Move", {}, {{u"After", CVariant::Object(previousLast.Get())}});
        ASSERT_EQ(moved.status, S_OK);
        EXPECT_EQ(Get(newSheet.Get(), u"Index").value.GetLong(), n);
    }
    EXPECT_EQ(TabOrder(server.workbook), (Names{u"Sheet1", u"Sheet2", u"Sheet3", u"Sheet4"}));
    EXPECT_EQ(ActiveName(server.workbook), u"Sheet4");

    ObjectRef last = Sheet(server.workbook, CVariant::Long(4));
    ASSERT_EQ(
        Get(last.Get(), u"Move", {}, {{u"Before", CVariant::Object(server.sheet.Get())}}).status,
        S_OK);
    EXPECT_EQ(TabOrder(server.workbook), (Names{u"Sheet4", u"Sheet1", u"Sheet2", u"Sheet3"}));
    ObjectRef first = Sheet(server.workbook, CVariant::Long(1));
    ASSERT_EQ(Get(first.Get(), u"Move", {}, {{u"After", CVariant::Object(first.Get())}}).status,
              S_OK);
    EXPECT_EQ(TabOrder(server.workbook), (Names{u"Sheet4", u"Sheet1", u"Sheet2", u"Sheet3"}))
        << "after itself stays in place";
    EXPECT_EQ(Get(first.Get(), u"Move").status, DISP_E_EXCEPTION)
        << "moving into a new workbook is not offered";
}

TEST(XlsServerSheets, RenamesThatBreakTheRulesFailAndKeepTheName) {
    ServerFixture server = StartWithWorkbook();
    ObjectRef sheets = GetObject(server.workbook.Get(), u"Sheets");
    ObjectRef other = Get(sheets.Get(), u"Add").Object();
    ASSERT_EQ(Put(other.Get(), u"Name", CVariant::Text(u"Data")).status, S_OK);

    const std::u16string longest(31, u'x');
    ASSERT_EQ(Put(server.sheet.Get(), u"Name", CVariant::Text(longest)).status, S_OK);
    const std::vector<std::u16string> refused = {
        std::u16string(32, u'x'),
        u"",
        u"a[b",
        u"a]b",
        u"a:b",
        u"a*b",
        u"a?b",
        u"a/b",
        u"a\\b",
        u"'quoted'",
        u"DATA",  // another sheet's name, in another case
    };
    for (const std::u16string& name : refused) {
        CallResult renamed = Put(server.sheet.Get(), u"Name", CVariant::Text(name));
        EXPECT_EQ(renamed.status, DISP_E_EXCEPTION) << std::string(name.begin(), name.end());
        EXPECT_EQ(renamed.exception.code, 1004);
        EXPECT_EQ(Get(server.sheet.Get(), u"Name").value.GetText(), longest);
    }
    // Its own name in another case is no clash.
    EXPECT_EQ(Put(other.Get(), u"Name", CVariant::Text(u"data")).status, S_OK);
    EXPECT_EQ(Put(other.Get(), u"Name", CVariant::Text(u"It's [fine]")).status, DISP_E_EXCEPTION);
    EXPECT_EQ(Put(other.Get(), u"Name", CVariant::Text(u"It's fine")).status, S_OK);
}

TEST(XlsServerSheets, AddRefusesOtherSheetKindsAndBadCounts) {
    ServerFixture server = StartWithWorkbook();
    ObjectRef sheets = GetObject(server.workbook.Get(), u"Sheets");
    EXPECT_EQ(Get(sheets.Get(), u"Add", {}, {{u"Type", CVariant::Long(-4109)}}).status,
              DISP_E_EXCEPTION);
    EXPECT_EQ(Get(sheets.Get(), u"Add", {}, {{u"Count", CVariant::Long(0)}}).status,
              DISP_E_OVERFLOW);
    ASSERT_EQ(Get(sheets.Get(), u"Add", {}, {{u"Count", CVariant::Long(2)}}).status, S_OK);
    EXPECT_EQ(Get(sheets.Get(), u"Count").value.GetLong(), 3);
}
