// Cell comments through the object model (Range.AddComment and Comment, a
// Comment's Text, Visible, Author and Delete, Worksheet.Comments) and what
// the writer makes of them, read back with our strict record reader (the
// drawing group, each sheet's drawing with container lengths that add up
// across its MSODRAWING records, OBJ, TXO and text, NOTE) and with xlrd.
#include <gtest/gtest.h>

#include <iterator>

#include "server/CMemoryByteSink.h"
#include "server/CXlsWriter.h"
#include "server/automation/CXlsWorkbookObject.h"
#include "server/automation/tests/support/DispatchClient.h"
#include "server/tests/support/TempFolder.h"
#include "server/tests/support/XlrdReadBack.h"
#include "server/tests/support/XlsStructureReader.h"

using namespace servertest;

namespace {

constexpr std::uint16_t kBOUNDSHEET = 0x0085, kSST = 0x00FC, kWINDOW2 = 0x023E, kCONTINUE = 0x003C,
                        kMSODRAWINGGROUP = 0x00EB, kMSODRAWING = 0x00EC, kOBJ = 0x005D,
                        kTXO = 0x01B6, kNOTE = 0x001C;

class XlsServerCommentTest : public ::testing::Test {
protected:
    CXlsWorkbook& Book() {
        return dynamic_cast<CXlsWorkbookObject&>(*m_server.workbook.Get()).Document()->Book();
    }
    ObjectRef Sheet(std::u16string_view name) {
        if (Book().FindSheet(name) == CXlsWorkbook::kNotFound)
            Book().AddSheet(Book().SheetCount(), name);
        return GetObject(m_server.workbook.Get(), u"Worksheets",
                         {CVariant::Text(std::u16string(name))});
    }
    // A comment added through the object model, with its author and
    // visibility put.
    ObjectRef Add(const ObjectRef& sheet, int row, int column, std::u16string text,
                  std::u16string author = u"", bool visible = false) {
        CallResult added = Call(CellAt(sheet.Get(), row, column).Get(), u"AddComment",
                                DISPATCH_METHOD, {CVariant::Text(std::move(text))});
        EXPECT_EQ(added.status, S_OK);
        ObjectRef comment = added.Object();
        EXPECT_EQ(Put(comment.Get(), u"Author", CVariant::Text(std::move(author))).status, S_OK);
        EXPECT_EQ(Put(comment.Get(), u"Visible", CVariant::Bool(visible)).status, S_OK);
        return comment;
    }
    Bytes Written() {
        CMemoryByteSink sink;
        EXPECT_TRUE(CXlsWriter(Book()).Write(sink));
        return ReadCompound(sink.Bytes()).workbook;
    }

    ServerFixture m_server = StartWithWorkbook();
};

// One drawing record met in a walk of drawing data.
struct Art {
    std::uint16_t type;
    std::uint16_t instance;
    std::uint32_t length;
    std::size_t body;  // offset of the record's data
};

// Walks [from, to) of drawing data, requiring every record, and every
// container's children, to end exactly where their lengths say.
void Walk(const Bytes& data, std::size_t from, std::size_t to, std::vector<Art>& out) {
    while (from < to) {
        ASSERT_LE(from + 8, to) << "a record header passes its container's end";
        const Art art{U16(data, from + 2), static_cast<std::uint16_t>(U16(data, from) >> 4),
                      U32(data, from + 4), from + 8};
        ASSERT_LE(art.body + art.length, to) << "record 0x" << std::hex << art.type;
        out.push_back(art);
        if ((U16(data, from) & 0xF) == 0xF) Walk(data, art.body, art.body + art.length, out);
        from = art.body + art.length;
    }
}

std::vector<const Art*> Of(const std::vector<Art>& arts, std::uint16_t type) {
    std::vector<const Art*> found;
    for (const Art& art : arts)
        if (art.type == type) found.push_back(&art);
    return found;
}

// The characters of the TXO text in the CONTINUE records from records[i] on.
std::u16string TextAfter(const std::vector<Record>& records, std::size_t i, std::size_t length) {
    std::u16string text;
    for (; text.size() < length && i < records.size() && records[i].type == kCONTINUE; ++i) {
        const Bytes& b = records[i].body;
        for (std::size_t at = 1; at < b.size(); at += (b[0] & 1) ? 2 : 1)
            text.push_back((b[0] & 1) ? U16(b, at) : b[at]);
    }
    return text;
}

}  // namespace

