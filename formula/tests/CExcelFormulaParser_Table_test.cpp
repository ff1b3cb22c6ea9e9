// ptgTbl: the TABLE record whose first cell the token names, printed as
// the spreadsheet shows a data table's cells. Never a formula to write
// back, so always unsound.
#include <gtest/gtest.h>

#include "formula/CExcelRecordMulOpTable.h"
#include "formula/tests/support/TokenStream.h"
#include "model/CExcelWorkSheet.h"

using namespace testsupport;

namespace {

void AddTable(CExcelWorkSheet& sheet, std::uint16_t row, std::uint8_t column, std::uint8_t flags) {
    // Range (row, column) to (row + 4, column + 1); inputs B1 and C1.
    const Bytes data = {static_cast<std::uint8_t>(row),
                        static_cast<std::uint8_t>(row >> 8),
                        static_cast<std::uint8_t>(row + 4),
                        0,
                        column,
                        static_cast<std::uint8_t>(column + 1),
                        flags,
                        0,
                        0,
                        0,
                        1,
                        0,
                        0,
                        0,
                        2,
                        0};
    sheet.GetTables().Add(new CExcelRecordMulOpTable(data.data()));
}

Decoded Tbl(const CExcelWorkSheet* sheet, std::uint16_t row, std::uint16_t column) {
    return Decode(TokenStream().Byte(0x02).U16(row).U16(column).Build(), 0, 0, nullptr, sheet);
}

}  // namespace

TEST(DataTable, EachOptionPrintsItsTableTextUnsound) {
    const struct {
        std::uint8_t flags;
        const char* text;
    } cases[] = {{0x00, "{=TABLE(,B1)}"},
                 {0x04, "{=TABLE(B1,)}"},
                 {0x0C, "{=TABLE(B1,C1)}"},
                 {0x08, ""},
                 // Bits other than row input and two inputs are ignored.
                 {0x0F, "{=TABLE(B1,C1)}"}};
    for (const auto& c : cases) {
        CExcelWorkSheet sheet;
        AddTable(sheet, 3, 2, c.flags);
        const Decoded d = Tbl(&sheet, 3, 2);
        EXPECT_EQ(d.text, c.text) << int(c.flags);
        EXPECT_FALSE(d.sound);
    }
}

TEST(DataTable, TheFirstTableStartingAtTheTokensCellIsUsed) {
    CExcelWorkSheet sheet;
    AddTable(sheet, 9, 9, 0x04);
    AddTable(sheet, 3, 2, 0x00);
    AddTable(sheet, 3, 2, 0x0C);
    EXPECT_EQ(Tbl(&sheet, 3, 2).text, "{=TABLE(,B1)}");
    EXPECT_EQ(Tbl(&sheet, 9, 9).text, "{=TABLE(B1,)}");
}

TEST(DataTable, NoMatchingTableGivesEmptyText) {
    CExcelWorkSheet sheet;
    AddTable(sheet, 3, 2, 0x0C);
    EXPECT_EQ(Tbl(&sheet, 3, 3).text, "");
    EXPECT_EQ(Tbl(&sheet, 4, 2).text, "");
    // A column past the column byte never matches.
    EXPECT_EQ(Tbl(&sheet, 3, 0x0102).text, "");
    EXPECT_EQ(Tbl(nullptr, 3, 2).text, "");
}
