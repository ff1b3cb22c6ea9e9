// CONDFMT with its CF records: the formatting block's parts, whole and
// damaged CF records, and the route that keeps a format only with all the
// conditions it announces.
#include "records/CExcelRecordCONDFMT.h"

#include <gtest/gtest.h>

#include <vector>

#include "biff/BiffRecordIds.h"
#include "biff/CByteBuffer.h"
#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelWorkSheet.h"
#include "records/tests/support/MemoryStreamReader.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::Concat;

namespace {

// A font block: bold, italic included (and set), strike-out left out, no
// underline given, colour 10, height 240.
Bytes FontBlock() {
    Bytes f(118, 0);
    testsupport::SetU32(f, 64, 240);
    testsupport::SetU32(f, 68, 0x02);
    testsupport::SetU16(f, 72, 700);
    testsupport::SetU32(f, 80, 10);
    testsupport::SetU32(f, 88, 0x98);  // strike-out not included
    testsupport::SetU32(f, 92, 1);
    testsupport::SetU32(f, 96, 1);   // underline not included
    testsupport::SetU32(f, 100, 0);  // weight included
    testsupport::SetU16(f, 116, 1);
    return f;
}

// Font, borders (left thin in colour 12, top double in 64; right and
// bottom left out) and a fill colour 45 with pattern and pattern colour
// left out.
Bytes FullFormat() {
    const std::uint32_t flags = 0x003FFFFF & ~((1u << 10) | (1u << 12) | (1u << 18));
    Bytes b = Concat(BiffWriter::U32(flags | (1u << 26) | (1u << 28) | (1u << 29)),
                     BiffWriter::U16(0x8002));
    b = Concat(b, FontBlock());
    b = Concat(b, BiffWriter::U32(0x1 | (0x6 << 8) | (12u << 16)));
    b = Concat(b, BiffWriter::U32(64));
    b = Concat(b, BiffWriter::U16(0));
    return Concat(b, BiffWriter::U16(45 << 7));
}

Bytes Cf(std::uint8_t kind, std::uint8_t op, const Bytes& format, const Bytes& f1,
         const Bytes& f2) {
    Bytes b = {kind, op};
    b = Concat(b, BiffWriter::U16(static_cast<std::uint16_t>(f1.size())));
    b = Concat(b, BiffWriter::U16(static_cast<std::uint16_t>(f2.size())));
    return Concat(Concat(Concat(b, format), f1), f2);
}

Bytes CondFmt(std::uint16_t conditions) {
    Bytes b = Concat(BiffWriter::U16(conditions), BiffWriter::U16(1));
    for (std::uint16_t v : {2, 5, 1, 1, 1, 2, 5, 1, 1}) b = Concat(b, BiffWriter::U16(v));
    return b;
}

const Bytes kNoFormat = Concat(BiffWriter::U32(0), BiffWriter::U16(0));
const Bytes kInt1 = {0x1E, 1, 0};
const Bytes kInt9 = {0x1E, 9, 0};

}  // namespace

