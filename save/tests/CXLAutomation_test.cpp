#include "save/CXLAutomation.h"

#include <gtest/gtest.h>

#include "save/tests/support/RecordingSession.h"

namespace {

const std::string kSheet = "Worksheet[1]";

// --- Workbook and worksheets ------------------------------------------------

TEST(CXLAutomationCalls, NewWorkbook) {
    OperationCheck check;
    check.prepare = [](CXLAutomation&) {};
    check.op = [](CXLAutomation& a) { return a.NewWorkbook(); };
    check.objectsKept = 2;  // the workbook and its first worksheet
    check.expected = {
        {"Application.Workbooks get()", 0},
        {"Workbooks.Add method(Template=i2:-4167)", 0},
        {"Workbook.Worksheets get(i2:1)", 0},
    };
    CheckOperation(check);
}

TEST(CXLAutomationCalls, WorksheetCount) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.WorksheetCount() == 1; };
    check.expected = {{"Workbook.Worksheets get()", 0}, {"Worksheets.Count get()", 0}};
    CheckOperation(check);
}

TEST(CXLAutomationCalls, SelectWorksheetFromEndCountsFromTheLastSheet) {
    OperationCheck check;
    check.worksheetCount = 3;
    check.op = [](CXLAutomation& a) { return a.SelectWorksheetFromEnd(1); };
    check.expected = {
        {"Workbook.Worksheets get()", 0},
        {"Worksheets.Count get()", 0},
        {"Workbook.Worksheets get(i2:3)", 2},
        {"Worksheet[3].Select get()", 2},
    };
    CheckOperation(check);
    check.op = [](CXLAutomation& a) { return a.SelectWorksheetFromEnd(3); };
    check.expected[2].line = "Workbook.Worksheets get(i2:1)";
    check.expected[3].line = "Worksheet[1].Select get()";
    CheckOperation(check);
}

TEST(CXLAutomationCalls, AppendWorksheetToAWorkbook) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.AppendWorksheet() == 2; };
    check.expected = {
        {"Application.Workbooks get()", 0},
        {"Workbook.Worksheets get()", 0},
        {"Worksheets.Count get()", 0},
        {"Workbook.Worksheets get(i2:1)", 2},
        {"Worksheet[1].Select get()", 2},
        {"Workbook.Sheets get()", 2},
        {"Sheets.Add get()", 0},
        {"Workbook.Worksheets get()", 0},
        {"Worksheets.Count get()", 0},
        {"Workbook.Worksheets get(i2:2)", 2},
        {"Worksheet[2].Select get()", 2},
        {"Worksheet[new].Move get(After=<Worksheet[1]>)", 0},
    };
    CheckOperation(check);
}

TEST(CXLAutomationCalls, AppendWorksheetWithoutAWorkbookStartsOne) {
    OperationCheck check;
    check.prepare = [](CXLAutomation&) {};
    check.op = [](CXLAutomation& a) { return a.AppendWorksheet() == 1; };
    check.objectsKept = 2;  // the workbook and the active worksheet
    check.expected = {
        {"Application.Workbooks get()", 0},   {"Workbooks.Add method(Template=i2:-4167)", 0},
        {"Workbook.Worksheets get(i2:1)", 0}, {"Workbook.Worksheets get()", 0},
        {"Worksheets.Count get()", 0},
    };
    CheckOperation(check);
}

TEST(CXLAutomationCalls, RenameActiveWorksheet) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.RenameActiveWorksheet(u"Data 2"); };
    check.expected = {{kSheet + ".Name put('Data 2')", 0}};
    CheckOperation(check);
}

// --- Cells and ranges -----------------------------------------------------------

TEST(CXLAutomationCalls, SelectCellPassesTheRowThenTheColumn) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.SelectCell(3, 2); };
    check.expected = {{kSheet + ".Cells get(r8:2, r8:3)", 2}, {"Range[R2C3].Select get()", 2}};
    CheckOperation(check);
}

TEST(CXLAutomationCalls, SelectRangeSelectsBothCornersAndJoinsTheirAddresses) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) {
        IDispatch* range = a.SelectRange(2, 3, 4, 5);
        if (range != nullptr) range->Release();
        return range != nullptr;
    };
    check.expected = SelectRangeCalls(kSheet, 2, 3, 4, 5);
    CheckOperation(check);
}

// The text goes in as the Value alone: the cell's XF sets its number
// format, so that a text cell is "@" only where the source said so.
TEST(CXLAutomationCalls, WriteTextFormatsAsTextFirst) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.WriteText(3, 2, u"it's"); };
    check.expected = {
        {kSheet + ".Cells get(r8:2, r8:3)", 2},
        {"Range[R2C3].Value put('it's')", 0},
    };
    CheckOperation(check);
}

