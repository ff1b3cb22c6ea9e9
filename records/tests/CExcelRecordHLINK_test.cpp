// HLINK records: each moniker kind into its address, the location and the
// description, records cut short or with damaged lengths, and the route
// that takes the tool tip from the QUICKTIP record right after it.
#include "records/CExcelRecordHLINK.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "biff/BiffRecordIds.h"
#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelWorkSheet.h"
#include "records/HyperlinkLayout.h"
#include "records/tests/support/MemoryStreamReader.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::Concat;

namespace {

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all = Concat(all, part);
    return all;
}

Bytes Wide(const std::u16string& text) {
    Bytes bytes;
    for (char16_t c : text) bytes = Concat(bytes, BiffWriter::U16(c));
    return bytes;
}

Bytes Narrow(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// A string of the hyperlink stream: count with the zero, characters, zero.
Bytes Str(const std::u16string& text) {
    return Join(
        {BiffWriter::U32(static_cast<std::uint32_t>(text.size() + 1)), Wide(text), Bytes{0, 0}});
}

Bytes ClassId(const std::uint8_t (&id)[hlink::kClassIdSize]) {
    return Bytes(id, id + hlink::kClassIdSize);
}

// Range B2:D3 (rows 1-2, columns 1-3), the stream's class id, version 2.
Bytes Head(std::uint32_t flags, std::uint32_t version = 2) {
    return Join({BiffWriter::U16(1), BiffWriter::U16(2), BiffWriter::U16(1), BiffWriter::U16(3),
                 Bytes{0xD0, 0xC9, 0xEA, 0x79, 0xF9, 0xBA, 0xCE, 0x11, 0x8C, 0x82, 0x00, 0xAA, 0x00,
                       0x4B, 0xA9, 0x0B},
                 BiffWriter::U32(version), BiffWriter::U32(flags)});
}

// With `extra`, the 24 bytes of serialisation data that the length counts.
Bytes Url(const std::u16string& url, bool extra = false) {
    const Bytes text = Concat(Wide(url), Bytes{0, 0});
    return Join({ClassId(hlink::kUrlMoniker),
                 BiffWriter::U32(static_cast<std::uint32_t>(text.size() + (extra ? 24 : 0))), text,
                 Bytes(extra ? 24 : 0, 0x77)});
}

Bytes File(std::uint16_t steps, const std::string& ansi, const std::u16string& wide) {
    Bytes moniker =
        Join({ClassId(hlink::kFileMoniker), BiffWriter::U16(steps),
              BiffWriter::U32(static_cast<std::uint32_t>(ansi.size() + 1)), Narrow(ansi), Bytes{0},
              BiffWriter::U16(0xFFFF), BiffWriter::U16(0xDEAD), Bytes(20, 0)});
    if (wide.empty()) return Concat(moniker, BiffWriter::U32(0));
    const auto bytes = static_cast<std::uint32_t>(wide.size() * 2);
    return Join({moniker, BiffWriter::U32(bytes + 6), BiffWriter::U32(bytes), BiffWriter::U16(3),
                 Wide(wide)});
}

Bytes Item(const std::string& item) {
    return Join({ClassId(hlink::kItemMoniker), BiffWriter::U32(2), Narrow("!"), Bytes{0},
                 BiffWriter::U32(static_cast<std::uint32_t>(item.size() + 1)), Narrow(item),
                 Bytes{0}});
}

constexpr std::uint32_t kUrlLink = hlink::kHasMoniker | hlink::kIsAbsolute;
constexpr std::uint32_t kShown = hlink::kHasDisplayName | hlink::kSiteGaveDisplayName;

struct Case {
    const char* name;
    Bytes payload;
    bool kept;
    std::u16string address;
    std::u16string location;
    std::u16string description;
};

}  // namespace

