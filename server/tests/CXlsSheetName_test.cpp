// Sheet names: the spreadsheet's rules on length and characters, and the
// case-blind comparison that uniqueness uses.
#include "server/CXlsSheetName.h"

#include <gtest/gtest.h>

TEST(XlsSheetName, LengthIsOneTo31Characters) {
    EXPECT_FALSE(CXlsSheetName::IsValid(u""));
    EXPECT_TRUE(CXlsSheetName::IsValid(u"A"));
    EXPECT_TRUE(CXlsSheetName::IsValid(std::u16string(31, u'x')));
    EXPECT_FALSE(CXlsSheetName::IsValid(std::u16string(32, u'x')));
}

TEST(XlsSheetName, ForbiddenCharactersAnywhere) {
    for (char16_t c : std::u16string(u"[]:*?/\\")) {
        EXPECT_FALSE(CXlsSheetName::IsValid(std::u16string(u"ab") + c + u"cd")) << char(c);
        EXPECT_FALSE(CXlsSheetName::IsValid(std::u16string(1, c))) << char(c);
    }
    EXPECT_TRUE(CXlsSheetName::IsValid(u"Q1 (2024) - Sales & Co. #1!"));
    EXPECT_TRUE(CXlsSheetName::IsValid(u"Données été \u4e16\u754c"));
}

TEST(XlsSheetName, ApostropheOnlyInside) {
    EXPECT_TRUE(CXlsSheetName::IsValid(u"Bob's"));
    EXPECT_FALSE(CXlsSheetName::IsValid(u"'Quoted"));
    EXPECT_FALSE(CXlsSheetName::IsValid(u"Quoted'"));
}

TEST(XlsSheetName, SameNameIgnoresCaseAcrossScripts) {
    EXPECT_TRUE(CXlsSheetName::SameName(u"Sheet1", u"SHEET1"));
    EXPECT_TRUE(CXlsSheetName::SameName(u"\u00e9t\u00e9", u"\u00c9T\u00c9"));  // été
    EXPECT_TRUE(CXlsSheetName::SameName(u"\u017e\u0101", u"\u017d\u0100"));    // žā
    EXPECT_TRUE(CXlsSheetName::SameName(u"\u03b1\u03c2", u"\u0391\u03a3"));    // Greek
    EXPECT_TRUE(CXlsSheetName::SameName(u"\u0434\u0451", u"\u0414\u0401"));    // Cyrillic
    EXPECT_TRUE(CXlsSheetName::SameName(u"\uff41", u"\uff21"));                // full width
    EXPECT_FALSE(CXlsSheetName::SameName(u"Sheet1", u"Sheet2"));
    EXPECT_FALSE(CXlsSheetName::SameName(u"Sheet", u"Sheet1"));
    EXPECT_FALSE(CXlsSheetName::SameName(u"\u00d7", u"\u00f7")) << "signs are not letters";
}

TEST(XlsSheetName, FoldLeavesUpperCaseAndOtherCharactersAlone) {
    for (char16_t c = 0; c < 0x0500; ++c) {
        const char16_t folded = CXlsSheetName::Fold(c);
        EXPECT_EQ(CXlsSheetName::Fold(folded), folded)
            << "folding twice changes nothing: " << int(c);
    }
    EXPECT_EQ(CXlsSheetName::Fold(u'A'), u'A');
    EXPECT_EQ(CXlsSheetName::Fold(u'1'), u'1');
    EXPECT_EQ(CXlsSheetName::Fold(u'\u00ff'), u'\u0178');
}
