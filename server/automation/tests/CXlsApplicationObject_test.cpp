// The application, its workbooks and the registration, through Invoke as
// the wrapper calls them.
#include "server/automation/CXlsApplicationObject.h"

#include <gtest/gtest.h>

#include "platform/automation/CServerRegistry.h"
#include "server/automation/CXlsApplicationServer.h"
#include "server/automation/CXlsWorkbookObject.h"
#include "server/automation/tests/support/DispatchClient.h"

using namespace servertest;

namespace {

std::int32_t CountOf(IDispatch* collection) {
    CallResult count = Get(collection, u"Count");
    EXPECT_EQ(count.status, S_OK);
    EXPECT_EQ(count.value.Type(), VT_I4);
    return count.value.GetLong();
}

CXlsWorkbook& BookOf(const ObjectRef& workbook) {
    return dynamic_cast<CXlsWorkbookObject&>(*workbook.Get()).Document()->Book();
}

}  // namespace

TEST(XlsServerRegistration, ExcelApplicationStartsOurServer) {
    CXlsApplicationServer::Register();
    ASSERT_EQ(CServerRegistry::Initialize(), S_OK);
    Uuid classId(Uuid::Bytes16{});
    ASSERT_EQ(CServerRegistry::ClassFromProgramId(u"excel.application", classId), S_OK);
    EXPECT_EQ(classId.Bytes(), CXlsApplicationServer::ClassId().Bytes());
    IDispatch* created = nullptr;
    ASSERT_EQ(CServerRegistry::CreateInstance(classId, &created), S_OK);
    ObjectRef application = ObjectRef::Adopt(created);
    EXPECT_NE(dynamic_cast<CXlsApplicationObject*>(created), nullptr);
    // Each start is a server of its own: no workbook carries over.
    ObjectRef other = ObjectRef::Adopt(CXlsApplicationServer::CreateInstance());
    ObjectRef workbooks = GetObject(application.Get(), u"Workbooks");
    ASSERT_EQ(Call(workbooks.Get(), u"Add", DISPATCH_METHOD).status, S_OK);
    EXPECT_EQ(CountOf(GetObject(other.Get(), u"Workbooks").Get()), 0);
    CServerRegistry::Uninitialize();
}

TEST(XlsServerNames, MembersAndNamedArgumentsMatchIgnoringCase) {
    ObjectRef application = ObjectRef::Adopt(CXlsApplicationServer::CreateInstance());
    ObjectRef workbooks = GetObject(application.Get(), u"WORKBOOKS");
    CallResult added =
        Call(workbooks.Get(), u"add", DISPATCH_METHOD, {}, {{u"TEMPLATE", CVariant::Short(-4167)}});
    ASSERT_EQ(added.status, S_OK);
    ObjectRef workbook = added.Object();
    ObjectRef sheet = GetObject(workbook.Get(), u"worksheets", {CVariant::Short(1)});
    ObjectRef cell = GetObject(sheet.Get(), u"cElLs", {CVariant::Double(1), CVariant::Double(1)});
    EXPECT_EQ(Put(cell.Get(), u"vAlUe", CVariant::Double(5)).status, S_OK);
    CallResult value = Get(cell.Get(), u"VALUE");
    EXPECT_EQ(value.value.GetDouble(), 5.0);
}

