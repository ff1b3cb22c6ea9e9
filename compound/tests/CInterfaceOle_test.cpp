// The exported interface as the repair pipeline calls it, against the
// shared library itself.
#include "compound/CInterfaceOle.h"

#include <gtest/gtest.h>

#include <vector>

#include "compound/CompoundFormat.h"
#include "compound/tests/ParsedFile.h"
#include "compound/tests/support/ByteMutation.h"
#include "compound/tests/support/CompoundFileBuilder.h"

using Builder = CompoundFileBuilder;

namespace {

Builder SoundWorkbook() {
    Builder builder;
    builder.AddStream(u"Workbook", Pattern(9000, 1));
    builder.AddStream(u"\x05SummaryInformation", Pattern(400, 2));
    return builder;
}

}  // namespace

TEST(CInterfaceOle, NewObjectHasNoErrorAndNoContainer) {
    CInterfaceOle ole;
    EXPECT_EQ(ole.GetParseError(), 0u);
    EXPECT_EQ(ole.GetDataContainerOle(), nullptr);
}

TEST(CInterfaceOle, ParseWithoutAFileNameMakesNoContainer) {
    CInterfaceOle ole;
    EXPECT_EQ(ole.ParseFile(), ErrEmptyFileName);
    EXPECT_EQ(ole.GetParseError(), static_cast<unsigned long>(ErrEmptyFileName));
    EXPECT_EQ(ole.GetDataContainerOle(), nullptr);
}

TEST(CInterfaceOle, MissingFileCannotBeOpened) {
    ScratchFolder folder;
    CInterfaceOle ole;
    ole.SetFileNameSrc(folder / "absent.xls");
    EXPECT_EQ(ole.ParseFile(), ErrOpenFile);
    EXPECT_EQ(ole.GetParseError(), static_cast<unsigned long>(ErrOpenFile));
}

TEST(CInterfaceOle, FolderIsNoSourceFile) {
    ScratchFolder folder;
    CInterfaceOle ole;
    ole.SetFileNameSrc(folder.Path());
    EXPECT_EQ(ole.ParseFile(), ErrOpenFile);
}

TEST(CInterfaceOle, SoundFileParsesAndCopiesWithoutAnyBit) {
    ParsedFile parsed(SoundWorkbook().Build());
    EXPECT_EQ(parsed.ParseResult(), ErrNone);
    EXPECT_EQ(parsed.Bits(), 0u);
    EXPECT_NE(parsed.Ole().GetDataContainerOle(), nullptr);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), 0);
    EXPECT_EQ(out, Pattern(9000, 1));
    EXPECT_EQ(parsed.Bits(), 0u);
}

TEST(CInterfaceOle, FatSectorPastTheEndShowsOnlyInTheParseError) {
    Builder builder = SoundWorkbook();
    builder.InsertFatSectorPastEnd(1);
    ParsedFile parsed(builder.Build());
    EXPECT_EQ(parsed.ParseResult(), ErrNone);
    EXPECT_EQ(parsed.Bits(), static_cast<unsigned long>(ErrFatSector));
}

TEST(CInterfaceOle, NoRootEntryIsReturned) {
    Builder builder = SoundWorkbook();
    builder.SetRootName(u"Root Entry ");
    std::vector<std::uint8_t> file = builder.Build();
    ByteMutation::SetU8(file, builder.GetLayout().DirectoryEntryOffset(0) + 0x42, 1);  // storage
    ParsedFile parsed(file);
    EXPECT_EQ(parsed.ParseResult(), ErrNoRootEntry);
    EXPECT_EQ(parsed.Bits(), static_cast<unsigned long>(ErrNoRootEntry));
}

TEST(CInterfaceOle, AWorkbookStreamNamedInCapitalsIsCopied) {
    Builder builder;
    builder.AddStream(u"Book", Pattern(9000, 3));
    builder.AddStream(u"WORKBOOK", Pattern(9000, 4));
    ParsedFile parsed(builder.Build());
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), 0);
    EXPECT_EQ(out, Pattern(9000, 4));
    EXPECT_EQ(parsed.Bits(), 0u);
}

