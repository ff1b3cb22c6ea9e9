#include "biff/CBiff5Upgrade.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "biff/tests/support/BiffWriter.h"

namespace {

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::Concat;
using Record = std::pair<std::uint16_t, Bytes>;

Bytes Biff5Bof(std::uint16_t substream) {
    return BiffWriter::RecordBytes(
        0x0809, {0x00, 0x05, static_cast<std::uint8_t>(substream),
                 static_cast<std::uint8_t>(substream >> 8), 0x10, 0x0E, 0xCD, 0x07});
}

Bytes Records(const std::vector<Record>& records) {
    Bytes out;
    for (const auto& [type, body] : records) {
        const Bytes one = BiffWriter::RecordBytes(type, body);
        out.insert(out.end(), one.begin(), one.end());
    }
    return out;
}

Bytes Eof() {
    return BiffWriter::RecordBytes(0x000A, {});
}

// The records of a stream, in order (framing assumed sound).
std::vector<Record> Split(const Bytes& bytes, std::size_t from = 0) {
    std::vector<Record> records;
    std::size_t at = from;
    while (at + 4 <= bytes.size()) {
        const std::uint16_t type = static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
        const std::size_t length = bytes[at + 2] | bytes[at + 3] << 8;
        if (at + 4 + length > bytes.size()) break;
        records.emplace_back(type, Bytes(bytes.begin() + at + 4, bytes.begin() + at + 4 + length));
        at += 4 + length;
    }
    return records;
}

// Globals (the code page, Windows-1252 unless given, two sheets) then one
// worksheet holding `sheet`; returns the records of the rewritten worksheet
// between its BOF and EOF.
std::vector<Record> UpgradeSheet(const std::vector<Record>& sheet, std::uint16_t codePage = 1252) {
    Bytes stream = Biff5Bof(0x0005);
    const Bytes globals = Records(
        {{0x0042, {static_cast<std::uint8_t>(codePage), static_cast<std::uint8_t>(codePage >> 8)}},
         {0x0085, {0, 0, 0, 0, 0, 0, 1, 'A'}},
         {0x0085, {0, 0, 0, 0, 0, 0, 1, 'B'}}});
    for (const Bytes& part : {globals, Eof(), Biff5Bof(0x0010), Records(sheet), Eof()}) {
        stream.insert(stream.end(), part.begin(), part.end());
    }
    const std::vector<Record> all = Split(CBiff5Upgrade::Upgrade(stream));
    std::vector<Record> records;
    std::size_t bofs = 0;
    for (const Record& record : all) {
        if (record.first == 0x0809) {
            ++bofs;
        } else if (bofs == 2 && record.first != 0x000A) {
            records.push_back(record);
        }
    }
    return records;
}

// A BIFF5 FORMULA at A1 (XF 15) with a number result 1.0, these tokens and
// the data that follows them.
Record Biff5Formula(const Bytes& rgce, const Bytes& result = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F},
                    const Bytes& extra = {}) {
    Bytes body = {0, 0, 0, 0, 15, 0};
    body.insert(body.end(), result.begin(), result.end());
    body.insert(body.end(), {0, 0, 0, 0, 0, 0});
    const std::size_t cce = rgce.size();
    body.push_back(static_cast<std::uint8_t>(cce));
    body.push_back(static_cast<std::uint8_t>(cce >> 8));
    body.insert(body.end(), rgce.begin(), rgce.end());
    body.insert(body.end(), extra.begin(), extra.end());
    return {0x0006, body};
}

const Bytes kCellA1 = {0, 0, 0, 0, 15, 0};

Bytes Cell(const Bytes& rest) {
    Bytes out = kCellA1;
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}

