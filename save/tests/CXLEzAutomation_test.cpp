#include "save/CXLEzAutomation.h"

#include <gtest/gtest.h>

#include "platform/ScopedMessageCapture.h"
#include "platform/automation/CServerRegistry.h"
#include "save/tests/support/RecordingSession.h"

namespace {

TEST(CXLEzAutomation, ForwardsWithWholeNumbersAsDoubles) {
    RecordingSession session;
    {
        CXLEzAutomation facade(false, kRecordingProgramId);
        ASSERT_TRUE(facade.NewWorkbook());
        ASSERT_TRUE(facade.SelectWorksheetFromEnd(1));
        session.server->ClearCalls();
        EXPECT_TRUE(facade.WriteText(3, 2, u"x"));
        EXPECT_TRUE(facade.SetCellFill(4, 5, 6, 1));
        EXPECT_TRUE(facade.SetColumnWidth(2, 8.43));
        const auto& calls = session.server->Calls();
        ASSERT_EQ(calls.size(), 9u);
        EXPECT_EQ(calls[0], "Worksheet[1].Cells get(r8:2, r8:3)");
        EXPECT_EQ(calls[2], "Worksheet[1].Cells get(r8:4, r8:5)");
        EXPECT_EQ(calls[7], "Worksheet[1].Cells get(r8:2)");
        EXPECT_EQ(calls[8], "Range[R1C2].ColumnWidth put(r8:8.43)");
    }
    EXPECT_EQ(session.server->LiveObjects(), 0);
}

TEST(CXLEzAutomation, SaveAsPassesNoPasswordsAndNoFlags) {
    RecordingSession session;
    CXLEzAutomation facade(false, kRecordingProgramId);
    ASSERT_TRUE(facade.NewWorkbook());
    session.server->ClearCalls();
    EXPECT_TRUE(facade.SaveWorkbookAs(u"/tmp/a.xls"));
    EXPECT_EQ(session.server->Calls(),
              std::vector<std::string>{
                  "Workbook.SaveAs method(CreateBackup=false, ReadOnlyRecommended=false, "
                  "WriteResPassword='', Password='', FileName='/tmp/a.xls')"});
}

// The calls a save makes for a two-sheet workbook, end to end: every object
// obtained is released and the registry is left as it was found.
TEST(CXLEzAutomation, ASaveSessionBalancesItsReferences) {
    RecordingSession session;
    ScopedMessageCapture messages;
    {
        CXLEzAutomation facade(false, kRecordingProgramId);
        ASSERT_TRUE(facade.NewWorkbook());
        ASSERT_TRUE(facade.SelectWorksheetFromEnd(1));
        ASSERT_TRUE(facade.RenameActiveWorksheet(u"First"));
        ASSERT_EQ(facade.AppendWorksheet(), 2);
        ASSERT_TRUE(facade.SelectWorksheetFromEnd(1));
        ASSERT_TRUE(facade.RenameActiveWorksheet(u"Second"));
        ASSERT_TRUE(facade.SelectWorksheetFromEnd(2));
        EXPECT_TRUE(facade.SetColumnWidth(1, 10));
        EXPECT_TRUE(facade.SetRowHeight(1, 20));
        EXPECT_TRUE(facade.WriteNumber(1, 1, 42, u"General"));
        EXPECT_TRUE(facade.WriteFormula(2, 1, u"=A1*2", u"General"));
        EXPECT_TRUE(facade.WriteFilledFormula(2, 1, u"=A1*2", 2, 1, 2, 5));
        EXPECT_TRUE(facade.WriteFormulaArray(3, 1, u"=A1:A2"));
        EXPECT_TRUE(facade.SetRangeFont(1, 1, 1, 1, u"Arial", true, true, false, 3));
        EXPECT_TRUE(facade.SetRangeFontSize(1, 1, 1, 1, 11));
        EXPECT_TRUE(facade.SetRangeBorder(1, 1, 1, 1, 13, 1, 8));
        EXPECT_TRUE(facade.SetRowFill(2, 4, 1));
        EXPECT_TRUE(facade.SetColumnFill(2, 4, 1));
        EXPECT_TRUE(facade.ApplyNumberFormat(1, 1, u"0.0"));
        EXPECT_TRUE(facade.MergeRange(1, 3, 2, 4));
        EXPECT_TRUE(facade.SelectCell(1, 1));
        IDispatch* range = facade.SelectRange(1, 1, 2, 2);
        ASSERT_NE(range, nullptr);
        range->Release();
        EXPECT_TRUE(facade.SelectWorksheetFromEnd(facade.WorksheetCount()));
        EXPECT_TRUE(facade.SaveWorkbookAs(u"/tmp/b.xls"));
        EXPECT_TRUE(facade.QuitServer());
        EXPECT_EQ(session.server->LiveObjects(), 0);
        EXPECT_TRUE(facade.Automation().GetFailureReport().empty());
    }
    EXPECT_EQ(messages.Count(), 0u);
    EXPECT_FALSE(CServerRegistry::IsInitialized());
}

TEST(CXLEzAutomation, WithoutAServerEverySaveStepFails) {
    CScopedServerRegistration hidden(CXLAutomation::kExcelProgramId);
    ScopedMessageCapture messages;
    CXLEzAutomation facade(false);
    EXPECT_FALSE(facade.NewWorkbook());
    EXPECT_FALSE(facade.SelectWorksheetFromEnd(1));
    EXPECT_FALSE(facade.RenameActiveWorksheet(u"Unnamed1"));
    EXPECT_FALSE(facade.WriteText(1, 1, u"x"));
    EXPECT_FALSE(facade.SaveWorkbookAs(u"/tmp/c.xls"));
    EXPECT_TRUE(facade.QuitServer());
    EXPECT_EQ(messages.Texts(), std::vector<std::u16string>{u"Cannot obtain CLSID from ProgID"});
}

}  // namespace
