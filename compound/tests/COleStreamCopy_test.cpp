// The stream copy: what reaches the output, in which order, and which bit
// says what was lost.
#include "compound/COleStreamCopy.h"

#include <gtest/gtest.h>

#include <vector>

#include "compound/CDataContainerOle.h"
#include "compound/COleFileReader.h"
#include "compound/CompoundFormat.h"
#include "compound/tests/ParsedFile.h"
#include "compound/tests/support/ByteMutation.h"
#include "compound/tests/support/CompoundFileBuilder.h"

using Builder = CompoundFileBuilder;

// --- Sound streams ---------------------------------------------------------------

TEST(CopyStream, RegularStreamWithPartialLastSector) {
    Builder builder;
    builder.AddStream(u"Workbook", Pattern(5000, 1));
    ParsedFile parsed(builder.Build());
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), 0);
    EXPECT_EQ(out, Pattern(5000, 1));
    EXPECT_EQ(parsed.Bits(), 0u);
}

TEST(CopyStream, ExactMultipleOfTheSectorSizeEndsAtTheEndMarker) {
    for (const std::size_t size : {4096u, 5120u}) {
        Builder builder;
        builder.AddStream(u"Workbook", Pattern(size, 2));
        ParsedFile parsed(builder.Build());
        std::vector<std::uint8_t> out;
        EXPECT_EQ(parsed.CopyWorkbook(out), 0) << size;
        EXPECT_EQ(out, Pattern(size, 2)) << size;
    }
}

TEST(CopyStream, StreamLongerThanTheReadAndWriteBuffersComesOutWhole) {
    // Past the 64 KiB read window and the 1 MiB held before a write, and not
    // a multiple of either.
    const std::size_t size = (1u << 20) + 70000;
    Builder builder;
    builder.AddStream(u"Workbook", Pattern(size, 7));
    ParsedFile parsed(builder.Build());
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), 0);
    EXPECT_EQ(out, Pattern(size, 7));
}

TEST(CopyStream, MiniStreamIsReadThroughTheRootChain) {
    Builder builder;
    builder.AddStream(u"Before", Pattern(1300, 3));  // puts the workbook mid-sector
    builder.AddStream(u"Workbook", Pattern(4095, 4));
    ParsedFile parsed(builder.Build());
    ASSERT_TRUE(builder.GetLayout().Find(u"Workbook")->inMiniStream);
    ASSERT_GT(builder.GetLayout().miniStreamSectors.size(), 1u);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), 0);
    EXPECT_EQ(out, Pattern(4095, 4));
}

TEST(CopyStream, EmptyStreamGivesAnEmptyFile) {
    Builder builder;
    builder.AddStream(u"Workbook", {});
    ParsedFile parsed(builder.Build());
    std::vector<std::uint8_t> out{1};
    // A workbook of no bytes is no workbook: the size is reported.
    EXPECT_EQ(parsed.CopyWorkbook(out), ErrStreamSize);
    EXPECT_TRUE(std::filesystem::exists(parsed.Output()));
    EXPECT_TRUE(out.empty());
}

TEST(CopyStream, ExistingOutputIsTruncated) {
    Builder builder;
    builder.AddStream(u"Workbook", Pattern(100, 5));
    ParsedFile parsed(builder.Build());
    ScratchFolder folder;
    const std::filesystem::path out =
        folder.Write("old.bin", std::vector<std::uint8_t>(9000, 0xEE));
    EXPECT_EQ(parsed.Ole().CopyWorkbook(out), 0);
    EXPECT_EQ(ScratchFolder::Read(out), Pattern(100, 5));
}

// --- Damaged regular streams -------------------------------------------------------

TEST(CopyStream, LastSectorCutByTheEndOfTheFileIsSkippedWhole) {
    Builder builder;
    builder.AddStream(u"Workbook", Pattern(5120, 6));
    std::vector<std::uint8_t> file = builder.Build();
    ByteMutation::Truncate(file, file.size() - 1);
    ParsedFile parsed(file);
    ASSERT_EQ(parsed.Bits(), 0u);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), ErrStreamSector);
    EXPECT_EQ(out, Pattern(4608, 6));
    EXPECT_EQ(parsed.Bits(), static_cast<unsigned long>(ErrStreamSector));
}

