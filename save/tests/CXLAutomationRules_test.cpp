#include <gtest/gtest.h>

#include "platform/ScopedMessageCapture.h"
#include "platform/automation/CServerRegistry.h"
#include "save/CXLAutomation.h"
#include "save/tests/support/RecordingSession.h"

namespace {

class CXLAutomationRules : public ::testing::Test {
protected:
    void SetUp() override {
        m_automation = std::make_unique<CXLAutomation>(false, kRecordingProgramId);
        PrepareSheet(*m_automation);
        m_session.server->ClearCalls();
    }
    const std::vector<std::string>& Calls() const { return m_session.server->Calls(); }

    RecordingSession m_session;
    std::unique_ptr<CXLAutomation> m_automation;
};

// --- Bounds and empty texts --------------------------------------------------

TEST_F(CXLAutomationRules, SelectWorksheetFromEndOutsideTheCountMakesNoCallAfterIt) {
    m_session.server->m_worksheetCount = 3;
    for (std::int32_t index : {0, -1, 4}) {
        m_session.server->ClearCalls();
        EXPECT_FALSE(m_automation->SelectWorksheetFromEnd(index)) << index;
        EXPECT_EQ(Calls(), (std::vector<std::string>{"Workbook.Worksheets get()",
                                                     "Worksheets.Count get()"}));
    }
}

TEST_F(CXLAutomationRules, EmptyTextsMakeNoCall) {
    EXPECT_FALSE(m_automation->WriteText(1, 1, u""));
    EXPECT_FALSE(m_automation->WriteFormula(1, 1, u"", u"General"));
    EXPECT_FALSE(m_automation->WriteFilledFormula(1, 1, u"", 1, 1, 1, 3));
    EXPECT_FALSE(m_automation->WriteFormulaArray(1, 1, u""));
    EXPECT_TRUE(Calls().empty());
}

TEST_F(CXLAutomationRules, SelectCellBelowOneMakesNoCall) {
    EXPECT_FALSE(m_automation->SelectCell(0, 1));
    EXPECT_FALSE(m_automation->SelectCell(1, 0));
    EXPECT_TRUE(Calls().empty());
}

TEST_F(CXLAutomationRules, ACountThatIsNotA32BitIntegerIsMinusOne) {
    m_session.server->m_countAsDouble = true;
    EXPECT_EQ(m_automation->WorksheetCount(), -1);
    EXPECT_FALSE(m_automation->SelectWorksheetFromEnd(1));
    EXPECT_EQ(Calls().size(), 4u);  // two counts, nothing selected
}

TEST(CXLAutomationWithoutWorkbook, CellOperationsNeedTheFirstWorksheet) {
    RecordingSession session;
    CXLAutomation automation(false, kRecordingProgramId);
    session.server->ClearCalls();
    EXPECT_FALSE(automation.SelectCell(1, 1));
    EXPECT_EQ(automation.SelectRange(1, 1, 2, 2), nullptr);
    EXPECT_FALSE(automation.WriteText(1, 1, u"x"));
    EXPECT_FALSE(automation.WriteNumber(1, 1, 2, u"0"));
    EXPECT_FALSE(automation.WriteFormula(1, 1, u"=1", u"0"));
    EXPECT_FALSE(automation.WriteFilledFormula(1, 1, u"=1", 1, 1, 1, 2));
    EXPECT_FALSE(automation.WriteFormulaArray(1, 1, u"=1"));
    EXPECT_FALSE(automation.SaveWorkbookAs(u"x.xls", u"", u"", false, false));
    EXPECT_EQ(automation.WorksheetCount(), -1);
    EXPECT_TRUE(session.server->Calls().empty());
}

TEST(CXLAutomationWithoutWorkbook, AppendedFirstSheetIsActiveButNotTheFirstWorksheet) {
    RecordingSession session;
    CXLAutomation automation(false, kRecordingProgramId);
    ASSERT_EQ(automation.AppendWorksheet(), 1);
    session.server->ClearCalls();
    EXPECT_TRUE(automation.RenameActiveWorksheet(u"Only"));
    EXPECT_FALSE(automation.SelectCell(1, 1));
    EXPECT_EQ(session.server->Calls(), std::vector<std::string>{"Worksheet[1].Name put('Only')"});
}

// --- What travels on the wire ----------------------------------------------------

TEST_F(CXLAutomationRules, MemberAndNamedArgumentsAreLookedUpInOneCall) {
    m_automation->WriteFilledFormula(1, 1, u"=B1", 1, 1, 1, 2);
    m_automation->SaveWorkbookAs(u"f.xls", u"", u"", false, false);
    m_automation->WriteNumber(1, 1, 3, u"0");
    const auto& lookups = m_session.server->Lookups();
    auto has = [&](const std::string& names) {
        return std::find(lookups.begin(), lookups.end(), names) != lookups.end();
    };
    EXPECT_TRUE(has("AutoFill,Type,Destination"));
    EXPECT_TRUE(has("SaveAs,CreateBackup,ReadOnlyRecommended,WriteResPassword,Password,FileName"));
    // A put names no argument: its value travels as the property-put id.
    EXPECT_TRUE(has("Value"));
    for (const std::string& names : lookups) {
        EXPECT_EQ(names.find("locale"), std::string::npos) << names;  // always 0x0800
    }
}

TEST_F(CXLAutomationRules, BooleansTravelWithTrueAsAllBitsSet) {
    m_automation->SetRangeFont(1, 1, 1, 1, u"Arial", true, false, true, 1);
    m_automation->MergeRange(1, 1, 2, 2);
    const auto& words = m_session.server->BoolWords();
    // Bold, Italic, Underline, MergeCells.
    EXPECT_EQ(words, (std::vector<std::int16_t>{-1, 0, -1, -1}));
}

// --- Failure reports -------------------------------------------------------------

TEST_F(CXLAutomationRules, AFailedLookupIsReportedUnlessTheCallIsQuiet) {
    m_session.server->m_failLookupOf = "Value";
    EXPECT_FALSE(m_automation->WriteNumber(1, 1, 3, u"0"));
    EXPECT_EQ(m_automation->GetFailureReport(), u"Value: Unknown name or named argument.");
    // Select is called with flags 2: no report.
    CXLAutomation quiet(false, kRecordingProgramId);
    PrepareSheet(quiet);
    m_session.server->m_failLookupOf = "Select";
    EXPECT_FALSE(quiet.SelectCell(1, 1));
    EXPECT_TRUE(quiet.GetFailureReport().empty());
}

TEST_F(CXLAutomationRules, ResetAfterCallReleasesAPushedObject) {
    // The argument list owns what was pushed; flag 2 drops it after the
    // call, flag 0 keeps it until the next reset.
    const int live = m_session.server->LiveObjects();
    IDispatch* range = m_automation->SelectRange(1, 1, 2, 2);
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(m_session.server->LiveObjects(), live + 1);
    ASSERT_TRUE(m_automation->PushDispatch(u"", 0, range));
    m_automation->ResetArguments();
    EXPECT_EQ(m_session.server->LiveObjects(), live);
}

// --- Start-up --------------------------------------------------------------------

TEST(CXLAutomationStartUp, NoServerUnderTheProgramIdShowsOneMessageThenAllFailQuietly) {
    CScopedServerRegistration hidden(CXLAutomation::kExcelProgramId);
    ScopedMessageCapture messages;
    {
        CXLAutomation automation(false);
        EXPECT_EQ(messages.Texts(),
                  std::vector<std::u16string>{u"Cannot obtain CLSID from ProgID"});
        EXPECT_FALSE(automation.NewWorkbook());
        EXPECT_EQ(automation.AppendWorksheet(), -1);
        EXPECT_FALSE(automation.SelectWorksheetFromEnd(1));
        EXPECT_FALSE(automation.RenameActiveWorksheet(u"Sheet1"));
        EXPECT_FALSE(automation.WriteNumber(1, 1, 1, u"General"));
        EXPECT_FALSE(automation.SetRangeBorder(1, 1, 1, 1, 13, 1, 1));
        EXPECT_FALSE(automation.SetColumnWidth(1, 10));
        EXPECT_FALSE(automation.SetRowFill(1, 1, 1));
        EXPECT_FALSE(automation.SaveWorkbookAs(u"x.xls", u"", u"", false, false));
        EXPECT_FALSE(automation.LaunchServer());
        EXPECT_TRUE(automation.QuitServer());
        EXPECT_TRUE(automation.GetFailureReport().empty());
    }
    // LaunchServer above tried again and said so once more; nothing else.
    EXPECT_EQ(messages.Count(), 2u);
    EXPECT_FALSE(CServerRegistry::IsInitialized());
}

TEST(CXLAutomationStartUp, AServerThatCannotBeCreated) {
    CScopedServerRegistration broken(CXLAutomation::kExcelProgramId, RecordingClassId(),
                                     []() -> IDispatch* { return nullptr; });
    ScopedMessageCapture messages;
    CXLAutomation automation(true);
    EXPECT_EQ(messages.Texts(),
              std::vector<std::u16string>{u"Cannot start an instance of Excel for Automation."});
    EXPECT_FALSE(automation.NewWorkbook());
}

TEST(CXLAutomationStartUp, AWrongRuntimeVersionSkipsInitialisation) {
    RecordingSession session;
    ScopedMessageCapture messages;
    CServerRegistry::SimulateStartUpFailure(22, S_OK);
    {
        CXLAutomation automation(false, kRecordingProgramId);
        EXPECT_FALSE(automation.NewWorkbook());
    }
    CServerRegistry::SimulateStartUpFailure(CServerRegistry::kBuildVersion, S_OK);
    // The launch still runs, and without initialisation the lookup fails.
    EXPECT_EQ(messages.Texts(), (std::vector<std::u16string>{u"Incorrect version of OLE libraries.",
                                                             u"Cannot obtain CLSID from ProgID"}));
    EXPECT_EQ(session.server->LiveObjects(), 0);
}

TEST(CXLAutomationStartUp, AFailedInitialisation) {
    RecordingSession session;
    ScopedMessageCapture messages;
    CServerRegistry::SimulateStartUpFailure(CServerRegistry::kBuildVersion, E_OUTOFMEMORY);
    { CXLAutomation automation(false, kRecordingProgramId); }
    CServerRegistry::SimulateStartUpFailure(CServerRegistry::kBuildVersion, S_OK);
    EXPECT_EQ(messages.Texts(), (std::vector<std::u16string>{u"Cannot initialize OLE.",
                                                             u"Cannot obtain CLSID from ProgID"}));
}

TEST(CXLAutomationStartUp, ASuccessfulStartSetsVisibilityAndBalancesEverything) {
    RecordingSession session;
    ScopedMessageCapture messages;
    {
        CXLAutomation automation(true, kRecordingProgramId);
        EXPECT_TRUE(CServerRegistry::IsInitialized());
        EXPECT_EQ(session.server->Calls(),
                  std::vector<std::string>{"Application.Visible put(true)"});
        EXPECT_EQ(session.server->LiveObjects(), 1);
        PrepareSheet(automation);
        EXPECT_EQ(automation.AppendWorksheet(), 2);
    }
    EXPECT_EQ(messages.Count(), 0u);
    EXPECT_EQ(session.server->LiveObjects(), 0);
    EXPECT_FALSE(CServerRegistry::IsInitialized());
}

}  // namespace
