#include "biff/CFileIO.h"

#include <gtest/gtest.h>

#include "biff/tests/support/BiffWriter.h"

using testsupport::Bytes;
using testsupport::ReadFileBytes;
using testsupport::ScopedTempDir;
using testsupport::WriteFileBytes;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

// ---- whole files

TEST(CFileIO, ReadWholeFileRefusesEmptyAndMissingFiles) {
    ScopedTempDir dir;
    const auto empty = dir.Path() / "empty";
    ASSERT_TRUE(WriteFileBytes(empty, {}));
    std::vector<std::uint8_t> out{1, 2, 3};
    EXPECT_FALSE(CFileIO::ReadWholeFile(out, empty));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(CFileIO::ReadWholeFile(out, dir.Path() / "missing"));

    ASSERT_TRUE(WriteFileBytes(dir.Path() / "three", {7, 8, 9}));
    ASSERT_TRUE(CFileIO::ReadWholeFile(out, dir.Path() / "three"));
    EXPECT_EQ(out, (std::vector<std::uint8_t>{7, 8, 9}));
}

TEST(CFileIO, WriteCopyAndAppendKeepEveryByteInOrder) {
    ScopedTempDir dir;
    Bytes big(200000);
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7);
    const auto a = dir.Path() / "a";
    const auto b = dir.Path() / "b";
    ASSERT_TRUE(CFileIO::WriteNewFile(big.data(), a, static_cast<std::uint32_t>(big.size())));
    ASSERT_TRUE(CFileIO::CopyWholeFile(a, b));
    EXPECT_EQ(ReadFileBytes(b), big);
    ASSERT_TRUE(CFileIO::AppendWholeFile(a, b));
    EXPECT_EQ(ReadFileBytes(b), testsupport::Concat(big, big));
    const std::uint8_t tail[] = {1, 2};
    ASSERT_TRUE(CFileIO::AppendBytes(tail, 2, b));
    EXPECT_EQ(CFileIO::GetFileLength(b), 2 * big.size() + 2);
    // Truncation: a new file replaces the old content.
    ASSERT_TRUE(CFileIO::WriteNewFile(tail, b, 2));
    EXPECT_EQ(ReadFileBytes(b), (Bytes{1, 2}));
}

TEST(CFileIO, AppendNeedsAnExistingDestination) {
    ScopedTempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.Path() / "src", {1}));
    EXPECT_FALSE(CFileIO::AppendWholeFile(dir.Path() / "src", dir.Path() / "none"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "none"));
    EXPECT_FALSE(CFileIO::CopyWholeFile(dir.Path() / "none", dir.Path() / "dst"));
}

TEST(CFileIO, ReadFileRangeStopsExactlyAtTheEnd) {
    ScopedTempDir dir;
    const auto path = dir.Path() / "f";
    ASSERT_TRUE(WriteFileBytes(path, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    std::uint8_t buf[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_TRUE(CFileIO::ReadFileRange(buf, path, 4, 6));
    EXPECT_EQ(buf[0], 6);
    EXPECT_EQ(buf[3], 9);
    std::uint8_t untouched[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_FALSE(CFileIO::ReadFileRange(untouched, path, 4, 7));
    EXPECT_EQ(untouched[0], 0xEE);
    EXPECT_FALSE(CFileIO::ReadFileRange(buf, path, 1, 0xFFFFFFFFFFFFFFFFull));
    EXPECT_FALSE(CFileIO::ReadFileRange(buf, dir.Path() / "missing", 1, 0));
}

// ---- ranges on open files

TEST(CFileIO, CopyRangeWritesNothingForAnEmptyRange) {
    ScopedTempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.Path() / "src", {10, 11, 12, 13}));
    FilePtr src(std::fopen((dir.Path() / "src").c_str(), "rb"));
    {
        FilePtr dst(std::fopen((dir.Path() / "dst").c_str(), "wb"));
        EXPECT_FALSE(CFileIO::CopyRange(src.get(), dst.get(), 2, 2));
        EXPECT_FALSE(CFileIO::CopyRange(src.get(), dst.get(), 3, 1));
        EXPECT_TRUE(CFileIO::CopyRange(src.get(), dst.get(), 1, 3));
        // Past the end: the bytes that exist are copied, none are invented.
        EXPECT_FALSE(CFileIO::CopyRange(src.get(), dst.get(), 3, 9));
    }
    EXPECT_EQ(ReadFileBytes(dir.Path() / "dst"), (Bytes{11, 12, 13}));
}

TEST(CFileIO, CopyRangeWidenedPairsEachByteWithAZero) {
    ScopedTempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.Path() / "src", {'a', 'b', 'c'}));
    FilePtr src(std::fopen((dir.Path() / "src").c_str(), "rb"));
    {
        FilePtr dst(std::fopen((dir.Path() / "dst").c_str(), "wb"));
        EXPECT_TRUE(CFileIO::CopyRangeWidened(src.get(), dst.get(), 1, 10));
    }
    EXPECT_EQ(ReadFileBytes(dir.Path() / "dst"), (Bytes{'b', 0, 'c', 0}));
}

