// The compound-file container: what a strict reader finds in it for small
// streams, at the FAT-sector boundaries, and past the 109 FAT sectors the
// header can list (DIFAT sectors).
#include "server/CCompoundFileWriter.h"

#include <gtest/gtest.h>

#include "server/CMemoryByteSink.h"
#include "server/tests/support/XlsStructureReader.h"

using servertest::Bytes;
using servertest::ReadCompound;

namespace {

Bytes Pattern(std::size_t n) {
    Bytes bytes(n);
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    return bytes;
}

// Writes `stream` in uneven pieces and returns the file.
Bytes Compound(const Bytes& stream) {
    CMemoryByteSink sink;
    CCompoundFileWriter writer(sink);
    for (std::size_t at = 0; at < stream.size();) {
        const std::size_t n = std::min<std::size_t>(stream.size() - at, 1 + at % 9000);
        EXPECT_TRUE(writer.Write(stream.data() + at, n));
        at += n;
    }
    EXPECT_TRUE(writer.Finish());
    return sink.Bytes();
}

class FailingSink : public CByteSink {
  public:
    explicit FailingSink(std::uint64_t limit) : m_limit(limit) {}
    bool Write(const std::uint8_t*, std::size_t n) override {
        if (m_size + n > m_limit) return false;
        m_size += n;
        return true;
    }
    bool Overwrite(std::uint64_t, const std::uint8_t*, std::size_t) override { return true; }
    std::uint64_t Position() const override { return m_size; }

  private:
    std::uint64_t m_limit;
    std::uint64_t m_size = 0;
};

}  // namespace

// ---- Small streams: padded out of the mini stream ----------------------------

TEST(CompoundFileWriter, SmallStreamIsPaddedTo4096AndReadsBackWithZeros) {
    const Bytes data = Pattern(100);
    const Bytes file = Compound(data);
    const auto cf = ReadCompound(file);
    ASSERT_TRUE(cf.problems.empty()) << cf.problems.front();
    ASSERT_EQ(cf.workbook.size(), 4096u);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), cf.workbook.begin()));
    EXPECT_TRUE(std::all_of(cf.workbook.begin() + 100, cf.workbook.end(),
                            [](std::uint8_t b) { return b == 0; }));
    // 8 stream sectors, the directory, one FAT sector.
    EXPECT_EQ(cf.sectors, 10u);
    EXPECT_EQ(cf.fatSectors, 1u);
    EXPECT_EQ(cf.difatSectors, 0u);
}

TEST(CompoundFileWriter, EmptyStreamStillMakesAValidFile) {
    const auto cf = ReadCompound(Compound({}));
    EXPECT_TRUE(cf.problems.empty());
    EXPECT_EQ(cf.workbook.size(), 4096u);
}

TEST(CompoundFileWriter, StreamSizeIsExactAboveTheCutoff) {
    const Bytes data = Pattern(5000);
    const auto cf = ReadCompound(Compound(data));
    ASSERT_TRUE(cf.problems.empty());
    EXPECT_EQ(cf.workbook, data);
}

TEST(CompoundFileWriter, RootEntryNamesTheWorkbookClass) {
    const Bytes file = Compound(Pattern(10));
    // Directory sector follows the 8 stream sectors; the class id sits at
    // offset 80 of the root entry.
    const std::size_t root = 512 + 8 * 512;
    const std::uint8_t expected[16] = {0x20, 0x08, 0x02, 0, 0, 0, 0, 0,
                                       0xC0, 0,    0,    0, 0, 0, 0, 0x46};
    EXPECT_TRUE(std::equal(expected, expected + 16, file.begin() + root + 80));
}

// ---- Sector tables at their boundaries -----------------------------------------