TEST(CXLAutomationCalls, WriteNumber) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.WriteNumber(1, 7, 1.25, u"0.00"); };
    check.expected = {
        {kSheet + ".Cells get(r8:7, r8:1)", 2},
        {"Range[R7C1].Value put(r8:1.25)", 0},
        {kSheet + ".Cells get(r8:7, r8:1)", 2},
        {"Range[R7C1].NumberFormat put('0.00')", 0},
    };
    CheckOperation(check);
}

TEST(CXLAutomationCalls, ApplyNumberFormat) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.ApplyNumberFormat(2, 2, u"General"); };
    check.expected = {
        {kSheet + ".Cells get(r8:2, r8:2)", 2},
        {"Range[R2C2].NumberFormat put('General')", 0},
    };
    CheckOperation(check);
}

TEST(CXLAutomationCalls, WriteFormulaStandsEvenWhenItsFormatFails) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.WriteFormula(3, 2, u"=A1+1", u"0%"); };
    check.expected = {
        {kSheet + ".Cells get(r8:2, r8:3)", 2},
        {"Range[R2C3].Formula put('=A1+1')", 0},
        {kSheet + ".Cells get(r8:2, r8:3)", 2},
        {"Range[R2C3].NumberFormat put('0%')", 0},
    };
    check.failuresThatFail = 2;
    CheckOperation(check);
}

TEST(CXLAutomationCalls, WriteFilledFormulaFillsOverTheSelectedRange) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.WriteFilledFormula(1, 1, u"=B1*2", 1, 1, 1, 4); };
    check.expected =
        Then(SelectRangeCalls(kSheet, 1, 1, 1, 4), {
                                                       {kSheet + ".Cells get(r8:1, r8:1)", 2},
                                                       {"Range[R1C1].Formula put('=B1*2')", 0},
                                                       {"Range[R1C1].AutoFill get(Type=i2:0, "
                                                        "Destination=<Range[R1C1:R4C1]>)",
                                                        2},
                                                   });
    CheckOperation(check);
}

TEST(CXLAutomationCalls, WriteFormulaArray) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.WriteFormulaArray(3, 2, u"=A1:A2*2"); };
    check.expected = {
        {kSheet + ".Cells get(r8:2, r8:3)", 2},
        {"Range[R2C3].FormulaArray put('=A1:A2*2')", 0},
    };
    CheckOperation(check);
}

// --- Formats ------------------------------------------------------------------------

TEST(CXLAutomationCalls, SetRangeFont) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) {
        return a.SetRangeFont(1, 1, 2, 3, u"Arial", true, false, true, 5);
    };
    const std::vector<ExpectedCall> font = {
        {"Range[R1C1:R3C2].Font get()", 2}, {"Font.Name put('Arial')", 2},
        {"Font.Bold put(true)", 2},         {"Font.Italic put(false)", 2},
        {"Font.Underline put(true)", 2},    {"Font.ColorIndex put(i2:5)", 0},
    };
    check.expected = Then(SelectRangeCalls(kSheet, 1, 1, 2, 3), font);
    CheckOperation(check);
}

TEST(CXLAutomationCalls, SetRangeFontSize) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.SetRangeFontSize(2, 2, 2, 2, 14); };
    check.expected = Then(SelectRangeCalls(kSheet, 2, 2, 2, 2),
                          {{"Range[R2C2:R2C2].Font get()", 2}, {"Font.Size put(i2:14)", 0}});
    CheckOperation(check);
}

std::vector<ExpectedCall> InteriorCalls(const std::string& owner) {
    return {
        {owner + ".Interior get()", 2},
        {"Interior.ColorIndex put(i2:6)", 0},
        {"Interior.Pattern put(i2:1)", 0},
        {"Interior.PatternColorIndex put(i2:-4105)", 0},
    };
}

TEST(CXLAutomationCalls, SetCellFillTakesTheRowFirst) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.SetCellFill(2, 3, 6, 1); };
    check.expected = Then({{kSheet + ".Cells get(r8:2, r8:3)", 2}}, InteriorCalls("Range[R2C3]"));
    CheckOperation(check);
}

TEST(CXLAutomationCalls, SetColumnFillAndSetRowFill) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.SetColumnFill(4, 6, 1); };
    check.expected = Then({{kSheet + ".Columns get(r8:4)", 2}}, InteriorCalls("Columns[4]"));
    CheckOperation(check);
    check.op = [](CXLAutomation& a) { return a.SetRowFill(5, 6, 1); };
    check.expected = Then({{kSheet + ".Rows get(r8:5)", 2}}, InteriorCalls("Rows[5]"));
    CheckOperation(check);
}

