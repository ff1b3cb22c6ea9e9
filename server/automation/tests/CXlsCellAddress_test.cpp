#include "server/automation/CXlsCellAddress.h"

#include <gtest/gtest.h>

TEST(XlsCellAddress, FormatsCellsAreasWholeRowsAndColumns) {
    EXPECT_EQ(CXlsCellAddress::Format(CXlsCellRange::Cell(0, 0)), u"$A$1");
    EXPECT_EQ(CXlsCellAddress::Format(CXlsCellRange::Cell(65535, 255)), u"$IV$65536");
    EXPECT_EQ(CXlsCellAddress::Format(CXlsCellRange(1, 25, 3, 26)), u"$Z$2:$AA$4");
    EXPECT_EQ(CXlsCellAddress::Format(CXlsCellRange(0, 1, 65535, 1)), u"$B:$B");
    EXPECT_EQ(CXlsCellAddress::Format(CXlsCellRange(2, 0, 4, 255)), u"$3:$5");
    EXPECT_EQ(CXlsCellAddress::Format(CXlsCellRange(0, 0, 65535, 255)), u"$1:$65536");
    EXPECT_EQ(CXlsCellAddress::Format(CXlsCellRange(1, 2, 3, 4), false, true), u"$C2:$E4");
    EXPECT_EQ(CXlsCellAddress::Format(CXlsCellRange::Cell(1, 2), true, false), u"C$2");
}

TEST(XlsCellAddress, ReadsWhatItWritesAndRefusesTheRest) {
    for (const CXlsCellRange& range :
         {CXlsCellRange::Cell(0, 0), CXlsCellRange::Cell(65535, 255), CXlsCellRange(1, 25, 3, 26),
          CXlsCellRange(0, 1, 65535, 1), CXlsCellRange(2, 0, 4, 255)}) {
        CXlsCellRange read;
        ASSERT_TRUE(CXlsCellAddress::Parse(CXlsCellAddress::Format(range), read));
        EXPECT_EQ(read, range);
    }
    CXlsCellRange read;
    ASSERT_TRUE(CXlsCellAddress::Parse(u"C4:A1", read));
    EXPECT_EQ(read, CXlsCellRange(0, 0, 3, 2)) << "corners put in order";
    for (std::u16string_view bad :
         {u"", u"A", u"A0", u"IW1", u"A65537", u"A1 ", u"A1,B2", u"Sheet1!A1", u"name", u"A1:"}) {
        EXPECT_FALSE(CXlsCellAddress::Parse(bad, read)) << std::string(bad.begin(), bad.end());
    }
}