TEST(XlsServerNames, UnknownMembersAndPutsOnReadOnlyMembersAreRefused) {
    ServerFixture server = StartWithWorkbook();
    EXPECT_EQ(Get(server.sheet.Get(), u"NoSuchMember").status, DISP_E_UNKNOWNNAME);
    EXPECT_EQ(Call(server.sheet.Get(), u"Cells", DISPATCH_PROPERTYGET, {},
                   {{u"NoSuchArgument", CVariant::Long(1)}})
                  .status,
              DISP_E_UNKNOWNNAME);
    EXPECT_EQ(Put(server.workbook.Get(), u"Worksheets", CVariant::Long(1)).status,
              DISP_E_MEMBERNOTFOUND);
    // A text where a number is needed points the argument index at it.
    CallResult bad = Get(server.sheet.Get(), u"Cells", {CVariant::Text(u"x"), CVariant::Long(1)});
    EXPECT_EQ(bad.status, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(bad.argError, 1u) << "the first parameter sits last in the argument array";
}

TEST(XlsServerApplication, VisibleAndDisplayAlertsAreKept) {
    ObjectRef application = ObjectRef::Adopt(CXlsApplicationServer::CreateInstance());
    EXPECT_EQ(Get(application.Get(), u"Visible").value.GetBoolWord(), VARIANT_FALSE);
    ASSERT_EQ(Put(application.Get(), u"Visible", CVariant::Bool(true)).status, S_OK);
    EXPECT_EQ(Get(application.Get(), u"Visible").value.GetBoolWord(), VARIANT_TRUE);
    ASSERT_EQ(Put(application.Get(), u"DisplayAlerts", CVariant::Bool(false)).status, S_OK);
    EXPECT_EQ(Get(application.Get(), u"DisplayAlerts").value.GetBoolWord(), VARIANT_FALSE);
}

TEST(XlsServerApplication, ActiveCellIsTheFirstCellOfTheActiveSheetsSelection) {
    ServerFixture server = StartWithWorkbook();
    CallResult active = Get(server.application.Get(), u"ActiveCell");
    ASSERT_EQ(active.status, S_OK);
    EXPECT_EQ(Get(active.Object().Get(), u"Address").value.GetText(), u"$A$1");

    ObjectRef cell = CellAt(server.sheet.Get(), 7, 3);
    ASSERT_EQ(Get(cell.Get(), u"Select").status, S_OK);
    ObjectRef activeCell = GetObject(server.application.Get(), u"ActiveCell");
    EXPECT_EQ(Get(activeCell.Get(), u"Address").value.GetText(), u"$C$7");

    ObjectRef range =
        GetObject(server.sheet.Get(), u"Range", {CVariant::Text(u"E5"), CVariant::Text(u"B2")});
    ASSERT_EQ(Call(range.Get(), u"Select", DISPATCH_METHOD).status, S_OK);
    activeCell = GetObject(server.application.Get(), u"ActiveCell");
    EXPECT_EQ(Get(activeCell.Get(), u"Address").value.GetText(), u"$B$2");
}

TEST(XlsServerApplication, WithoutAWorkbookThereIsNoActiveCell) {
    ObjectRef application = ObjectRef::Adopt(CXlsApplicationServer::CreateInstance());
    CallResult active = Get(application.Get(), u"ActiveCell");
    EXPECT_EQ(active.status, DISP_E_EXCEPTION);
    EXPECT_EQ(active.exception.code, 1004);
    CallResult book = Get(application.Get(), u"ActiveWorkbook");
    EXPECT_EQ(book.status, S_OK);
    EXPECT_EQ(book.value.Type(), VT_DISPATCH);
    EXPECT_EQ(book.value.GetObject(), nullptr) << "Nothing";
}

TEST(XlsServerApplication, QuitClosesTheWorkbooksButHeldObjectsStayUsable) {
    ServerFixture server = StartWithWorkbook();
    ObjectRef cell = CellAt(server.sheet.Get(), 1, 1);
    ASSERT_EQ(Call(server.application.Get(), u"Quit", DISPATCH_METHOD).status, S_OK);
    EXPECT_EQ(CountOf(GetObject(server.application.Get(), u"Workbooks").Get()), 0);
    // The wrapper releases what it holds after Quit; until then nothing
    // it holds may point into freed memory.
    server.application.Reset();
    EXPECT_EQ(Put(cell.Get(), u"Value", CVariant::Double(1)).status, S_OK);
    EXPECT_EQ(Get(server.sheet.Get(), u"Name").value.GetText(), u"Sheet1");
}

TEST(XlsServerWorkbooks, TemplateWorksheetGivesOneSheetAndNoTemplateThree) {
    ServerFixture server = StartWithWorkbook();
    const CXlsWorkbook& one = BookOf(server.workbook);
    ASSERT_EQ(one.SheetCount(), 1u);
    EXPECT_EQ(one.Sheet(0)->Name(), u"Sheet1");

    ObjectRef workbooks = GetObject(server.application.Get(), u"Workbooks");
    CallResult plain = Call(workbooks.Get(), u"Add", DISPATCH_METHOD);
    ASSERT_EQ(plain.status, S_OK);
    ObjectRef three = plain.Object();
    EXPECT_EQ(CountOf(GetObject(three.Get(), u"Worksheets").Get()), 3);
    EXPECT_EQ(CountOf(workbooks.Get()), 2);
    // The new workbook is the active one.
    ObjectRef active = GetObject(server.application.Get(), u"ActiveWorkbook");
    EXPECT_EQ(&BookOf(active), &BookOf(three));
    ObjectRef first = GetObject(workbooks.Get(), u"Item", {CVariant::Long(1)});
    EXPECT_EQ(&BookOf(first), &BookOf(server.workbook));
    EXPECT_EQ(Get(workbooks.Get(), u"Item", {CVariant::Long(3)}).status, DISP_E_BADINDEX);
}

TEST(XlsServerWorkbooks, TemplateFilesAndOtherKindsAreRefused) {
    ObjectRef application = ObjectRef::Adopt(CXlsApplicationServer::CreateInstance());
    ObjectRef workbooks = GetObject(application.Get(), u"Workbooks");
    for (const CVariant& templ : {CVariant::Text(u"/tmp/book.xlt"), CVariant::Short(-4109)}) {
        CallResult added =
            Call(workbooks.Get(), u"Add", DISPATCH_METHOD, {}, {{u"Template", templ}});
        EXPECT_EQ(added.status, DISP_E_EXCEPTION);
        EXPECT_EQ(added.exception.code, 1004);
    }
    EXPECT_EQ(CountOf(workbooks.Get()), 0);
}
