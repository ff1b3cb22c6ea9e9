// DV records: flags, texts, formulas and rectangles of a whole record,
// literal list items, and records cut short or with damaged counts.
#include "records/CExcelRecordDV.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "biff/tests/support/BiffWriter.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::Concat;

namespace {

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all = Concat(all, part);
    return all;
}

Bytes Formula(const Bytes& tokens) {
    return Join(
        {BiffWriter::U16(static_cast<std::uint16_t>(tokens.size())), BiffWriter::U16(0), tokens});
}

Bytes Rects(std::uint16_t count, std::initializer_list<std::uint16_t> fields) {
    Bytes bytes = BiffWriter::U16(count);
    for (std::uint16_t field : fields) bytes = Concat(bytes, BiffWriter::U16(field));
    return bytes;
}

// Whole number between formula 1 and 2, stop style, blanks allowed, prompt
// and error shown; an 8-bit title, a 16-bit error text, the other two
// stored empty as one zero character.
const Bytes kEmpty = BiffWriter::UnicodeString(std::u16string(1, u'\0'), false);
const Bytes kTexts = Join({BiffWriter::UnicodeString(u"Title", false), kEmpty, kEmpty,
                           BiffWriter::UnicodeString(u"Zu gro\u00DF \u2260", true)});
const Bytes kFlags = BiffWriter::U32(0x000C0101);
const Bytes kFormulas =
    Join({Formula({0x1E, 0x05, 0x00}), Formula({0x4C, 0xE8, 0xFF, 0xFD, 0xC0})});
const Bytes kWhole = Join({kFlags, kTexts, kFormulas, Rects(2, {1, 4, 2, 2, 7, 7, 0, 3})});

struct Case {
    const char* name;
    Bytes payload;
    bool kept;
};

}  // namespace

TEST(CExcelRecordDV, KeepsOnlyWholeRecords) {
    const auto dv =
        CExcelRecordDV::Decode(kWhole.data(), static_cast<std::uint32_t>(kWhole.size()));
    ASSERT_NE(dv, nullptr);
    EXPECT_EQ(dv->GetType(), 1u);
    EXPECT_EQ(dv->GetErrorStyle(), 0u);
    EXPECT_EQ(dv->GetOperator(), 0u);
    EXPECT_TRUE(dv->AllowsBlank() && dv->ShowsPrompt() && dv->ShowsError());
    EXPECT_FALSE(dv->HidesDropDown() || dv->IsLiteralList());
    EXPECT_EQ(dv->GetPromptTitle(), u"Title");
    EXPECT_EQ(dv->GetErrorTitle(), u"");
    EXPECT_EQ(dv->GetError(), u"Zu gro\u00DF \u2260");
    EXPECT_EQ(Bytes(dv->GetFormula2().Data(), dv->GetFormula2().Data() + dv->GetFormula2().Size()),
              (Bytes{5, 0, 0x4C, 0xE8, 0xFF, 0xFD, 0xC0}))
        << "the length field and the tokens, as the formula decoder reads them";
    EXPECT_EQ(dv->GetRects(), (std::vector<CExcelCellRect>{{1, 4, 2, 2}, {7, 7, 0, 3}}));

    const std::vector<Case> cases = {
        {"cut inside the last rectangle", Bytes(kWhole.begin(), kWhole.end() - 1), false},
        {"count promises a third rectangle",
         Join({kFlags, kTexts, kFormulas, Rects(3, {1, 4, 2, 2, 7, 7, 0, 3})}), false},
        {"no rectangle", Join({kFlags, kTexts, kFormulas, Rects(0, {})}), false},
        {"formula length past the end",
         Join({kFlags, kTexts, BiffWriter::U16(900), BiffWriter::U16(0), Bytes(10, 1)}), false},
        {"string count past the end", Join({kFlags, BiffWriter::U16(60000), Bytes{1, 0x41, 0}}),
         false},
        {"type 8", Join({BiffWriter::U32(0x000C0108), kTexts, kFormulas, Rects(1, {0, 0, 0, 0})}),
         false},
        {"operator 9",
         Join({BiffWriter::U32(0x009C0101), kTexts, kFormulas, Rects(1, {0, 0, 0, 0})}), false},
        {"fewer than four bytes", Bytes{1, 1}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CExcelRecordDV::Decode(c.payload.data(),
                                         static_cast<std::uint32_t>(c.payload.size())) != nullptr,
                  c.kept)
            << c.name;
    }
}

TEST(CExcelRecordDV, ALiteralListIsOnePtgStrWithZerosBetweenItems) {
    const Bytes list = {0x17, 5, 0, 'a', 0, 'b', 0, 'c'};
    const auto payload = [&](std::uint32_t flags, const Bytes& tokens) {
        return Join(
            {BiffWriter::U32(flags), kTexts, Formula(tokens), Formula({}), Rects(1, {0, 0, 0, 0})});
    };
    struct ListCase {
        const char* name;
        Bytes payload;
        bool isList;
    };
    const ListCase cases[] = {
        {"list flag and one ptgStr", payload(0x00000083, list), true},
        {"no list flag", payload(0x00000003, list), false},
        {"a token after the string", payload(0x00000083, Concat(list, Bytes{0x1E, 1, 0})), false},
        {"characters cut short", payload(0x00000083, Bytes(list.begin(), list.end() - 1)), false},
    };
    for (const ListCase& c : cases) {
        const auto dv =
            CExcelRecordDV::Decode(c.payload.data(), static_cast<std::uint32_t>(c.payload.size()));
        ASSERT_NE(dv, nullptr) << c.name;
        std::u16string items;
        EXPECT_EQ(dv->GetListItems(items), c.isList) << c.name;
        if (c.isList) {
            EXPECT_EQ(items, std::u16string(u"a\0b\0c", 5));
        }
    }
}
