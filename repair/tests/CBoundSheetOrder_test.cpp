// Sheet positions from the BOUNDSHEET records: every kind of sheet takes a
// place, the model's sheets find theirs by name and order, sheets found
// only from BOFs come after, and damaged globals end the walk safely.
#include "repair/CBoundSheetOrder.h"

#include <gtest/gtest.h>

#include <vector>

#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"

using testsupport::BiffWriter;

namespace {

class BoundSheetOrderTest : public ::testing::Test {
protected:
    // Writes globals to the scan file and makes the workbook span them.
    void Globals(const BiffWriter& globals) {
        path = temp.Path() / "stream.bin";
        ASSERT_TRUE(globals.WriteTo(path));
        workbook.SetStart(0);
        workbook.SetEnd(static_cast<std::uint32_t>(globals.Size()));
    }
    void ModelSheets(std::initializer_list<const char16_t*> names) {
        for (const char16_t* name : names) {
            CExcelWorkSheet sheet;
            sheet.SetName(name);
            workbook.GetWorksheets().Add(sheet);
        }
    }
    std::vector<std::uint32_t> Placed() {
        EXPECT_TRUE(order.Read(path, workbook));
        return order.PlaceSheets(workbook);
    }

    testsupport::ScopedTempDir temp;
    std::filesystem::path path;
    CExcelWorkBook workbook;
    CBoundSheetOrder order;
};

using Positions = std::vector<std::uint32_t>;

}  // namespace

TEST_F(BoundSheetOrderTest, ChartsAndModulesTakeAPlace) {
    BiffWriter globals;
    globals.Bof(0x0005)
        .BoundSheet(0, u"One", 0)
        .BoundSheet(0, u"Chart", 2)
        .BoundSheet(0, u"Macro", 1)
        .BoundSheet(0, u"Module", 6)
        .BoundSheet(0, u"Two", 0, 0, true)
        .Eof();
    Globals(globals);
    ModelSheets({u"One", u"Macro", u"Two"});
    EXPECT_EQ(Placed(), (Positions{0, 2, 4}));
    ASSERT_EQ(order.GetEntries().size(), 5u);
    EXPECT_EQ(order.GetEntries()[1].m_sheetType, 2);
    EXPECT_EQ(order.GetEntries()[4].m_name, u"Two");
}

TEST_F(BoundSheetOrderTest, SheetsFoundOnlyFromBOFsFollowTheEntries) {
    BiffWriter globals;
    globals.Bof(0x0005).BoundSheet(0, u"Chart", 2).BoundSheet(0, u"Data", 0).Eof();
    Globals(globals);
    ModelSheets({u"Data", u"unknown0", u"unknown1"});
    const Positions placed = Placed();
    EXPECT_EQ(placed, (Positions{1, 2, 3}));
    EXPECT_EQ(order.PositionCount(placed), 4u);
}

TEST_F(BoundSheetOrderTest, AnEmptyNameStandsForUnnamed) {
    BiffWriter globals;
    globals.Bof(0x0005).BoundSheet(0, u"Chart", 2).BoundSheet(0, u"", 0).Eof();
    Globals(globals);
    ModelSheets({u""});
    EXPECT_EQ(Placed(), (Positions{1}));
}

TEST_F(BoundSheetOrderTest, TheSameNameTwiceTakesTheEntriesInOrder) {
    BiffWriter globals;
    globals.Bof(0x0005).BoundSheet(0, u"S", 0).BoundSheet(0, u"S", 0).Eof();
    Globals(globals);
    ModelSheets({u"S", u"S", u"S"});
    EXPECT_EQ(Placed(), (Positions{0, 1, 2}));
}

TEST_F(BoundSheetOrderTest, RecordsAfterTheGlobalsEOFAreNotRead) {
    BiffWriter globals;
    globals.Bof(0x0005).BoundSheet(0, u"A", 0).Eof().BoundSheet(0, u"B", 0);
    Globals(globals);
    ModelSheets({u"A"});
    Placed();
    EXPECT_EQ(order.GetEntries().size(), 1u);
}

TEST_F(BoundSheetOrderTest, AnImpossibleLengthCostsOnlyItsHeader) {
    BiffWriter globals;
    globals.Bof(0x0005).RecordWithLength(0x0085, 0x2021, {}).BoundSheet(0, u"A", 0).Eof();
    Globals(globals);
    ModelSheets({u"A"});
    EXPECT_EQ(Placed(), (Positions{0}));
}

TEST_F(BoundSheetOrderTest, ARecordCutByTheEndOfTheFileKeepsWhatIsThere) {
    BiffWriter globals;
    globals.Bof(0x0005).BoundSheet(0, u"Chart", 2).BoundSheet(0, u"Long name", 0);
    testsupport::Truncate(globals.Mutable(), globals.Size() - 5);  // "Long" is left
    Globals(globals);
    workbook.SetEnd(0xFFFFFFFF);  // past the file: the file's end bounds the walk
    ModelSheets({u"Long"});
    EXPECT_EQ(Placed(), (Positions{1}));
}

TEST_F(BoundSheetOrderTest, AMissingFileGivesNoEntries) {
    ModelSheets({u"A", u"B"});
    EXPECT_FALSE(order.Read(temp.Path() / "gone.bin", workbook));
    EXPECT_TRUE(order.GetEntries().empty());
    EXPECT_EQ(order.PlaceSheets(workbook), (Positions{0, 1}));
}

TEST_F(BoundSheetOrderTest, ASheetWhoseTypeByteIsDamagedKeepsItsPlace) {
    // The scan took "One" as a worksheet through its BOF although its
    // record's type byte says 0x77; it still comes first.
    BiffWriter globals;
    globals.Bof(0x0005).BoundSheet(0, u"One", 0x77).BoundSheet(0, u"Two", 0).Eof();
    Globals(globals);
    ModelSheets({u"One", u"Two"});
    EXPECT_EQ(Placed(), (Positions{0, 1}));
}
