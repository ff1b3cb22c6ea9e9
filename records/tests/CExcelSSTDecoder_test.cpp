#include "records/CExcelSSTDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "biff/CExcelContinueRecordOffset.h"
#include "biff/CExcelRawRecordData.h"
#include "biff/tests/support/BiffWriter.h"
#include "platform/RunState.h"
#include "records/CExcelSSTDataList.h"
#include "records/tests/support/SstBuilder.h"

using testsupport::JoinedSst;
using testsupport::JoinRecords;
using testsupport::SstBuilder;
using testsupport::SstBytes;
using testsupport::SstString;

namespace {

std::uint32_t Decode(const JoinedSst& joined, CExcelSSTDataList& list) {
    return CExcelSSTDecoder::DecodeBytes(joined.bytes.data(),
                                         static_cast<std::uint32_t>(joined.bytes.size()),
                                         joined.boundaries, list);
}

std::vector<std::u16string> Texts(const CExcelSSTDataList& list) {
    std::vector<std::u16string> texts;
    for (std::uint32_t i = 0; i < list.GetCount(); ++i)
        texts.push_back(list.GetAt(i) ? std::u16string(list.GetAt(i)->GetText()) : u"<lost>");
    return texts;
}

std::vector<std::u16string> DecodeStream(const SstBuilder& builder,
                                         const std::vector<std::uint32_t>& cuts) {
    CExcelSSTDataList list;
    Decode(JoinRecords(builder.Stream(cuts)), list);
    return Texts(list);
}

SstString Narrow(std::u16string text) {
    return SstString{std::move(text), false, {}, false, {}};
}
SstString Wide(std::u16string text) {
    return SstString{std::move(text), true, {}, false, {}};
}

std::vector<std::pair<std::uint16_t, std::uint16_t>> Runs(const CExcelSSTData& entry) {
    std::vector<std::pair<std::uint16_t, std::uint16_t>> runs;
    for (const CFormatingRuns& run : entry.GetRuns())
        runs.emplace_back(run.GetFirstChar(), run.GetFontIndex());
    return runs;
}

}  // namespace

// ---- Strings inside one record ---------------------------------------------

TEST(SstStrings, NarrowAndWideStringsInOneRecord) {
    SstBuilder sst;
    sst.Add(Narrow(u"caf\u00e9")).Add(Wide(u"\u4e2d\u6587")).Add(Narrow(u""));
    const std::vector<std::u16string> expected = {u"caf\u00e9", u"\u4e2d\u6587", u""};
    EXPECT_EQ(DecodeStream(sst, {}), expected);
}

// ---- Characters crossing a CONTINUE boundary -------------------------------

TEST(SstContinue, NarrowCharactersContinuedAsSixteenBit) {
    SstBuilder sst;
    sst.Add(Narrow(u"abcdef")).Add(Narrow(u"next"));
    // Cut before 'd': the option byte switches the rest to 16-bit.
    const SstBytes stream = sst.Stream({sst.Layout()[0].chars + 3});
    const JoinedSst joined = JoinRecords(stream);
    ASSERT_EQ(joined.boundaries.size(), 1u);
    EXPECT_EQ(joined.boundaries[0].removedByte, 0x01);
    CExcelSSTDataList list;
    EXPECT_EQ(Decode(joined, list), 1u);
    EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"abcdef", u"next"}));
}

TEST(SstContinue, SixteenBitCharactersContinuedAsNarrow) {
    SstBuilder sst;
    sst.Add(Wide(u"ABCDEFG")).Add(Wide(u"\u4e2d"));
    const JoinedSst joined = JoinRecords(sst.Stream({sst.Layout()[0].chars + 2}));
    ASSERT_EQ(joined.boundaries.size(), 1u);
    EXPECT_EQ(joined.boundaries[0].removedByte, 0x00);
    CExcelSSTDataList list;
    Decode(joined, list);
    EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"ABCDEFG", u"\u4e2d"}));
}

TEST(SstContinue, CharactersStartingRightAfterTheBoundaryTakeTheOptionByte) {
    // The header fills the record exactly; the CONTINUE begins with the
    // option byte of the characters.
    SstBuilder sst;
    sst.Add(Narrow(u"head")).Add(Narrow(u"tail"));
    EXPECT_EQ(DecodeStream(sst, {sst.Layout()[0].chars}),
              (std::vector<std::u16string>{u"head", u"tail"}));
}