std::vector<ExpectedCall> BorderCalls(int edge) {
    const std::string border = "Border[" + std::to_string(edge) + "]";
    return {
        {"Range[R1C1:R2C2].Borders get(i2:" + std::to_string(edge) + ")", 2},
        {border + ".LineStyle put(i2:1)", 0},
        {border + ".ColorIndex put(i2:3)", 0},
    };
}

TEST(CXLAutomationCalls, SetRangeBorderOneEdge) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.SetRangeBorder(1, 1, 2, 2, 5, 1, 3); };
    check.expected = Then(SelectRangeCalls(kSheet, 1, 1, 2, 2), BorderCalls(5));
    check.failuresThatFail = 10;  // the range's selection
    CheckOperation(check);
}

TEST(CXLAutomationCalls, SetRangeBorderEdge13SetsTheFourOuterEdgesAndNoEdge13) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.SetRangeBorder(1, 1, 2, 2, 13, 1, 3); };
    check.expected = SelectRangeCalls(kSheet, 1, 1, 2, 2);
    for (int edge : {7, 8, 9, 10}) check.expected = Then(check.expected, BorderCalls(edge));
    check.failuresThatFail = 10;
    check.goesOnAfterFailure = true;
    CheckOperation(check);
}

TEST(CXLAutomationCalls, MergeRange) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.MergeRange(1, 2, 3, 4); };
    check.expected =
        Then(SelectRangeCalls(kSheet, 1, 2, 3, 4), {{"Range[R2C1:R4C3].MergeCells put(true)", 0}});
    CheckOperation(check);
}

TEST(CXLAutomationCalls, SetColumnWidthUsesTheColumnsCellInRowOne) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.SetColumnWidth(3, 12.5); };
    check.expected = {{kSheet + ".Cells get(r8:3)", 2},
                      {"Range[R1C3].ColumnWidth put(r8:12.5)", 0}};
    CheckOperation(check);
}

TEST(CXLAutomationCalls, SetRowHeight) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.SetRowHeight(4, 15); };
    check.expected = {{kSheet + ".Rows get(r8:4)", 2}, {"Rows[4].RowHeight put(r8:15)", 0}};
    CheckOperation(check);
}

TEST(CXLAutomationCalls, SaveWorkbookAsNamesItsArgumentsLastFirst) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) {
        return a.SaveWorkbookAs(u"/tmp/out.xls", u"pw", u"wr", true, false);
    };
    check.expected = {
        {"Workbook.SaveAs method(CreateBackup=false, ReadOnlyRecommended=true, "
         "WriteResPassword='wr', Password='pw', FileName='/tmp/out.xls')",
         2}};
    CheckOperation(check);
}

TEST(CXLAutomationCalls, NamesAreAddedToTheWorkbookOrOneWorksheetLeavingOutWhatTheyLack) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) {
        return a.AddWorkbookName(u"Rates", u"=Data!$A$1:$A$9", false, 1);
    };
    check.expected = {{"Workbook.Names get()", 2},
                      {"Names.Add method(MacroType=i2:1, Visible=false, "
                       "RefersTo='=Data!$A$1:$A$9', Name='Rates')",
                       0}};
    CheckOperation(check);

    check.worksheetCount = 3;
    check.op = [](CXLAutomation& a) { return a.AddWorksheetName(2, u"Macro1", u"", true, 0); };
    check.expected = {{"Workbook.Worksheets get(i2:2)", 2},
                      {"Worksheet[2].Names get()", 2},
                      {"Names[2].Add method(Visible=true, Name='Macro1')", 0}};
    CheckOperation(check);
}

TEST(CXLAutomationCalls, QuitServerQuitsAndLetsGoOfEverything) {
    RecordingSession session;
    {
        CXLAutomation automation(false, kRecordingProgramId);
        PrepareSheet(automation);
        session.server->ClearCalls();
        EXPECT_TRUE(automation.QuitServer());
        EXPECT_EQ(session.server->Calls(), std::vector<std::string>{"Application.Quit method()"});
        EXPECT_EQ(session.server->LiveObjects(), 0);
        // Everything after the quit fails without a call.
        EXPECT_FALSE(automation.WriteText(1, 1, u"late"));
        EXPECT_EQ(automation.WorksheetCount(), -1);
        EXPECT_TRUE(automation.QuitServer());
        EXPECT_EQ(session.server->Calls().size(), 1u);
    }
}

}  // namespace
