// Worksheet.Hyperlinks through Invoke: Add with each kind of address, the
// anchor cell's text, replacement over the same range, the refusals; then
// the saved HLINK and QUICKTIP records, read back by our structure reader
// (where they sit, the file moniker's parent steps) and by xlrd.
#include "server/automation/CXlsHyperlinksObject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "server/automation/tests/support/DispatchClient.h"
#include "server/tests/support/TempFolder.h"
#include "server/tests/support/XlrdReadBack.h"
#include "server/tests/support/XlsStructureReader.h"

using namespace servertest;

namespace {

struct Link {
    const char16_t* anchor;
    std::u16string address, subAddress, screenTip, textToDisplay;
};

CallResult AddLink(IDispatch* sheet, const Link& link) {
    ObjectRef links = GetObject(sheet, u"Hyperlinks");
    ObjectRef anchor = GetObject(sheet, u"Range", {CVariant::Text(link.anchor)});
    NamedArgs named = {{u"Anchor", CVariant::Object(anchor.Get())},
                       {u"Address", CVariant::Text(link.address)}};
    if (!link.subAddress.empty()) named.push_back({u"SubAddress", CVariant::Text(link.subAddress)});
    if (!link.screenTip.empty()) named.push_back({u"ScreenTip", CVariant::Text(link.screenTip)});
    if (!link.textToDisplay.empty())
        named.push_back({u"TextToDisplay", CVariant::Text(link.textToDisplay)});
    return Call(links.Get(), u"Add", DISPATCH_METHOD, {}, named);
}

Bytes FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::u16string TextOf(IDispatch* object, std::u16string_view member) {
    return Get(object, member).value.GetText();
}

}  // namespace

TEST(XlsServerHyperlinks, AddKeepsTheCellsValuesAndRefusesWhatTheSpreadsheetRefuses) {
    ServerFixture server = StartWithWorkbook();
    IDispatch* sheet = server.sheet.Get();
    ASSERT_EQ(Put(CellAt(sheet, 3, 3).Get(), u"Value", CVariant::Double(5)).status, S_OK);
    ASSERT_EQ(Put(GetObject(sheet, u"Range", {CVariant::Text(u"E1:E2")}).Get(), u"FormulaArray",
                  CVariant::Text(u"=1"))
                  .status,
              S_OK);

    CallResult added = AddLink(sheet, {u"B2", u"http://a.org/", u"", u"tip", u"Go"});
    ASSERT_EQ(added.status, S_OK);
    ObjectRef link = added.Object();
    EXPECT_EQ(TextOf(link.Get(), u"Address"), u"http://a.org/");
    EXPECT_EQ(TextOf(link.Get(), u"ScreenTip"), u"tip");
    EXPECT_EQ(TextOf(GetObject(link.Get(), u"Range").Get(), u"Address"), u"$B$2");
    EXPECT_EQ(TextOf(CellAt(sheet, 2, 2).Get(), u"Value"), u"Go") << "the text becomes the cell's";
    ASSERT_EQ(AddLink(sheet, {u"C3", u"", u"Sheet1!A1", u"", u""}).status, S_OK);
    EXPECT_EQ(Get(CellAt(sheet, 3, 3).Get(), u"Value").value.GetDouble(), 5.0)
        << "without a text to display the cell keeps its value";

    // A second link over B2 replaces the first; a put changes a link.
    ASSERT_EQ(AddLink(sheet, {u"B2", u"mailto:x@y.z", u"", u"", u""}).status, S_OK);
    ObjectRef links = GetObject(sheet, u"Hyperlinks");
    EXPECT_EQ(Get(links.Get(), u"Count").value.GetLong(), 2);
    ObjectRef first = GetObject(links.Get(), u"Item", {CVariant::Long(1)});
    EXPECT_EQ(TextOf(first.Get(), u"Address"), u"mailto:x@y.z");
    EXPECT_EQ(TextOf(first.Get(), u"ScreenTip"), u"");
    ASSERT_EQ(Put(first.Get(), u"SubAddress", CVariant::Text(u"part")).status, S_OK);
    EXPECT_EQ(TextOf(link.Get(), u"SubAddress"), u"part") << "both objects name the B2 link";
    EXPECT_EQ(Get(links.Get(), u"Item", {CVariant::Long(3)}).status, DISP_E_BADINDEX);

    struct Refusal {
        const char* why;
        Link link;
    };
    const Refusal refusals[] = {
        {"no address and no place", {u"D4", u"", u"", u"tip", u""}},
        {"text over part of an array formula", {u"E2", u"http://b/", u"", u"", u"Go"}},
        {"too long for one record", {u"D4", std::u16string(4200, u'x'), u"", u"", u""}},
    };
    for (const Refusal& refusal : refusals) {
        EXPECT_EQ(AddLink(sheet, refusal.link).status, DISP_E_EXCEPTION) << refusal.why;
    }
    EXPECT_EQ(Call(links.Get(), u"Add", DISPATCH_METHOD, {CVariant::Text(u"A1")}).status,
              DISP_E_TYPEMISMATCH)
        << "an anchor that is no range";
    EXPECT_EQ(Get(links.Get(), u"Count").value.GetLong(), 2) << "refusals add nothing";
}

