// The comments phase against the recording server: each kept comment is
// added to its cell after the cells are written, with its text, author and
// visibility; what a lost text, a cell past IV, the text option and a
// refused author change; and the wrapper's call sequence for one comment.
#include <gtest/gtest.h>

#include <optional>

#include "biff/CExcelData.h"
#include "biff/CExcelWorkSheet.h"
#include "biff/tests/support/BiffWriter.h"
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

struct Note {
    std::uint16_t row, column;
    bool shown;
    std::u16string author;
    std::optional<std::u16string> text;  // none: the object's text was lost
};

struct Case {
    const char* name;
    std::vector<Note> notes;
    std::uint32_t options = CSaveOption::All;
    bool refuseAuthor = false;
    std::vector<std::string> calls;  // the recorded calls that name a comment
};

void AddNote(CExcelWorkSheet& sheet, const Note& note, std::uint16_t id) {
    if (note.text) sheet.GetComments().AddText(id, *note.text);
    const Bytes payload =
        Concat(Concat(Concat(BiffWriter::U16(note.row), BiffWriter::U16(note.column)),
                      Concat(BiffWriter::U16(note.shown ? 2 : 0), BiffWriter::U16(id))),
               BiffWriter::UnicodeString(note.author, false));
    sheet.GetComments().AddNote(
        new CExcelRecordNOTE(payload.data(), static_cast<std::uint32_t>(payload.size())));
}

}  // namespace

TEST(SaveCommentPhase, CommentsFollowTheCells) {
    const Case kCases[] = {
        {"a kept comment",
         {{2, 3, true, u"Ann", u"hi"}},
         CSaveOption::All,
         false,
         {"Range[R3C4].AddComment method('hi')", "Comment[R3C4].Author put('Ann')",
          "Comment[R3C4].Visible put(true)"}},
        {"a comment whose text was lost keeps its cell and author",
         {{0, 0, false, u"Bo", std::nullopt}},
         CSaveOption::All,
         false,
         {"Range[R1C1].AddComment method('')", "Comment[R1C1].Author put('Bo')",
          "Comment[R1C1].Visible put(false)"}},
        {"a comment past column IV is skipped",
         {{0, 256, false, u"Cy", u"x"}},
         CSaveOption::All,
         false,
         {}},
        {"without the text option no comment is written",
         {{0, 0, false, u"Di", u"x"}},
         CSaveOption::All & ~CSaveOption::Texts,
         false,
         {}},
        {"a refused author leaves the comment and its visibility",
         {{1, 1, false, u"Ed", u"y"}},
         CSaveOption::All,
         true,
         {"Range[R2C2].AddComment method('y')", "Comment[R2C2].Author put('Ed')",
          "Comment[R2C2].Visible put(false)"}},
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
        for (std::size_t i = 0; i < c.notes.size(); ++i)
            AddNote(sheet, c.notes[i], static_cast<std::uint16_t>(i + 1));
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