TEST(SstContinue, EmptyStringAtABoundaryTakesNoOptionByte) {
    SstBuilder sst;
    sst.Add(Narrow(u"")).Add(Narrow(u"x"));
    // The boundary after the empty string's header is the next header's start.
    EXPECT_EQ(DecodeStream(sst, {sst.Layout()[0].end}), (std::vector<std::u16string>{u"", u"x"}));
}

// ---- Boundaries outside characters: the removed byte is data ---------------

TEST(SstContinue, HeaderStartingExactlyAtABoundaryGetsItsCountBack) {
    SstBuilder sst;
    std::u16string long300(300, u'z');  // count 0x012C: the removed byte is 0x2C
    sst.Add(Narrow(u"first")).Add(Narrow(long300)).Add(Narrow(u"third"));
    const JoinedSst joined = JoinRecords(sst.Stream({sst.Layout()[1].header}));
    ASSERT_EQ(joined.boundaries.size(), 1u);
    EXPECT_EQ(joined.boundaries[0].removedByte, 0x2C);
    CExcelSSTDataList list;
    Decode(joined, list);
    EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"first", long300, u"third"}));
}

TEST(SstContinue, HeaderCutInItsMiddle) {
    for (std::uint32_t at = 1; at <= 2; ++at) {
        SstBuilder sst;
        sst.Add(Narrow(u"one")).Add(Wide(u"\u0416two")).Add(Narrow(u"three"));
        EXPECT_EQ(DecodeStream(sst, {sst.Layout()[1].header + at}),
                  (std::vector<std::u16string>{u"one", u"\u0416two", u"three"}))
            << "cut " << at << " bytes into the header";
    }
}

TEST(SstContinue, BoundaryInsideRichTextRunsKeepsRunsAndLaterStrings) {
    SstString rich = Narrow(u"Bold and plain");
    rich.runs = {{0, 6}, {4, 0}, {9, 7}};
    SstBuilder sst;
    sst.Add(Narrow(u"before")).Add(rich).Add(Wide(u"\u00e9t\u00e9")).Add(Narrow(u"last"));
    // Inside the second run, between its first-character and font fields.
    const std::uint32_t cut = sst.Layout()[1].runs + 6;
    CExcelSSTDataList list;
    Decode(JoinRecords(sst.Stream({cut})), list);
    ASSERT_EQ(list.GetCount(), 4u);
    EXPECT_TRUE(list.GetAt(1)->IsRich());
    EXPECT_EQ(list.GetAt(1)->GetText(), u"Bold and plain");
    EXPECT_EQ(Runs(*list.GetAt(1)),
              (std::vector<std::pair<std::uint16_t, std::uint16_t>>{{0, 6}, {4, 0}, {9, 7}}));
    EXPECT_EQ(list.GetAt(2)->GetText(), u"\u00e9t\u00e9");
    EXPECT_EQ(list.GetAt(3)->GetText(), u"last");
}

TEST(SstContinue, BoundaryInsideAnExtensionBlockKeepsLaterStrings) {
    SstString phonetic = Wide(u"\u6f22\u5b57");
    phonetic.farEast = true;
    phonetic.extension = SstBytes(25, 0x5A);
    SstBuilder sst;
    sst.Add(phonetic).Add(Narrow(u"kana")).Add(Narrow(u"end"));
    CExcelSSTDataList list;
    Decode(JoinRecords(sst.Stream({sst.Layout()[0].extension + 11})), list);
    ASSERT_EQ(list.GetCount(), 3u);
    EXPECT_TRUE(list.GetAt(0)->IsExtended());
    EXPECT_EQ(list.GetAt(0)->GetText(), u"\u6f22\u5b57");
    EXPECT_EQ(list.GetAt(1)->GetText(), u"kana");
    EXPECT_EQ(list.GetAt(2)->GetText(), u"end");
}

// ---- Extension offsets -------------------------------------------------------

TEST(SstExtension, OffsetCountsEveryCharacterAsSixteenBit) {
    SstString phonetic = Narrow(u"ab");
    phonetic.farEast = true;
    phonetic.extension = SstBytes(4, 1);
    SstBuilder sst;
    sst.Add(phonetic).Add(Narrow(u"x"));
    CExcelSSTDataList list;
    Decode(JoinRecords(sst.Stream({})), list);
    // Header 4, counts 8, string header 3 + extension size 4, two characters
    // widened to 4 bytes.
    EXPECT_EQ(list.GetAt(0)->GetExtensionOffset(), 23u);
    EXPECT_EQ(list.GetAt(0)->GetExtensionOffset(), sst.Layout()[0].normalisedExtension);
}