TEST_F(XlsServerCommentTest, ObjectModelMembers) {
    ObjectRef sheet = m_server.sheet;
    ObjectRef comment = Add(sheet, 2, 2, u"note", u"Ann", true);
    EXPECT_EQ(Call(CellAt(sheet.Get(), 2, 2).Get(), u"AddComment", DISPATCH_METHOD, {}).status,
              DISP_E_EXCEPTION)
        << "a second comment on one cell";
    EXPECT_EQ(Call(GetObject(sheet.Get(), u"Range", {CVariant::Text(u"A1:B2")}).Get(),
                   u"AddComment", DISPATCH_METHOD, {})
                  .status,
              DISP_E_EXCEPTION)
        << "a comment on several cells";
    EXPECT_EQ(Get(CellAt(sheet.Get(), 1, 1).Get(), u"Comment").value.GetObject(), nullptr);

    // Text(Text, Start, Overwrite) on "note": the result is the new text.
    struct TextCase {
        std::vector<CVariant> args;
        std::u16string result;
    };
    const TextCase kTexts[] = {
        {{CVariant::Text(u"X"), CVariant::Long(3)}, u"noXte"},
        {{CVariant::Text(u"YZ"), CVariant::Long(1), CVariant::Bool(true)}, u"YZXte"},
        {{CVariant::Text(u"!"), CVariant::Long(99)}, u"YZXte!"},
        {{CVariant::Text(u"fresh")}, u"fresh"},
    };
    for (const TextCase& c : kTexts) {
        const ObjectRef got = GetObject(CellAt(sheet.Get(), 2, 2).Get(), u"Comment");
        EXPECT_EQ(Get(got.Get(), u"Text", c.args).value.GetText(), c.result);
    }
    EXPECT_EQ(Get(comment.Get(), u"Text", {CVariant::Text(u"x"), CVariant::Long(0)}).status,
              DISP_E_BADINDEX);

    Add(sheet, 1, 3, u"first in row-major order");
    ObjectRef comments = GetObject(sheet.Get(), u"Comments");
    EXPECT_EQ(Get(comments.Get(), u"Count").value.GetLong(), 2);
    EXPECT_EQ(
        Get(GetObject(comments.Get(), u"Item", {CVariant::Long(1)}).Get(), u"Text").value.GetText(),
        u"first in row-major order");
    EXPECT_EQ(Get(comments.Get(), u"Item", {CVariant::Long(3)}).status, DISP_E_BADINDEX);
    EXPECT_EQ(Get(comment.Get(), u"Delete").status, S_OK);
    EXPECT_EQ(Get(comments.Get(), u"Count").value.GetLong(), 1);
    EXPECT_EQ(Get(comment.Get(), u"Text").status, DISP_E_EXCEPTION) << "a deleted comment";
}

