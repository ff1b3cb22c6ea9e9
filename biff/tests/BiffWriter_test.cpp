// The writer builds the inputs of most tests here and in records/; a wrong
// byte in it would make every test built on it prove nothing.
#include "biff/tests/support/BiffWriter.h"

#include <gtest/gtest.h>

using testsupport::BiffWriter;
using testsupport::Bytes;

TEST(BiffWriter, SplitsABodyIntoContinueRecords) {
    BiffWriter w;
    w.RecordWithContinues(0x00FC, {1, 2, 3, 4, 5, 6}, {{2, 0x01}, {4, std::nullopt}});
    EXPECT_EQ(w.GetBytes(), (Bytes{0xFC, 0, 2, 0, 1, 2,        // the record
                                   0x3C, 0, 3, 0, 0x01, 3, 4,  // flag byte inserted
                                   0x3C, 0, 2, 0, 5, 6}));     // no flag byte
}

TEST(BiffWriter, WritesBoundSheetNamesInBothWidths) {
    BiffWriter narrow;
    narrow.BoundSheet(0x1234, u"Ab", 0, 1);
    EXPECT_EQ(narrow.GetBytes(),
              (Bytes{0x85, 0, 10, 0, 0x34, 0x12, 0, 0, 1, 0, 2, 0x00, 'A', 'b'}));
    BiffWriter wide;
    wide.BoundSheet(0, u"\u0416", 0, 0, true);
    EXPECT_EQ(wide.GetBytes(), (Bytes{0x85, 0, 10, 0, 0, 0, 0, 0, 0, 0, 1, 0x01, 0x16, 0x04}));
}
