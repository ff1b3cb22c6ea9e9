// The names phase against the recording server: which Names.Add calls a
// model's NAME records become (workbook or sheet, built-in texts, hidden,
// function and command names, names without a formula), the retry of names
// refused because they use a name added later, and what is counted as not
// added and why.
#include "save/CSaveNamesPhase.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "formula/tests/support/TokenStream.h"
#include "model/CExcelWorkBook.h"
#include "save/CXLEzAutomation.h"
#include "save/tests/support/RecordingSession.h"

using namespace testsupport;

namespace {

// Sheets Data and Plan; REF 0 Data, 1 Plan, 2 this workbook as a whole (no
// sheet a cell reference can name).
void BuildBook(CExcelWorkBook& book) {
    AddSheet(book, u"Data");
    AddSheet(book, u"Plan");
    AddSupBook(book, SelfSupBook(2));
    AddExternSheet(book, {{0, 0, 0}, {0, 1, 1}, {0, 0xFFFE, 0xFFFE}});
    AddName(book, u"Total", 0, false,
            TokensOf(TokenStream().Area3d(0x3B, 0, 0, 8, Abs(0), Abs(0))));
    AddName(book, u"Double", 0, false, TokensOf(TokenStream().Name(0x43, 3).Int(2).Op(0x05)));
    AddName(book, u"Rate", 0, false, TokensOf(TokenStream().Num(0.175)));
    AddName(book, u"\x06", 2, true, TokensOf(TokenStream().Area3d(0x3B, 1, 0, 4, Abs(0), Abs(2))));
    AddName(book, u"\x0D", 1, true, TokensOf(TokenStream().Area3d(0x3B, 0, 0, 9, Abs(0), Abs(1))),
            0x0001);
    AddName(book, u"_xlfn.IFERROR", 0, false, {}, 0x000B);
    AddName(book, u"Cmd", 0, false, {}, 0x0004);
    AddName(book, u"Gone", 0, false, TokensOf(TokenStream().Byte(0x3C).U16(2).U16(0).U16(0)));
    AddName(book, u"Broken", 0, false, TokensOf(TokenStream().Ref3d(0x3A, 2, 0, Abs(0))));
    AddName(book, u"Far", 9, false, TokensOf(TokenStream().Int(1)));
    AddName(book, u"Never", 1, false, TokensOf(TokenStream().Int(1)));
    AddName(book, u"\x20", 0, true, TokensOf(TokenStream().Int(1)));
}

}  // namespace

TEST(SaveNamesPhase, AddsEveryNameItCanRetryingThoseThatUseLaterNames) {
    RecordingSession session;
    session.server->m_worksheetCount = 2;
    // The server refuses a formula that uses a name it does not have yet,
    // and refuses "Never" always.
    auto rateAdded = std::make_shared<bool>(false);
    session.server->m_refuse = [rateAdded](const std::string& line) {
        if (line.find("Name='Rate'") != std::string::npos) *rateAdded = true;
        return line.find("Name='Never'") != std::string::npos ||
               (line.find("'=Rate*2'") != std::string::npos && !*rateAdded);
    };
    CXLEzAutomation automation(false, kRecordingProgramId);
    ASSERT_TRUE(automation.NewWorkbook());
    CExcelWorkBook book;
    BuildBook(book);
    session.server->ClearCalls();

    CSaveNamesPhase phase;
    EXPECT_TRUE(phase.Write(automation, book, 1));
    std::vector<std::string> adds;
    for (const std::string& call : session.server->Calls()) {
        if (call.find(".Add ") != std::string::npos) adds.push_back(call);
    }
    const std::string kAdd = "Names.Add method(";
    const std::string kSheet1 = "Names[1].Add method(";
    const std::string kSheet2 = "Names[2].Add method(";
    EXPECT_EQ(adds, (std::vector<std::string>{
                        kAdd + "Visible=true, RefersTo='=Data!$A$1:$A$9', Name='Total')",
                        kAdd + "Visible=true, RefersTo='=Rate*2', Name='Double')",
                        kAdd + "Visible=true, RefersTo='=0.175', Name='Rate')",
                        kSheet2 + "Visible=true, RefersTo='=Plan!$A$1:$C$5', "
                                  "Name='Print_Area')",
                        kSheet1 + "Visible=false, RefersTo='=Data!$A$1:$B$10', "
                                  "Name='_FilterDatabase')",
                        kAdd + "MacroType=i2:1, Visible=false, Name='_xlfn.IFERROR')",
                        kAdd + "MacroType=i2:2, Visible=true, Name='Cmd')",
                        kAdd + "Visible=true, RefersTo='=#REF!', Name='Gone')",
                        kSheet1 + "Visible=true, RefersTo='=1', Name='Never')",
                        // The second pass adds Double; the third adds nothing.
                        kAdd + "Visible=true, RefersTo='=Rate*2', Name='Double')",
                        kSheet1 + "Visible=true, RefersTo='=1', Name='Never')",
                        kSheet1 + "Visible=true, RefersTo='=1', Name='Never')",
                    }));
    EXPECT_EQ(phase.GetAddedCount(), 8u);
    std::vector<std::u16string> failures;
    for (const CSaveNamesPhase::Failure& failure : phase.GetFailures())
        failures.push_back(failure.name + u": " + failure.reason);
    EXPECT_EQ(failures, (std::vector<std::u16string>{
                            u"Broken: formula not decoded (unresolved sheet)",
                            u"Far: its sheet is not in the workbook",
                            u"\x20: no name text",
                            u"Data!Never: refused: Add: Error 1004: Recorded refusal.",
                        }));
}
