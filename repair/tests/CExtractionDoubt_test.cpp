// What makes an extracted Workbook stream copy doubtful: the chain and size
// bits booklift reports, a copy that does not open with the globals' BOF,
// and a copy whose chain came back to its start (its first sector again).
#include "repair/CExtractionDoubt.h"

#include <gtest/gtest.h>

#include "biff/tests/support/BiffWriter.h"
#include "compound/EErrorCode.h"

namespace {

using testsupport::Bytes;

constexpr std::size_t kSector = 512;

// A globals BOF (BIFF8, workbook globals) padded to a sector with a pattern,
// so that no other sector of the copy matches it by chance.
Bytes FirstSector() {
    Bytes bytes = testsupport::BiffWriter::RecordBytes(
        0x0809, {0x00, 0x06, 0x05, 0x00, 0xBB, 0x0D, 0xCC, 0x07, 0, 0, 0, 0, 0x06, 0, 0, 0});
    for (std::size_t i = bytes.size(); i < kSector; ++i)
        bytes.push_back(static_cast<std::uint8_t>(i * 7));
    return bytes;
}

Bytes Sectors(std::initializer_list<char> kinds) {
    Bytes copy;
    const Bytes first = FirstSector();
    for (const char kind : kinds) {
        if (kind == 'F' || kind == 'x') {
            copy.insert(copy.end(), first.begin(), first.end());
            if (kind == 'x') copy.back() ^= 1;  // the first sector but for one byte
        } else if (kind == 'h') {               // half a sector: no whole sector to compare
            copy.insert(copy.end(), first.begin(), first.begin() + kSector / 2);
        } else {
            copy.insert(copy.end(), kSector, static_cast<std::uint8_t>(kind));
        }
    }
    return copy;
}

}  // namespace

TEST(CExtractionDoubt, OfCopyNamesWhatMakesTheCopyDoubtful) {
    struct Case {
        const char* name;
        unsigned long bits;
        Bytes copy;
        EExtractionDoubt doubt;
    };
    const Case cases[] = {
        {"a sound copy", 0, Sectors({'F', 'a', 'b', 'x'}), EExtractionDoubt::None},
        {"the first sector again, last", 0, Sectors({'F', 'a', 'b', 'F'}),
         EExtractionDoubt::RepeatedSector},
        {"the first sector again, next", 0, Sectors({'F', 'F'}), EExtractionDoubt::RepeatedSector},
        {"a cut sector that starts like the first", 0, Sectors({'F', 'a', 'h'}),
         EExtractionDoubt::None},
        {"one sector only", 0, Sectors({'F'}), EExtractionDoubt::None},
        {"no BOF at the start", 0, Sectors({'a', 'F'}), EExtractionDoubt::NoBofAtStart},
        {"an empty copy", 0, {}, EExtractionDoubt::NoBofAtStart},
        {"a chain that came back", ErrStreamChain, Sectors({'F', 'F'}),
         EExtractionDoubt::ChainBroken},
        {"a size that disagrees", ErrStreamSize, Sectors({'F'}), EExtractionDoubt::SizeDisagrees},
    };
    testsupport::ScopedTempDir temp;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = temp.Path() / "copy.bin";
        ASSERT_TRUE(testsupport::WriteFileBytes(path, c.copy));
        EXPECT_EQ(CExtractionDoubt::OfCopy(c.bits, path), c.doubt);
    }
}
