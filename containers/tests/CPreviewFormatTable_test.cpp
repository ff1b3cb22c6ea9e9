// The preview's reading of an XF's four border sides and its diagonals:
// each line's style and colour, from the border word (left and right
// colours, diagonal flags) and the border-and-fill word (top, bottom and
// diagonal colours, diagonal style); and of its fill pattern and colours.
#include "containers/CPreviewFormatTable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "containers/CPreviewPalette.h"
#include "records/CExcelRecordPALETTE.h"
#include "records/CExcelRecordWBXF.h"

namespace {

struct BorderCase {
    const char* what;
    std::uint8_t style;  // every side's and the diagonal's style code (four bits)
    std::uint8_t color;  // every side's and the diagonal's colour index (seven bits)
    EGridLine line;
    std::uint32_t rgb;
    bool down = false;  // the diagonal flags
    bool up = false;
    CGridDiagonal diagonal = {};
};

// A 20-byte XF payload with the same style and colour on all four sides
// and the diagonal, and the diagonal flags down and up.
std::vector<std::uint8_t> XfBytes(std::uint8_t style, std::uint8_t color, bool down = false,
                                  bool up = false) {
    std::vector<std::uint8_t> bytes(20, 0);
    const std::uint32_t styles = style * 0x1111u;
    const std::uint32_t border = styles | std::uint32_t{color} << 16 | std::uint32_t{color} << 23 |
                                 std::uint32_t{down} << 30 | std::uint32_t{up} << 31;
    const std::uint32_t borderFill = std::uint32_t{color} | std::uint32_t{color} << 7 |
                                     std::uint32_t{color} << 14 | std::uint32_t{style} << 21;
    for (int i = 0; i < 4; ++i) {
        bytes[10 + i] = static_cast<std::uint8_t>(border >> (8 * i));
        bytes[14 + i] = static_cast<std::uint8_t>(borderFill >> (8 * i));
    }
    return bytes;
}

}  // namespace

