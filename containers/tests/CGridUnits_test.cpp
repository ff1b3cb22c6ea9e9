// The sheet's units in the pixels a spreadsheet shows at 96 dots per inch.
#include "containers/CGridUnits.h"

#include <gtest/gtest.h>

TEST(CGridUnits, SheetUnitsBecomeTheSpreadsheetsPixels) {
    enum class Kind { Twips, Column, DefaultColumn };
    struct Case {
        Kind kind;
        int value;
        int digit;
        int pixels;
    };
    const Case cases[] = {
        {Kind::Twips, 200, 7, 13},             // Arial 10: not the 15 of points / 2 x 3
        {Kind::Twips, 240, 7, 16},             // 12 points
        {Kind::Twips, 255, 7, 17},             // the default row height
        {Kind::Twips, 7, 7, 0},                // under half a pixel
        {Kind::Twips, -20, 7, 0},              // damaged
        {Kind::Column, 2340, 7, 64},           // 8.43 characters
        {Kind::Column, 2560, 7, 70},           // 10 characters with padding
        {Kind::Column, 0, 7, 0},               // a column of no width
        {Kind::Column, 65535, 7, 1792},        // the widest the field holds
        {Kind::Column, 2340, 0, 64},           // no digit width: Arial 10's
        {Kind::Column, 2340, 8, 73},           // a wider default font
        {Kind::DefaultColumn, 8, 7, 64},       // 61 rounded up to 64
        {Kind::DefaultColumn, 10, 7, 80},      // 75 rounded up
        {Kind::DefaultColumn, 0, 7, 0},        // none: the grid's default
        {Kind::DefaultColumn, 9999, 7, 1792},  // damaged: 255 characters
    };
    for (const Case& test : cases) {
        const int pixels = test.kind == Kind::Twips ? CGridUnits::TwipsToPixels(test.value)
                           : test.kind == Kind::Column
                               ? CGridUnits::ColumnPixels(test.value, test.digit)
                               : CGridUnits::DefaultColumnPixels(test.value, test.digit);
        EXPECT_EQ(pixels, test.pixels) << static_cast<int>(test.kind) << " " << test.value;
    }
}
