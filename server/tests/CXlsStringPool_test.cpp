// The string pool: one id per distinct text, stable while the table grows
// and while texts fill more than one block of characters.
#include "server/CXlsStringPool.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(CXlsStringPool, EqualTextsShareAnIdThatStaysThroughGrowth) {
    CXlsStringPool pool;
    // Texts of eight-bit characters and wider ones, some equal but for
    // their width; the long ones take blocks of their own.
    std::vector<std::u16string> texts = {u"",
                                         u"a",
                                         u"A",
                                         std::u16string(70000, u'x'),
                                         u"caf\u00e9",
                                         u"caf\u0119",
                                         u"\u00ff\u0100",
                                         std::u16string(70000, u'\u20ac')};
    // Enough texts to grow the table several times and fill more blocks.
    for (int i = 0; i < 5000; ++i)
        texts.push_back(u"text " + std::u16string(i % 40, u'-') +
                        static_cast<char16_t>(u'0' + i % 10) +
                        std::u16string(1, static_cast<char16_t>(i)));
    std::vector<std::uint32_t> ids;
    for (const std::u16string& text : texts) ids.push_back(pool.Intern(text));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(pool.Intern(texts[i]), ids[i]) << i;
        EXPECT_EQ(pool.Text(ids[i]), texts[i]) << i;
        std::u16string scratch;
        EXPECT_EQ(pool.Get(ids[i], scratch), texts[i]) << i;
    }
    EXPECT_EQ(pool.Count(), texts.size());
    EXPECT_TRUE(pool.Text(pool.Count()).empty());
}