TEST(CPreviewFormatTableBorders, EachSideTakesItsStyleAndColour) {
    const BorderCase cases[] = {
        {"no line", 0, 10, EGridLine::None, 0xFF0000},
        {"thin red", 1, 10, EGridLine::Thin, 0xFF0000},
        {"medium blue", 2, 12, EGridLine::Medium, 0x0000FF},
        {"double", 6, 10, EGridLine::Double, 0xFF0000},
        {"hair", 7, 10, EGridLine::Hair, 0xFF0000},
        {"slanted dash-dot, the last code", 13, 10, EGridLine::SlantedDashDot, 0xFF0000},
        {"automatic colour is black", 5, 64, EGridLine::Thick, 0x000000},
        {"a colour past the palette is black", 1, 127, EGridLine::Thin, 0x000000},
        {"damaged style 14 is thin", 14, 10, EGridLine::Thin, 0xFF0000},
        {"damaged style 15 is thin", 15, 12, EGridLine::Thin, 0x0000FF},
        {"diagonal down alone",
         2,
         10,
         EGridLine::Medium,
         0xFF0000,
         true,
         false,
         {0xFF0000, EGridLine::Medium, true, false}},
        {"diagonals up and down",
         3,
         12,
         EGridLine::Dashed,
         0x0000FF,
         true,
         true,
         {0x0000FF, EGridLine::Dashed, true, true}},
        {"diagonal up in the automatic colour",
         1,
         64,
         EGridLine::Thin,
         0x000000,
         false,
         true,
         {0x000000, EGridLine::Thin, false, true}},
        {"damaged diagonal style 14 is thin",
         14,
         10,
         EGridLine::Thin,
         0xFF0000,
         false,
         true,
         {0xFF0000, EGridLine::Thin, false, true}},
        {"flags without a style draw nothing", 0, 10, EGridLine::None, 0xFF0000, true, true, {}},
    };
    for (const BorderCase& test : cases) {
        SCOPED_TRACE(test.what);
        const std::vector<std::uint8_t> bytes = XfBytes(test.style, test.color, test.down, test.up);
        const CExcelRecordWBXF xf(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
        const CGridBorders borders = CPreviewFormatTable::Borders(xf);
        const CGridBorderLine expected{test.rgb, test.line};
        EXPECT_EQ(borders.left, expected);
        EXPECT_EQ(borders.right, expected);
        EXPECT_EQ(borders.top, expected);
        EXPECT_EQ(borders.bottom, expected);
        EXPECT_EQ(borders.diagonal, test.diagonal);
    }
}

TEST(CPreviewFormatTableBorders, SidesAreReadApart) {
    // Left thin, right none, top dotted, bottom medium dashed; colours
    // left 10 (red), right 12 (blue), top 64 (automatic), bottom 11 (green).
    std::vector<std::uint8_t> bytes(20, 0);
    const std::uint32_t border = 0x1u | 0x0u << 4 | 0x4u << 8 | 0x8u << 12 | 10u << 16 | 12u << 23;
    const std::uint32_t borderFill = 64u | 11u << 7;
    for (int i = 0; i < 4; ++i) {
        bytes[10 + i] = static_cast<std::uint8_t>(border >> (8 * i));
        bytes[14 + i] = static_cast<std::uint8_t>(borderFill >> (8 * i));
    }
    const CExcelRecordWBXF xf(bytes.data(), 20);
    const CGridBorders borders = CPreviewFormatTable::Borders(xf);
    EXPECT_EQ(borders.left, (CGridBorderLine{0xFF0000, EGridLine::Thin}));
    EXPECT_EQ(borders.right.style, EGridLine::None);
    EXPECT_EQ(borders.top, (CGridBorderLine{0x000000, EGridLine::Dotted}));
    EXPECT_EQ(borders.bottom, (CGridBorderLine{0x00FF00, EGridLine::MediumDashed}));
}

TEST(CPreviewFormatTableFill, PatternZeroIsNoneAndSystemColoursShowInPatterns) {
    const struct {
        const char* what;
        std::uint8_t pattern;
        std::uint8_t fore;  // pattern colour index
        std::uint8_t back;  // pattern background colour index
        std::optional<std::uint32_t> background;
        std::optional<std::uint32_t> patternBackground;
    } cases[] = {
        {"no pattern hides a black pattern colour", 0, 8, 8, std::nullopt, std::nullopt},
        {"no pattern hides a yellow pattern colour", 0, 13, 65, std::nullopt, std::nullopt},
        {"solid red", 1, 10, 65, 0xFF0000, 0xFFFFFF},
        {"solid window background is white", 1, 65, 64, 0xFFFFFF, 0x000000},
        {"solid automatic is black", 1, 64, 65, 0x000000, 0xFFFFFF},
        {"50 % grey, automatic over window background", 2, 64, 65, 0x000000, 0xFFFFFF},
        {"6.25 % grey, red over window background", 18, 10, 65, 0xFF0000, 0xFFFFFF},
        {"a pattern colour past the palette draws nothing", 3, 100, 65, std::nullopt, std::nullopt},
        {"damaged code 19 in red stays solid red", 19, 10, 12, 0xFF0000, 0x0000FF},
        {"damaged code 63 in automatic draws nothing", 63, 64, 65, std::nullopt, std::nullopt},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        std::vector<std::uint8_t> bytes(20, 0);
        bytes[17] = static_cast<std::uint8_t>(test.pattern << 2);  // bits 26-31 of the word at 14
        const std::uint16_t colors = static_cast<std::uint16_t>(test.fore | test.back << 7);
        bytes[18] = static_cast<std::uint8_t>(colors);
        bytes[19] = static_cast<std::uint8_t>(colors >> 8);
        const CExcelRecordWBXF xf(bytes.data(), 20);
        CGridStyle style;
        CPreviewFormatTable::Fill(xf, CPreviewPalette(), style);
        EXPECT_EQ(style.background, test.background);
        EXPECT_EQ(style.patternBackground, test.patternBackground);
        EXPECT_EQ(style.fillPattern, test.background ? test.pattern : 0);
    }
}

TEST(CPreviewPalette, FixedColoursDefaultsAndTheWorkbooksOwn) {
    // A PALETTE that changes indices 8 and 9 and claims 60 colours, with a
    // body that holds two.
    const std::uint8_t body[] = {60, 0, 0x12, 0x34, 0x56, 0, 0xAB, 0xCD, 0xEF, 0};
    const CExcelRecordPALETTE record(body, sizeof body);
    const CPreviewPalette palette(&record);
    const struct {
        std::uint32_t index;
        std::optional<std::uint32_t> rgb;
    } cases[] = {
        {0, 0x000000},      {2, 0xFF0000},   // fixed colours, never changed
        {8, 0x123456},      {9, 0xABCDEF},   // the workbook's own
        {10, 0xFF0000},     {63, 0x333333},  // not in the body: the default palette
        {64, std::nullopt}, {65, std::nullopt}, {200, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(palette.Color(c.index), c.rgb) << c.index;
    EXPECT_EQ(CPreviewPalette().Color(8), 0x000000u);
    EXPECT_EQ(CPreviewPalette(nullptr).Color(9), 0xFFFFFFu);
}
