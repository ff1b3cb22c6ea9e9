#include "save/CSaveXfFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "biff/tests/support/BiffWriter.h"
#include "records/CExcelRecordWBFORMAT.h"
#include "save/CXLCellFormat.h"

// A system colour stays automatic only where it shows as the field's own
// automatic colour; elsewhere it keeps how it shows (window text black,
// window background white), and palette colours map as they are.
TEST(CSaveXfFormat, SystemColoursKeepHowTheyShowInEachField) {
    constexpr std::int16_t kAuto = CXLCellFormat::kAutomatic;
    struct Case {
        std::uint32_t biffIndex;
        std::uint32_t fieldAutomatic;
        std::int16_t colorIndex;
    };
    const Case cases[] = {
        {0x40, 0x40, kAuto},     {0x41, 0x40, 2},  // a line in window background is white
        {0x41, 0x41, kAuto},     {0x40, 0x41, 1},  // a pattern background in window text is black
        {0x7FFF, 0x7FFF, kAuto}, {0x40, 0x7FFF, kAuto}, {0x41, 0x7FFF, 2}, {0x51, 0x40, kAuto},
        {0x7FFF, 0x41, 1},       {0, 0x41, 1},          {9, 0x40, 2},      {63, 0x40, 56},
        {0x42, 0x40, kAuto},     {0x1234, 0x41, kAuto},  // unknown indices stay automatic
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CSaveXfFormat::ColorIndex(c.biffIndex, c.fieldAutomatic), c.colorIndex)
            << c.biffIndex << " in a field automatic at " << c.fieldAutomatic;
    }
}

// The number format put: the workbook's own FORMAT record as written, even
// when it reads like a built-in; a built-in without one as the object model
// spells it; an index with neither is General.
TEST(CSaveXfFormat, NumberFormatsKeepTheWorkbooksOwnSpelling) {
    CTList<CExcelRecordWBFORMAT> formats;
    for (const auto& [index, code] :
         {std::pair<std::uint16_t, std::u16string>{166, u"M/D/YYYY"}, {7, u"\"\u20ac\"#,##0.00"}}) {
        const testsupport::Bytes payload =
            testsupport::Concat(testsupport::BiffWriter::U16(index),
                                testsupport::BiffWriter::UnicodeString(code, true));
        formats.Add(
            new CExcelRecordWBFORMAT(payload.data(), static_cast<std::uint32_t>(payload.size())));
    }
    const std::pair<std::uint16_t, std::u16string> cases[] = {
        {166, u"M/D/YYYY"},
        {7, u"\"\u20ac\"#,##0.00"},
        {14, u"m/d/yy"},
        {22, u"m/d/yy h:mm"},
        {38, u"#,##0_);[Red](#,##0)"},
        {10, u"0.00%"},
        {57, u"General"},
        {200, u"General"},
    };
    for (const auto& [index, text] : cases)
        EXPECT_EQ(CSaveXfFormat::NumberFormat(formats, index), text) << index;
}