// ---- Damaged and truncated tables --------------------------------------------

TEST(SstDamage, TruncatedTableKeepsTheStringsBeforeTheCutAndTheCutString) {
    SstBuilder sst;
    sst.Add(Narrow(u"kept")).Add(Narrow(u"halfway")).Add(Narrow(u"gone"));
    JoinedSst joined = JoinRecords(sst.Stream({}));
    // Cut 3 characters into the second string.
    joined.bytes.resize(4 + sst.Layout()[1].chars + 3);
    CExcelSSTDataList list;
    Decode(joined, list);
    EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"kept", u"hal"}));
}

TEST(SstDamage, TableCutInsideAHeaderEndsWithoutAnEntry) {
    SstBuilder sst;
    sst.Add(Narrow(u"kept")).Add(Narrow(u"lost"));
    JoinedSst joined = JoinRecords(sst.Stream({}));
    joined.bytes.resize(4 + sst.Layout()[1].header + 2);
    CExcelSSTDataList list;
    Decode(joined, list);
    EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"kept"}));
}

TEST(SstDamage, CutRunsAreDroppedButTheTextIsKept) {
    SstString rich = Narrow(u"text");
    rich.runs = {{0, 1}, {2, 3}};
    SstBuilder sst;
    sst.Add(rich);
    JoinedSst joined = JoinRecords(sst.Stream({}));
    joined.bytes.resize(4 + sst.Layout()[0].runs + 6);
    CExcelSSTDataList list;
    Decode(joined, list);
    ASSERT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.GetAt(0)->GetText(), u"text");
    EXPECT_EQ(Runs(*list.GetAt(0)), (std::vector<std::pair<std::uint16_t, std::uint16_t>>{{0, 1}}));
}

TEST(SstDamage, UniqueCountLargerThanTheStringsPresent) {
    SstBuilder sst;
    sst.Add(Narrow(u"a")).Add(Narrow(u"b")).Counts(5, 0xFFFFFFFF);
    EXPECT_EQ(DecodeStream(sst, {}), (std::vector<std::u16string>{u"a", u"b"}));
}

TEST(SstDamage, HugeCharacterCountIsCutAtTheEndOfTheData) {
    SstBytes body = {1, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0x01, 'o', 0, 'k', 0};
    SstBytes record = {0xFC, 0x00, static_cast<std::uint8_t>(body.size()), 0};
    record.insert(record.end(), body.begin(), body.end());
    CExcelSSTDataList list;
    CExcelSSTDecoder::DecodeBytes(record.data(), static_cast<std::uint32_t>(record.size()), {},
                                  list);
    ASSERT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.GetAt(0)->GetText(), u"ok");
}

TEST(SstDamage, HalfASixteenBitCharacterBeforeABoundaryIsDropped) {
    // "AB" 16-bit, then a stray byte, then a CONTINUE going on with "C" 8-bit.
    const SstBytes joined = {0xFC, 0, 0, 0, 1,   0, 0,   0, 1,    0,  0,
                             0,    3, 0, 1, 'A', 0, 'B', 0, 0x77, 'C'};
    CExcelSSTDataList list;
    CExcelSSTDecoder::DecodeBytes(joined.data(), static_cast<std::uint32_t>(joined.size()),
                                  {{20, 0x00}}, list);
    ASSERT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.GetAt(0)->GetText(), u"ABC");
}

TEST(SstDamage, RecordTooShortForTheCountsGivesNothing) {
    const SstBytes joined = {0xFC, 0, 3, 0, 7, 0, 0};
    CExcelSSTDataList list;
    CExcelSSTDecoder::DecodeBytes(joined.data(), static_cast<std::uint32_t>(joined.size()), {},
                                  list);
    EXPECT_EQ(list.GetCount(), 0u);
    CExcelSSTDecoder::DecodeBytes(nullptr, 0, {}, list);
    EXPECT_EQ(list.GetCount(), 0u);
}

TEST(SstDamage, BoundariesPastTheLastStringAreNotUsed) {
    SstBuilder sst;
    sst.Add(Narrow(u"abc")).Add(Narrow(u"defg")).Counts(2, 1);
    const JoinedSst joined =
        JoinRecords(sst.Stream({sst.Layout()[0].chars + 1, sst.Layout()[1].chars + 1}));
    CExcelSSTDataList list;
    EXPECT_EQ(Decode(joined, list), 1u);
    EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"abc"}));
}