TEST(CompoundFileWriter, EveryStreamLengthAroundAFatSectorBoundaryIsConsistent) {
    // One FAT sector covers 128 sectors: stream + directory + FAT. Lengths
    // from 120 to 260 stream sectors cross the first two boundaries.
    for (std::size_t sectors = 120; sectors <= 260; ++sectors) {
        const Bytes data = Pattern(sectors * 512 - (sectors % 3));
        const auto cf = ReadCompound(Compound(data));
        ASSERT_TRUE(cf.problems.empty()) << sectors << ": " << cf.problems.front();
        ASSERT_EQ(cf.workbook, data) << sectors;
        const std::uint32_t total = cf.sectors;
        EXPECT_EQ(cf.fatSectors, (total + 127) / 128) << sectors;
    }
}

TEST(CompoundFileWriter, MoreThan109FatSectorsGoThroughDifatSectors) {
    // 109 FAT sectors cover 13,952 sectors (about 7.1 MB); this stream needs
    // more, and one DIFAT sector lists the rest.
    const Bytes data = Pattern(7'500'000);
    CMemoryByteSink sink;
    CCompoundFileWriter writer(sink);
    ASSERT_TRUE(writer.Write(data.data(), data.size()));
    ASSERT_TRUE(writer.Finish());
    EXPECT_GT(writer.FatSectors(), 109u);
    EXPECT_EQ(writer.DifatSectors(), 1u);

    const auto cf = ReadCompound(sink.Bytes());
    ASSERT_TRUE(cf.problems.empty()) << cf.problems.front();
    EXPECT_EQ(cf.fatSectors, writer.FatSectors());
    EXPECT_EQ(cf.difatSectors, 1u);
    EXPECT_EQ(cf.workbook, data);
}

TEST(CompoundFileWriter, DifatChainsAcrossSeveralSectors) {
    // 109 + 127 FAT sectors cover 30,208 sectors; beyond that a second DIFAT
    // sector is linked from the first.
    const Bytes data = Pattern(16'000'000);
    CMemoryByteSink sink;
    CCompoundFileWriter writer(sink);
    ASSERT_TRUE(writer.Write(data.data(), data.size()));
    ASSERT_TRUE(writer.Finish());
    EXPECT_EQ(writer.DifatSectors(), 2u);
    const auto cf = ReadCompound(sink.Bytes());
    ASSERT_TRUE(cf.problems.empty()) << cf.problems.front();
    EXPECT_EQ(cf.workbook, data);
}

// ---- Patching and failures --------------------------------------------------------

TEST(CompoundFileWriter, OverwriteChangesStreamBytesInPlace) {
    CMemoryByteSink sink;
    CCompoundFileWriter writer(sink);
    const Bytes data = Pattern(6000);
    ASSERT_TRUE(writer.Write(data.data(), data.size()));
    const std::uint8_t patch[4] = {1, 2, 3, 4};
    ASSERT_TRUE(writer.Overwrite(5000, patch, 4));
    EXPECT_FALSE(writer.Overwrite(5998, patch, 4)) << "past the stream's end";
    ASSERT_TRUE(writer.Finish());
    Bytes expected = data;
    std::copy(patch, patch + 4, expected.begin() + 5000);
    EXPECT_EQ(ReadCompound(sink.Bytes()).workbook, expected);
}

TEST(CompoundFileWriter, FailedSinkFailsTheFileAndEverythingAfter) {
    FailingSink sink(3000);
    CCompoundFileWriter writer(sink);
    const Bytes data = Pattern(4000);
    EXPECT_FALSE(writer.Write(data.data(), data.size()));
    EXPECT_FALSE(writer.Write(data.data(), 1));
    EXPECT_FALSE(writer.Finish());
}

TEST(CompoundFileWriter, NothingMayFollowFinish) {
    CMemoryByteSink sink;
    CCompoundFileWriter writer(sink);
    ASSERT_TRUE(writer.Finish());
    const std::uint8_t byte = 1;
    EXPECT_FALSE(writer.Write(&byte, 1));
    EXPECT_FALSE(writer.Finish());
}
