// What each parse step reads from a damaged file, which bit it sets, and
// what survives for the later steps.
#include "compound/COleFileReader.h"

#include <gtest/gtest.h>

#include <vector>

#include "compound/CDataContainerOle.h"
#include "compound/CompoundFormat.h"
#include "compound/tests/ParsedFile.h"
#include "compound/tests/support/ByteMutation.h"
#include "compound/tests/support/CompoundFileBuilder.h"

using Builder = CompoundFileBuilder;

namespace {

const CDataContainerOle& Model(ParsedFile& parsed) {
    return *parsed.Ole().GetDataContainerOle();
}

// A file too short for its header reads as a zero header: its first DIFAT,
// mini FAT and directory sector ids are all 0, and sector 0 is not in the
// file either, so each of those steps reports its own bit.
constexpr unsigned long kZeroHeaderBits =
    ErrHeaderTooShort | ErrDifatChain | ErrMiniFatSector | ErrDirectorySector | ErrNoRootEntry;

// A workbook of `sectors` full sectors and one small stream beside it.
Builder WorkbookFile(std::uint32_t sectors = 10) {
    Builder builder;
    builder.AddStream(u"\x05SummaryInformation", Pattern(300, 9));
    builder.AddStream(u"Workbook", Pattern(sectors * 512, 10));
    return builder;
}

}  // namespace

// --- Header --------------------------------------------------------------------

TEST(ReadHeader, FileShorterThanTheHeaderReadsNothing) {
    std::vector<std::uint8_t> file = WorkbookFile().Build();
    ByteMutation::Truncate(file, 511);
    ParsedFile parsed(file);
    EXPECT_EQ(parsed.ParseResult(), ErrNoRootEntry);
    EXPECT_EQ(parsed.Bits(), kZeroHeaderBits);
    EXPECT_EQ(Model(parsed).GetFileLength(), 511u);
    EXPECT_EQ(Model(parsed).GetDifatEntries().GetCount(), 0u);
    EXPECT_EQ(Model(parsed).GetEntryCount(), 0u);
}

TEST(ReadHeader, HeaderAloneHasNoSectorInRange) {
    std::vector<std::uint8_t> file = WorkbookFile().Build();
    ByteMutation::Truncate(file, 512);
    ParsedFile parsed(file);
    // All 109 header DIFAT entries are kept, free markers included.
    EXPECT_EQ(Model(parsed).GetDifatEntries().GetCount(), 109u);
    EXPECT_EQ(Model(parsed).GetFat().GetCount(), 0u);
    EXPECT_EQ(parsed.Bits(), static_cast<unsigned long>(ErrFatSector | ErrMiniFatSector |
                                                        ErrDirectorySector | ErrNoRootEntry));
}

TEST(ReadHeader, EmptyFileIsTooShort) {
    ParsedFile parsed({});
    EXPECT_EQ(parsed.Bits(), kZeroHeaderBits);
}

// --- DIFAT ---------------------------------------------------------------------

TEST(ReadDifat, LoopStopsWithTheEntriesReadSoFar) {
    Builder builder = WorkbookFile();
    // 240 spare FAT sectors fill the header's 109 ids and two DIFAT sectors.
    builder.SetExtraFatSectors(240).BreakDifatChain(Builder::DifatBreak::Loop);
    ParsedFile parsed(builder.Build());
    const Builder::Layout& layout = builder.GetLayout();
    ASSERT_EQ(layout.difatSectors.size(), 2u);

    EXPECT_EQ(parsed.ParseResult(), ErrNone);
    EXPECT_EQ(parsed.Bits(), static_cast<unsigned long>(ErrDifatChain));
    // Both DIFAT sectors were read; the id that led back is not listed.
    EXPECT_EQ(Model(parsed).GetDifatSectorIds().Values(),
              (std::vector<std::int32_t>{layout.difatSectors[0], layout.difatSectors[1]}));
    EXPECT_EQ(Model(parsed).GetDifatEntries().GetCount(), 109u + 2 * 127);
    EXPECT_EQ(Model(parsed).GetFat().GetCount(), layout.fatSectors.size() * 128);

    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), 0);
    EXPECT_EQ(out, Pattern(10 * 512, 10));
}