// ---- Text-cell counter -------------------------------------------------------

TEST(SstCounter, TotalIsAddedToTheTextCellCounter) {
    ResetRepairCounters();
    SstBuilder sst;
    sst.Add(Narrow(u"a")).Counts(1234, 1);
    DecodeStream(sst, {});
    EXPECT_EQ(RepairCounters[CounterTextCells].load(), 1234u);
    SstBuilder empty;
    empty.Counts(66, 0);
    EXPECT_TRUE(DecodeStream(empty, {}).empty());
    EXPECT_EQ(RepairCounters[CounterTextCells].load(), 1300u);
    ResetRepairCounters();
}

// ---- Round trip over random tables and cuts ------------------------------------

TEST(SstRoundTrip, RandomTablesCutAnywhereDecodeWhole) {
    std::mt19937 random(20240611);
    auto pick = [&](std::uint32_t n) { return static_cast<std::uint32_t>(random() % n); };
    const char16_t alphabet[] = {u'a',      u'Z',      u'0',      u' ',      u'\u00e9',
                                 u'\u00ff', u'\u0416', u'\u4e2d', u'\u3042', u'\u20ac'};
    for (int table = 0; table < 300; ++table) {
        SstBuilder sst;
        std::vector<SstString> strings;
        const std::uint32_t count = 1 + pick(12);
        for (std::uint32_t s = 0; s < count; ++s) {
            SstString str;
            const std::uint32_t length = pick(4) == 0 ? 0 : 1 + pick(40);
            const bool narrowOnly = pick(2) == 0;
            for (std::uint32_t c = 0; c < length; ++c)
                str.text.push_back(alphabet[pick(narrowOnly ? 6 : 10)]);
            str.wide = !narrowOnly || pick(3) == 0;
            if (pick(3) == 0)
                for (std::uint32_t r = 1 + pick(4); r > 0; --r)
                    str.runs.emplace_back(static_cast<std::uint16_t>(pick(50)),
                                          static_cast<std::uint16_t>(pick(9)));
            if (pick(4) == 0) {
                str.farEast = true;
                str.extension.assign(pick(30), static_cast<std::uint8_t>(pick(256)));
            }
            strings.push_back(str);
            sst.Add(str);
        }
        std::vector<std::uint32_t> cuts;
        for (std::uint32_t u = 1 + pick(30); u < sst.UnitCount(); u += 1 + pick(30))
            cuts.push_back(u);

        CExcelSSTDataList list;
        const JoinedSst joined = JoinRecords(sst.Stream(cuts));
        EXPECT_EQ(Decode(joined, list), joined.boundaries.size());
        ASSERT_EQ(list.GetCount(), count) << "table " << table;
        for (std::uint32_t s = 0; s < count; ++s) {
            const CExcelSSTData& entry = *list.GetAt(s);
            EXPECT_EQ(entry.GetText(), strings[s].text) << "table " << table << " string " << s;
            EXPECT_EQ(Runs(entry), strings[s].runs) << "table " << table << " string " << s;
            EXPECT_EQ(entry.IsRich(), !strings[s].runs.empty());
            EXPECT_EQ(entry.IsExtended(), strings[s].farEast);
            EXPECT_EQ(entry.GetExtensionOffset(), sst.Layout()[s].normalisedExtension);
        }
    }
}

// ---- Damage anywhere: what lies before it survives ------------------------------

