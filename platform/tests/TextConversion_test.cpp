#include "platform/TextConversion.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(TextConversion, RoundTripsBmpAndSupplementaryCharacters) {
    const std::u16string text = u"Sheet \u00e9\u4e2d \U0001F600";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(ToUtf8(u"\u00e9"), "\xC3\xA9");
}

TEST(TextConversion, LoneSurrogateFromCutStringBecomesReplacement) {
    const std::u16string cut = {u'a', char16_t(0xD83D)};
    EXPECT_EQ(ToUtf8(cut), "a\xEF\xBF\xBD");
}

TEST(TextConversion, CountsTheSurrogatesThatAreNotHalfOfAPair) {
    struct Case {
        const char* name;
        std::u16string text;
        std::size_t unpaired;
    };
    const Case cases[] = {
        {"sound pair", {u'a', char16_t(0xD83D), char16_t(0xDE00)}, 0},
        {"high at the end", {u'a', char16_t(0xD83D)}, 1},
        {"low at the start", {char16_t(0xDE00), u'a'}, 1},
        {"high before a letter", {char16_t(0xD83D), u'a'}, 1},
        {"pair reversed", {char16_t(0xDE00), char16_t(0xD83D)}, 2},
        {"two highs, then a low", {char16_t(0xD83D), char16_t(0xD83D), char16_t(0xDE00)}, 1},
        {"U+FFFD itself is a character", {char16_t(0xFFFD)}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CountUnpairedSurrogates(c.text), c.unpaired);
        // ToUtf8 replaces exactly the units counted, one for one.
        const std::u16string back = FromUtf8(ToUtf8(c.text));
        ASSERT_EQ(back.size(), c.text.size());
        const auto replacements = [](const std::u16string& t) {
            return static_cast<std::size_t>(std::count(t.begin(), t.end(), char16_t(0xFFFD)));
        };
        EXPECT_EQ(replacements(back) - replacements(c.text), c.unpaired);
    }
}

TEST(TextConversion, MalformedUtf8NeverReadsPastTheEnd) {
    EXPECT_EQ(FromUtf8("\xE2\x82"), u"\uFFFD\uFFFD");  // truncated sequence
    EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong slash
    EXPECT_EQ(FromUtf8("\xFF"
                       "a"),
              u"\uFFFDa");
}
