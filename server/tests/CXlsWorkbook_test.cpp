// The workbook: sheet names and their rules, default "SheetN" names,
// positions while adding and moving, the active sheet, Date1904 and the
// 3-D reference table.
#include "server/CXlsWorkbook.h"

#include <gtest/gtest.h>

TEST(XlsWorkbook, AddSheetAtPositions) {
    CXlsWorkbook book;
    EXPECT_EQ(book.SheetCount(), 0u);
    ASSERT_TRUE(book.AddSheet(0, u"B"));
    ASSERT_TRUE(book.AddSheet(0, u"A"));
    ASSERT_TRUE(book.AddSheet(2, u"C"));
    EXPECT_EQ(book.AddSheet(4, u"D"), nullptr) << "past the end";
    ASSERT_EQ(book.SheetCount(), 3u);
    EXPECT_EQ(book.Sheet(0)->Name(), u"A");
    EXPECT_EQ(book.Sheet(1)->Name(), u"B");
    EXPECT_EQ(book.Sheet(2)->Name(), u"C");
    EXPECT_EQ(book.Sheet(3), nullptr);
}

TEST(XlsWorkbook, NamesAreUniqueIgnoringCase) {
    CXlsWorkbook book;
    ASSERT_TRUE(book.AddSheet(0, u"Data"));
    EXPECT_EQ(book.AddSheet(1, u"DATA"), nullptr);
    EXPECT_EQ(book.AddSheet(1, u"Da:ta"), nullptr);
    EXPECT_EQ(book.FindSheet(u"dAtA"), 0u);
    EXPECT_EQ(book.FindSheet(u"Other"), CXlsWorkbook::kNotFound);
}

TEST(XlsWorkbook, DefaultNamesCountUpAndSkipTakenNames) {
    CXlsWorkbook book;
    EXPECT_EQ(book.AddSheet(0)->Name(), u"Sheet1");
    ASSERT_TRUE(book.AddSheet(1, u"sheet3"));
    EXPECT_EQ(book.AddSheet(2)->Name(), u"Sheet2");
    EXPECT_EQ(book.AddSheet(3)->Name(), u"Sheet4") << "Sheet3 is taken (ignoring case)";
    // Renaming does not make the counter go back.
    ASSERT_TRUE(book.RenameSheet(*book.Sheet(0), u"First"));
    EXPECT_EQ(book.AddSheet(0)->Name(), u"Sheet5");
}

TEST(XlsWorkbook, RenameThatBreaksTheRulesKeepsTheOldName) {
    CXlsWorkbook book;
    CXlsWorksheet* a = book.AddSheet(0, u"Alpha");
    ASSERT_TRUE(book.AddSheet(1, u"Beta"));
    EXPECT_FALSE(book.RenameSheet(*a, u"beta"));
    EXPECT_FALSE(book.RenameSheet(*a, std::u16string(32, u'x')));
    EXPECT_FALSE(book.RenameSheet(*a, u"a/b"));
    EXPECT_FALSE(book.RenameSheet(*a, u""));
    EXPECT_EQ(a->Name(), u"Alpha");
    EXPECT_TRUE(book.RenameSheet(*a, u"ALPHA")) << "a sheet may change its own name's case";
    EXPECT_EQ(a->Name(), u"ALPHA");
}

TEST(XlsWorkbook, MoveKeepsSheetsAndTheActiveSheet) {
    CXlsWorkbook book;
    for (const char16_t* name : {u"A", u"B", u"C", u"D"}) book.AddSheet(book.SheetCount(), name);
    ASSERT_TRUE(book.SetActiveSheet(1));  // B
    ASSERT_TRUE(book.MoveSheet(0, 3));    // A to the end: B C D A
    EXPECT_EQ(book.Sheet(0)->Name(), u"B");
    EXPECT_EQ(book.Sheet(3)->Name(), u"A");
    EXPECT_EQ(book.ActiveSheet(), 0u) << "B is still the active sheet";
    ASSERT_TRUE(book.MoveSheet(3, 1));  // B A C D
    EXPECT_EQ(book.Sheet(1)->Name(), u"A");
    EXPECT_FALSE(book.MoveSheet(4, 0));
    EXPECT_FALSE(book.SetActiveSheet(4));
}

TEST(XlsWorkbook, AddingBeforeTheActiveSheetKeepsItActive) {
    CXlsWorkbook book;
    book.AddSheet(0, u"A");
    book.AddSheet(1, u"B");
    ASSERT_TRUE(book.SetActiveSheet(1));
    book.AddSheet(0, u"Z");
    EXPECT_EQ(book.Sheet(book.ActiveSheet())->Name(), u"B");
}

TEST(XlsWorkbook, SheetPointersSurviveAddsAndMoves) {
    CXlsWorkbook book;
    CXlsWorksheet* first = book.AddSheet(0, u"First");
    first->SetNumber(0, 0, 7);
    for (int i = 0; i < 50; ++i) book.AddSheet(0);
    book.MoveSheet(book.PositionOf(*first), 10);
    EXPECT_EQ(book.Sheet(10), first);
    EXPECT_EQ(first->GetValue(0, 0), CXlsCellValue::Number(7));
}

TEST(XlsWorkbook, Date1904DefaultsOff) {
    CXlsWorkbook book;
    EXPECT_FALSE(book.Date1904());
    book.SetDate1904(true);
    EXPECT_TRUE(book.Date1904());
}

TEST(XlsWorkbook, ExternSheetEntriesAreSharedAndFollowTheirSheets) {
    CXlsWorkbook book;
    for (const char16_t* name : {u"A", u"B", u"C"}) book.AddSheet(book.SheetCount(), name);
    EXPECT_EQ(book.RegisterExternSheet(1, 1), 0);
    EXPECT_EQ(book.RegisterExternSheet(0, 2), 1);
    EXPECT_EQ(book.RegisterExternSheet(1, 1), 0) << "the same sheets share an entry";
    EXPECT_EQ(book.RegisterExternSheet(0, 3), -1) << "no such sheet";
    const auto& entries = book.ExternSheets().Entries();
    ASSERT_EQ(entries.size(), 2u);
    book.MoveSheet(1, 0);  // B A C
    EXPECT_EQ(book.PositionOfId(entries[0].first), 0u) << "entry 0 still names B";
}

TEST(XlsWorkbook, ExternSheetTableIsBounded) {
    CXlsExternSheetTable table;
    for (std::uint32_t i = 0; i < xlsw::kMaxExternSheetEntries; ++i) {
        ASSERT_EQ(table.Register(i, i), static_cast<int>(i));
    }
    EXPECT_EQ(table.Register(100000, 100000), -1);
    EXPECT_EQ(table.Register(5, 5), 5) << "existing entries are still found";
}
