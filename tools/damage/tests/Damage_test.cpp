// The damage generator, and the repair of workbooks it damages: every kind
// with many seeds must leave the repair bounded by the file (no crash, no
// sanitizer report, nothing recovered beyond what the bytes can hold), and
// the kinds that leave the records in place must give back every cell.
#include <gtest/gtest.h>

#include <algorithm>

#include "records/CExcelSSTDataList.h"
#include "tools/damage/BiffRecordLayout.h"
#include "tools/damage/CBiffRecordWalk.h"
#include "tools/damage/CWorkbookDamage.h"
#include "tools/damage/CompoundHeaderLayout.h"
#include "tools/damage/tests/DamageFixtures.h"

using namespace damagetest;
using testsupport::ScopedTempDir;

namespace {

constexpr std::uint32_t kSeeds = 24;

std::string Describe(EDamageKind kind, std::uint32_t seed) {
    return std::string(CWorkbookDamage::GetName(kind)) + " seed " + std::to_string(seed);
}

// Sheets whose every row has its NUMBER in A and its LABELSST in B, with
// the values the fixture put there.
std::uint32_t IntactSheets(const CExcelData& data) {
    std::uint32_t intact = 0;
    for (const CExcelWorkBook& workbook : data.GetWorkbooks()) {
        for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
            std::vector<bool> number(kRows, false), label(kRows, false);
            for (const CExcelRecordNUMBER& cell : sheet.GetNumbers())
                if (cell.GetRow() < kRows && cell.GetColumn() == 0 &&
                    cell.GetValue() == CellValue(cell.GetRow()))
                    number[cell.GetRow()] = true;
            for (const CExcelRecordLABELSST& cell : sheet.GetLabelSSTs())
                if (cell.GetRow() < kRows && cell.GetColumn() == 1 &&
                    cell.GetSSTIndex() == cell.GetRow() % kStrings)
                    label[cell.GetRow()] = true;
            const auto all = [](const std::vector<bool>& rows) {
                return std::all_of(rows.begin(), rows.end(), [](bool b) { return b; });
            };
            if (all(number) && all(label)) ++intact;
        }
    }
    return intact;
}

// What each sheet recovered, for failure messages.
std::string Summary(const CExcelData& data) {
    std::string text;
    for (const CExcelWorkBook& workbook : data.GetWorkbooks()) {
        text += "workbook:";
        for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
            text += " [" + std::to_string(sheet.GetNumbers().GetCount()) + " numbers, " +
                    std::to_string(sheet.GetLabelSSTs().GetCount()) + " labels]";
        }
        text += "\n";
    }
    return text;
}

// The bytes that differ from the undamaged file, as offset:old>new.
std::string Changes(const Bytes& before, const Bytes& after) {
    std::string text;
    for (std::size_t at = 0; at < std::min(before.size(), after.size()); ++at)
        if (before[at] != after[at])
            text += std::to_string(at) + ":" + std::to_string(before[at]) + ">" +
                    std::to_string(after[at]) + " ";
    return text;
}

}  // namespace

// ---- The generator

TEST(DamageGenerator, TheSameKindAndSeedGiveTheSameDamageAndNeverGrowTheFile) {
    const Bytes file = TwoSheetFile();
    for (EDamageKind kind : CWorkbookDamage::GetKinds()) {
        for (std::uint32_t seed = 0; seed < 4; ++seed) {
            Bytes first = file, second = file;
            ASSERT_TRUE(CWorkbookDamage::Apply(kind, seed, first)) << Describe(kind, seed);
            ASSERT_TRUE(CWorkbookDamage::Apply(kind, seed, second)) << Describe(kind, seed);
            EXPECT_EQ(first, second) << Describe(kind, seed);
            EXPECT_LE(first.size(), file.size()) << Describe(kind, seed);
            if (kind != EDamageKind::Truncate) {
                EXPECT_EQ(first.size(), file.size()) << Describe(kind, seed);
            }
        }
    }
}

TEST(DamageGenerator, EveryKindHasANameThatFindsIt) {
    ASSERT_EQ(CWorkbookDamage::GetKinds().size(), CWorkbookDamage::kKindCount);
    for (EDamageKind kind : CWorkbookDamage::GetKinds()) {
        EDamageKind found = EDamageKind::Truncate;
        ASSERT_TRUE(CWorkbookDamage::FindByName(CWorkbookDamage::GetName(kind), found));
        EXPECT_EQ(found, kind);
    }
    EDamageKind unused;
    EXPECT_FALSE(CWorkbookDamage::FindByName("sector", unused));
}

