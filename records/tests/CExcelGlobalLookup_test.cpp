#include "records/CExcelGlobalLookup.h"

#include <gtest/gtest.h>

#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "records/CExcelRecordGWBEXTERNSHEET.h"
#include "records/CExcelRecordGWBSUPBOOK.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBXF.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Fonts whose height field is their list position, so that a lookup shows
// which record it selected.
void AddFonts(CTList<CExcelRecordWBFONT>& fonts, std::uint8_t count) {
    for (std::uint8_t i = 0; i < count; ++i) {
        const Bytes payload = {i, 0};
        fonts.Add(new CExcelRecordWBFONT(payload.data(), 2));
    }
}

void AddExtern(CExcelWorkBook& book, const Bytes& payload) {
    book.GetExternSheets().Add(
        new CExcelRecordGWBEXTERNSHEET(payload.data(), static_cast<std::uint32_t>(payload.size())));
}

void AddSupBook(CExcelWorkBook& book, const Bytes& payload) {
    book.GetSupBooks().Add(
        new CExcelRecordGWBSUPBOOK(payload.data(), static_cast<std::uint32_t>(payload.size())));
}

void AddSheet(CExcelWorkBook& book, const std::u16string& name) {
    CExcelWorkSheet sheet;
    sheet.SetName(name);
    book.GetWorksheets().Add(sheet);
}

}  // namespace

TEST(FontIndexRule, NoIndexFour) {
    EXPECT_EQ(CExcelGlobalLookup::FontPosition(0), 0u);
    EXPECT_EQ(CExcelGlobalLookup::FontPosition(3), 3u);
    EXPECT_EQ(CExcelGlobalLookup::FontPosition(4), 3u);
    EXPECT_EQ(CExcelGlobalLookup::FontPosition(5), 4u);
    EXPECT_EQ(CExcelGlobalLookup::FontPosition(100), 99u);
}

TEST(FontIndexRule, SelectsTheRecordAtThatPosition) {
    CTList<CExcelRecordWBFONT> fonts;
    AddFonts(fonts, 6);
    EXPECT_EQ(CExcelGlobalLookup::GetFont(fonts, 3)->GetHeight(), 3);
    EXPECT_EQ(CExcelGlobalLookup::GetFont(fonts, 5)->GetHeight(), 4);
    EXPECT_EQ(CExcelGlobalLookup::GetFont(fonts, 6)->GetHeight(), 5);
    EXPECT_EQ(CExcelGlobalLookup::GetFont(fonts, 7), nullptr);
    CTList<CExcelRecordWBFONT> none;
    EXPECT_EQ(CExcelGlobalLookup::GetFont(none, 0), nullptr);
}

TEST(XfLookup, IndexAtOrPastTheListSelectsNone) {
    CTList<CExcelRecordWBXF> xfs;
    const Bytes payload(20, 0);
    xfs.Add(new CExcelRecordWBXF(payload.data(), 20));
    EXPECT_NE(CExcelGlobalLookup::GetXF(xfs, 0), nullptr);
    EXPECT_EQ(CExcelGlobalLookup::GetXF(xfs, 1), nullptr);
}

TEST(ExternSheetName, InternalReferenceNamesTheFirstSheet) {
    CExcelWorkBook book;
    AddSheet(book, u"Data");
    AddSheet(book, u"Summary");
    AddSupBook(book, {2, 0, 0x01, 0x04});
    AddExtern(book, {2, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(CExcelGlobalLookup::GetExternSheetName(book, 0), u"Summary");
    EXPECT_EQ(CExcelGlobalLookup::GetExternSheetName(book, 1), u"Data");
    EXPECT_EQ(CExcelGlobalLookup::GetExternSheetName(book, 2), u"");
}

TEST(ExternSheetName, AddInAndExternalBooksGiveNoName) {
    CExcelWorkBook book;
    AddSheet(book, u"Data");
    AddSupBook(book, {1, 0, 0x01, 0x04});
    AddSupBook(book, {0x01, 0x00, 0x01, 0x3A});
    AddSupBook(book, {1, 0, 3, 0, 0, 'a', 'b', 'c'});
    AddExtern(book, {4, 0, 1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(CExcelGlobalLookup::GetExternSheetName(book, 0), u"");  // add-in
    EXPECT_EQ(CExcelGlobalLookup::GetExternSheetName(book, 1), u"");  // another file
    EXPECT_EQ(CExcelGlobalLookup::GetExternSheetName(book, 2), u"");  // no SUPBOOK 3
    EXPECT_EQ(CExcelGlobalLookup::GetExternSheetName(book, 3), u"Data");
}

TEST(ExternSheetName, SheetIndexPastTheSheetListGivesNoName) {
    CExcelWorkBook book;
    AddSheet(book, u"Only");
    AddSupBook(book, {1, 0, 0x01, 0x04});
    AddExtern(book, {1, 0, 0, 0, 5, 0, 5, 0});
    EXPECT_EQ(CExcelGlobalLookup::GetExternSheetName(book, 0), u"");
}

TEST(ExternSheetName, EntriesOfLaterRecordsFollowThoseOfEarlierOnes) {
    CExcelWorkBook book;
    AddSheet(book, u"A");
    AddSheet(book, u"B");
    AddSupBook(book, {2, 0, 0x01, 0x04});
    AddExtern(book, {1, 0, 0, 0, 0, 0, 0, 0});
    AddExtern(book, {1, 0, 0, 0, 1, 0, 1, 0});
    EXPECT_EQ(CExcelGlobalLookup::GetExternSheetName(book, 1), u"B");
}
