#include "records/CExcelSSTIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "records/CExcelSSTDataList.h"
#include "records/CExcelSSTDecoder.h"
#include "records/tests/support/SstBuilder.h"

using testsupport::JoinedSst;
using testsupport::JoinRecords;
using testsupport::SstBuilder;
using testsupport::SstBytes;
using testsupport::SstString;

namespace {

// Where the SST record lies in the stream of the tests below.
constexpr std::uint32_t kSstAt = 1000;
constexpr std::uint32_t kPerBucket = 4;
const std::u16string kLost = u"<lost>";

// A shared-string table of 12 strings in five records, with EXTSST buckets of
// four strings, as a writer leaves it and as the record stream joins it.
struct Table {
    JoinedSst joined;
    std::vector<CExcelSSTIndex::Piece> pieces;
    SstBytes extsst;
    std::vector<std::u16string> texts;
    std::vector<std::uint32_t> starts;  // joined offset of each string's header
};

void PutU16(SstBytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

// The EXTSST entry of a string whose header is at joined offset x: one at a
// CONTINUE's first byte lies at offset 4 of that record, any other 5 bytes
// past its piece's start.
std::pair<std::uint32_t, std::uint32_t> EntryFor(const Table& t, std::uint32_t x) {
    std::size_t i = t.pieces.size() - 1;
    while (i > 0 && t.pieces[i].dataOffset > x) --i;
    const std::uint32_t start = t.pieces[i].dataOffset;
    const std::uint32_t inRecord = i == 0 ? x : x == start ? 4 : 5 + x - start;
    return {t.pieces[i].streamPosition + inRecord, inRecord};
}

Table MakeTable() {
    Table t;
    SstBuilder sst;
    for (int s = 0; s < 12; ++s) {
        t.texts.push_back(u"string-" + std::u16string(1, char16_t(u'a' + s)) + u"xyz");
        sst.Add(SstString{t.texts.back(), false, {}, false, {}});
    }
    const auto& layout = sst.Layout();
    // Boundaries inside the characters of strings 2, 5 and 9 (the builder
    // goes on at 16 bits there) and before the header of string 7.
    const std::vector<std::uint32_t> cuts = {layout[2].chars + 3, layout[5].chars + 2,
                                             layout[7].header, layout[9].chars + 4};
    std::vector<std::uint32_t> ends;
    const SstBytes stream = sst.Stream(cuts, &ends);
    t.joined = JoinRecords(stream);

    // Record headers in the stream; the SST's bytes start the joined record.
    std::uint32_t at = 0;
    t.pieces.push_back({kSstAt, 0});
    at += 4 + (stream[2] | (stream[3] << 8));
    for (const CExcelSSTCursor::Boundary& boundary : t.joined.boundaries) {
        t.pieces.push_back({kSstAt + at, boundary.offset});
        at += 4 + (stream[at + 2] | (stream[at + 3] << 8));
    }
    t.starts.push_back(12);
    t.starts.insert(t.starts.end(), ends.begin(), ends.end() - 1);

    PutU16(t.extsst, kPerBucket);
    for (std::size_t s = 0; s < t.texts.size(); s += kPerBucket) {
        const auto [position, inRecord] = EntryFor(t, t.starts[s]);
        PutU16(t.extsst, position & 0xFFFF);
        PutU16(t.extsst, position >> 16);
        PutU16(t.extsst, inRecord);
        PutU16(t.extsst, 0);
    }
    return t;
}

// Removes n bytes of the joined record at offset, as a CONTINUE whose length
// was damaged leaves it; the records after it keep their stream positions.
void RemoveBytes(Table& t, std::uint32_t offset, std::uint32_t n) {
    t.joined.bytes.erase(t.joined.bytes.begin() + offset, t.joined.bytes.begin() + offset + n);
    for (auto& boundary : t.joined.boundaries)
        if (boundary.offset > offset) boundary.offset -= n;
    for (auto& piece : t.pieces)
        if (piece.dataOffset > offset) piece.dataOffset -= n;
}

void SetEntry(Table& t, std::uint32_t bucket, std::uint32_t position, std::uint32_t inRecord) {
    const std::size_t at = 2 + 8 * bucket;
    t.extsst[at] = static_cast<std::uint8_t>(position & 0xFF);
    t.extsst[at + 1] = static_cast<std::uint8_t>((position >> 8) & 0xFF);
    t.extsst[at + 2] = static_cast<std::uint8_t>((position >> 16) & 0xFF);
    t.extsst[at + 3] = static_cast<std::uint8_t>(position >> 24);
    t.extsst[at + 4] = static_cast<std::uint8_t>(inRecord & 0xFF);
    t.extsst[at + 5] = static_cast<std::uint8_t>(inRecord >> 8);
}

std::uint32_t EntryPosition(const Table& t, std::uint32_t bucket) {
    const std::size_t at = 2 + 8 * bucket;
    return t.extsst[at] | (t.extsst[at + 1] << 8) | (t.extsst[at + 2] << 16) |
           (static_cast<std::uint32_t>(t.extsst[at + 3]) << 24);
}

std::vector<std::u16string> Decode(const Table& t) {
    const std::vector<CExcelSSTDecoder::BucketStart> buckets =
        CExcelSSTIndex::Buckets(t.extsst.data(), static_cast<std::uint32_t>(t.extsst.size()),
                                t.pieces, static_cast<std::uint32_t>(t.joined.bytes.size()));
    CExcelSSTDataList list;
    CExcelSSTDecoder::DecodeBytes(t.joined.bytes.data(),
                                  static_cast<std::uint32_t>(t.joined.bytes.size()),
                                  t.joined.boundaries, list, buckets);
    std::vector<std::u16string> texts;
    for (std::uint32_t i = 0; i < list.GetCount(); ++i)
        texts.push_back(list.GetAt(i) ? std::u16string(list.GetAt(i)->GetText()) : kLost);
    return texts;
}

}  // namespace

// Each row damages the table one way and says, index by index, which strings
// come back as themselves and which are lost: never a string under another
// string's index. 'k' keeps the string, '-' loses it; the table ends where
// the pattern does.
TEST(SstRealign, DamagedTablesNeverShift) {
    struct Row {
        const char* name;
        std::function<void(Table&)> damage;
        const char* kept;
    };
    const Row rows[] = {
        {"sound, EXTSST present", [](Table&) {}, "kkkkkkkkkkkk"},
        {"sound, EXTSST absent", [](Table& t) { t.extsst.clear(); }, "kkkkkkkkkkkk"},
        {"sound, EXTSST without an entry", [](Table& t) { t.extsst.resize(2); }, "kkkkkkkkkkkk"},
        {"sound, EXTSST positions damaged",
         [](Table& t) {
             SetEntry(t, 1, 0xFFFFFFF0, 12);
             SetEntry(t, 2, EntryPosition(t, 2) + 3, 7);
         },
         "kkkkkkkkkkkk"},
        {"sound, EXTSST naming the next string's start",
         [](Table& t) {
             const auto [position, inRecord] = EntryFor(t, t.starts[5]);
             SetEntry(t, 1, position, inRecord);
         },
         "kkkkkkkkkkkk"},
        {"option byte flipped in string 2, EXTSST present",
         [](Table& t) { t.joined.boundaries[0].removedByte ^= 0x01; }, "kk-kkkkkkkkk"},
        {"option byte flipped in string 2, EXTSST absent",
         [](Table& t) {
             t.joined.boundaries[0].removedByte ^= 0x01;
             t.extsst.clear();
         },
         "kk"},
        {"option byte flipped in string 2, its bucket's successor damaged",
         [](Table& t) {
             t.joined.boundaries[0].removedByte ^= 0x01;
             SetEntry(t, 1, 3, 12);
         },
         "kk-kkkkkkkkk"},
        {"CONTINUE lost in string 5, EXTSST present",
         [](Table& t) {
             CExcelSSTCursor::Boundary& lost = t.joined.boundaries[1];
             lost.damaged = true;
             lost.removedByte = 0;
             for (std::uint32_t i = 0; i < 15; ++i) t.joined.bytes[lost.offset + i] = 0;
         },
         "kkkkk-kkkkkk"},
        {"CONTINUE lost in string 5, EXTSST absent",
         [](Table& t) {
             t.joined.boundaries[1].damaged = true;
             t.extsst.clear();
         },
         "kkkkk"},
        {"CONTINUE misframed: two bytes of string 6 missing, EXTSST present",
         [](Table& t) { RemoveBytes(t, t.starts[6] + 5, 2); }, "kkkkkk-kkkkk"},
        {"records read from the raw file, one sector past the stream's positions",
         [](Table& t) {
             for (auto& piece : t.pieces) piece.streamPosition += 512;
             t.joined.bytes[t.starts[5] + 2] = 0x10;
         },
         "kkkkk-kkkkkk"},
    };
    for (const Row& row : rows) {
        Table table = MakeTable();
        row.damage(table);
        std::vector<std::u16string> expected;
        for (std::size_t i = 0; row.kept[i] != '\0'; ++i)
            expected.push_back(row.kept[i] == 'k' ? table.texts[i] : kLost);
        EXPECT_EQ(Decode(table), expected) << row.name;
    }
}

// Each row damages the table one way and says which bytes of the joined
// record the decoder could not use, as pairs of string indices: from the
// header of the first to the header of the second, 12 standing for the end
// of the record.
TEST(SstRealign, DroppedBytesRunFromTheLastKeptStringToWhereTheWalkResumed) {
    struct Row {
        const char* name;
        std::function<void(Table&)> damage;
        std::vector<std::pair<std::size_t, std::size_t>> dropped;
    };
    auto flipOption = [](Table& t) { t.joined.boundaries[0].removedByte ^= 0x01; };
    auto reservedFlags = [](Table& t, std::size_t s) { t.joined.bytes[t.starts[s] + 2] = 0x10; };
    const Row rows[] = {
        {"sound", [](Table&) {}, {}},
        {"option byte flipped in string 2, EXTSST present", flipOption, {{2, 3}}},
        {"option byte flipped in string 2, EXTSST absent",
         [&](Table& t) {
             flipOption(t);
             t.extsst.clear();
         },
         {{2, 12}}},
        {"CONTINUE lost in string 5, EXTSST present",
         [](Table& t) { t.joined.boundaries[1].damaged = true; },
         {{5, 6}}},
        {"reserved flag bits in string 6's header, EXTSST absent",
         [&](Table& t) {
             reservedFlags(t, 6);
             t.extsst.clear();
         },
         {{6, 12}}},
        {"reserved flag bits in string 5's header lose that string alone",
         [&](Table& t) { reservedFlags(t, 5); },
         {{5, 6}}},
        {"damage in two buckets in a row loses a string in each",
         [&](Table& t) {
             flipOption(t);
             reservedFlags(t, 5);
         },
         {{2, 3}, {5, 6}}},
        {"table cut inside the last string's header",
         [](Table& t) { t.joined.bytes.resize(t.starts[11] + 2); },
         {{11, 12}}},
    };
    for (const Row& row : rows) {
        Table table = MakeTable();
        row.damage(table);
        const std::vector<CExcelSSTDecoder::BucketStart> buckets = CExcelSSTIndex::Buckets(
            table.extsst.data(), static_cast<std::uint32_t>(table.extsst.size()), table.pieces,
            static_cast<std::uint32_t>(table.joined.bytes.size()));
        CExcelSSTDataList list;
        std::vector<CExcelSSTDecoder::DroppedBytes> dropped;
        CExcelSSTDecoder::DecodeBytes(table.joined.bytes.data(),
                                      static_cast<std::uint32_t>(table.joined.bytes.size()),
                                      table.joined.boundaries, list, buckets, &dropped);
        auto at = [&](std::size_t s) {
            return s < table.starts.size() ? table.starts[s]
                                           : static_cast<std::uint32_t>(table.joined.bytes.size());
        };
        std::vector<std::pair<std::uint32_t, std::uint32_t>> expected, got;
        for (const auto& [from, to] : row.dropped) expected.emplace_back(at(from), at(to));
        for (const CExcelSSTDecoder::DroppedBytes& stretch : dropped)
            got.emplace_back(stretch.begin, stretch.end);
        EXPECT_EQ(got, expected) << row.name;
    }
}

// Any one byte of the table damaged: every string comes back as itself or
// lost, never as another string, except one whose characters hold the byte.
// A string whose header holds it is lost: its length cannot be trusted.
// The last bucket is left out: with no bucket start after it, a count that
// runs to the end of the table looks like a table cut there, whose last
// string keeps the characters present.
TEST(SstRealign, StringsFoundAgainAfterDamageAreTheirOwn) {
    std::mt19937 random(2024);
    const Table clean = MakeTable();
    for (int trial = 0; trial < 300; ++trial) {
        Table table = clean;
        const std::uint32_t at =
            12 + static_cast<std::uint32_t>(random() % (table.joined.bytes.size() - 12));
        table.joined.bytes[at] = static_cast<std::uint8_t>(random());
        const std::vector<std::u16string> texts = Decode(table);
        const std::size_t lastBucket = (table.texts.size() - 1) / kPerBucket * kPerBucket;
        for (std::size_t s = 0; s < texts.size() && s < lastBucket; ++s) {
            const std::size_t end =
                s + 1 < table.starts.size() ? table.starts[s + 1] : table.joined.bytes.size();
            // A header starting at a boundary has its first byte there.
            const bool split = std::any_of(
                table.joined.boundaries.begin(), table.joined.boundaries.end(),
                [&](const CExcelSSTCursor::Boundary& b) { return b.offset == table.starts[s]; });
            if (table.starts[s] + (split ? 2 : 3) <= at && at < end) continue;
            EXPECT_TRUE(texts[s] == kLost || texts[s] == table.texts[s])
                << "trial " << trial << " byte " << at << " string " << s << " got "
                << std::string(texts[s].begin(), texts[s].end());
        }
    }
}