TEST_F(XlsServerCommentTest, RecordsAReaderNeedsAndXlrdReadsThem) {
    const std::u16string longText(9000, u'w');  // three text CONTINUE records, 16-bit
    const std::u16string wide = u"\u65e5\u672c " + longText;
    ObjectRef notes = m_server.sheet;
    Add(notes, 3, 3, u"Ann:\nvisible", u"Ann", true);
    Add(notes, 1, 256, wide, std::u16string(60, u'a'));  // at the last column
    Add(notes, 1, 1, u"", u"");
    Sheet(u"Plain");
    Add(Sheet(u"Third"), 65536, 1, u"last row");

    const Bytes stream = Written();
    const std::vector<Record> globals = ReadRecords(stream);
    std::vector<std::vector<Record>> sheets;
    std::size_t groupAt = 0, sstAt = 0;
    for (std::size_t i = 0; i < globals.size(); ++i) {
        if (globals[i].type == kBOUNDSHEET)
            sheets.push_back(ReadRecords(stream, U32(globals[i].body, 0)));
        if (globals[i].type == kMSODRAWINGGROUP) groupAt = i;
        if (globals[i].type == kSST) sstAt = i;
    }
    ASSERT_EQ(sheets.size(), 3u);
    ASSERT_GT(groupAt, 0u);
    EXPECT_LT(groupAt, sstAt);

    // The drawing group: clusters 1 (sheet 1: group shape and three boxes)
    // and 2 (sheet 3: group shape and one box).
    std::vector<Art> group;
    Walk(globals[groupAt].body, 0, globals[groupAt].body.size(), group);
    ASSERT_EQ(group.front().type, 0xF000);
    EXPECT_EQ(group.front().length + 8, globals[groupAt].body.size());
    const Bytes& g = globals[groupAt].body;
    const std::size_t dgg = Of(group, 0xF006).at(0)->body;
    // Largest shape id + 1, clusters + 1, shapes, drawings; then per cluster
    // its drawing and the ids it uses.
    const std::uint32_t kDgg[] = {0x802, 3, 6, 2, 1, 4, 2, 2};
    for (std::size_t i = 0; i < std::size(kDgg); ++i) EXPECT_EQ(U32(g, dgg + 4 * i), kDgg[i]) << i;
    auto clusterOwner = [&](std::uint32_t id) { return U32(g, dgg + 16 + 8 * (id / 1024 - 1)); };

    struct Expected {
        std::uint16_t row, column, flags;
        std::u16string author, text;
    };
    const std::vector<std::vector<Expected>> expected = {
        {{0, 0, 0, u" ", u""},
         {0, 255, 0, std::u16string(54, u'a'), wide},
         {2, 2, 2, u"Ann", u"Ann:\nvisible"}},
        {},
        {{65535, 0, 0, u" ", u"last row"}},
    };
    for (std::size_t s = 0; s < sheets.size(); ++s) {
        SCOPED_TRACE("sheet " + std::to_string(s));
        const std::vector<Record>& records = sheets[s];
        Bytes drawing;
        std::vector<std::size_t> objects, notes;
        std::size_t window2 = 0;
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (records[i].type == kMSODRAWING)
                drawing.insert(drawing.end(), records[i].body.begin(), records[i].body.end());
            if (records[i].type == kOBJ) objects.push_back(i);
            if (records[i].type == kNOTE) notes.push_back(i);
            if (records[i].type == kWINDOW2) window2 = i;
        }
        ASSERT_EQ(objects.size(), expected[s].size());
        ASSERT_EQ(notes.size(), expected[s].size());
        if (expected[s].empty()) {
            EXPECT_TRUE(drawing.empty());
            continue;
        }
        // One drawing container over all the sheet's MSODRAWING bytes, its
        // shape ids in the clusters its drawing owns.
        std::vector<Art> arts;
        Walk(drawing, 0, drawing.size(), arts);
        ASSERT_EQ(arts.front().type, 0xF002);
        EXPECT_EQ(arts.front().length + 8, drawing.size());
        const std::uint32_t drawingId = Of(arts, 0xF008).at(0)->instance;
        const std::vector<const Art*> shapes = Of(arts, 0xF00A);
        ASSERT_EQ(shapes.size(), expected[s].size() + 1);
        EXPECT_EQ(U32(drawing, Of(arts, 0xF008)[0]->body), shapes.size());
        EXPECT_EQ(U32(drawing, Of(arts, 0xF008)[0]->body + 4), U32(drawing, shapes.back()->body));
        for (const Art* shape : shapes) {
            const std::uint32_t id = U32(drawing, shape->body);
            EXPECT_EQ(clusterOwner(id), drawingId) << "shape id " << id;
        }
        EXPECT_EQ(Of(arts, 0xF00D).size(), expected[s].size());

        for (std::size_t k = 0; k < expected[s].size(); ++k) {
            const Expected& e = expected[s][k];
            const std::size_t obj = objects[k];
            EXPECT_EQ(U16(records[obj].body, 4), 0x19);
            EXPECT_EQ(U16(records[obj].body, 6), k + 1);
            EXPECT_EQ(records[obj + 1].type, kMSODRAWING);
            ASSERT_EQ(records[obj + 2].type, kTXO);
            EXPECT_EQ(U16(records[obj + 2].body, 10), e.text.size());
            EXPECT_EQ(TextAfter(records, obj + 3, e.text.size()), e.text);

            const Bytes& note = records[notes[k]].body;
            EXPECT_GT(notes[k], objects.back());
            EXPECT_LT(notes[k], window2);
            EXPECT_EQ(U16(note, 0), e.row);
            EXPECT_EQ(U16(note, 2), e.column);
            EXPECT_EQ(U16(note, 4), e.flags);
            EXPECT_EQ(U16(note, 6), k + 1);
            std::size_t body = 0, offset = 8;
            const std::vector<const Bytes*> bodies{&note};
            EXPECT_EQ(ReadContinuedString(bodies, body, offset), e.author);
        }
    }

    MENDWELL_REQUIRE_XLRD();
    TempFolder folder;
    const auto path = folder / "comments.xls";
    ASSERT_TRUE(CXlsWriter(Book()).SaveAs(path));
    const XlrdDump dump = RunXlrd(path);
    ASSERT_TRUE(dump.Ran()) << dump.Output();
    EXPECT_TRUE(dump.All("warning").empty()) << dump.Output();
    EXPECT_EQ(dump.Find({"note", "0", "2", "2"}), (DumpLine{"\"Ann\"", "1", "\"Ann:\\nvisible\""}));
    EXPECT_EQ(dump.Find({"note", "0", "0", "0"}), (DumpLine{"\" \"", "0", "\"\""}));
    EXPECT_EQ(dump.Find({"note", "0", "0", "255"}),
              (DumpLine{JsonQuote(std::u16string(54, u'a')), "0", JsonQuote(wide)}));
    EXPECT_EQ(dump.Find({"note", "2", "65535", "0"}), (DumpLine{"\" \"", "0", "\"last row\""}));
}

TEST_F(XlsServerCommentTest, WithoutCommentsTheFileIsWrittenAsBefore) {
    Put(CellAt(m_server.sheet.Get(), 1, 1).Get(), u"Value", CVariant::Double(1));
    const Bytes before = Written();
    for (const Record& r : ReadRecords(before, 0, false))
        EXPECT_TRUE(r.type != kMSODRAWINGGROUP && r.type != kMSODRAWING && r.type != kNOTE)
            << std::hex << r.type;
    ObjectRef comment = Add(m_server.sheet, 2, 2, u"gone");
    EXPECT_NE(Written(), before);
    Get(comment.Get(), u"Delete");
    EXPECT_EQ(Written(), before);
}
