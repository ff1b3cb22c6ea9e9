// Cell comments read from hand-built record sequences: the text a NOTE gets
// from the OBJ and TXO records of its object, whole, split over CONTINUE
// records, 8-bit and UTF-16, cut short, and what a NOTE keeps when its
// object or text is missing or belongs to something else.
#include "records/CExcelCommentReader.h"

#include <gtest/gtest.h>

#include <optional>

#include "biff/BiffRecordIds.h"
#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelWorkSheet.h"
#include "records/CExcelCommentList.h"
#include "records/tests/support/MemoryStreamReader.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::Concat;
using testsupport::MemoryStreamReader;

namespace {

constexpr std::uint16_t kNumber = 0x0203;

Bytes Obj(std::uint16_t id, std::uint16_t type = 0x19) {
    Bytes body = Concat(Concat(BiffWriter::U16(0x15), BiffWriter::U16(18)),
                        Concat(BiffWriter::U16(type), BiffWriter::U16(id)));
    body.resize(52, 0);  // flags, reserved bytes, ftNts, ftEnd
    return body;
}

Bytes Txo(std::uint16_t characters, std::uint16_t runBytes = 16) {
    Bytes body(18, 0);
    testsupport::SetU16(body, 10, characters);
    testsupport::SetU16(body, 12, runBytes);
    return body;
}

// One CONTINUE of text: its option byte, then the characters.
Bytes Text(const std::u16string& text, bool wide) {
    const Bytes string = BiffWriter::UnicodeString(text, wide);
    return Bytes(string.begin() + 2, string.end());
}

Bytes Note(std::uint16_t row, std::uint16_t column, bool shown, std::uint16_t id,
           const std::u16string& author) {
    Bytes body = Concat(Concat(BiffWriter::U16(row), BiffWriter::U16(column)),
                        Concat(BiffWriter::U16(shown ? 2 : 0), BiffWriter::U16(id)));
    body = Concat(body, BiffWriter::UnicodeString(author, false));
    body.push_back(0);
    return body;
}

// A comment object with its text box drawing, TXO and text CONTINUEs.
BiffWriter& Comment(BiffWriter& w, std::uint16_t id, std::uint16_t characters,
                    const std::vector<Bytes>& pieces) {
    w.Record(biff::kOBJ, Obj(id)).Record(biff::kMSODRAWING, Bytes(8, 0));
    w.Record(biff::kTXO, Txo(characters));
    for (const Bytes& piece : pieces) w.Record(biff::kCONTINUE, piece);
    return w.Record(biff::kCONTINUE, Bytes(16, 0));  // the formatting runs
}

struct Expected {
    std::uint16_t row, column;
    bool shown;
    std::u16string author, text;
    bool hasText;
};

struct Case {
    const char* name;
    BiffWriter records;
    std::optional<std::uint32_t> end;  // where the sheet's bytes stop
    std::vector<Expected> comments;
    std::uint32_t withoutText;
};

// Hands every OBJ, then every NOTE, to its reader, as the walk meets them in
// a sheet (drawing objects before the notes); a NOTE may then sit before a
// cut without losing the text before it.
void Read(const Case& c, CExcelWorkSheet& sheet) {
    const Bytes& bytes = c.records.GetBytes();
    MemoryStreamReader reader(bytes, c.end.value_or(static_cast<std::uint32_t>(bytes.size())));
    for (std::uint16_t pass : {biff::kOBJ, biff::kNOTE}) {
        for (std::size_t at = 0; at + 4 <= bytes.size();) {
            const std::uint16_t type = static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
            const std::uint16_t size =
                static_cast<std::uint16_t>(bytes[at + 2] | (bytes[at + 3] << 8));
            const auto position = static_cast<std::uint32_t>(at);
            if (type == pass && pass == biff::kOBJ)
                CExcelCommentReader::ReadObj(reader, sheet, size, position);
            if (type == pass && pass == biff::kNOTE)
                CExcelCommentReader::ReadNote(reader, sheet, size, position);
            at += 4u + size;
        }
    }
}

std::vector<Case> Cases() {
    std::vector<Case> cases;
    auto add = [&cases](const char* name) -> Case& {
        cases.push_back(Case{name, {}, std::nullopt, {}, 0});
        return cases.back();
    };
    {
        Case& c = add("whole, shown");
        Comment(c.records, 1, 5, {Text(u"Hello", false)});
        c.records.Record(biff::kNOTE, Note(2, 3, true, 1, u"Ann"));
        c.comments = {{2, 3, true, u"Ann", u"Hello", true}};
    }
    {
        Case& c = add("split over two CONTINUE records, 8-bit then UTF-16");
        Comment(c.records, 4, 7, {Text(u"Caf\u00e9 ", false), Text(u"\u65e5\u672c", true)});
        c.records.Record(biff::kNOTE, Note(0, 0, false, 4, u"Bo"));
        c.comments = {{0, 0, false, u"Bo", u"Caf\u00e9 \u65e5\u672c", true}};
    }
    {
        Case& c = add("a count that promises more than the text holds: the runs stay runs");
        Comment(c.records, 1, 40, {Text(u"short", false)});
        c.records.Record(biff::kNOTE, Note(1, 1, false, 1, u"A"));
        c.comments = {{1, 1, false, u"A", u"short", true}};
    }
    {
        Case& c = add("the sheet ends inside the text's CONTINUE");
        c.records.Record(biff::kNOTE, Note(5, 6, false, 9, u"Cy"));
        Comment(c.records, 9, 11, {Text(u"Hello world", false)});
        // Past the text's option byte and "Hello w".
        c.end = static_cast<std::uint32_t>(c.records.Size() - 20 - 4);
        c.comments = {{5, 6, false, u"Cy", u"Hello w", true}};
    }
    {
        Case& c = add("a NOTE without its object keeps cell and author");
        c.records.Record(biff::kNOTE, Note(7, 8, true, 3, u"Di"));
        c.comments = {{7, 8, true, u"Di", u"", false}};
        c.withoutText = 1;
    }
    {
        Case& c = add("the text of a text box is not a comment's");
        c.records.Record(biff::kOBJ, Obj(2, 0x06)).Record(biff::kMSODRAWING, Bytes(8, 0));
        c.records.Record(biff::kTXO, Txo(3)).Record(biff::kCONTINUE, Text(u"box", false));
        c.records.Record(biff::kNOTE, Note(0, 1, false, 2, u"Ed"));
        c.comments = {{0, 1, false, u"Ed", u"", false}};
        c.withoutText = 1;
    }
    {
        Case& c = add("a cell record between OBJ and TXO ends the look-ahead");
        c.records.Record(biff::kOBJ, Obj(1)).Record(kNumber, Bytes(14, 0));
        c.records.Record(biff::kTXO, Txo(1)).Record(biff::kCONTINUE, Text(u"x", false));
        c.records.Record(biff::kNOTE, Note(0, 0, false, 1, u"Fa"));
        c.comments = {{0, 0, false, u"Fa", u"", false}};
        c.withoutText = 1;
    }
    {
        Case& c = add("drawing data in a CONTINUE, an empty text, a cut author");
        c.records.Record(biff::kOBJ, Obj(6)).Record(biff::kCONTINUE, Bytes(8, 0));
        c.records.Record(biff::kTXO, Txo(0, 0));
        Bytes note = Note(3, 4, false, 6, u"Gus");
        note[8] = 40;  // the author's count promises 40 characters
        note.pop_back();
        c.records.Record(biff::kNOTE, note);
        c.comments = {{3, 4, false, u"Gus", u"", true}};
    }
    return cases;
}

}  // namespace

TEST(CommentReader, NoteTakesTheTextOfItsObject) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        CExcelWorkSheet sheet;
        Read(c, sheet);
        const CExcelCommentList& list = sheet.GetComments();
        ASSERT_EQ(list.GetCount(), c.comments.size());
        EXPECT_EQ(list.GetWithoutText(), c.withoutText);
        std::size_t i = 0;
        for (const CExcelRecordNOTE& note : list.GetNotes()) {
            const Expected& e = c.comments[i++];
            EXPECT_EQ(note.GetRow(), e.row);
            EXPECT_EQ(note.GetColumn(), e.column);
            EXPECT_EQ(note.IsShown(), e.shown);
            EXPECT_EQ(note.GetAuthor(), e.author);
            EXPECT_EQ(note.GetText(), e.text);
            EXPECT_EQ(note.HasText(), e.hasText);
        }
    }
}