TEST(CExcelRecordCF, DecodesTheFormattingBlockAndOnlyWholeRecords) {
    const Bytes whole = Cf(1, 1, FullFormat(), kInt1, kInt9);
    CExcelRecordCF cf;
    ASSERT_TRUE(CExcelRecordCF::Decode(whole.data(), static_cast<std::uint32_t>(whole.size()), cf));
    EXPECT_EQ(cf.GetKind(), 1);
    EXPECT_EQ(cf.GetOperator(), 1);
    EXPECT_EQ(cf.GetFormula2().TokenSize(), 3u);
    const CExcelDifferentialFormat& f = cf.GetFormat();
    EXPECT_EQ(f.fontHeight, 240u);
    EXPECT_EQ(f.bold, true);
    EXPECT_EQ(f.italic, true);
    EXPECT_FALSE(f.strikeOut.has_value());
    EXPECT_FALSE(f.underline.has_value());
    EXPECT_EQ(f.fontColor, 10);
    ASSERT_TRUE(f.lines[CExcelDifferentialFormat::kLeft].has_value());
    EXPECT_EQ(f.lines[CExcelDifferentialFormat::kLeft]->style, 1);
    EXPECT_EQ(f.lines[CExcelDifferentialFormat::kLeft]->color, 12);
    EXPECT_EQ(f.lines[CExcelDifferentialFormat::kTop]->style, 6);
    EXPECT_EQ(f.lines[CExcelDifferentialFormat::kTop]->color, 64);
    EXPECT_FALSE(f.lines[CExcelDifferentialFormat::kRight].has_value());
    EXPECT_FALSE(f.pattern.has_value());
    EXPECT_EQ(f.fillColor, 45);

    struct Case {
        const char* name;
        Bytes payload;
        bool whole;
    };
    const Bytes userFormat = Concat(Concat(BiffWriter::U32(1u << 25), BiffWriter::U16(1)),
                                    Concat(BiffWriter::U16(6), Bytes{1, 0, 0, 'x'}));
    const Case cases[] = {
        {"a formula condition", Cf(2, 0, kNoFormat, kInt1, {}), true},
        {"a user number format stepped over", Cf(2, 0, userFormat, kInt1, {}), true},
        {"kind 3", Cf(3, 0, kNoFormat, kInt1, {}), false},
        {"a value comparison without operator", Cf(1, 0, kNoFormat, kInt1, {}), false},
        {"operator 9", Cf(1, 9, kNoFormat, kInt1, {}), false},
        {"cut inside the font block", Bytes(whole.begin(), whole.begin() + 60), false},
        {"cut inside formula 2", Bytes(whole.begin(), whole.end() - 1), false},
        {"bytes after formula 2", Concat(whole, Bytes{0}), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CExcelRecordCF::Decode(c.payload.data(),
                                         static_cast<std::uint32_t>(c.payload.size()), cf),
                  c.whole)
            << c.name;
    }
}

TEST(CExcelRecordCONDFMT, AFormatIsKeptOnlyWithEveryConditionItAnnounces) {
    const Bytes cf1 = Cf(1, 5, kNoFormat, kInt1, {});
    const Bytes cf2 = Cf(2, 0, FullFormat(), kInt9, {});
    const Bytes one = CondFmt(1);
    const Bytes cutCondFmt(one.begin(), one.end() - 1);
    struct Case {
        const char* name;
        BiffWriter records;
        std::size_t conditions;  // 0: nothing kept
    };
    const auto make = [](std::initializer_list<std::pair<std::uint16_t, Bytes>> records) {
        BiffWriter w;
        for (const auto& [type, body] : records) w.Record(type, body);
        w.Record(biff::kEOF, {});
        return w;
    };
    const Case cases[] = {
        {"two of two", make({{biff::kCONDFMT, CondFmt(2)}, {biff::kCF, cf1}, {biff::kCF, cf2}}), 2},
        {"one of two", make({{biff::kCONDFMT, CondFmt(2)}, {biff::kCF, cf1}}), 0},
        {"a damaged second",
         make({{biff::kCONDFMT, CondFmt(2)},
               {biff::kCF, cf1},
               {biff::kCF, Bytes(cf2.begin(), cf2.end() - 2)}}),
         0},
        {"another record between",
         make({{biff::kCONDFMT, CondFmt(1)}, {biff::kNUMBER, Bytes(14, 0)}, {biff::kCF, cf1}}), 0},
        {"no condition announced", make({{biff::kCONDFMT, CondFmt(0)}}), 0},
        {"rectangles cut short", make({{biff::kCONDFMT, cutCondFmt}, {biff::kCF, cf1}}), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::MemoryStreamReader reader(c.records.GetBytes());
        CExcelWorkSheet sheet;
        const auto size = CDataReader::GetU16(&c.records.GetBytes()[2]);
        EXPECT_EQ(CExcelRecordCONDFMT::Read(reader, sheet, size, 0), c.conditions > 0);
        if (c.conditions == 0) {
            EXPECT_EQ(sheet.GetConditionalFormats().GetCount(), 0u);
            continue;
        }
        const CExcelRecordCONDFMT& kept = *sheet.GetConditionalFormats().GetHead();
        EXPECT_EQ(kept.GetConditions().size(), c.conditions);
        EXPECT_EQ(kept.GetRects(), (std::vector<CExcelCellRect>{{2, 5, 1, 1}}));
        EXPECT_EQ(kept.GetConditions()[1].GetFormat().fillColor, 45);
    }
}