TEST(ReadDifat, DifatSectorThatNamesItselfIsALoop) {
    Builder builder = WorkbookFile();
    // A lone DIFAT sector whose next id is its own.
    builder.SetHeaderDifatLimit(0).BreakDifatChain(Builder::DifatBreak::Loop);
    ParsedFile parsed(builder.Build());
    EXPECT_EQ(parsed.Bits(), static_cast<unsigned long>(ErrDifatChain));
    EXPECT_EQ(Model(parsed).GetDifatSectorIds().GetCount(), 1u);
}

TEST(ReadDifat, NextSectorOutsideTheFileIsListedThenStops) {
    Builder builder = WorkbookFile();
    builder.SetExtraFatSectors(120).BreakDifatChain(Builder::DifatBreak::PointsOutside);
    ParsedFile parsed(builder.Build());
    const Builder::Layout& layout = builder.GetLayout();
    EXPECT_EQ(parsed.Bits(), static_cast<unsigned long>(ErrDifatChain));
    EXPECT_EQ(Model(parsed).GetDifatSectorIds().Values(),
              (std::vector<std::int32_t>{layout.difatSectors[0], layout.pastEnd}));
    EXPECT_EQ(Model(parsed).GetFat().GetCount(), layout.fatSectors.size() * 128);
}

TEST(ReadDifat, HeaderWithoutDifatListsItsEndMarker) {
    ParsedFile parsed(WorkbookFile().Build());
    EXPECT_EQ(Model(parsed).GetDifatSectorIds().Values(), (std::vector<std::int32_t>{-2}));
}

TEST(ReadDifat, MoreThan109FatSectorsContinueInDifatSectors) {
    Builder builder = WorkbookFile();
    builder.SetExtraFatSectors(120);
    ParsedFile parsed(builder.Build());
    EXPECT_EQ(parsed.Bits(), 0u);
    ASSERT_EQ(builder.GetLayout().difatSectors.size(), 1u);
    EXPECT_EQ(Model(parsed).GetFat().GetCount(), builder.GetLayout().fatSectors.size() * 128);
}

// --- FAT -----------------------------------------------------------------------

TEST(ReadFat, SectorPastTheEndIsSkippedAndTheRestStillRead) {
    Builder builder = WorkbookFile();
    builder.SetExtraFatSectors(2).InsertFatSectorPastEnd(1);
    const std::vector<std::uint8_t> file = builder.Build();
    ParsedFile parsed(file);
    EXPECT_EQ(parsed.ParseResult(), ErrNone);
    EXPECT_EQ(parsed.Bits(), static_cast<unsigned long>(ErrFatSector));
    // The bad id's 128 entries are missing, so the real FAT is intact.
    EXPECT_EQ(Model(parsed).GetFat().GetCount(), 3u * 128);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), 0);
    EXPECT_EQ(out, Pattern(10 * 512, 10));
}

TEST(ReadFat, MissingFatSectorMovesLaterEntriesUp) {
    Builder builder = WorkbookFile();
    builder.SetExtraFatSectors(1);
    std::vector<std::uint8_t> file = builder.Build();
    // The header's first FAT sector id now points past the end.
    ByteMutation::SetI32(file, CompoundFormat::kHeaderDifatOffset, 100000);
    ParsedFile parsed(file);
    EXPECT_EQ(parsed.Bits() & ErrFatSector, static_cast<unsigned long>(ErrFatSector));
    ASSERT_EQ(Model(parsed).GetFat().GetCount(), 128u);
    // Position 0 now holds what was entry 128: a free sector.
    EXPECT_EQ(Model(parsed).GetFat().GetAt(0), -1);
}