TEST(XlsServerHyperlinks, SavedLinksReadBackWithTheMonikerTheirAddressCallsFor) {
    TempFolder folder;
    const auto path = folder / "links.xls";
    {
        ServerFixture server = StartWithWorkbook();
        IDispatch* sheet = server.sheet.Get();
        ASSERT_EQ(Put(GetObject(sheet, u"Range", {CVariant::Text(u"F1:G1")}).Get(), u"MergeCells",
                      CVariant::Bool(true))
                      .status,
                  S_OK);
        const Link links[] = {
            {u"B2", u"http://a.org/x?y=1", u"", u"Read me", u"Site"},
            {u"C3:D4", u"https://b.org/", u"sec 2", u"", u""},
            {u"A5", u"..\\..\\docs\\a b.xls", u"Sheet1!A1", u"", u""},
            {u"A6", u"C:\\Daten\\\u00dcbersicht \u20ac.xls", u"", u"", u""},
            {u"A7", u"\\\\srv\\share\\f.xls", u"", u"", u"Share"},
            {u"A8", u"", u"'My sheet'!B9", u"", u""},
        };
        for (const Link& link : links) ASSERT_EQ(AddLink(sheet, link).status, S_OK);
        ASSERT_EQ(Call(server.workbook.Get(), u"SaveAs", DISPATCH_METHOD,
                       {CVariant::Text(path.u16string())})
                      .status,
                  S_OK);
    }

    // Where the records sit: after MERGEDCELLS, each tip right after its
    // link, then EOF.
    const CompoundFile file = ReadCompound(FileBytes(path));
    ASSERT_TRUE(file.problems.empty());
    const std::vector<Record> records = ReadRecords(file.workbook, 0, false);
    std::vector<std::uint16_t> tail;
    const Record* relative = nullptr;
    for (const Record& record : records) {
        if (record.type == 0x00E5) tail.clear();
        tail.push_back(record.type);
        if (record.type == 0x01B8 && U16(record.body, 0) == 4) relative = &record;
    }
    EXPECT_EQ(tail, (std::vector<std::uint16_t>{0x00E5, 0x01B8, 0x0800, 0x01B8, 0x01B8, 0x01B8,
                                                0x01B8, 0x01B8, 0x000A}));
    ASSERT_NE(relative, nullptr);
    const std::uint8_t fileMoniker[] = {0x03, 0x03, 0, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
    const auto moniker = std::search(relative->body.begin(), relative->body.end(),
                                     std::begin(fileMoniker), std::end(fileMoniker));
    ASSERT_NE(moniker, relative->body.end());
    EXPECT_EQ(U16(relative->body, static_cast<std::size_t>(moniker - relative->body.begin()) + 16),
              2)
        << "two parent steps";

    MENDWELL_REQUIRE_XLRD();
    const XlrdDump d = RunXlrd(path);
    ASSERT_TRUE(d.Ran()) << d.Output();
    for (const DumpLine& warning : d.All("warning")) ADD_FAILURE() << warning[1];
    const auto q = [](std::u16string_view text) { return JsonQuote(text); };
    // xlrd gives a file moniker's 16-bit path without its parent steps.
    EXPECT_EQ(
        d.All("hyperlink"),
        (std::vector<DumpLine>{
            {"hyperlink", "0", "1", "1", "1", "1", q(u"http://a.org/x?y=1"), q(u""), q(u"Site"),
             q(u"Read me")},
            {"hyperlink", "0", "2", "3", "2", "3", q(u"https://b.org/"), q(u"sec 2"), q(u""),
             q(u"")},
            {"hyperlink", "0", "4", "4", "0", "0", q(u"docs\\a b.xls"), q(u"Sheet1!A1"), q(u""),
             q(u"")},
            {"hyperlink", "0", "5", "5", "0", "0", q(u"C:\\Daten\\\u00dcbersicht \u20ac.xls"),
             q(u""), q(u""), q(u"")},
            {"hyperlink", "0", "6", "6", "0", "0", q(u"\\\\srv\\share\\f.xls"), q(u""), q(u"Share"),
             q(u"")},
            {"hyperlink", "0", "7", "7", "0", "0", q(u""), q(u"'My sheet'!B9"), q(u""), q(u"")},
        }));
    EXPECT_EQ(d.Find({"cell", "0", "6", "0"}), (DumpLine{"text", q(u"Share")}));
}
