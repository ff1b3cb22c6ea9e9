// The hyperlink phase against the recording server: the calls of one
// Hyperlinks.Add (named arguments are recorded last-first, as pushed), and
// which links of a sheet go in with which arguments (the description only
// over the same text, ranges cut at column IV).
#include "save/CSaveHyperlinkWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/CExcelWorkSheet.h"
#include "records/CExcelRecordHLINK.h"
#include "save/CSaveProgress.h"
#include "save/CXLEzAutomation.h"
#include "save/tests/support/RecordingSession.h"

TEST(SaveHyperlinks, AddHyperlinkPassesTheAnchorAndTheTextsItHas) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) {
        return a.AddHyperlink(3, 2, 5, 4, u"", u"S!A1", u"", u"Go");
    };
    check.expected = Then(SelectRangeCalls("Worksheet[1]", 3, 2, 5, 4),
                          {{"Worksheet[1].Hyperlinks get()", 2},
                           {"Hyperlinks.Add method(TextToDisplay='Go', SubAddress='S!A1', "
                            "Address='', Anchor=<Range[R2C3:R4C5]>)",
                            2}});
    CheckOperation(check);
}

TEST(SaveHyperlinks, EachLinkGoesInWithItsDescriptionOnlyOverTheSameText) {
    RecordingSession session;
    session.server->m_cellTexts = {{"R2C2", u"Site"}, {"R3C3", u"changed"}};
    CExcelWorkSheet sheet;
    const auto add = [&](CExcelRecordHLINK* link) { sheet.GetHyperlinks().Add(link); };
    add(new CExcelRecordHLINK(1, 1, 1, 1, u"http://a/", u"", u"Site", u"tip"));
    add(new CExcelRecordHLINK(2, 3, 2, 3, u"http://b/", u"x", u"Other"));
    add(new CExcelRecordHLINK(4, 4, 0, 0, u"", u"Sheet2!A1"));
    add(new CExcelRecordHLINK(0, 0, 300, 301, u"http://lost/", u""));
    add(new CExcelRecordHLINK(0, 0, 1, 0xFFFF, u"http://wide/", u""));
    {
        CXLEzAutomation ez(false, kRecordingProgramId);
        ASSERT_TRUE(ez.NewWorkbook());
        ASSERT_TRUE(ez.SelectWorksheetFromEnd(1));
        session.server->ClearCalls();
        CSaveProgress progress(nullptr);
        EXPECT_TRUE(CSaveHyperlinkWriter(ez, sheet, progress).Write());
    }
    std::vector<std::string> calls;
    for (const std::string& call : session.server->Calls()) {
        if (call.find(".Add ") != std::string::npos || call.find("Value get") != std::string::npos)
            calls.push_back(call);
    }
    EXPECT_EQ(calls,
              (std::vector<std::string>{
                  "Range[R2C2].Value get()",
                  "Hyperlinks.Add method(TextToDisplay='Site', ScreenTip='tip', "
                  "Address='http://a/', Anchor=<Range[R2C2:R2C2]>)",
                  "Range[R3C3].Value get()",
                  "Hyperlinks.Add method(SubAddress='x', Address='http://b/', "
                  "Anchor=<Range[R3C3:R4C4]>)",
                  "Hyperlinks.Add method(SubAddress='Sheet2!A1', Address='', "
                  "Anchor=<Range[R5C1:R5C1]>)",
                  "Hyperlinks.Add method(Address='http://wide/', Anchor=<Range[R1C2:R1C256]>)",
              }));
    EXPECT_EQ(session.server->LiveObjects(), 0);
}