TEST(CExcelRecordHLINK, DecodesEachKindOfTargetAndRefusesDamage) {
    const Bytes mark = Str(u"Sheet2!A1");
    const Bytes urlLink =
        Join({Head(kUrlLink | kShown), Str(u"Home"), Url(u"http://x.org/", true)});
    const std::vector<Case> cases = {
        {"URL with its serialisation data", urlLink, true, u"http://x.org/", u"", u"Home"},
        {"URL and location, frame before the moniker",
         Join({Head(kUrlLink | hlink::kHasLocation | hlink::kHasFrameName), Str(u"_top"),
               Url(u"mailto:a@b.c"), Str(u"part")}),
         true, u"mailto:a@b.c", u"part", u""},
        {"file: parent steps and the 16-bit path over the 8.3 one",
         Join({Head(hlink::kHasMoniker | kShown), Str(u"Doc"),
               File(2, "LONGNA~1.XLS", u"Long name.xls")}),
         true, u"..\\..\\Long name.xls", u"", u"Doc"},
        {"file: the 8-bit path alone", Join({Head(kUrlLink), File(0, "c:\\a\xE9.txt", u"")}), true,
         u"c:\\a\u00E9.txt", u"", u""},
        {"UNC path stored as a string",
         Join({Head(kUrlLink | hlink::kMonikerSavedAsString), Str(u"\\\\srv\\share\\f.xls")}), true,
         u"\\\\srv\\share\\f.xls", u"", u""},
        {"location in this workbook", Join({Head(hlink::kHasLocation | kShown), Str(u"Go"), mark}),
         true, u"", u"Sheet2!A1", u"Go"},
        {"composite: its file part gives the address",
         Join({Head(hlink::kHasMoniker | hlink::kHasLocation), ClassId(hlink::kCompositeMoniker),
               BiffWriter::U32(2), File(0, "a.xls", u""), Item("Sheet1"), mark}),
         true, u"a.xls", u"Sheet2!A1", u""},
        {"GUID announced but cut: the target is whole",
         Join({Head(hlink::kHasLocation | hlink::kHasGuid), mark, Bytes(5, 1)}), true, u"",
         u"Sheet2!A1", u""},
        {"fewer than 32 bytes", Bytes(31, 0), false, u"", u"", u""},
        {"stream version 3", Join({Head(hlink::kHasLocation, 3), mark}), false, u"", u"", u""},
        {"neither moniker nor location", Join({Head(kShown), Str(u"Text")}), false, u"", u"", u""},
        {"cut inside the URL", Bytes(urlLink.begin(), urlLink.end() - 30), false, u"", u"", u""},
        {"cut inside the location",
         Join({Head(hlink::kHasLocation), Bytes(mark.begin(), mark.end() - 3)}), false, u"", u"",
         u""},
        {"display name count past the end",
         Join({Head(hlink::kHasLocation | kShown), BiffWriter::U32(0x40000000), mark}), false, u"",
         u"", u""},
        {"URL byte length past the end",
         Join({Head(kUrlLink), ClassId(hlink::kUrlMoniker), BiffWriter::U32(5000), Wide(u"h")}),
         false, u"", u"", u""},
        {"file: 16-bit size disagrees with its byte length",
         [] {
             Bytes b = Join({Head(kUrlLink), File(0, "a", u"ab")});
             testsupport::SetU32(b, b.size() - 14, 99);
             return b;
         }(),
         false, u"", u"", u""},
        {"file: parent steps that no path can hold", Join({Head(kUrlLink), File(0xFFFF, "a", u"")}),
         false, u"", u"", u""},
        {"unknown moniker class", Join({Head(kUrlLink), Bytes(16, 0x42), mark}), false, u"", u"",
         u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto link = CExcelRecordHLINK::Decode(c.payload.data(),
                                                    static_cast<std::uint32_t>(c.payload.size()));
        ASSERT_EQ(link != nullptr, c.kept);
        if (!link) continue;
        EXPECT_EQ(link->GetAddress(), c.address);
        EXPECT_EQ(link->GetLocation(), c.location);
        EXPECT_EQ(link->GetDescription(), c.description);
        EXPECT_EQ(link->GetFirstRow(), 1);
        EXPECT_EQ(link->GetLastRow(), 2);
        EXPECT_EQ(link->GetFirstColumn(), 1);
        EXPECT_EQ(link->GetLastColumn(), 3);
    }
}

TEST(CExcelRecordHLINK, TheRouteTakesTheToolTipOfTheNextRecordOnly) {
    const Bytes link = Join({Head(hlink::kHasLocation), Str(u"Sheet2!A1")});
    const auto tip = [](std::uint16_t firstRow) {
        return Join({BiffWriter::U16(biff::kQUICKTIP), BiffWriter::U16(firstRow),
                     BiffWriter::U16(2), BiffWriter::U16(1), BiffWriter::U16(3), Wide(u"Tip"),
                     Bytes{0, 0}});
    };
    BiffWriter w;
    w.Record(biff::kHLINK, link).Record(biff::kQUICKTIP, tip(1));  // its tip
    w.Record(biff::kHLINK, link).Record(biff::kQUICKTIP, tip(7));  // another range's
    w.Record(biff::kHLINK, link)
        .Record(biff::kNUMBER, Bytes(14, 0))
        .Record(biff::kQUICKTIP, tip(1));
    const auto last = static_cast<std::uint32_t>(w.Size());
    w.Record(biff::kHLINK, link);  // its last byte lies past the sheet's end
    testsupport::MemoryStreamReader reader(w.GetBytes(), static_cast<std::uint32_t>(w.Size() - 1));

    CExcelWorkSheet sheet;
    const auto size = static_cast<std::uint32_t>(link.size());
    const std::uint32_t step = 4 + size + 4 + static_cast<std::uint32_t>(tip(1).size());
    EXPECT_TRUE(CExcelRecordHLINK::Read(reader, sheet, size, 0));
    EXPECT_TRUE(CExcelRecordHLINK::Read(reader, sheet, size, step));
    EXPECT_TRUE(CExcelRecordHLINK::Read(reader, sheet, size, 2 * step));
    EXPECT_FALSE(CExcelRecordHLINK::Read(reader, sheet, size, last));
    EXPECT_FALSE(CExcelRecordHLINK::Read(reader, sheet, 8225, 0));
    std::vector<std::u16string> tips;
    for (const CExcelRecordHLINK& kept : sheet.GetHyperlinks()) tips.push_back(kept.GetToolTip());
    EXPECT_EQ(tips, (std::vector<std::u16string>{u"Tip", u"", u""}));
}
