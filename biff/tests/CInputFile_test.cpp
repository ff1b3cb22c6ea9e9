#include "biff/CInputFile.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "biff/tests/support/BiffWriter.h"

using testsupport::Bytes;
using testsupport::ScopedTempDir;

// Both ways of reading give the file's bytes, clipped at its end, whether a
// read lies inside one stretch of the mapping, crosses the point where it
// moves on, is longer than a stretch, or jumps back to the start.
TEST(CInputFile, ReadsAndMappedReadsGiveTheSameBytesAcrossTheMappingSteps) {
    ScopedTempDir dir;
    constexpr std::uint64_t kMiB = 1u << 20;
    const std::uint64_t length = 9 * kMiB + 123;
    Bytes bytes(length);
    for (std::uint64_t i = 0; i < length; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    const auto path = dir.Path() / "stream.bin";
    ASSERT_TRUE(testsupport::WriteFileBytes(path, bytes));

    struct Read {
        std::uint64_t offset;
        std::size_t n;
        std::size_t expected;
    } const reads[] = {
        {0, 10, 10},
        {4 * kMiB - 3, 8, 8},                // crosses the first step
        {4 * kMiB - 3, 4 * kMiB, 4 * kMiB},  // a whole step's worth, unaligned
        {8 * kMiB - 1, 2, 2},
        {2 * kMiB, 5 * kMiB, 5 * kMiB},  // longer than a step
        {16, 4096, 4096},                // back to the start
        {length - 5, 100, 5},            // clipped at the end
        {length, 1, 0},
        {length + 7, 1, 0},
    };
    for (const auto access : {CInputFile::EAccess::kReads, CInputFile::EAccess::kMapped}) {
        CInputFile file;
        ASSERT_TRUE(file.Open(path, access));
        EXPECT_EQ(file.Length(), length);
        for (const Read& read : reads) {
            Bytes out(read.n, 0xEE);
            ASSERT_EQ(file.ReadAt(read.offset, out.data(), read.n), read.expected)
                << read.offset << "+" << read.n;
            const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(read.offset);
            EXPECT_TRUE(
                std::equal(first, first + static_cast<std::ptrdiff_t>(read.expected), out.begin()))
                << read.offset << "+" << read.n;
        }
    }
}
