// The data-validation phase against the recording server: the calls of one
// rule (named arguments recorded last-first, as pushed), and which DV
// records go in as which rules (one per rectangle, each formula decoded for
// its own rectangle), which are left out and counted.
#include "save/CSaveValidationWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "records/CExcelRecordDV.h"
#include "save/CSaveProgress.h"
#include "save/CXLEzAutomation.h"
#include "save/tests/support/RecordingSession.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::Concat;

namespace {

// A DV payload: flags, the prompt title (or empty), three empty texts, the
// two formulas' tokens, then the rectangles (first row, last row, first
// column, last column each).
Bytes DvPayload(std::uint32_t flags, const std::u16string& title, const Bytes& formula1,
                const Bytes& formula2, const std::vector<std::vector<std::uint16_t>>& rects) {
    const Bytes empty = BiffWriter::UnicodeString(std::u16string(1, u'\0'), false);
    Bytes b = BiffWriter::U32(flags);
    b = Concat(b, title.empty() ? empty : BiffWriter::UnicodeString(title, false));
    for (int i = 0; i < 3; ++i) b = Concat(b, empty);
    for (const Bytes* formula : {&formula1, &formula2}) {
        b = Concat(b, BiffWriter::U16(static_cast<std::uint16_t>(formula->size())));
        b = Concat(Concat(b, BiffWriter::U16(0)), *formula);
    }
    b = Concat(b, BiffWriter::U16(static_cast<std::uint16_t>(rects.size())));
    for (const auto& rect : rects) {
        for (std::uint16_t v : rect) b = Concat(b, BiffWriter::U16(v));
    }
    return b;
}

}  // namespace

TEST(SaveValidations, AddValidationPutsOnlyWhatDiffersFromTheDefaults) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) {
        CXLValidationRule rule;
        rule.type = 3;
        rule.formula1 = u"a,b";
        rule.inCellDropdown = false;
        rule.errorMessage = u"No";
        return a.AddValidation(2, 3, 2, 4, rule);
    };
    check.expected = Then(SelectRangeCalls("Worksheet[1]", 2, 3, 2, 4),
                          {{"Range[R3C2:R4C2].Validation get()", 2},
                           {"Validation.Add method(Formula1='a,b', Operator=i2:1, AlertStyle=i2:1, "
                            "Type=i2:3)",
                            2},
                           {"Validation.InCellDropdown put(false)", 0},
                           {"Validation.ErrorMessage put('No')", 0}});
    check.failuresThatFail = 12;  // a refused property leaves the rule standing
    check.goesOnAfterFailure = true;
    CheckOperation(check);
}

TEST(SaveValidations, EachRectangleGetsItsRuleAndWhatCannotBeWrittenIsCounted) {
    CExcelWorkBook workbook;
    CExcelWorkSheet sheet;
    const auto add = [&](const Bytes& payload) {
        auto dv =
            CExcelRecordDV::Decode(payload.data(), static_cast<std::uint32_t>(payload.size()));
        ASSERT_NE(dv, nullptr);
        sheet.GetValidations().Add(dv.release());
    };
    // Whole number between 1 and 10, warning, blanks refused, prompt
    // hidden, error shown, over B2:B3 and D5 and past IV.
    add(DvPayload(0x00080011, u"T", {0x1E, 1, 0}, {0x1E, 10, 0},
                  {{1, 2, 1, 1}, {4, 4, 3, 3}, {0, 0, 300, 301}}));
    // Custom: the cell above, as ptgRefN; a literal list.
    add(DvPayload(0x000C0107, u"", {0x4C, 0xFF, 0xFF, 0x00, 0xC0}, {}, {{5, 5, 2, 2}}));
    add(DvPayload(0x000C0183, u"", {0x17, 3, 0, 'a', 0, 'b'}, {}, {{6, 6, 0, 0}}));
    // Left out: an item holding a comma, a token the decoder does not know.
    add(DvPayload(0x000C0183, u"", {0x17, 3, 0, 'a', ',', 'b'}, {}, {{7, 7, 0, 0}}));
    add(DvPayload(0x000C0107, u"", {0xFF}, {}, {{8, 8, 0, 0}}));

    RecordingSession session;
    CXLEzAutomation ez(false, kRecordingProgramId);
    ASSERT_TRUE(ez.NewWorkbook());
    ASSERT_TRUE(ez.SelectWorksheetFromEnd(1));
    session.server->ClearCalls();
    CSaveProgress progress(nullptr);
    CSaveValidationWriter writer(ez, workbook, sheet, progress);
    EXPECT_TRUE(writer.Write());
    std::vector<std::string> calls;
    for (const std::string& call : session.server->Calls()) {
        if (call.rfind("Validation.", 0) == 0) calls.push_back(call);
    }
    const std::vector<std::string> whole = {
        "Validation.Add method(Formula2='=10', Formula1='=1', Operator=i2:1, AlertStyle=i2:2, "
        "Type=i2:1)",
        "Validation.IgnoreBlank put(false)", "Validation.ShowInput put(false)",
        "Validation.InputTitle put('T')"};
    std::vector<std::string> expected = whole;
    expected.insert(expected.end(), whole.begin(), whole.end());
    expected.push_back(
        "Validation.Add method(Formula1='=C5', Operator=i2:1, AlertStyle=i2:1, Type=i2:7)");
    expected.push_back(
        "Validation.Add method(Formula1='a,b', Operator=i2:1, AlertStyle=i2:1, Type=i2:3)");
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(writer.Kept(), 4u);
    EXPECT_EQ(writer.LeftOut(), 2u);
}