TEST(DamageGenerator, RecordKindsRefuseAFileWithoutTheirRecordAndLeaveItAlone) {
    // A stream whose SST fits one record: no CONTINUE to damage.
    BiffWriter globals;
    globals.Record(kSst, testsupport::Concat(BiffWriter::U32(1), BiffWriter::U32(1)));
    const Bytes stream = testsupport::WorkbookStream(globals, {u"Only"}, BiffWriter());
    Bytes damaged = stream;
    EXPECT_FALSE(CWorkbookDamage::Apply(EDamageKind::SstContinue, 1, damaged));
    EXPECT_EQ(damaged, stream);

    Bytes noRecords(4096, 0x41);
    for (EDamageKind kind : {EDamageKind::Bof, EDamageKind::BoundSheet, EDamageKind::RecordLength,
                             EDamageKind::Burst, EDamageKind::SstContinue}) {
        Bytes copy = noRecords;
        EXPECT_FALSE(CWorkbookDamage::Apply(kind, 3, copy)) << CWorkbookDamage::GetName(kind);
        EXPECT_EQ(copy, noRecords);
    }
    Bytes tiny(100, 0);
    EXPECT_FALSE(CWorkbookDamage::Apply(EDamageKind::WipedHeader, 0, tiny));
    Bytes empty;
    EXPECT_FALSE(CWorkbookDamage::Apply(EDamageKind::Truncate, 0, empty));
    EXPECT_FALSE(CWorkbookDamage::Apply(EDamageKind::BitFlips, 0, empty));
}

TEST(DamageGenerator, TheRecordWalkFindsEveryBofAndTheSstContinueInsideTheCompoundFile) {
    CompoundFileBuilder builder;
    builder.AddStream(u"Workbook", TwoSheetStream());
    const Bytes file = builder.Build();
    const CBiffRecordWalk walk(file);
    EXPECT_EQ(walk.GetFirstBof(),
              CompoundFileBuilder::SectorOffset(builder.GetLayout().Find(u"Workbook")->sectors[0]));
    EXPECT_EQ(walk.OfType(BiffRecordLayout::kBof).size(), 3u);
    EXPECT_EQ(walk.OfType(BiffRecordLayout::kBoundSheet).size(), 2u);
    EXPECT_EQ(walk.OfType(BiffRecordLayout::kContinue).size(), 1u);
    EXPECT_EQ(walk.OfType(kLabelSst).size(), 2u * kRows);
}

TEST(DamageGenerator, BrokenFatChangesOnlyAFatSector) {
    CompoundFileBuilder builder;
    builder.AddStream(u"Workbook", TwoSheetStream());
    const Bytes file = builder.Build();
    const std::vector<std::int32_t>& fat = builder.GetLayout().fatSectors;
    for (std::uint32_t seed = 0; seed < 8; ++seed) {
        Bytes damaged = file;
        ASSERT_TRUE(CWorkbookDamage::Apply(EDamageKind::BrokenFat, seed, damaged));
        for (std::size_t at = 0; at < file.size(); ++at) {
            if (damaged[at] == file[at]) continue;
            const std::int32_t sector = static_cast<std::int32_t>(
                (at - CompoundHeaderLayout::kHeaderSize) / CompoundFileBuilder::kSectorSize);
            ASSERT_GE(at, CompoundHeaderLayout::kHeaderSize);
            ASSERT_NE(std::find(fat.begin(), fat.end(), sector), fat.end()) << "byte " << at;
        }
    }
}

// ---- The repair of damaged workbooks

class DamagedRepairTest : public ::testing::Test {
protected:
    void TearDown() override { repairtest::ResetRunState(); }

    std::filesystem::path Path() const { return m_temp.Path() / "damaged.xls"; }

    ScopedTempDir m_temp;
};

TEST_F(DamagedRepairTest, EveryKindAndSeedRepairsWithinWhatTheFileHolds) {
    const Bytes sources[] = {TwoSheetFile(), TwoSheetStream()};
    for (const Bytes& source : sources) {
        for (EDamageKind kind : CWorkbookDamage::GetKinds()) {
            for (std::uint32_t seed = 0; seed < kSeeds; ++seed) {
                Bytes damaged = source;
                if (!CWorkbookDamage::Apply(kind, seed, damaged)) continue;
                std::unique_ptr<CExcelData> data;
                std::string dump;
                const bool repaired = RepairAndDump(Path(), damaged, data, &dump);
                const std::uint64_t cells = CellRecordCount(*data);
                EXPECT_LE(cells, damaged.size() / 4) << Describe(kind, seed);
                // A repair that says it succeeded recovered something.
                if (repaired) {
                    EXPECT_GT(data->GetWorkbooks().GetCount(), 0u) << Describe(kind, seed);
                }
                EXPECT_LE(std::count(dump.begin(), dump.end(), '\n'),
                          static_cast<std::ptrdiff_t>(damaged.size() / 4))
                    << Describe(kind, seed);
            }
        }
    }
}

TEST_F(DamagedRepairTest, ABrokenFatOverAContiguousStreamLosesNoCell) {
    for (std::uint32_t seed = 0; seed < kSeeds; ++seed) {
        Bytes damaged = TwoSheetFile();
        ASSERT_TRUE(CWorkbookDamage::Apply(EDamageKind::BrokenFat, seed, damaged));
        std::unique_ptr<CExcelData> data;
        ASSERT_TRUE(RepairAndDump(Path(), damaged, data)) << "seed " << seed;
        EXPECT_EQ(IntactSheets(*data), 2u) << "seed " << seed;
        ASSERT_EQ(data->GetWorkbooks().GetCount(), 1u);
        EXPECT_EQ(data->GetWorkbooks().GetHead()->GetSharedStrings().GetCount(), kStrings);
    }
}