TEST(ReadFat, SectorContinuingIntoItselfIsKeptAsWritten) {
    Builder builder = WorkbookFile();
    std::vector<std::uint8_t> file = builder.Build();
    const std::int32_t third = builder.GetLayout().Find(u"Workbook")->sectors[2];
    ByteMutation::SetI32(file, builder.GetLayout().FatEntryOffset(third), third);
    ParsedFile parsed(file);
    EXPECT_EQ(parsed.Bits(), 0u);
    EXPECT_EQ(Model(parsed).GetFat().Lookup(third), third);
    const CSectorList& chain = Model(parsed).GetEntries()[2].GetChain();
    EXPECT_EQ(chain.GetCount(), Model(parsed).GetFat().GetCount() + 1);
    EXPECT_EQ(chain.GetAt(chain.GetCount() - 1), third);
}

TEST(ReadFat, FatSectorNamedOverAndOverGrowsNoFurtherThanTheFile) {
    Builder builder = WorkbookFile(4);
    std::vector<std::uint8_t> file = builder.Build();
    const std::int32_t fat = builder.GetLayout().fatSectors[0];
    for (std::uint32_t i = 0; i < 109; ++i) {
        ByteMutation::SetI32(file, CompoundFormat::kHeaderDifatOffset + 4 * i, fat);
    }
    ParsedFile parsed(file);
    const std::uint32_t sectors = builder.GetLayout().sectorCount;
    ASSERT_LT(sectors, 109u);
    // One 128-entry block per sector the file holds, no more; the first
    // block is the real FAT, so the streams still read.
    EXPECT_EQ(Model(parsed).GetFat().GetCount(), sectors * 128);
    EXPECT_EQ(parsed.Bits(), 0u);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), 0);
    EXPECT_EQ(out, Pattern(4 * 512, 10));
}

// --- Mini FAT ------------------------------------------------------------------

TEST(ReadMiniFat, SectorOutsideTheFileIsSkippedAndTheNextOneMovesUp) {
    Builder builder;
    for (std::uint32_t i = 0; i < 4; ++i)
        builder.AddStream(u"S" + std::u16string(1, u'0' + i), Pattern(4000, i));
    std::vector<std::uint8_t> file = builder.Build();
    const Builder::Layout& layout = builder.GetLayout();
    ASSERT_EQ(layout.miniFatSectors.size(), 2u);
    // Chain: past-the-end sector, then the second mini FAT sector.
    ByteMutation::SetI32(file, CompoundFormat::kFirstMiniFatSectorOffset, layout.pastEnd);
    ByteMutation::SetI32(file, layout.FatEntryOffset(layout.pastEnd), layout.miniFatSectors[1]);
    ParsedFile parsed(file);
    EXPECT_EQ(parsed.Bits(), static_cast<unsigned long>(ErrMiniFatSector));
    EXPECT_EQ(Model(parsed).GetMiniFatChain().Values(),
              (std::vector<std::int32_t>{layout.pastEnd, layout.miniFatSectors[1], -2}));
    ASSERT_EQ(Model(parsed).GetMiniFat().GetCount(), 128u);
    // Position 0 now holds what was mini FAT entry 128.
    EXPECT_EQ(Model(parsed).GetMiniFat().GetAt(0), 129);
}

// --- Directory -----------------------------------------------------------------

TEST(ReadDirectory, SectorOutsideTheFileMovesLaterEntriesDownByFour) {
    Builder builder;
    for (std::uint32_t i = 0; i < 10; ++i)
        builder.AddStream(u"S" + std::u16string(1, u'0' + i), Pattern(100, i));
    builder.SetDirectorySectorOutside(1);
    const std::vector<std::uint8_t> file = builder.Build();
    ASSERT_EQ(builder.GetLayout().directorySectors.size(), 3u);
    ParsedFile parsed(file);
    EXPECT_EQ(parsed.ParseResult(), ErrNone);
    EXPECT_EQ(parsed.Bits(), static_cast<unsigned long>(ErrDirectorySector));
    const auto& entries = Model(parsed).GetEntries();
    ASSERT_EQ(entries.size(), 8u);
    EXPECT_EQ(entries[3].GetName(), u"S2");
    EXPECT_EQ(entries[4].GetName(), u"S7");  // was entry 8
}