TEST(CBiff5Upgrade, RewritesRecordsToTheirBiff8Layout) {
    // XF: font 5, format 0xA4, cell XF with parent 0, centred, wrapped,
    // bottom-aligned, rotated 90 degrees counter-clockwise, all attributes
    // used; pattern 1 in colours 10/9, bottom thin in colour 8, top medium
    // in 12, left dashed in 13, right dotted in 14.
    const Bytes biff5Xf = {5,    0,    0xA4, 0,    0x01, 0,    0x2A, 0xFE,
                           0x8A, 0x04, 0x41, 0x10, 0x1A, 0x19, 0x0D, 0x07};
    const Bytes biff8Xf = {5,    0,    0xA4, 0,    0x01, 0,    0x2A, 90,   0,    0xFC,
                           0x43, 0x12, 0x0D, 0x07, 0x0C, 0x04, 0x00, 0x04, 0x8A, 0x04};
    const struct {
        const char* what;
        std::vector<Record> in;
        std::vector<Record> out;
    } cases[] = {
        {"LABEL in Latin 1",
         {{0x0204, Cell({3, 0, 'C', 'a', 0xE9})}},
         {{0x0204, Cell({3, 0, 0, 'C', 'a', 0xE9})}}},
        {"LABEL beyond Latin 1",
         {{0x0204, Cell({2, 0, 0x80, 'x'})}},
         {{0x0204, Cell({2, 0, 1, 0xAC, 0x20, 'x', 0})}}},
        {"RSTRING loses its runs",
         {{0x00D6, Cell({2, 0, 'h', 'i', 1, 0, 0, 0})}},
         {{0x0204, Cell({2, 0, 0, 'h', 'i'})}}},
        {"STRING", {{0x0207, {2, 0, 'o', 'k'}}}, {{0x0207, {2, 0, 0, 'o', 'k'}}}},
        {"FONT",
         {{0x0031,
           {0xC8, 0, 0, 0, 0xFF, 0x7F, 0x90, 1, 0, 0, 0, 0, 0, 0, 5, 'A', 'r', 'i', 'a', 'l'}}},
         {{0x0031,
           {0xC8, 0, 0, 0, 0xFF, 0x7F, 0x90, 1, 0, 0, 0, 0, 0, 0, 5, 0, 'A', 'r', 'i', 'a', 'l'}}}},
        {"FORMAT", {{0x041E, {0xA4, 0, 2, '0', '%'}}}, {{0x041E, {0xA4, 0, 2, 0, 0, '0', '%'}}}},
        {"STYLE built in", {{0x0293, {0x00, 0x80, 3, 0xFF}}}, {{0x0293, {0x00, 0x80, 3, 0xFF}}}},
        {"STYLE of the user",
         {{0x0293, {0x10, 0x00, 1, 'S'}}},
         {{0x0293, {0x10, 0x00, 1, 0, 0, 'S'}}}},
        {"HEADER empty and not",
         {{0x0014, {}}, {0x0015, {2, 'p', '1'}}},
         {{0x0014, {}}, {0x0015, {2, 0, 0, 'p', '1'}}}},
        {"XF", {{0x00E0, biff5Xf}}, {{0x00E0, biff8Xf}}},
        {"page breaks gain their spans",
         {{0x001B, {2, 0, 5, 0, 9, 0}}, {0x001A, {1, 0, 3, 0}}},
         {{0x001B, {2, 0, 5, 0, 0, 0, 0xFF, 0, 9, 0, 0, 0, 0xFF, 0}},
          {0x001A, {1, 0, 3, 0, 0, 0, 0xFF, 0xFF}}}},
        {"DIMENSIONS",
         {{0x0200, {1, 0, 9, 0, 0, 0, 3, 0, 0, 0}}},
         {{0x0200, {1, 0, 0, 0, 9, 0, 0, 0, 0, 0, 3, 0, 0, 0}}}},
        {"NOTE, OBJ, INDEX and their CONTINUE dropped",
         {{0x001C, {0, 0}},
          {0x005D, {1}},
          {0x003C, {2}},
          {0x020B, {0}},
          {0x0203, Cell({0, 0, 0, 0, 0, 0, 0, 0})}},
         {{0x0203, Cell({0, 0, 0, 0, 0, 0, 0, 0})}}},
        {"FORMULA refused keeps its number",
         {Biff5Formula({0x18, 0x01})},
         {{0x0203, Cell({0, 0, 0, 0, 0, 0, 0xF0, 0x3F})}}},
        {"FORMULA refused keeps its error",
         {Biff5Formula({0x18}, {2, 0, 0x07, 0, 0, 0, 0xFF, 0xFF})},
         {{0x0205, Cell({0x07, 1})}}},
        {"FORMULA refused keeps its text from STRING",
         {Biff5Formula({0x18}, {0, 0, 0, 0, 0, 0, 0xFF, 0xFF}), {0x0207, {1, 0, 'z'}}},
         {{0x0204, Cell({1, 0, 0, 'z'})}}},
        {"FORMULA refused with an empty text",
         {Biff5Formula({0x18}, {3, 0, 0, 0, 0, 0, 0xFF, 0xFF})},
         {{0x0204, Cell({0, 0, 0})}}},
        {"SHRFMLA refused is dropped, its cells keep their values",
         {Biff5Formula({0x01, 0, 0, 0, 0}), {0x04BC, {0, 0, 1, 0, 0, 0, 0, 2, 1, 0, 0x18}}},
         {{0x0203, Cell({0, 0, 0, 0, 0, 0, 0xF0, 0x3F})}}},
        {"SHRFMLA",
         {Biff5Formula({0x01, 0, 0, 0, 0}),
          {0x04BC, {0, 0, 1, 0, 0, 0, 0, 2, 4, 0, 0x2C, 0, 0xC0, 0}}},
         {{0x0006, Cell({0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0, 0, 0, 0, 0, 0, 5, 0, 0x01, 0, 0, 0, 0})},
          {0x04BC, {0, 0, 1, 0, 0, 0, 0, 2, 5, 0, 0x2C, 0, 0, 0, 0xC0}}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UpgradeSheet(c.in), c.out) << c.what;
    }
}

TEST(CBiff5Upgrade, ReadsTheUtf16TextsOfAStreamThatClaimsCodePage1200) {
    const struct {
        const char* what;
        Bytes in;
        Bytes out;
    } cases[] = {
        {"ASCII in bytes", {3, 0, 'a', 'b', 'c'}, {3, 0, 0, 'a', 'b', 'c'}},
        {"Latin 1 in UTF-16 bytes", {4, 0, '1', 0, 0xD7, 0}, {2, 0, 0, '1', 0xD7}},
        {"past Latin 1", {4, 0, 'h', 0, 0x52, 0x01}, {2, 0, 1, 'h', 0, 0x52, 0x01}},
        {"odd count stays bytes", {3, 0, 'a', 0, 'b'}, {3, 0, 0, 'a', 0, 'b'}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UpgradeSheet({{0x0204, Cell(c.in)}}, 1200),
                  (std::vector<Record>{{0x0204, Cell(c.out)}}))
            << c.what;
    }
}

TEST(CBiff5Upgrade, RewritesFormulaTokens) {
    const struct {
        const char* what;
        Bytes in;
        Bytes out;         // cce, tokens and trailing data of the BIFF8 FORMULA
        Bytes extra = {};  // data after the BIFF5 tokens
    } cases[] = {
        {"ptgRef keeps its flags", {0x24, 0x05, 0xC0, 0x03}, {5, 0, 0x24, 0x05, 0x00, 0x03, 0xC0}},
        {"ptgArea",
         {0x25, 0x01, 0x80, 0x02, 0x00, 0x01, 0x04},
         {9, 0, 0x25, 0x01, 0x00, 0x02, 0x00, 0x01, 0x80, 0x04, 0x00}},
        {"ptgRefN row -1 widens its sign",
         {0x2C, 0xFF, 0xBF, 0xFF},
         {5, 0, 0x2C, 0xFF, 0xFF, 0xFF, 0x80}},
        {"ptgRefErr", {0x2A, 1, 2, 3}, {5, 0, 0x2A, 0, 0, 0, 0}},
        {"ptgStr", {0x17, 2, 'a', 0xE9}, {5, 0, 0x17, 2, 0, 'a', 0xE9}},
        {"ptgName", {0x23, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {5, 0, 0x23, 3, 0, 0, 0}},
        {"IF(A1,B1,C1): jumps recomputed",
         {0x24, 0, 0xC0, 0, 0x19, 0x02, 8,    0,    0x24, 0, 0xC0, 1, 0x19, 0x08,
          11,   0, 0x24, 0, 0xC0, 2,    0x19, 0x08, 3,    0, 0x42, 3, 1,    0},
         {31,   0,  0x24, 0,    0, 0, 0xC0, 0x19, 0x02, 9,    0, 0x24, 0,    0, 1, 0xC0, 0x19,
          0x08, 12, 0,    0x24, 0, 0, 2,    0xC0, 0x19, 0x08, 3, 0,    0x42, 3, 1, 0}},
        {"ptgMemFunc length recomputed",
         {0x29, 4, 0, 0x44, 0, 0xC0, 0},
         {8, 0, 0x29, 5, 0, 0x44, 0, 0, 0, 0xC0}},
        {"ptgArray with a text constant",
         {0x60, 0, 0, 0, 0, 0, 0, 0},
         {8, 0, 0x60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x02, 2, 0, 0, 'h', 'i'},
         {1, 1, 0, 0x02, 2, 'h', 'i'}},
        {"ptgRef3d to sheet B",
         {0x3A, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 4, 0xC0, 2},
         {7, 0, 0x3A, 0, 0, 4, 0, 2, 0xC0}},
        {"ptgArea3d over sheets A:B",
         {0x3B, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 9, 0, 0, 1},
         {11, 0, 0x3B, 1, 0, 0, 0, 9, 0, 0, 0, 1, 0}},
    };
    // Refused: another workbook's sheet, a sheet that is not there, an
    // external name, a jump into a token, a token cut short.
    const Bytes refused[] = {
        {0x3A, 0x01, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {0x3A, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 5, 0, 0, 0, 0},
        {0x39, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {0x19, 0x08, 1, 0, 0x24, 0, 0xC0, 0},
        {0x24, 0, 0xC0},
        {0x1F, 0, 0},
    };
    // Each sheet's formulas share one EXTERNSHEET list: list ranges in the
    // order the cases meet them (B:B first, then A:B).
    std::vector<Record> sheet;
    for (const auto& c : cases)
        sheet.push_back(Biff5Formula(c.in, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}, c.extra));
    for (const Bytes& in : refused) sheet.push_back(Biff5Formula(in));
    const std::vector<Record> out = UpgradeSheet(sheet);
    ASSERT_EQ(out.size(), std::size(cases) + std::size(refused));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        ASSERT_EQ(out[i].first, 0x0006) << cases[i].what;
        EXPECT_EQ(Bytes(out[i].second.begin() + 20, out[i].second.end()), cases[i].out)
            << cases[i].what;
    }
    for (std::size_t i = std::size(cases); i < out.size(); ++i) {
        EXPECT_EQ(out[i].first, 0x0203) << "refused case " << i - std::size(cases);
    }
}

TEST(CBiff5Upgrade, WholeWorkbookPointsItsSheetsAtTheirNewBofs) {
    // Globals: CODEPAGE, a NAME over a 3-D area, two BOUNDSHEETs; then two
    // worksheets; then padding after the last EOF.
    const Bytes name = {0, 0, 0, 1, 21, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'N', 0x3B, 0xFF, 0xFF,
                        0, 0, 0, 0, 0,  0, 0, 0, 1, 0, 1, 0, 0, 0, 9,   0,    0,    1};
    const Bytes sheet1 =
        Concat(Biff5Bof(0x0010), Concat(Records({{0x0204, Cell({1, 0, 'x'})}}), Eof()));
    const Bytes sheet2 =
        Concat(Biff5Bof(0x0010), Concat(Records({{0x0204, Cell({1, 0, 'y'})}}), Eof()));
    Bytes globals = Concat(Biff5Bof(0x0005), Records({{0x0042, {0xE4, 0x04}}, {0x0018, name}}));
    const std::size_t boundSheets = 2 * (4 + 6 + 1 + 5);
    const std::uint32_t first = static_cast<std::uint32_t>(globals.size() + boundSheets + 4);
    const std::uint32_t second = first + static_cast<std::uint32_t>(sheet1.size());
    for (const auto& [position, text] :
         {std::pair{first, "Total"}, std::pair{second, "Co\xFBts"}}) {
        Bytes body = {static_cast<std::uint8_t>(position),
                      static_cast<std::uint8_t>(position >> 8),
                      0,
                      0,
                      0,
                      0,
                      5};
        body.insert(body.end(), text, text + 5);
        globals = Concat(globals, Records({{0x0085, body}}));
    }
    Bytes stream = Concat(Concat(globals, Eof()), Concat(sheet1, sheet2));
    stream.insert(stream.end(), 64, 0x00);

    EXPECT_TRUE(CBiff5Upgrade::HoldsBiff5Workbook(stream));
    EXPECT_FALSE(CBiff5Upgrade::HoldsBiff5Workbook(Concat(Bytes(3, 0), stream)));
    const Bytes out = CBiff5Upgrade::Upgrade(stream);
    ASSERT_GE(out.size(), 64u);
    EXPECT_EQ(Bytes(out.end() - 64, out.end()), Bytes(64, 0x00));

    std::vector<std::uint16_t> types;
    std::vector<std::uint32_t> positions;
    std::vector<Bytes> names;
    for (const auto& [type, body] : Split(Bytes(out.begin(), out.end() - 64))) {
        types.push_back(type);
        if (type == 0x0085) {
            positions.push_back(body[0] | body[1] << 8 | body[2] << 16 | body[3] << 24);
            names.emplace_back(body.begin() + 6, body.end());
        }
        if (type == 0x0809) {
            EXPECT_EQ(body.size(), 16u);
        } else if (type == 0x0017) {
            EXPECT_EQ(body, (Bytes{1, 0, 0, 0, 1, 0, 1, 0}));
        } else if (type == 0x0018) {
            EXPECT_EQ(body.size(), 14u + 2 + 11);
        }
    }
    // The NAME waits for the sheet list, which BIFF8 readers want first.
    EXPECT_EQ(types,
              (std::vector<std::uint16_t>{0x0809, 0x0042, 0x0085, 0x0085, 0x01AE, 0x0017, 0x0018,
                                          0x000A, 0x0809, 0x0204, 0x000A, 0x0809, 0x0204, 0x000A}));
    EXPECT_EQ(names, (std::vector<Bytes>{{5, 0, 'T', 'o', 't', 'a', 'l'},
                                         {5, 0, 'C', 'o', 0xFB, 't', 's'}}));
    ASSERT_EQ(positions.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const std::vector<Record> at = Split(out, positions[i]);
        ASSERT_GE(at.size(), 2u);
        EXPECT_EQ(at[0].first, 0x0809);
        EXPECT_EQ(at[0].second[2], 0x10);
        EXPECT_EQ(at[1].second.back(), i == 0 ? 'x' : 'y');
    }
}

}  // namespace