TEST(SstRoundTrip, ByteDamageNeverTouchesTheStringsBeforeIt) {
    std::mt19937 random(77);
    SstBuilder sst;
    std::vector<std::u16string> texts;
    for (int s = 0; s < 40; ++s) {
        SstString str = (s % 3 == 0) ? Wide(u"\u4e2d" + std::u16string(s % 7, u'w'))
                                     : Narrow(std::u16string(1 + s % 11, char16_t('a' + s % 26)));
        if (s % 5 == 0) str.runs = {{0, 1}, {1, 2}};
        if (s % 4 == 0) {
            str.farEast = true;
            str.extension.assign(s % 9, 0x44);
        }
        texts.push_back(str.text);
        sst.Add(str);
    }
    std::vector<std::uint32_t> cuts;
    for (std::uint32_t u = 17; u < sst.UnitCount(); u += 23) cuts.push_back(u);
    std::vector<std::uint32_t> ends;
    const JoinedSst clean = JoinRecords(sst.Stream(cuts, &ends));
    ASSERT_EQ(ends.size(), texts.size());
    ASSERT_TRUE(std::is_sorted(ends.begin(), ends.end()));
    ASSERT_EQ(ends.back(), clean.bytes.size());
    for (int trial = 0; trial < 400; ++trial) {
        JoinedSst damaged = clean;
        const std::uint32_t at = 12 + random() % (damaged.bytes.size() - 12);
        damaged.bytes[at] = static_cast<std::uint8_t>(random());
        if (trial % 4 == 0) damaged.bytes.resize(at + 1);
        std::uint32_t firstDamage = at;
        if (trial % 7 == 0) {
            auto& boundary = damaged.boundaries[random() % damaged.boundaries.size()];
            boundary.removedByte = static_cast<std::uint8_t>(random());
            firstDamage = std::min(firstDamage, boundary.offset);
        }
        CExcelSSTDataList list;
        Decode(damaged, list);
        // Every string that ends before the first damaged byte decodes as it
        // was written; the table never grows past what was written.
        std::uint32_t intact = 0;
        while (intact < texts.size() && ends[intact] <= firstDamage) ++intact;
        ASSERT_GE(list.GetCount(), intact) << "trial " << trial;
        for (std::uint32_t s = 0; s < intact; ++s)
            EXPECT_EQ(list.GetAt(s)->GetText(), texts[s]) << "trial " << trial;
        EXPECT_LE(list.GetCount(), texts.size());
    }
}

// ---- From the spill file, with the record stream's boundary list ------------------

TEST(SstSpillFile, DecodeConsumesTheBoundariesItUsedAndFreesTheBytes) {
    testsupport::ScopedTempDir temp;
    SstBuilder sst;
    sst.Add(Narrow(u"alpha")).Add(Narrow(u"beta")).Counts(9, 1);
    const JoinedSst joined =
        JoinRecords(sst.Stream({sst.Layout()[0].chars + 2, sst.Layout()[1].chars + 1}));
    CExcelRawRecordData record(joined.bytes.data(),
                               static_cast<std::uint32_t>(joined.bytes.size()));
    CExcelContinueRecordOffsetList continues;
    for (const auto& b : joined.boundaries) continues.Add(b.offset, b.removedByte);

    ResetRepairCounters();
    CExcelSSTDataList list;
    CExcelSSTDecoder::Decode(record, list, continues);
    EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"alpha"}));
    EXPECT_EQ(RepairCounters[CounterTextCells].load(), 9u);
    ASSERT_EQ(continues.GetCount(), 1u);  // the boundary inside "beta" was not reached
    EXPECT_EQ(continues.GetHead()->GetOffset(), joined.boundaries[1].offset);
    EXPECT_EQ(record.GetLoadedBytes(), nullptr);
    ResetRepairCounters();
}

TEST(SstSpillFile, SecondTableAppendsAfterTheFirst) {
    testsupport::ScopedTempDir temp;
    CExcelSSTDataList list;
    for (const char16_t* text : {u"one", u"two"}) {
        SstBuilder sst;
        sst.Add(Narrow(text));
        const JoinedSst joined = JoinRecords(sst.Stream({}));
        CExcelRawRecordData record(joined.bytes.data(),
                                   static_cast<std::uint32_t>(joined.bytes.size()));
        CExcelContinueRecordOffsetList continues;
        CExcelSSTDecoder::Decode(record, list, continues);
    }
    EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"one", u"two"}));
}

TEST(SstSpillFile, UnreadableSpillFileAddsNothing) {
    testsupport::ScopedTempDir temp;
    SstBuilder sst;
    sst.Add(Narrow(u"lost")).Counts(50, 1);
    const JoinedSst joined = JoinRecords(sst.Stream({sst.Layout()[0].chars + 1}));
    // Only a record past the memory limit has a spill file to lose.
    constexpr std::uint32_t kLimit = 64;
    auto padded = joined.bytes;
    padded.resize(std::max<std::size_t>(padded.size(), kLimit + 1));
    CExcelRawRecordData record(padded.data(), static_cast<std::uint32_t>(padded.size()), kLimit);
    ASSERT_TRUE(record.IsSpilled());
    std::filesystem::remove(record.GetSpillPath());
    CExcelContinueRecordOffsetList continues;
    continues.Add(joined.boundaries[0].offset, joined.boundaries[0].removedByte);
    ResetRepairCounters();
    CExcelSSTDataList list;
    CExcelSSTDecoder::Decode(record, list, continues);
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_EQ(RepairCounters[CounterTextCells].load(), 0u);
    EXPECT_EQ(continues.GetCount(), 1u);
}