TEST(ReadDirectory, FirstSectorOutsideLeavesNoRootEntry) {
    Builder builder = WorkbookFile();
    builder.SetDirectorySectorOutside(0);
    ParsedFile parsed(builder.Build());
    EXPECT_EQ(parsed.ParseResult(), ErrNoRootEntry);
    EXPECT_EQ(parsed.Bits(), static_cast<unsigned long>(ErrDirectorySector | ErrNoRootEntry));
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), ErrWorkbookNotFound);
}

TEST(ReadDirectory, LoopingChainReadsNoMoreEntriesThanTheFileHolds) {
    Builder builder = WorkbookFile();
    std::vector<std::uint8_t> file = builder.Build();
    const std::int32_t directory = builder.GetLayout().directorySectors[0];
    ByteMutation::SetI32(file, builder.GetLayout().FatEntryOffset(directory), directory);
    ParsedFile parsed(file);
    EXPECT_EQ(parsed.Bits(), 0u);
    EXPECT_EQ(Model(parsed).GetDirectoryChain().GetCount(), Model(parsed).GetFat().GetCount() + 1);
    EXPECT_EQ(Model(parsed).GetEntryCount(), 4u * builder.GetLayout().sectorCount);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), 0);
    EXPECT_EQ(out, Pattern(10 * 512, 10));
}

// --- Root entry ----------------------------------------------------------------

TEST(FindRootEntry, RootNamedOtherwiseIsFoundByItsTypeByte) {
    // Some writers name the root "R"; it is still entry 0 of type 5, and
    // the mini stream is its chain through the FAT.
    Builder builder;
    builder.AddStream(u"Workbook", Pattern(3000, 11));
    builder.SetRootName(u"R");
    ParsedFile parsed(builder.Build());
    EXPECT_EQ(parsed.ParseResult(), ErrNone);
    EXPECT_EQ(parsed.Bits(), 0u);
    std::vector<std::int32_t> root = builder.GetLayout().miniStreamSectors;
    root.push_back(-2);
    EXPECT_EQ(Model(parsed).GetEntries()[0].GetChain().Values(), root);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), 0);
    EXPECT_EQ(out, Pattern(3000, 11));
}

TEST(FindRootEntry, NeitherNameNorTypeOfARootIsReported) {
    Builder builder = WorkbookFile();
    builder.SetRootName(u"Root entry");
    std::vector<std::uint8_t> file = builder.Build();
    ByteMutation::SetU8(file, builder.GetLayout().DirectoryEntryOffset(0) + 0x42,
                        CompoundFormat::kEntryTypeStorage);
    ParsedFile parsed(file);
    EXPECT_EQ(parsed.ParseResult(), ErrNoRootEntry);
    EXPECT_EQ(parsed.Bits(), static_cast<unsigned long>(ErrNoRootEntry));
    // Entry 0 then gets a chain by its size like any other entry; the
    // regular workbook needs no mini stream and still copies.
    EXPECT_TRUE(Model(parsed).GetEntries()[0].HasChain());
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), 0);
    EXPECT_EQ(out, Pattern(10 * 512, 10));
}

TEST(FindRootEntry, FirstEntryNamedRootEntryWinsOverEntryZero) {
    Builder builder;
    builder.AddStream(u"Root Entry", Pattern(5000, 12));  // a stream, entry 1
    builder.AddStream(u"Workbook", Pattern(5000, 13));
    builder.SetRootName(u"R");
    ParsedFile parsed(builder.Build());
    EXPECT_EQ(parsed.Bits(), 0u);
    const auto& entries = Model(parsed).GetEntries();
    std::vector<std::int32_t> stream = builder.GetLayout().Find(u"Root Entry")->sectors;
    stream.push_back(-2);
    EXPECT_EQ(entries[1].GetChain().Values(), stream);
    // Entry 0, not the root now, was given the chain its size asks for.
    EXPECT_TRUE(entries[0].HasChain());
}
