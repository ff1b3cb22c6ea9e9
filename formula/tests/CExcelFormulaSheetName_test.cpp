// Sheet names in front of references: bare where the spreadsheet reads
// them bare, quoted with inner quotes doubled everywhere else.
#include "formula/CExcelFormulaSheetName.h"

#include <gtest/gtest.h>

#include "formula/tests/support/TokenStream.h"

using testsupport::Utf8;

TEST(SheetName, PlainNamesStayBare) {
    for (const char16_t* name :
         {u"Sheet1", u"Data", u"_x", u"Q1.2009", u"Report", u"Costs", u"ABCD1", u"Rx", u"TRUEs"}) {
        EXPECT_FALSE(CExcelFormulaSheetName::NeedsQuotes(name)) << Utf8(name);
    }
    EXPECT_EQ(Utf8(CExcelFormulaSheetName::Prefix(u"Sheet1")), "Sheet1!");
}

TEST(SheetName, SpacesPunctuationAndOtherLettersNeedQuotes) {
    for (const char16_t* name :
         {u"Q1 2009", u"Bob's", u"a-b", u"x(1)", u"\u00dcbersicht", u"Sheet!", u"%"}) {
        EXPECT_TRUE(CExcelFormulaSheetName::NeedsQuotes(name)) << Utf8(name);
    }
}

TEST(SheetName, LeadingDigitsCellAndR1C1LookalikesAndBooleansNeedQuotes) {
    for (const char16_t* name :
         {u"2009", u"1st", u".x", u"A1", u"iv65536", u"XFD1", u"R", u"C", u"RC", u"R1C1", u"r2",
          u"C3", u"R1C", u"RC12", u"TRUE", u"false"}) {
        EXPECT_TRUE(CExcelFormulaSheetName::NeedsQuotes(name)) << Utf8(name);
    }
}

TEST(SheetName, QuotesAreDoubledAndRangesQuotedAsAWhole) {
    EXPECT_EQ(Utf8(CExcelFormulaSheetName::Prefix(u"Q1 2009")), "'Q1 2009'!");
    EXPECT_EQ(Utf8(CExcelFormulaSheetName::Prefix(u"Bob's")), "'Bob''s'!");
    EXPECT_EQ(Utf8(CExcelFormulaSheetName::Prefix(u"Jan", u"Mar")), "Jan:Mar!");
    EXPECT_EQ(Utf8(CExcelFormulaSheetName::Prefix(u"Jan", u"Mar 2")), "'Jan:Mar 2'!");
}
