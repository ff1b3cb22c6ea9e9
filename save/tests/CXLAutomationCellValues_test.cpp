// The facade's Boolean, error and date-system operations and its fill from
// a range as it stands: which calls they make, what the values travel as,
// and that codes the server has no error value for make no call.
#include <gtest/gtest.h>

#include "save/CXLEzAutomation.h"
#include "save/tests/support/RecordingSession.h"

namespace {

const std::string kSheet = "Worksheet[1]";

TEST(CXLAutomationCellValues, WriteBooleanPutsABooleanValue) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.WriteBoolean(3, 2, true); };
    check.expected = {
        {kSheet + ".Cells get(r8:2, r8:3)", 2},
        {"Range[R2C3].Value put(true)", 0},
    };
    CheckOperation(check);
}

TEST(CXLAutomationCellValues, WriteErrorPutsTheCellErrorValue) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.WriteError(1, 4, 0x07); };
    check.expected = {
        {kSheet + ".Cells get(r8:4, r8:1)", 2},
        {"Range[R4C1].Value put(err:7)", 0},
    };
    CheckOperation(check);
}

TEST(CXLAutomationCellValues, ErrorCodesOutsideTheSevenMakeNoCall) {
    RecordingSession session;
    CXLAutomation automation(false, kRecordingProgramId);
    PrepareSheet(automation);
    session.server->ClearCalls();
    for (const std::uint8_t code : {0x01, 0x2B, 0xFF}) {
        EXPECT_FALSE(automation.WriteError(1, 1, code)) << int(code);
    }
    EXPECT_TRUE(session.server->Calls().empty());
    EXPECT_TRUE(automation.WriteError(1, 1, 0x2A));
}

TEST(CXLAutomationCellValues, SetDate1904PutsTheWorkbookProperty) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.SetDate1904(true); };
    check.expected = {{"Workbook.Date1904 put(true)", 0}};
    CheckOperation(check);
}

TEST(CXLAutomationCellValues, WithoutAWorkbookNothingIsCalled) {
    RecordingSession session;
    CXLEzAutomation facade(false, kRecordingProgramId);
    session.server->ClearCalls();
    EXPECT_FALSE(facade.WriteBoolean(1, 1, false));
    EXPECT_FALSE(facade.WriteError(1, 1, 0));
    EXPECT_FALSE(facade.SetDate1904(true));
    EXPECT_TRUE(session.server->Calls().empty());
}

TEST(CXLAutomationCellValues, AutoFillRangeFillsFromTheSourceWithoutWritingIt) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.AutoFillRange(1, 1, 1, 3, 1, 1, 4, 3); };
    check.expected =
        Then(Then(SelectRangeCalls(kSheet, 1, 1, 4, 3), SelectRangeCalls(kSheet, 1, 1, 1, 3)),
             {{"Range[R1C1:R3C1].AutoFill get(Type=i2:0, "
               "Destination=<Range[R1C1:R3C4]>)",
               2}});
    CheckOperation(check);
}

}  // namespace
