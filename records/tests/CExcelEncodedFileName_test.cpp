// Encoded file names of other workbooks made readable, and the split of a
// readable path into its directory and file name.
#include "records/CExcelEncodedFileName.h"

#include <gtest/gtest.h>

#include <string>

TEST(EncodedFileName, DecodesEachControlCharacterAndSplitsAfterTheLastSeparator) {
    const struct {
        std::u16string encoded;
        const char16_t* directory;  // null: not readable
        const char16_t* file;
    } cases[] = {
        {u"\x01my.xls", u"", u"my.xls"},
        {u"\x01sub\x03my.xls", u"sub\\", u"my.xls"},
        {u"\x01\x02sub\x03my.xls", u"\\sub\\", u"my.xls"},
        {u"\x01\x04\x04sub\x03my.xls", u"..\\..\\sub\\", u"my.xls"},
        {u"\x01\x01Zsub\x03my.xls", u"Z:\\sub\\", u"my.xls"},
        {u"\x01\x01@pc\x03sub\x03my.xls", u"\\\\pc\\sub\\", u"my.xls"},
        {u"\x01\x05\x12http://h/a\\b/x.xls", u"http://h/a\\b/", u"x.xls"},
        {u"Formulas2.xls", u"", u"Formulas2.xls"},
        {u"\x01\x05\x40http://h/x.xls", nullptr, nullptr},  // URL shorter than its count
        {u"\x01\x01", nullptr, nullptr},                    // volume letter missing
        {u"\x01\x01\x03x.xls", nullptr, nullptr},           // a control character for a volume
        {u"\x01\x06my.xls", nullptr, nullptr},              // start-up directory
        {u"\x01\x08my.xls", nullptr, nullptr},              // library directory
        {u"excel\x03Z:\\[x.xls]Sheet1", nullptr, nullptr},  // DDE link
        {u"", nullptr, nullptr},
        {u"\x01", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        std::u16string path = u"unchanged";
        EXPECT_EQ(CExcelEncodedFileName::Decode(c.encoded, path), c.directory != nullptr);
        if (!c.directory) {
            EXPECT_EQ(path, u"unchanged");
            continue;
        }
        std::u16string directory;
        std::u16string file;
        ASSERT_TRUE(CExcelEncodedFileName::Split(path, directory, file));
        EXPECT_EQ(directory, c.directory);
        EXPECT_EQ(file, c.file);
    }
    std::u16string directory;
    std::u16string file;
    EXPECT_FALSE(CExcelEncodedFileName::Split(u"C:\\dir\\", directory, file));
}
