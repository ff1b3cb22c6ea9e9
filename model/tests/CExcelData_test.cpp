// The parsed-workbook model: defaults, ownership of the extracted stream
// copy, sheet names and the option mask.
#include "model/CExcelData.h"

#include <gtest/gtest.h>

#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheetList.h"

using testsupport::ScopedTempDir;

// ---- CExcelData

TEST(CExcelData, StartsEmptyWithEveryOptionSet) {
    CExcelData data;
    EXPECT_TRUE(data.GetSourcePath().empty());
    EXPECT_TRUE(data.GetExtractedPath().empty());
    EXPECT_TRUE(data.GetDestinationPath().empty());
    EXPECT_EQ(data.GetProgressWindow(), nullptr);
    EXPECT_EQ(data.GetSaveProgressWindow(), nullptr);
    EXPECT_EQ(data.GetSaveOptions().Get(), 255u);
    EXPECT_EQ(data.GetBOFList().GetCount(), 0u);
    EXPECT_EQ(data.GetWorkbooks().GetCount(), 0u);
    // A receiver tells the container kinds apart at run time.
    CDataContainer* container = &data;
    EXPECT_NE(dynamic_cast<CExcelData*>(container), nullptr);
    // The scan reads the extracted copy when there is one.
    data.SetSourcePath("/files/damaged.xls");
    EXPECT_EQ(data.GetScanPath(), "/files/damaged.xls");
    data.SetExtractedPath("/tmp/abc.tmp");
    EXPECT_EQ(data.GetScanPath(), "/tmp/abc.tmp");
    data.SetExtractedPath("");
}

TEST(CExcelData, DeletesTheExtractedCopyButNotTheSource) {
    ScopedTempDir dir;
    const auto source = dir.Path() / "damaged.xls";
    const auto copy = dir.Path() / "copy.tmp";
    ASSERT_TRUE(testsupport::WriteFileBytes(source, {1}));
    ASSERT_TRUE(testsupport::WriteFileBytes(copy, {2}));
    {
        CExcelData data;
        data.SetSourcePath(source);
        data.SetExtractedPath(copy);
    }
    EXPECT_TRUE(std::filesystem::exists(source));
    EXPECT_FALSE(std::filesystem::exists(copy));
}

TEST(CExcelData, AnExtractedCopyDeletedBySomeoneElseIsNoProblem) {
    ScopedTempDir dir;
    auto data = std::make_unique<CExcelData>();
    data->SetExtractedPath(dir.Path() / "gone.tmp");
    data->GetWorkbooks().Add(new CExcelWorkBook(0, 10));
    data.reset();
    EXPECT_TRUE(dir.Entries().empty());
}

// ---- CSaveOption

TEST(CSaveOption, SetClearAndIsSetWorkOnBitGroups) {
    CSaveOption option;
    EXPECT_EQ(option.Get(), 0u);
    option.Set(CSaveOption::Numbers | CSaveOption::Texts);
    EXPECT_TRUE(option.IsSet(CSaveOption::Texts));
    EXPECT_TRUE(option.IsSet(CSaveOption::Formulas | CSaveOption::Numbers));  // any of them
    EXPECT_FALSE(option.IsSet(CSaveOption::Formulas));
    option.Clear(CSaveOption::Numbers | CSaveOption::RowInformation);
    EXPECT_EQ(option.Get(), 8u);
}

// ---- sheets

TEST(CExcelWorkSheetList, AddCopiesTheSheetWithAnEmptyNameAsUnnamed) {
    CExcelWorkSheetList list;
    CExcelWorkSheet sheet;
    sheet.SetStart(100);
    sheet.SetEnd(200);
    sheet.SetVisibility(2);
    CExcelWorkSheet* added = list.Add(sheet);
    ASSERT_NE(added, &sheet);
    EXPECT_EQ(added->GetName(), u"unnamed");
    EXPECT_EQ(added->GetStart(), 100u);
    EXPECT_EQ(added->GetEnd(), 200u);
    EXPECT_EQ(added->GetVisibility(), 2u);
    sheet.SetName(u"Later");  // the copy does not follow the original
    EXPECT_EQ(list.GetSheetName(0), u"unnamed");
}

TEST(CExcelWorkSheetList, GetSheetNamePastTheLastSheetIsEmpty) {
    CExcelWorkSheetList list;
    EXPECT_EQ(list.GetSheetName(0), u"");
    CExcelWorkSheet sheet;
    sheet.SetName(u"Data");
    list.Add(sheet);
    EXPECT_EQ(list.GetSheetName(0), u"Data");
    EXPECT_EQ(list.GetSheetName(1), u"");
    EXPECT_EQ(list.GetSheetName(0xFFFF), u"");
}