TEST(CopyStream, PartialLastPieceNeedsOnlyItsOwnBytes) {
    // 392 bytes are needed from the last sector; cutting the sector's unused
    // tail loses nothing.
    Builder builder;
    builder.AddStream(u"Workbook", Pattern(5000, 7));
    std::vector<std::uint8_t> file = builder.Build();
    ByteMutation::Truncate(file, file.size() - 120);
    ParsedFile parsed(file);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), 0);
    EXPECT_EQ(out, Pattern(5000, 7));
}

TEST(CopyStream, LoopingChainStopsBeforeTheFirstSectorItRevisits) {
    Builder builder;
    builder.AddStream(u"Workbook", Pattern(5000, 9));
    builder.LoopChain(u"Workbook", 3, 1);  // s0 s1 s2 s3 s1 s2 s3 s1 ...
    const std::vector<std::uint8_t> file = builder.Build();
    ParsedFile parsed(file);
    std::vector<std::uint8_t> out;
    // Repeating s1 s2 s3 up to the size field would pass the loop off as
    // the stream: the copy holds the four sectors before the loop.
    EXPECT_EQ(parsed.CopyWorkbook(out), ErrStreamChain);
    EXPECT_EQ(out, Slice(Pattern(5000, 9), 0, 4 * 512));
}

TEST(CopyStream, HugeSizeFieldOnALoopingChainStopsAtTheFileLength) {
    // 4 GiB claimed by a stream of a 6 KiB file whose chain loops: the copy
    // may not allocate or write more than the file holds.
    Builder builder;
    builder.AddStream(u"Workbook", Pattern(5000, 10));
    builder.LoopChain(u"Workbook", 9, 0);
    std::vector<std::uint8_t> file = builder.Build();
    const std::int32_t id = builder.GetLayout().Find(u"Workbook")->directoryId;
    ByteMutation::SetU32(file, builder.GetLayout().DirectoryEntryOffset(id) + 0x78, 0xFFFFFFFFu);
    ParsedFile parsed(file);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), ErrStreamChain);
    EXPECT_LE(out.size(), file.size());
    EXPECT_GE(out.size(), 5000u);
}

TEST(CopyStream, HugeSizeFieldOnASoundChainCopiesWhatTheChainHoldsButIsNoWholeCopy) {
    Builder builder;
    builder.AddStream(u"Workbook", Pattern(5120, 11));
    std::vector<std::uint8_t> file = builder.Build();
    const std::int32_t id = builder.GetLayout().Find(u"Workbook")->directoryId;
    ByteMutation::SetU32(file, builder.GetLayout().DirectoryEntryOffset(id) + 0x78, 0xFFFFFFF0u);
    ParsedFile parsed(file);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), ErrStreamSize);
    EXPECT_EQ(out, Pattern(5120, 11));
}

TEST(CopyStream, ChainEndedEarlyByAFatEntryIsReportedNotPassedOffAsWhole) {
    // FAT entry of the third sector says "end of chain": no sector lies
    // outside the file, yet sectors 4..10 of the stream are lost.
    Builder builder;
    builder.AddStream(u"Workbook", Pattern(5000, 14));
    std::vector<std::uint8_t> file = builder.Build();
    const std::vector<std::int32_t>& s = builder.GetLayout().Find(u"Workbook")->sectors;
    ByteMutation::SetI32(file, builder.GetLayout().FatEntryOffset(s[2]), -2);
    ParsedFile parsed(file);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), ErrStreamSize);
    std::vector<std::uint8_t> expected = Pattern(5000, 14);
    expected.resize(3 * 512);
    EXPECT_EQ(out, expected);
}

TEST(CopyStream, AbsurdSectorShiftsNeitherOverflowNorReadOutside) {
    Builder builder;
    builder.AddStream(u"Workbook", Pattern(5000, 12));
    builder.AddStream(u"Small", Pattern(100, 13));
    std::vector<std::uint8_t> file = builder.Build();
    ByteMutation::SetU16(file, CompoundFormat::kSectorShiftOffset, 0xFFFF);
    ParsedFile parsed(file);
    std::vector<std::uint8_t> out;
    // The shift is flagged and the stream read from the 512-byte sectors its
    // chain names.
    EXPECT_EQ(parsed.Bits(), static_cast<unsigned long>(ErrSectorShift));
    EXPECT_EQ(parsed.CopyWorkbook(out), 0);
    EXPECT_EQ(out, Pattern(5000, 12));

    ByteMutation::SetU16(file, CompoundFormat::kSectorShiftOffset, 0);
    ByteMutation::SetU16(file, CompoundFormat::kMiniSectorShiftOffset, 0xFFFF);
    ParsedFile tiny(file);
    tiny.CopyWorkbook(out);
    EXPECT_LE(out.size(), file.size());
}