TEST(CInterfaceOle, NoWorkbookStreamCreatesNoOutput) {
    Builder builder;
    builder.AddStream(u"Workbook ", Pattern(9000, 5));
    ParsedFile parsed(builder.Build());
    ASSERT_EQ(parsed.Bits(), 0u);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), ErrWorkbookNotFound);
    EXPECT_FALSE(std::filesystem::exists(parsed.Output()));
    EXPECT_EQ(parsed.Bits(), static_cast<unsigned long>(ErrWorkbookNotFound));
}

TEST(CInterfaceOle, AnExcel95BookStreamIsCopiedOnlyWithoutAWorkbookStream) {
    for (const bool withWorkbook : {false, true}) {
        Builder builder;
        builder.AddStream(u"Book", Pattern(9000, 3));
        if (withWorkbook) builder.AddStream(u"Workbook", Pattern(9000, 5));
        ParsedFile parsed(builder.Build());
        std::vector<std::uint8_t> out;
        EXPECT_EQ(parsed.CopyWorkbook(out), 0);
        EXPECT_EQ(out, Pattern(9000, withWorkbook ? 5 : 3));
    }
}

TEST(CInterfaceOle, CopyBeforeParseFindsNothing) {
    ScratchFolder folder;
    CInterfaceOle ole;
    EXPECT_EQ(ole.CopyWorkbook(folder / "out.bin"), ErrWorkbookNotFound);
    EXPECT_FALSE(std::filesystem::exists(folder / "out.bin"));
}

TEST(CInterfaceOle, WorkbookSectorPastTheEndKeepsTheOthersInChainOrder) {
    Builder builder = SoundWorkbook();
    std::vector<std::uint8_t> file = builder.Build();
    const Builder::Layout& layout = builder.GetLayout();
    const std::vector<std::int32_t>& s = layout.Find(u"Workbook")->sectors;
    // The fifth sector of the chain moves past the end; the chain goes on.
    ByteMutation::SetI32(file, layout.FatEntryOffset(s[3]), layout.pastEnd);
    ByteMutation::SetI32(file, layout.FatEntryOffset(layout.pastEnd), s[5]);
    ParsedFile parsed(file);
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), ErrStreamSector);
    EXPECT_EQ(parsed.Bits(), static_cast<unsigned long>(ErrStreamSector));
    // Seventeen sectors were read; since the skipped one wrote nothing, the
    // last sector is read whole (padding included): 17 x 512 bytes.
    std::vector<std::uint8_t> expected;
    for (std::size_t k = 0; k < s.size(); ++k) {
        if (k != 4) Append(expected, Slice(file, Builder::SectorOffset(s[k]), 512));
    }
    EXPECT_EQ(out, expected);
}

TEST(CInterfaceOle, OutputInAMissingFolderIsReported) {
    ParsedFile parsed(SoundWorkbook().Build());
    const std::filesystem::path out = parsed.Output("missing") / "Workbook.bin";
    EXPECT_EQ(parsed.Ole().CopyWorkbook(out), ErrCreateOutput);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(parsed.Bits(), static_cast<unsigned long>(ErrCreateOutput));
}

TEST(CInterfaceOle, SourceRemovedAfterParsingCannotBeCopied) {
    ParsedFile parsed(SoundWorkbook().Build());
    std::filesystem::remove(parsed.Source());
    std::vector<std::uint8_t> out;
    EXPECT_EQ(parsed.CopyWorkbook(out), ErrOpenFile);
    EXPECT_FALSE(std::filesystem::exists(parsed.Output()));
}

