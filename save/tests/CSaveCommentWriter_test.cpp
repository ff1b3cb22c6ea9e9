// The comments phase against the recording server: each kept comment is
// added to its cell after the cells are written, with its text, author and
// visibility; what a lost text, a cell past IV, the text option and a
// refused author change; and the wrapper's call sequence for one comment.
#include <gtest/gtest.h>

#include <optional>

#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkSheet.h"
#include "platform/ProgressTarget.h"
#include "platform/RunState.h"
#include "platform/ScopedMessageCapture.h"
#include "platform/automation/CScopedServerRegistration.h"
#include "records/CExcelCommentList.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordNOTE.h"
#include "save/CSaveProcessManagerExcel.h"
#include "save/tests/support/RecordingSession.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::Concat;

namespace {

struct Case {
    const char* name;
    std::uint16_t row, column;
    bool shown = false;
    std::optional<std::u16string> text = {};  // none: the object's text was lost
    std::uint32_t options = CSaveOption::All;
    bool refuseAuthor = false;
    std::vector<std::string> calls = {};  // the recorded calls that name a comment
};

// The NOTE of a comment by "Ann" (object id 1), with its text.
void AddNote(CExcelWorkSheet& sheet, const Case& c) {
    if (c.text) sheet.GetComments().AddText(1, *c.text);
    const Bytes payload =
        Concat(Concat(Concat(BiffWriter::U16(c.row), BiffWriter::U16(c.column)),
                      Concat(BiffWriter::U16(c.shown ? 2 : 0), BiffWriter::U16(1))),
               BiffWriter::UnicodeString(u"Ann", false));
    sheet.GetComments().AddNote(
        new CExcelRecordNOTE(payload.data(), static_cast<std::uint32_t>(payload.size())));
}

std::vector<std::string> Added(const std::string& cell, const std::string& text,
                               bool shown = false) {
    return {"Range[" + cell + "].AddComment method('" + text + "')",
            "Comment[" + cell + "].Author put('Ann')",
            "Comment[" + cell + "].Visible put(" + (shown ? "true" : "false") + ")"};
}

}  // namespace

TEST(SaveCommentPhase, CommentsFollowTheCells) {
    const Case kCases[] = {
        {.name = "a kept comment, shown",
         .row = 2,
         .column = 3,
         .shown = true,
         .text = u"hi",
         .calls = Added("R3C4", "hi", true)},
        {.name = "a lost text keeps cell and author",
         .row = 0,
         .column = 0,
         .calls = Added("R1C1", "")},
        {.name = "past column IV", .row = 0, .column = 256, .text = u"x"},
        {.name = "without the text option",
         .row = 0,
         .column = 0,
         .text = u"x",
         .options = CSaveOption::All & ~CSaveOption::Texts},
        {.name = "a refused author leaves the comment and its visibility",
         .row = 1,
         .column = 1,
         .text = u"y",
         .refuseAuthor = true,
         .calls = Added("R2C2", "y")},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        SaveStopRequested.store(0);
        testsupport::ScopedTempDir temp;
        ScopedMessageCapture messages;
        auto server = CRecordingServer::Create();
        CScopedServerRegistration registration{CXLAutomation::kExcelProgramId, RecordingClassId(),
                                               server->Factory()};
        if (c.refuseAuthor) {
            server->m_refuse = [](const std::string& line) {
                return line.find(".Author put") != std::string::npos;
            };
        }
        CExcelData data;
        auto* workbook = new CExcelWorkBook();
        data.GetWorkbooks().Add(workbook);
        data.SetDestinationPath(temp.Path() / "out.xls");
        data.GetSaveOptions() = CSaveOption(c.options);
        CExcelWorkSheet added;
        added.SetName(u"Data");
        CExcelWorkSheet& sheet = *workbook->GetWorksheets().Add(added);
        sheet.GetLabels().Add(new CExcelRecordLABEL(0, 0, 0, u"cell"));
        AddNote(sheet, c);
        ProgressTarget bar;
        data.SetSaveProgressWindow(&bar);

        CSaveProcessManagerExcel().Save(&data);
        std::vector<std::string> calls;
        std::size_t lastValue = 0, firstComment = 0;
        for (std::size_t i = 0; i < server->Calls().size(); ++i) {
            const std::string& line = server->Calls()[i];
            if (line.find(".Value put") != std::string::npos) lastValue = i;
            if (line.find("Comment") == std::string::npos) continue;
            if (calls.empty()) firstComment = i;
            calls.push_back(line);
        }
        EXPECT_EQ(calls, c.calls);
        if (!calls.empty()) {
            EXPECT_GT(firstComment, lastValue);
        }
        EXPECT_LE(bar.GetPosition(), bar.GetUpper());
    }
}

TEST(SaveCommentPhase, WrapperAddsTheCommentThenPutsAuthorQuietlyAndVisibility) {
    OperationCheck check;
    check.op = [](CXLAutomation& a) { return a.AddComment(4, 3, u"hi", u"Ann", true); };
    check.expected = {{"Worksheet[1].Cells get(r8:3, r8:4)", 2},
                      {"Range[R3C4].AddComment method('hi')", 2},
                      {"Comment[R3C4].Author put('Ann')", 1},
                      {"Comment[R3C4].Visible put(true)", 0}};
    // The spreadsheet's own Author is read-only: a refusal there is no
    // failure, and the visibility is still put.
    check.failuresThatFail = 2;
    check.goesOnAfterFailure = true;
    CheckOperation(check);
}