// --- Damaged mini streams -----------------------------------------------------------

TEST(CopyStream, MiniSectorPastTheMiniStreamIsSkipped) {
    Builder builder;
    builder.AddStream(u"Workbook", Pattern(256, 14));  // mini sectors 0..3
    std::vector<std::uint8_t> file = builder.Build();
    const Builder::Layout& layout = builder.GetLayout();
    ASSERT_EQ(layout.miniStreamSectors.size(), 1u);
    // m1 -> 8 -> 16 -> m3: mini sector 8 is at offset 512 of the mini stream
    // (its chain's end marker), 16 beyond its chain altogether.
    ByteMutation::SetI32(file, layout.MiniFatEntryOffset(1), 8);
    ByteMutation::SetI32(file, layout.MiniFatEntryOffset(8), 16);
    ByteMutation::SetI32(file, layout.MiniFatEntryOffset(16), 3);
    ParsedFile parsed(file);
    ASSERT_EQ(parsed.Bits(), 0u);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), ErrStreamSector);
    // m0, m1, then m3 read in full (64 bytes) since two pieces were skipped.
    std::vector<std::uint8_t> expected = Slice(Pattern(256, 14), 0, 128);
    Append(expected, Slice(Pattern(256, 14), 192, 64));
    EXPECT_EQ(out, expected);
}

TEST(CopyStream, MiniStreamSectorOutsideTheFileIsSkipped) {
    Builder builder;
    builder.AddStream(u"Small", Pattern(600, 15));
    builder.AddStream(u"Workbook", Pattern(600, 16));  // mini sectors 10..19
    std::vector<std::uint8_t> file = builder.Build();
    const Builder::Layout& layout = builder.GetLayout();
    ASSERT_EQ(layout.miniStreamSectors.size(), 3u);
    // The mini stream's second sector now continues past the end of the
    // file: its third sector (mini sectors 16..23) is lost.
    ByteMutation::SetI32(file, layout.FatEntryOffset(layout.miniStreamSectors[1]), layout.pastEnd);
    ParsedFile parsed(file);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), ErrStreamSector);
    EXPECT_EQ(out, Slice(Pattern(600, 16), 0, 6 * 64));
}

// --- The output file ----------------------------------------------------------------

TEST(CopyStream, OutputThatCannotBeWrittenIsNoSuccess) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    Builder builder;
    builder.AddStream(u"Workbook", Pattern(5000, 18));
    ParsedFile parsed(builder.Build());
    EXPECT_EQ(parsed.Ole().CopyWorkbook("/dev/full"), ErrCreateOutput);
}

TEST(CopyStream, EntryIdWithoutAnEntryCreatesNothing) {
    Builder builder;
    builder.AddStream(u"Workbook", Pattern(100, 19));
    ScratchFolder folder;
    CDataContainerOle container(folder.Write("source.xls", builder.Build()));
    COleFileReader reader(&container);
    ASSERT_EQ(reader.Open(), 0u);
    reader.ReadHeader();
    const std::filesystem::path out = folder / "out.bin";
    EXPECT_EQ(reader.CopyStream(0, out), ErrEntryIndex);  // no directory was read
    EXPECT_EQ(reader.CopyStream(-1, out), ErrEntryIndex);
    EXPECT_FALSE(std::filesystem::exists(out));
}

// --- The sector numbers kept for the report -------------------------------------------

// Builds a damaged file and states the numbers its copy must record.
struct StreamDamageCase {
    const char* name;
    std::vector<std::uint8_t> (*make)(Builder& builder, CStreamDamage& expected);
};

