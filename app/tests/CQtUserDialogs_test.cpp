#include "app/CQtUserDialogs.h"

#include <gtest/gtest.h>

TEST(QtFilterTest, WorksheetFilterBecomesTwoQtEntries) {
    EXPECT_EQ(CQtUserDialogs::QtFilter("Worksheet Files (*.xls)|*.xls|All Files (*.*)|*.*||"),
              "Worksheet Files (*.xls);;All Files (*)");
}

// A damaged workbook saved without an extension must still be offered.
TEST(QtFilterTest, AllFilesMatchesNamesWithoutADot) {
    EXPECT_EQ(CQtUserDialogs::QtFilter("All Files (*.*)|*.*||"), "All Files (*)");
}

TEST(QtFilterTest, DamagedFilterTextGivesWhatPairsThereAre) {
    EXPECT_EQ(CQtUserDialogs::QtFilter(""), "");
    EXPECT_EQ(CQtUserDialogs::QtFilter("||||"), "");
    EXPECT_EQ(CQtUserDialogs::QtFilter("Worksheet Files (*.xls)|*.xls|Dangling"),
              "Worksheet Files (*.xls)");
}
