#include <gtest/gtest.h>

#include "records/CConstData.h"

TEST(CConstDataErrorText, EachErrorCodeGivesTheSpreadsheetLiteral) {
    EXPECT_EQ(CConstData::GetErrorText(0x00), u"#NULL!");
    EXPECT_EQ(CConstData::GetErrorText(0x07), u"#DIV/0!");
    EXPECT_EQ(CConstData::GetErrorText(0x0F), u"#VALUE!");
    EXPECT_EQ(CConstData::GetErrorText(0x17), u"#REF!");
    EXPECT_EQ(CConstData::GetErrorText(0x1D), u"#NAME?");
    EXPECT_EQ(CConstData::GetErrorText(0x24), u"#NUM!");
}

// #N/A has no closing "!": "#N/A!" is neither what a spreadsheet shows nor
// an error literal it accepts back when the text is written into a cell.
TEST(CConstDataErrorText, NotAvailableIsWrittenWithoutExclamationMark) {
    EXPECT_EQ(CConstData::GetErrorText(0x2A), u"#N/A");
}

TEST(CConstDataErrorText, CodesOutsideTheTableGiveEmptyText) {
    // Neighbours of real codes, the byte's top, and a real code plus 256
    // (the whole value is compared, not its low byte).
    for (std::uint32_t code : {0x01u, 0x06u, 0x08u, 0x2Bu, 0xFFu, 0x12Au, 0xFFFFFFFFu})
        EXPECT_TRUE(CConstData::GetErrorText(code).empty()) << code;
}