const StreamDamageCase kStreamDamageCases[] = {
    {"sector outside the file mid-chain",
     [](Builder& b, CStreamDamage& expected) {
         // s0..s3, a sector past the end, s4..s9: one sector over the size's
         // ten is slack, so the walk is sound and only the piece is lost.
         b.AddStream(u"Workbook", Pattern(5120, 20));
         std::vector<std::uint8_t> file = b.Build();
         const Builder::Layout& layout = b.GetLayout();
         const std::vector<std::int32_t>& s = layout.Find(u"Workbook")->sectors;
         ByteMutation::SetI32(file, layout.FatEntryOffset(s[3]), layout.pastEnd);
         ByteMutation::SetI32(file, layout.FatEntryOffset(layout.pastEnd), s[4]);
         expected.skippedSectors = {static_cast<std::uint32_t>(layout.pastEnd)};
         expected.skippedSectorsTotal = 1;
         return file;
     }},
    {"chain that leaves the file",
     [](Builder& b, CStreamDamage& expected) {
         b.AddStream(u"Workbook", Pattern(5120, 21));
         std::vector<std::uint8_t> file = b.Build();
         const Builder::Layout& layout = b.GetLayout();
         const std::vector<std::int32_t>& s = layout.Find(u"Workbook")->sectors;
         ByteMutation::SetI32(file, layout.FatEntryOffset(s[3]), layout.pastEnd);
         expected.skippedSectors = {static_cast<std::uint32_t>(layout.pastEnd)};
         expected.skippedSectorsTotal = 1;
         expected.chainCut = CutOutsideFile;
         expected.chainCutSector = static_cast<std::uint32_t>(layout.pastEnd);
         return file;
     }},
    {"looping chain",
     [](Builder& b, CStreamDamage& expected) {
         b.AddStream(u"Workbook", Pattern(5000, 22));
         b.LoopChain(u"Workbook", 3, 1);
         std::vector<std::uint8_t> file = b.Build();
         expected.chainCut = CutLoop;
         expected.chainCutSector =
             static_cast<std::uint32_t>(b.GetLayout().Find(u"Workbook")->sectors[1]);
         return file;
     }},
    {"free sector before the size is reached",
     [](Builder& b, CStreamDamage& expected) {
         b.AddStream(u"Workbook", Pattern(5000, 23));
         std::vector<std::uint8_t> file = b.Build();
         const Builder::Layout& layout = b.GetLayout();
         const std::int32_t third = layout.Find(u"Workbook")->sectors[2];
         ByteMutation::SetI32(file, layout.FatEntryOffset(third), CompoundFormat::kFreeSector);
         expected.chainCut = CutFreeSector;
         expected.chainCutSector = static_cast<std::uint32_t>(third);
         return file;
     }},
    {"mini sectors outside the mini stream",
     [](Builder& b, CStreamDamage& expected) {
         // m0 m1 8 16 m3: 8 lies at the mini stream chain's end marker, 16
         // beyond the chain; five mini sectors for a size of four is slack.
         b.AddStream(u"Workbook", Pattern(256, 24));
         std::vector<std::uint8_t> file = b.Build();
         const Builder::Layout& layout = b.GetLayout();
         ByteMutation::SetI32(file, layout.MiniFatEntryOffset(1), 8);
         ByteMutation::SetI32(file, layout.MiniFatEntryOffset(8), 16);
         ByteMutation::SetI32(file, layout.MiniFatEntryOffset(16), 3);
         expected.skippedMiniSectors = {8, 16};
         expected.skippedMiniSectorsTotal = 2;
         expected.chainCutInMini = true;
         return file;
     }},
};

TEST(CopyStream, RecordsTheSectorsSkippedAndWhereTheChainWasCut) {
    for (const StreamDamageCase& row : kStreamDamageCases) {
        Builder builder;
        CStreamDamage expected;
        ParsedFile parsed(row.make(builder, expected));
        ASSERT_EQ(parsed.Bits(), 0u) << row.name;
        std::vector<std::uint8_t> out;
        EXPECT_NE(parsed.CopyWorkbook(out), 0) << row.name;
        const CStreamDamage& got = parsed.Ole().GetStreamDamage();
        EXPECT_EQ(got.skippedSectors, expected.skippedSectors) << row.name;
        EXPECT_EQ(got.skippedSectorsTotal, expected.skippedSectorsTotal) << row.name;
        EXPECT_EQ(got.skippedMiniSectors, expected.skippedMiniSectors) << row.name;
        EXPECT_EQ(got.skippedMiniSectorsTotal, expected.skippedMiniSectorsTotal) << row.name;
        EXPECT_EQ(got.chainCut, expected.chainCut) << row.name;
        EXPECT_EQ(got.chainCutSector, expected.chainCutSector) << row.name;
        EXPECT_EQ(got.chainCutInMini, expected.chainCutInMini) << row.name;
    }
}
