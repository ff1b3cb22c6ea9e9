#include "biff/CExcelRawRecordData.h"

#include <gtest/gtest.h>

#include <memory>

#include "biff/tests/support/BiffWriter.h"
#include "platform/CFileNameManager.h"

using testsupport::Bytes;
using testsupport::ReadFileBytes;
using testsupport::ScopedTempDir;

TEST(CExcelRawRecordData, SpillFileHoldsTheBytesAndGoesWithTheRecord) {
    ScopedTempDir dir;
    const Bytes bytes{0x31, 0x00, 0x02, 0x00, 0xAA, 0xBB};
    std::filesystem::path spill;
    {
        CExcelRawRecordData record(bytes.data(), 6);
        spill = record.GetSpillPath();
        EXPECT_EQ(spill.parent_path(), dir.Path());
        EXPECT_EQ(ReadFileBytes(spill), bytes);
        EXPECT_EQ(record.GetType(), 0x0031);
        EXPECT_EQ(record.GetSize(), 6u);
        EXPECT_EQ(record.GetLoadedBytes(), nullptr);
    }
    EXPECT_FALSE(std::filesystem::exists(spill));
    EXPECT_TRUE(dir.Entries().empty());
}

TEST(CExcelRawRecordData, RecordsMadeOneAfterTheOtherHaveTheirOwnSpillFiles) {
    ScopedTempDir dir;
    const std::uint8_t one[] = {1, 0};
    auto first = std::make_unique<CExcelRawRecordData>(one, 2);
    const std::uint32_t firstId = first->GetId();
    const std::filesystem::path firstPath = first->GetSpillPath();
    first.reset();
    // The first record's number is never handed out again, even though its
    // file is gone.
    CExcelRawRecordData second(one, 2);
    EXPECT_GT(second.GetId(), firstId);
    EXPECT_NE(second.GetSpillPath(), firstPath);
}

TEST(CExcelRawRecordData, SkipsSpillNamesThatAreAlreadyTaken) {
    ScopedTempDir dir;
    // A file left by another process under the next number.
    const std::uint32_t next = RawRecordCounter.load() + 1;
    const auto taken = CFileNameManager::GetTempTextFileName(next);
    ASSERT_TRUE(testsupport::WriteFileBytes(taken, {0x55}));
    const std::uint8_t bytes[] = {0x3C, 0x00};
    {
        CExcelRawRecordData record(bytes, 2);
        EXPECT_NE(record.GetSpillPath(), taken);
        EXPECT_EQ(record.GetType(), 0x003C);
    }
    EXPECT_EQ(ReadFileBytes(taken), Bytes{0x55});  // left alone
}

TEST(CExcelRawRecordData, TypeIsZeroBelowTwoBytes) {
    ScopedTempDir dir;
    const std::uint8_t bytes[] = {0x09};
    CExcelRawRecordData one(bytes, 1);
    EXPECT_EQ(one.GetType(), 0);
    CExcelRawRecordData none(nullptr, 0);
    EXPECT_EQ(none.GetType(), 0);
    EXPECT_EQ(none.GetSize(), 0u);
    EXPECT_FALSE(none.Load());
    EXPECT_EQ(none.GetLoadedBytes(), nullptr);
    // An append that completes the type field makes the type readable.
    const std::uint8_t more[] = {0x08};
    ASSERT_TRUE(one.AppendBytes(more, 1));
    EXPECT_EQ(one.GetType(), 0x0809);
}

TEST(CExcelRawRecordData, AppendJoinsSpillFilesAndKeepsTheFirstType) {
    ScopedTempDir dir;
    const Bytes head{0xFC, 0x00, 0x02, 0x00, 1, 2};
    const Bytes tail{3, 4, 5};
    CExcelRawRecordData record(head.data(), 6);
    CExcelRawRecordData more(tail.data(), 3);
    ASSERT_TRUE(record.Append(more));
    EXPECT_EQ(record.GetSize(), 9u);
    EXPECT_EQ(record.GetType(), 0x00FC);
    EXPECT_EQ(ReadFileBytes(record.GetSpillPath()), testsupport::Concat(head, tail));
    EXPECT_EQ(ReadFileBytes(more.GetSpillPath()), tail);  // the other is untouched
    EXPECT_FALSE(record.Append(record));
}

TEST(CExcelRawRecordData, CopyHasItsOwnSpillFile) {
    ScopedTempDir dir;
    const Bytes bytes{0xE0, 0x00, 0x00, 0x00};
    CExcelRawRecordData record(bytes.data(), 4);
    {
        CExcelRawRecordData copy(record);
        EXPECT_NE(copy.GetSpillPath(), record.GetSpillPath());
        EXPECT_NE(copy.GetId(), record.GetId());
        EXPECT_EQ(copy.GetSize(), 4u);
        EXPECT_EQ(copy.GetType(), 0x00E0);
        EXPECT_EQ(ReadFileBytes(copy.GetSpillPath()), bytes);
    }
    EXPECT_EQ(ReadFileBytes(record.GetSpillPath()), bytes);
}

TEST(CExcelRawRecordData, LoadReadsTheSpillFileAsItIsNow) {
    ScopedTempDir dir;
    const Bytes bytes{0xFC, 0x00, 0x01, 0x00, 0x41};
    CExcelRawRecordData record(bytes.data(), 5);
    ASSERT_TRUE(record.Load());
    ASSERT_NE(record.GetLoadedBytes(), nullptr);
    EXPECT_EQ(record.GetLoadedBytes()[4], 0x41);
    record.FreeLoaded();
    EXPECT_EQ(record.GetLoadedBytes(), nullptr);

    // A decoder that rewrote the spill file (widening a string table) sees
    // the new length.
    const Bytes widened{0xFC, 0x00, 0x01, 0x00, 0x41, 0x00};
    ASSERT_TRUE(testsupport::WriteFileBytes(record.GetSpillPath(), widened));
    ASSERT_TRUE(record.Load());
    EXPECT_EQ(record.GetSize(), 6u);

    // A spill file that someone else removed reads back as nothing.
    std::filesystem::remove(record.GetSpillPath());
    EXPECT_FALSE(record.Load());
    EXPECT_EQ(record.GetLoadedBytes(), nullptr);
}
