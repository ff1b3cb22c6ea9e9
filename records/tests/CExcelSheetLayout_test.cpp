// SHEETEXT's tab colour and WINDOW2's gridline colour as the sheet layout
// decodes them, from sound records and from short or damaged ones.
#include "records/CExcelSheetLayout.h"

#include <gtest/gtest.h>

#include "biff/BiffRecordIds.h"
#include "biff/tests/support/BiffWriter.h"
#include "records/tests/support/MemoryStreamReader.h"

using testsupport::BiffWriter;
using testsupport::Bytes;

namespace {

// A SHEETEXT body: header naming `type`, own size `cb`, then the colour
// field; `size` bytes of it (the long form's 20 further bytes are zeros).
Bytes SheetExt(std::uint16_t type, std::uint32_t cb, std::uint32_t color, std::size_t size) {
    Bytes body = BiffWriter::U16(type);
    body.resize(12, 0);
    for (const Bytes& part : {BiffWriter::U32(cb), BiffWriter::U32(color)}) {
        body.insert(body.end(), part.begin(), part.end());
    }
    body.resize(size, 0);
    return body;
}

bool Decode(CExcelSheetLayout& layout, std::uint16_t type, const Bytes& body) {
    testsupport::MemoryStreamReader reader(BiffWriter::RecordBytes(type, body));
    return layout.Decode(type, reader, static_cast<std::uint32_t>(body.size()), 0);
}

struct SheetExtCase {
    const char* what;
    Bytes body;
    bool kept;
    bool hasColor;
    std::uint8_t color;
};

}  // namespace

TEST(CExcelSheetLayout, TabColourFromSoundSheetExtOnly) {
    const std::uint16_t rt = biff::kSHEETEXT;
    const SheetExtCase cases[] = {
        {"short form", SheetExt(rt, 20, 10, 20), true, true, 10},
        {"long form: icvPlain counts", SheetExt(rt, 40, 63, 40), true, true, 63},
        {"reserved bits above the colour", SheetExt(rt, 20, 0xFFFFFF88, 20), true, true, 8},
        {"0x7F: no colour", SheetExt(rt, 20, 0x7F, 20), true, false, 0},
        {"cut short", SheetExt(rt, 20, 10, 19), false, false, 0},
        {"header names another record", SheetExt(0x0867, 20, 10, 20), false, false, 0},
        {"own size neither 20 nor 40", SheetExt(rt, 24, 10, 20), false, false, 0},
        {"colour outside the palette", SheetExt(rt, 20, 64, 20), false, false, 0},
    };
    for (const SheetExtCase& c : cases) {
        SCOPED_TRACE(c.what);
        CExcelSheetLayout layout;
        EXPECT_EQ(Decode(layout, rt, c.body), c.kept);
        EXPECT_EQ(layout.Dropped(), c.kept ? 0u : 1u);
        EXPECT_EQ(layout.HasTabColor(), c.hasColor);
        if (c.hasColor) {
            EXPECT_EQ(layout.TabColor(), c.color);
        }
    }
}

TEST(CExcelSheetLayout, GridlineColourOnlyWhenWindow2HoldsIt) {
    Bytes window = {0xB6, 0x00, 0, 0, 0, 0, 0x0C, 0x00};  // colour 12
    CExcelSheetLayout full;
    ASSERT_TRUE(Decode(full, biff::kWINDOW2, window));
    EXPECT_TRUE(full.GetWindow().hasGridlineColor);
    EXPECT_EQ(full.GetWindow().gridlineColor, 12);
    window.resize(6);
    CExcelSheetLayout cut;
    ASSERT_TRUE(Decode(cut, biff::kWINDOW2, window));
    EXPECT_FALSE(cut.GetWindow().hasGridlineColor);
}