// The decoders below the model see a sheet through its formula part, a
// base that does not sit at the start of CExcelWorkSheet: numbering and
// lookup must go through the same adjusted pointer both ways.
TEST(CExcelWorkBook, SheetsAsTheDecodersSeeThemKeepTheirNumbers) {
    CExcelWorkBook book;
    CExcelWorkBook other;
    for (const char16_t* name : {u"First", u"Second"}) {
        CExcelWorkSheet sheet;
        sheet.SetName(name);
        book.GetWorksheets().Add(sheet);
        other.GetWorksheets().Add(sheet);
    }
    const CExcelFormulaWorkbook& seen = book;
    const CExcelSheetFormulas* second = book.GetWorksheets().GetAt(1);
    EXPECT_EQ(seen.GetSheetFormulas(1), second);
    EXPECT_EQ(seen.GetSheetNumber(second), 2u);
    EXPECT_EQ(seen.GetSheetNumber(seen.GetSheetFormulas(0)), 1u);
    EXPECT_EQ(seen.GetSheetFormulas(2), nullptr);
    EXPECT_EQ(seen.GetSheetNumber(nullptr), 0u);
    EXPECT_EQ(seen.GetSheetNumber(other.GetWorksheets().GetAt(1)), 0u);  // not one of ours
    EXPECT_EQ(seen.GetSheetName(1), u"Second");
    EXPECT_EQ(seen.GetSheetName(2), u"");
}

// ---- the BOF list

TEST(CExcelBOFRecordList, MakeWorksheetFromBOFCountsPerWorkbookAndNamesByTotal) {
    CExcelBOFRecordList list;
    list.Add(CExcelBOFRecord(CExcelBOFRecord::kGlobalsName, 0, 10));
    list.Add(CExcelBOFRecord(CExcelBOFRecord::kWorksheetName, 10, 20));
    list.Add(CExcelBOFRecord(CExcelBOFRecord::kWorksheetName, 20, 30));
    list.Add(CExcelBOFRecord(CExcelBOFRecord::kGlobalsName, 30, 40));
    list.Add(CExcelBOFRecord(CExcelBOFRecord::kWorksheetName, 40, 50));

    auto sheet = list.MakeWorksheetFromBOF(0, 1);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->GetName(), u"unknown2");  // two worksheet BOFs before it
    EXPECT_EQ(sheet->GetStart(), 40u);
    EXPECT_EQ(sheet->GetEnd(), 50u);
    EXPECT_EQ(sheet->GetVisibility(), 0u);
    EXPECT_EQ(list.MakeWorksheetFromBOF(1, 0)->GetStart(), 20u);
    EXPECT_EQ(list.MakeWorksheetFromBOF(2, 0), nullptr);
    EXPECT_EQ(list.MakeWorksheetFromBOF(1, 1), nullptr);
    EXPECT_EQ(list.MakeWorksheetFromBOF(0, 2), nullptr);
}

TEST(CExcelBOFRecordList, GroupedWorksheetsGiveTheSameSheetsAsOneByOne) {
    CExcelBOFRecordList list;
    const char16_t* pattern[] = {CExcelBOFRecord::kGlobalsName,   CExcelBOFRecord::kWorksheetName,
                                 CExcelBOFRecord::kWorksheetName, CExcelBOFRecord::kGlobalsName,
                                 CExcelBOFRecord::kGlobalsName,   CExcelBOFRecord::kWorksheetName,
                                 CExcelBOFRecord::kWorksheetName, CExcelBOFRecord::kWorksheetName};
    std::uint32_t start = 0;
    for (const char16_t* name : pattern) {
        list.Add(CExcelBOFRecord(name, start, start + 7));
        start += 7;
    }
    const auto groups = list.GroupWorksheets();
    ASSERT_EQ(groups.size(), 3u);
    for (std::uint32_t k = 0; k < 4; ++k) {
        for (std::uint32_t n = 0; n < 5; ++n) {
            auto one = list.MakeWorksheetFromBOF(n, k);
            const bool inGroups = k < groups.size() && n < groups[k].size();
            ASSERT_EQ(one != nullptr, inGroups) << k << "," << n;
            if (!one) continue;
            auto grouped = CExcelBOFRecordList::MakeWorksheet(groups[k][n]);
            EXPECT_EQ(one->GetName(), grouped->GetName());
            EXPECT_EQ(one->GetStart(), grouped->GetStart());
            EXPECT_EQ(one->GetEnd(), grouped->GetEnd());
        }
    }
}
