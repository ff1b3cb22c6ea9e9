// Encoded file names of other workbooks made readable, and the split of a
// readable path into its directory and file name.
#include "records/CExcelEncodedFileName.h"

#include <gtest/gtest.h>

#include <string>

TEST(EncodedFileName, EachControlCharacterGivesItsPathPart) {
    const struct {
        std::u16string encoded;
        const char16_t* path;  // null: not readable
    } cases[] = {
        {u"\x01"
         u"ext.xls",
         u"ext.xls"},
        {u"\x01sub\x03"
         u"ext.xls",
         u"sub\\ext.xls"},
        {u"\x01\x02sub\x03"
         u"ext.xls",
         u"\\sub\\ext.xls"},
        {u"\x01\x04\x04sub\x03"
         u"ext.xls",
         u"..\\..\\sub\\ext.xls"},
        {u"\x01\x01"
         u"Dsub\x03"
         u"ext.xls",
         u"D:\\sub\\ext.xls"},
        {u"\x01\x01@pc\x03sub\x03"
         u"ext.xls",
         u"\\\\pc\\sub\\ext.xls"},
        {u"\x01\x05\x12http://h/a/b/x.xls", u"http://h/a/b/x.xls"},
        {u"Formulas2.xls", u"Formulas2.xls"},
        {u"\x01\x05\x40http://h/x.xls", nullptr},  // URL shorter than its count
        {u"\x01\x01", nullptr},                    // volume letter missing
        {u"\x01\x01\x03x.xls", nullptr},           // a control character for a volume
        {u"\x01\x06"
         u"book.xls",
         nullptr},  // start-up directory
        {u"\x01\x08"
         u"book.xls",
         nullptr},  // library directory
        {u"excel\x03"
         u"D:\\[x.xls]Sheet1",
         nullptr},  // DDE link
        {u"", nullptr},
        {u"\x01", nullptr},
    };
    for (const auto& c : cases) {
        std::u16string path = u"unchanged";
        const bool readable = CExcelEncodedFileName::Decode(c.encoded, path);
        EXPECT_EQ(readable, c.path != nullptr);
        EXPECT_EQ(path, c.path ? c.path : u"unchanged");
    }
}

TEST(EncodedFileName, SplitsAfterTheLastSeparator) {
    std::u16string directory;
    std::u16string file;
    ASSERT_TRUE(CExcelEncodedFileName::Split(u"C:\\a b\\[x].xls", directory, file));
    EXPECT_EQ(directory, u"C:\\a b\\");
    EXPECT_EQ(file, u"[x].xls");
    ASSERT_TRUE(CExcelEncodedFileName::Split(u"http://h/a\\b/x.xls", directory, file));
    EXPECT_EQ(directory, u"http://h/a\\b/");
    EXPECT_EQ(file, u"x.xls");
    ASSERT_TRUE(CExcelEncodedFileName::Split(u"x.xls", directory, file));
    EXPECT_EQ(directory, u"");
    EXPECT_FALSE(CExcelEncodedFileName::Split(u"C:\\dir\\", directory, file));
}