TEST(CInterfaceOle, ParseErrorOnlyGrowsAcrossParses) {
    std::vector<std::uint8_t> file = SoundWorkbook().Build();
    ScratchFolder folder;
    std::vector<std::uint8_t> shortFile = file;
    ByteMutation::Truncate(shortFile, 100);
    CInterfaceOle ole;
    ole.SetFileNameSrc(folder.Write("short.xls", shortFile));
    EXPECT_EQ(ole.ParseFile(), ErrNoRootEntry);
    ole.SetFileNameSrc(folder.Write("sound.xls", file));
    EXPECT_EQ(ole.ParseFile(), ErrNone);
    // The short file's zero header also sent the DIFAT, mini FAT and
    // directory steps to sector 0, outside it.
    EXPECT_EQ(ole.GetParseError(),
              static_cast<unsigned long>(ErrHeaderTooShort | ErrDifatChain | ErrMiniFatSector |
                                         ErrDirectorySector | ErrNoRootEntry));
    // The new container serves the copy.
    EXPECT_EQ(ole.CopyWorkbook(folder / "out.bin"), 0);
    EXPECT_EQ(ScratchFolder::Read(folder / "out.bin"), Pattern(9000, 1));
}

TEST(CInterfaceOle, StructureAnalysisKeepsTheConditionsThatFailed) {
    CInterfaceOle fresh;
    fresh.AnalizeFileStructureOle();
    EXPECT_EQ(fresh.GetStructureFlags(), static_cast<unsigned long>(StructAll));

    ParsedFile sound(SoundWorkbook().Build());
    sound.Ole().AnalizeFileStructureOle();
    EXPECT_EQ(sound.Ole().GetStructureFlags(), 0u);

    std::vector<std::uint8_t> file = SoundWorkbook().Build();
    ByteMutation::SetU8(file, 0, 0x00);
    ByteMutation::SetU32(file, 0x38, 0);
    ParsedFile damaged(file);
    damaged.Ole().AnalizeFileStructureOle();
    EXPECT_EQ(damaged.Ole().GetStructureFlags(),
              static_cast<unsigned long>(StructSignature | StructMiniStreamCutoff));

    // Two bytes: the header reads as zeros, and in 512-byte sectors N = 0,
    // which no sector id or count meets.
    ParsedFile tiny({0xD0, 0xCF});
    tiny.Ole().AnalizeFileStructureOle();
    EXPECT_EQ(tiny.Ole().GetStructureFlags(), static_cast<unsigned long>(StructAll));
}

TEST(CInterfaceOle, AnyShiftButNineAndSixIsFlaggedAndTheStreamStillCopiedFromItsOwnSectors) {
    // The tables are read as 512-byte sectors whatever the header says; a
    // stream read at 2^shift bytes would come from sectors no chain names.
    struct Case {
        std::uint16_t shift, miniShift;
        unsigned long bits;
    };
    const Case cases[] = {
        {9, 6, ErrNone},         {7, 6, ErrSectorShift},  {8, 6, ErrSectorShift},
        {10, 6, ErrSectorShift}, {12, 6, ErrSectorShift}, {0xFFFF, 6, ErrSectorShift},
        {9, 5, ErrSectorShift},  {9, 7, ErrSectorShift},
    };
    // In sectors, and in mini sectors below the 4096-byte cutoff.
    for (const std::size_t size : {std::size_t{9000}, std::size_t{1000}}) {
        Builder builder;
        builder.AddStream(u"Workbook", Pattern(size, 3));
        const std::vector<std::uint8_t> sound = builder.Build();
        for (const Case& c : cases) {
            std::vector<std::uint8_t> file = sound;
            ByteMutation::SetU16(file, CompoundFormat::kSectorShiftOffset, c.shift);
            ByteMutation::SetU16(file, CompoundFormat::kMiniSectorShiftOffset, c.miniShift);
            ParsedFile parsed(file);
            EXPECT_EQ(parsed.Bits(), c.bits) << size << " " << c.shift << " " << c.miniShift;
            std::vector<std::uint8_t> out;
            EXPECT_EQ(parsed.CopyWorkbook(out), 0);
            EXPECT_EQ(out, Pattern(size, 3)) << size << " " << c.shift << " " << c.miniShift;
        }
    }
}
