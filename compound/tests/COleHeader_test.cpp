#include "compound/COleHeader.h"

#include <gtest/gtest.h>

#include <vector>

#include "compound/EStructureFlag.h"
#include "compound/tests/support/ByteMutation.h"
#include "compound/tests/support/CompoundFileBuilder.h"

namespace {

std::vector<std::uint8_t> SoundFile() {
    CompoundFileBuilder builder;
    builder.AddStream(u"Workbook", std::vector<std::uint8_t>(6000, 0x11));
    return builder.Build();
}

std::uint32_t Analyze(const std::vector<std::uint8_t>& file, std::uint32_t length) {
    COleHeader header;
    header.Assign(file.data());
    return header.AnalyzeStructure(length);
}

}  // namespace

TEST(COleHeaderAnalysis, SoundFilePassesEveryCondition) {
    const std::vector<std::uint8_t> file = SoundFile();
    EXPECT_EQ(Analyze(file, static_cast<std::uint32_t>(file.size())), 0u);
}

TEST(COleHeaderAnalysis, ZeroHeaderOfEmptyFileFailsAllElevenWithoutWrapping) {
    // N = 0: "count <= N - 1" must fail for count 0, not pass against a
    // wrapped-around unsigned N - 1.
    COleHeader header;
    EXPECT_EQ(header.AnalyzeStructure(0), static_cast<std::uint32_t>(StructAll));
}

TEST(COleHeaderAnalysis, EachConditionSetsItsOwnBit) {
    using namespace CompoundFormat;
    struct Case {
        std::uint32_t offset;
        int width;
        std::uint32_t value;
        std::uint32_t bit;
    };
    const Case cases[] = {
        {kSignatureOffset, 1, 0x00, StructSignature},
        {kByteOrderOffset, 2, 0x1234, StructByteOrder},
        {kSectorShiftOffset, 2, 6, StructSectorShift},
        // Sectors are 512 bytes whatever the shift says, so N and the
        // conditions made with it stay as they were.
        {kSectorShiftOffset, 2, 20, StructSectorShift},
        {kMiniSectorShiftOffset, 2, 7, StructMiniSectorShift},
        {kFatSectorCountOffset, 4, 1000, StructFatSectorCount},
        {kFirstDirectorySectorOffset, 4, 0xFFFFFFFF, StructFirstDirectory},
        {kFirstDirectorySectorOffset, 4, 1000, StructFirstDirectory},
        {kMiniStreamCutoffOffset, 4, 4095, StructMiniStreamCutoff},
        {kFirstMiniFatSectorOffset, 4, 1000, StructFirstMiniFat},
        {kMiniFatSectorCountOffset, 4, 1000, StructMiniFatSectorCount},
        {kFirstDifatSectorOffset, 4, 1000, StructFirstDifat},
        {kDifatSectorCountOffset, 4, 1000, StructDifatSectorCount},
    };
    const std::vector<std::uint8_t> sound = SoundFile();
    for (const Case& c : cases) {
        std::vector<std::uint8_t> file = sound;
        if (c.width == 1) ByteMutation::SetU8(file, c.offset, static_cast<std::uint8_t>(c.value));
        if (c.width == 2) ByteMutation::SetU16(file, c.offset, static_cast<std::uint16_t>(c.value));
        if (c.width == 4) ByteMutation::SetU32(file, c.offset, c.value);
        EXPECT_EQ(Analyze(file, static_cast<std::uint32_t>(file.size())), c.bit)
            << "offset " << c.offset << " value " << c.value;
    }
}

TEST(COleHeaderAnalysis, EndOfChainMarkersPassTheUpperBounds) {
    // A file without mini FAT or DIFAT stores -2 there; only "<= N - 2" is
    // asked of those, which -2 meets.
    const std::vector<std::uint8_t> file = SoundFile();
    COleHeader header;
    header.Assign(file.data());
    ASSERT_EQ(header.GetFirstDifatSector(), -2);
    EXPECT_EQ(header.AnalyzeStructure(static_cast<std::uint32_t>(file.size())) & StructFirstDifat,
              0u);
}

TEST(COleHeader, HugeShiftsStayInsideSixtyFourBits) {
    std::vector<std::uint8_t> file = SoundFile();
    ByteMutation::SetU16(file, CompoundFormat::kSectorShiftOffset, 0xFFFF);
    ByteMutation::SetU16(file, CompoundFormat::kMiniSectorShiftOffset, 64);
    COleHeader header;
    header.Assign(file.data());
    // No size is made from a shift any more: the shifts are only flagged.
    EXPECT_FALSE(header.HasReadableSectorSizes());
    EXPECT_EQ(header.AnalyzeStructure(static_cast<std::uint32_t>(file.size())),
              static_cast<std::uint32_t>(StructSectorShift | StructMiniSectorShift));
}
