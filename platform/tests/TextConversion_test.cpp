#include "platform/TextConversion.h"

#include <gtest/gtest.h>

TEST(TextConversion, RoundTripsBmpAndSupplementaryCharacters) {
    const std::u16string text = u"Sheet \u00e9\u4e2d \U0001F600";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(ToUtf8(u"\u00e9"), "\xC3\xA9");
}

TEST(TextConversion, LoneSurrogateFromCutStringBecomesReplacement) {
    const std::u16string cut = {u'a', char16_t(0xD83D)};
    EXPECT_EQ(ToUtf8(cut), "a\xEF\xBF\xBD");
}

TEST(TextConversion, MalformedUtf8NeverReadsPastTheEnd) {
    EXPECT_EQ(FromUtf8("\xE2\x82"), u"\uFFFD\uFFFD");  // truncated sequence
    EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong slash
    EXPECT_EQ(FromUtf8("\xFF" "a"), u"\uFFFDa");
}