TEST_F(DamagedRepairTest, AWipedHeaderLosesNoCell) {
    Bytes damaged = TwoSheetFile();
    ASSERT_TRUE(CWorkbookDamage::Apply(EDamageKind::WipedHeader, 0, damaged));
    std::unique_ptr<CExcelData> data;
    ASSERT_TRUE(RepairAndDump(Path(), damaged, data));
    EXPECT_EQ(IntactSheets(*data), 2u);
    ASSERT_EQ(data->GetWorkbooks().GetCount(), 1u);
    EXPECT_EQ(data->GetWorkbooks().GetHead()->GetSharedStrings().GetCount(), kStrings);
}

// Which field of which BOUNDSHEET the damage hit: the offset of the first
// changed byte inside that record's body.
std::uint64_t BoundSheetFieldHit(const Bytes& before, const Bytes& after) {
    for (const CBiffRecordWalk::Record& record :
         CBiffRecordWalk(before).OfType(BiffRecordLayout::kBoundSheet)) {
        const std::uint64_t body = record.offset + BiffRecordLayout::kHeaderSize;
        for (std::uint64_t at = body; at < body + record.length; ++at)
            if (before[at] != after[at]) return at - body;
    }
    return ~std::uint64_t{0};
}

// A BOUNDSHEET whose name is damaged still leads to its sheet, and the
// scan finds every sheet by its BOF.
TEST_F(DamagedRepairTest, ADamagedBoundSheetNameLosesNoCell) {
    const Bytes file = TwoSheetFile();
    std::uint32_t tried = 0;
    for (std::uint32_t seed = 0; seed < 4 * kSeeds; ++seed) {
        Bytes damaged = file;
        ASSERT_TRUE(CWorkbookDamage::Apply(EDamageKind::BoundSheet, seed, damaged));
        if (BoundSheetFieldHit(file, damaged) != BiffRecordLayout::kBoundSheetNameLength) continue;
        ++tried;
        std::unique_ptr<CExcelData> data;
        ASSERT_TRUE(RepairAndDump(Path(), damaged, data)) << "seed " << seed;
        EXPECT_EQ(IntactSheets(*data), 2u)
            << "seed " << seed << ": " << Changes(file, damaged) << "\n"
            << Summary(*data);
    }
    EXPECT_GT(tried, 0u);
}

// A damaged position or sheet type costs at most the cells of that one
// sheet: the sheet whose BOUNDSHEET is sound keeps every cell.
TEST_F(DamagedRepairTest, ADamagedBoundSheetPositionOrTypeKeepsTheOtherSheet) {
    const Bytes file = TwoSheetFile();
    for (std::uint32_t seed = 0; seed < 2 * kSeeds; ++seed) {
        Bytes damaged = file;
        ASSERT_TRUE(CWorkbookDamage::Apply(EDamageKind::BoundSheet, seed, damaged));
        if (BoundSheetFieldHit(file, damaged) == BiffRecordLayout::kBoundSheetNameLength) continue;
        std::unique_ptr<CExcelData> data;
        ASSERT_TRUE(RepairAndDump(Path(), damaged, data)) << "seed " << seed;
        EXPECT_GE(IntactSheets(*data), 1u)
            << "seed " << seed << ": " << Changes(file, damaged) << "\n"
            << Summary(*data);
    }
}

// Every BOF and cell record is still in place: the sheets are found by
// their BOFs, so a damaged position neither empties its sheet nor pours the
// next sheet's cells into the one before, and a damaged sheet type does not
// skip the sheet.
TEST_F(DamagedRepairTest, ADamagedBoundSheetPositionOrTypeLosesNoCell) {
    const Bytes file = TwoSheetFile();
    for (std::uint32_t seed = 0; seed < 2 * kSeeds; ++seed) {
        Bytes damaged = file;
        ASSERT_TRUE(CWorkbookDamage::Apply(EDamageKind::BoundSheet, seed, damaged));
        std::unique_ptr<CExcelData> data;
        ASSERT_TRUE(RepairAndDump(Path(), damaged, data)) << "seed " << seed;
        EXPECT_EQ(IntactSheets(*data), 2u)
            << "seed " << seed << ": " << Changes(file, damaged) << "\n"
            << Summary(*data);
    }
}

TEST_F(DamagedRepairTest, TheUndamagedFixtureRepairsWhole) {
    std::unique_ptr<CExcelData> data;
    std::string dump;
    ASSERT_TRUE(RepairAndDump(Path(), TwoSheetFile(), data, &dump));
    EXPECT_EQ(IntactSheets(*data), 2u);
    EXPECT_EQ(std::count(dump.begin(), dump.end(), '\n'), 4 * kRows);
    EXPECT_NE(dump.find("text-000299xxxxxxxxx"), std::string::npos);
}
