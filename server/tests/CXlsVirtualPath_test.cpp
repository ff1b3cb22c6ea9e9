// The encoded form of other workbooks' paths in SUPBOOK records.
#include "server/CXlsVirtualPath.h"

#include <gtest/gtest.h>

TEST(XlsVirtualPath, PathsAndUrlsTakeTheirControlCharacters) {
    struct Case {
        std::u16string path;
        std::u16string encoded;  // empty: refused
    };
    const std::u16string url = u"http://host/dir/book.xls";
    const Case cases[] = {
        {u"book.xls",
         u"\x01"
         u"book.xls"},
        {u"dir\\book.xls",
         u"\x01"
         u"dir\x03"
         u"book.xls"},
        {u"..\\..\\dir\\book.xls",
         u"\x01\x04\x04"
         u"dir\x03"
         u"book.xls"},
        {u"C:\\dir\\book.xls",
         u"\x01\x01"
         u"Cdir\x03"
         u"book.xls"},
        {u"\\\\server\\share\\book.xls",
         u"\x01\x01@server\x03share\x03"
         u"book.xls"},
        {u"\\dir\\book.xls",
         u"\x01\x02"
         u"dir\x03"
         u"book.xls"},
        {url, u"\x01\x05" + std::u16string(1, static_cast<char16_t>(url.size())) + url},
        {u"HTTPS://h/" + std::u16string(246, u'x'), u""},
        {u"", u""},
        {u"a\x02"
         u"b.xls",
         u""},
    };
    for (const Case& c : cases) {
        const auto encoded = CXlsVirtualPath::Encode(c.path);
        EXPECT_EQ(encoded.value_or(u""), c.encoded) << std::string(c.path.begin(), c.path.end());
    }
}
