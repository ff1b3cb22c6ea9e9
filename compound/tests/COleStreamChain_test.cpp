// The walk of the copied stream's chain: where a broken chain stops, and
// which length a size field that disagrees with its chain gives way to.
#include "compound/COleStreamChain.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "compound/EErrorCode.h"
#include "compound/tests/ParsedFile.h"
#include "compound/tests/support/ByteMutation.h"
#include "compound/tests/support/CompoundFileBuilder.h"

using Builder = CompoundFileBuilder;

TEST(StreamChain, BrokenChainsAndWrongSizesAreReportedAndCopyWhatTheChainSoundlyHolds) {
    using Damage = std::function<void(std::vector<std::uint8_t>&, const Builder::Layout&)>;
    // The workbook's chain is s0..s9 (5000 bytes), or m0..m31 in the mini
    // stream (2000 bytes); the builder puts the FAT in sector 0.
    const auto fat = [](std::uint32_t k, std::int32_t next) -> Damage {
        return [=](std::vector<std::uint8_t>& file, const Builder::Layout& layout) {
            const std::vector<std::int32_t>& s = layout.Find(u"Workbook")->sectors;
            ByteMutation::SetI32(file, layout.FatEntryOffset(s[k]), next < 0 ? s[-next] : next);
        };
    };
    const auto size = [](std::uint32_t value) -> Damage {
        return [=](std::vector<std::uint8_t>& file, const Builder::Layout& layout) {
            const std::int32_t id = layout.Find(u"Workbook")->directoryId;
            ByteMutation::SetU32(file, layout.DirectoryEntryOffset(id) + 0x78, value);
        };
    };
    struct Case {
        const char* what;
        std::size_t streamSize;
        Damage damage;
        unsigned long bits;
        std::size_t unitsCopied;  // leading sectors (mini sectors) of the chain
    };
    const Case cases[] = {
        {"loops back to its third sector", 5000, fat(5, -2), ErrStreamChain, 6},
        {"continues into itself", 5000, fat(4, -4), ErrStreamChain, 5},
        {"runs into sector 0, the FAT's (a zeroed FAT sector)", 5000, fat(3, 0), ErrStreamChain, 4},
        {"leaves the file", 5000, nullptr, ErrStreamSector | ErrStreamSize, 4},
        {"size 0", 5000, size(0), ErrStreamSize, 10},
        {"size halved", 5000, size(2500), ErrStreamSize, 10},
        {"size beyond the chain", 5000, size(0x7FFFF000), ErrStreamSize, 10},
        {"size 0 in the mini stream", 2000, size(0), ErrStreamSize, 32},
        {"sound", 5000, nullptr, 0, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Builder builder;
        builder.AddStream(u"Workbook", Pattern(c.streamSize, 3));
        std::vector<std::uint8_t> file = builder.Build();
        const Builder::Layout& layout = builder.GetLayout();
        const Builder::StreamPlacement& workbook = *layout.Find(u"Workbook");
        if (c.damage) c.damage(file, layout);
        if (c.bits & ErrStreamSector) {
            // s3 continues past the last sector, whose FAT entry is free.
            ByteMutation::SetI32(file, layout.FatEntryOffset(workbook.sectors[3]), layout.pastEnd);
        }
        ParsedFile parsed(file);
        ASSERT_EQ(parsed.Bits(), 0u);
        std::vector<std::uint8_t> expected;
        for (std::size_t k = 0; k < c.unitsCopied; ++k) {
            const std::int32_t n = workbook.sectors[k];
            Append(expected, workbook.inMiniStream
                                 ? Slice(file, layout.MiniSectorOffset(n), Builder::kMiniSectorSize)
                                 : Slice(file, Builder::SectorOffset(n), Builder::kSectorSize));
        }
        if (c.bits == 0) expected.resize(c.streamSize);
        std::vector<std::uint8_t> out;
        EXPECT_EQ(static_cast<unsigned long>(parsed.CopyWorkbook(out)), c.bits);
        EXPECT_EQ(out, expected);
    }
}
