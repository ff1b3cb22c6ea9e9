// EXTERNNAME records: the name text in both widths, cut names, and the
// SUPBOOK each record belongs to as the globals scan reads them.
#include "records/CExcelRecordEXTERNNAME.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

CExcelRecordEXTERNNAME Make(const Bytes& payload, std::uint32_t supBook = 0) {
    return CExcelRecordEXTERNNAME(payload.data(), static_cast<std::uint32_t>(payload.size()),
                                  supBook);
}

}  // namespace

TEST(ExternName, ReadsNarrowAndWideNames) {
    const CExcelRecordEXTERNNAME narrow =
        Make({0, 0, 0, 0, 0, 0, 4, 0, 'E', 'D', 'A', 'T', 0x02, 0x00, 0x1C, 0x17}, 3);
    EXPECT_EQ(narrow.GetNameText(), u"EDAT");
    EXPECT_EQ(narrow.GetSupBookIndex(), 3u);
    const CExcelRecordEXTERNNAME wide = Make({0, 0, 0, 0, 0, 0, 2, 1, 0x41, 0x00, 0x3A, 0x04});
    EXPECT_EQ(wide.GetNameText(), u"A\u043A");
    // A name of sheet 3 of the other workbook, complete.
    const CExcelRecordEXTERNNAME sheetName = Make({1, 0, 3, 0, 0, 0, 1, 0, 'R'});
    EXPECT_EQ(sheetName.GetSheetIndex(), 3);
    EXPECT_EQ(sheetName.GetOptionFlags(), 1);
    EXPECT_TRUE(sheetName.IsComplete());
}

TEST(ExternName, ANameCutByTheRecordKeepsWhatIsThere) {
    EXPECT_EQ(Make({0, 0, 0, 0, 0, 0, 9, 0, 'A', 'B'}).GetNameText(), u"AB");
    EXPECT_FALSE(Make({0, 0, 0, 0, 0, 0, 9, 0, 'A', 'B'}).IsComplete());
    // A wide character cut in half is dropped.
    EXPECT_EQ(Make({0, 0, 0, 0, 0, 0, 2, 1, 0x41, 0x00, 0x42}).GetNameText(), u"A");
    EXPECT_EQ(Make({0, 0, 0}).GetNameText(), u"");
    EXPECT_EQ(Make({0, 0, 0}).GetSheetIndex(), 0);
    EXPECT_EQ(CExcelRecordEXTERNNAME(nullptr, 0, 0).GetNameText(), u"");
}
