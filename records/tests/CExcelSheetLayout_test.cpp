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

// The first `size` bytes of a SHEETEXT body whose header names `type`, with
// its own size `cb` and the colour field (zeros after it).
Bytes SheetExt(std::uint16_t type, std::uint32_t cb, std::uint32_t color, std::size_t size) {
    Bytes body = BiffWriter::U16(type);
    body.resize(12, 0);
    for (const Bytes& part : {BiffWriter::U32(cb), BiffWriter::U32(color)}) {
        body.insert(body.end(), part.begin(), part.end());
    }
    body.resize(size, 0);
    return body;
}

CExcelSheetLayout Decoded(std::uint16_t type, const Bytes& body) {
    testsupport::MemoryStreamReader reader(BiffWriter::RecordBytes(type, body));
    CExcelSheetLayout layout;
    layout.Decode(type, reader, static_cast<std::uint32_t>(body.size()), 0);
    return layout;
}

}  // namespace

TEST(CExcelSheetLayout, TabColourOnlyFromSoundSheetExtAndGridlineColourWhenHeld) {
    const std::uint16_t rt = biff::kSHEETEXT;
    const struct {
        const char* what;
        Bytes body;
        bool dropped;
        int color;  // -1: none
    } cases[] = {
        {"short form", SheetExt(rt, 20, 10, 20), false, 10},
        {"long form", SheetExt(rt, 40, 63, 40), false, 63},
        {"reserved bits set", SheetExt(rt, 20, 0xFFFFFF88, 20), false, 8},
        {"0x7F: no colour", SheetExt(rt, 20, 0x7F, 20), false, -1},
        {"cut short", SheetExt(rt, 20, 10, 19), true, -1},
        {"header names another record", SheetExt(0x0867, 20, 10, 20), true, -1},
        {"own size neither 20 nor 40", SheetExt(rt, 24, 10, 20), true, -1},
        {"colour outside the palette", SheetExt(rt, 20, 64, 20), true, -1},
    };
    for (const auto& c : cases) {
        const CExcelSheetLayout layout = Decoded(rt, c.body);
        EXPECT_EQ(layout.Dropped(), c.dropped ? 1u : 0u) << c.what;
        EXPECT_EQ(layout.HasTabColor() ? layout.TabColor() : -1, c.color) << c.what;
    }
    Bytes window = {0xB6, 0x00, 0, 0, 0, 0, 0x0C, 0x00};
    EXPECT_EQ(Decoded(biff::kWINDOW2, window).GetWindow().gridlineColor, 12);
    window.resize(6);
    EXPECT_FALSE(Decoded(biff::kWINDOW2, window).GetWindow().hasGridlineColor);
}