// ---- shared-string table rewriting

namespace {

// An SST spill file: header (type, size, cstTotal, cstUnique), then strings.
Bytes TableHeader(std::uint32_t unique) {
    Bytes out{0xFC, 0x00, 0x00, 0x00};
    testsupport::Insert(out, out.size(), testsupport::BiffWriter::U32(unique));
    testsupport::Insert(out, out.size(), testsupport::BiffWriter::U32(unique));
    return out;
}

}  // namespace

TEST(CFileIO, RebuildWidensEightBitStringsAndKeepsTheRest) {
    ScopedTempDir dir;
    const auto path = dir.Path() / "sst";
    // "ab" 8-bit, then "c" 16-bit with one run, then two trailing bytes.
    Bytes data = TableHeader(2);
    const std::size_t first = data.size();
    data = testsupport::Concat(data, {2, 0, 0x00, 'a', 'b'});
    const std::size_t second = data.size();
    data = testsupport::Concat(data, {1, 0, 0x09, 1, 0, 'c', 0, 0, 0, 5, 0, 0xAA, 0xBB});
    ASSERT_TRUE(WriteFileBytes(path, data));

    const StringSegment segments[] = {
        {static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(first + 3), 2, 0, 0},
        {static_cast<std::uint32_t>(second), static_cast<std::uint32_t>(second + 5), 2, 1, 0},
    };
    ASSERT_TRUE(CFileIO::RebuildStringFile(path, segments, 2));
    Bytes expected = TableHeader(2);
    expected = testsupport::Concat(expected, {2, 0, 0x00, 'a', 0, 'b', 0});
    expected = testsupport::Concat(expected, {1, 0, 0x09, 1, 0, 'c', 0, 0, 0, 5, 0, 0xAA, 0xBB});
    EXPECT_EQ(ReadFileBytes(path), expected);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"sst"});  // the "Temp" sibling is gone
}

TEST(CFileIO, RebuildJoinsPiecesOfDifferentWidths) {
    ScopedTempDir dir;
    const auto path = dir.Path() / "sst";
    // "abcd": 'a','b' 8-bit, then (after a CONTINUE whose flag said 16-bit)
    // 'c','d' 16-bit. The second piece's length is in its own width.
    Bytes data = TableHeader(1);
    const auto countAt = static_cast<std::uint32_t>(data.size());
    data = testsupport::Concat(data, {4, 0, 0x00, 'a', 'b', 'c', 0, 'd', 0});
    ASSERT_TRUE(WriteFileBytes(path, data));
    const StringSegment segments[] = {
        {countAt, countAt + 3, 4, 0, 0},
        {0, countAt + 5, 4, 1, 0},
    };
    ASSERT_TRUE(CFileIO::RebuildStringFile(path, segments, 2));
    Bytes expected =
        testsupport::Concat(TableHeader(1), {4, 0, 0x00, 'a', 0, 'b', 0, 'c', 0, 'd', 0});
    EXPECT_EQ(ReadFileBytes(path), expected);
}

TEST(CFileIO, RebuildRestoresTheTwoByteCountOfACutHeader) {
    ScopedTempDir dir;
    const auto path = dir.Path() / "sst";
    // The low count byte went with a CONTINUE's first byte: the file holds
    // only the high byte (0) before the flags.
    Bytes data = TableHeader(1);
    const auto countAt = static_cast<std::uint32_t>(data.size());
    data = testsupport::Concat(data, {0, 0x00, 'x', 'y', 'z'});
    ASSERT_TRUE(WriteFileBytes(path, data));
    const StringSegment segments[] = {{countAt, countAt + 2, 3, 0, 1}};
    ASSERT_TRUE(CFileIO::RebuildStringFile(path, segments, 1));
    EXPECT_EQ(ReadFileBytes(path),
              testsupport::Concat(TableHeader(1), {3, 0, 0x00, 'x', 0, 'y', 0, 'z', 0}));
}

TEST(CFileIO, RebuildCutsAStringThatRunsPastTheData) {
    ScopedTempDir dir;
    const auto path = dir.Path() / "sst";
    Bytes data = testsupport::Concat(TableHeader(1), {200, 0, 0x00, 'q'});
    ASSERT_TRUE(WriteFileBytes(path, data));
    const StringSegment segments[] = {{12, 15, 200, 0, 0}, {900, 950, 1, 0, 0}};
    ASSERT_TRUE(CFileIO::RebuildStringFile(path, segments, 2));
    EXPECT_EQ(ReadFileBytes(path), testsupport::Concat(TableHeader(1), {200, 0, 0x00, 'q', 0}));
}
