#include "biff/CExcelRawRecordData.h"

#include <gtest/gtest.h>

#include <memory>

#include "biff/tests/support/BiffWriter.h"
#include "platform/CFileNameManager.h"

using testsupport::Bytes;
using testsupport::ReadFileBytes;
using testsupport::ScopedTempDir;

namespace {

// A small limit keeps the spilled records of these tests small.
constexpr std::uint32_t kLimit = 4096;

// A record of size bytes starting with type's two bytes.
Bytes RecordBytes(std::uint16_t type, std::uint32_t size) {
    Bytes bytes(size, 0x5A);
    bytes[0] = static_cast<std::uint8_t>(type);
    bytes[1] = static_cast<std::uint8_t>(type >> 8);
    return bytes;
}

Bytes Loaded(CExcelRawRecordData& record) {
    if (!record.Load()) return {};
    return Bytes(record.GetLoadedBytes(), record.GetLoadedBytes() + record.GetSize());
}

}  // namespace

// Up to the limit a record stays in memory; past it, in a spill file of its
// own that goes with the record. Appends and copies keep to the same rule.
TEST(CExcelRawRecordData, SmallRecordsStayInMemoryLargeOnesSpill) {
    ScopedTempDir dir;
    struct Case {
        std::uint32_t first;
        std::uint32_t appended;  // 0: no append
        bool spilled;
    } const cases[] = {
        {6, 0, false},          {kLimit, 0, false},    {kLimit + 1, 0, true},
        {kLimit - 3, 3, false}, {kLimit - 3, 4, true},  // the append crosses the limit
        {kLimit + 1, 5, true},
    };
    for (const Case& c : cases) {
        const Bytes head = RecordBytes(0x00FC, c.first);
        const Bytes tail(c.appended, 0x11);
        std::filesystem::path spill;
        {
            CExcelRawRecordData record(head.data(), c.first, kLimit);
            ASSERT_TRUE(record.AppendBytes(tail.data(), c.appended));
            EXPECT_EQ(record.IsSpilled(), c.spilled) << c.first << "+" << c.appended;
            EXPECT_EQ(dir.Entries().size(), c.spilled ? 1u : 0u);
            EXPECT_EQ(record.GetType(), 0x00FC);
            EXPECT_EQ(record.GetSize(), c.first + c.appended);
            EXPECT_EQ(record.GetLoadedBytes(), nullptr);
            spill = record.GetSpillPath();
            EXPECT_EQ(spill.parent_path(), c.spilled ? dir.Path() : std::filesystem::path());
            CExcelRawRecordData copy(record);
            EXPECT_EQ(copy.IsSpilled(), c.spilled);
            EXPECT_EQ(Loaded(copy), testsupport::Concat(head, tail));
            EXPECT_EQ(Loaded(record), testsupport::Concat(head, tail));
            record.FreeLoaded();
            EXPECT_EQ(record.GetLoadedBytes(), nullptr);
            EXPECT_EQ(record.GetSize(), c.first + c.appended);
        }
        EXPECT_TRUE(dir.Entries().empty()) << c.first << "+" << c.appended;
    }
}

TEST(CExcelRawRecordData, SpilledRecordsHaveTheirOwnNumbersAndNames) {
    ScopedTempDir dir;
    const Bytes big = RecordBytes(0x0001, kLimit + 1);
    auto first = std::make_unique<CExcelRawRecordData>(big.data(), kLimit + 1, kLimit);
    const std::uint32_t firstId = first->GetId();
    const std::filesystem::path firstPath = first->GetSpillPath();
    first.reset();
    // The first record's number is never handed out again, even though its
    // file is gone; a file left by another process under the next number is
    // left alone.
    const auto taken = CFileNameManager::GetTempTextFileName(RawRecordCounter.load() + 1);
    ASSERT_TRUE(testsupport::WriteFileBytes(taken, {0x55}));
    {
        CExcelRawRecordData second(big.data(), kLimit + 1, kLimit);
        EXPECT_GT(second.GetId(), firstId);
        EXPECT_NE(second.GetSpillPath(), firstPath);
        EXPECT_NE(second.GetSpillPath(), taken);
    }
    EXPECT_EQ(ReadFileBytes(taken), Bytes{0x55});
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

TEST(CExcelRawRecordData, AppendJoinsRecordsAndKeepsTheFirstType) {
    ScopedTempDir dir;
    const Bytes head{0xFC, 0x00, 0x02, 0x00, 1, 2};
    const Bytes tail{3, 4, 5};
    const Bytes big = RecordBytes(0x003C, kLimit);
    CExcelRawRecordData record(head.data(), 6);
    CExcelRawRecordData more(tail.data(), 3);
    ASSERT_TRUE(record.Append(more));
    EXPECT_EQ(record.GetSize(), 9u);
    EXPECT_EQ(record.GetType(), 0x00FC);
    EXPECT_EQ(Loaded(record), testsupport::Concat(head, tail));
    EXPECT_EQ(Loaded(more), tail);  // the other is untouched
    EXPECT_FALSE(record.Append(record));
    // A record in memory takes a spilled one's bytes by spilling itself.
    CExcelRawRecordData spilled(big.data(), kLimit, kLimit);
    ASSERT_TRUE(spilled.AppendBytes(tail.data(), 3));
    ASSERT_TRUE(record.Append(spilled));
    EXPECT_TRUE(record.IsSpilled());
    EXPECT_EQ(Loaded(record),
              testsupport::Concat(testsupport::Concat(testsupport::Concat(head, tail), big), tail));
}

TEST(CExcelRawRecordData, ASpillFileSomeoneRemovedLoadsAsNothing) {
    ScopedTempDir dir;
    const Bytes big = RecordBytes(0x00FC, kLimit + 2);
    CExcelRawRecordData record(big.data(), kLimit + 2, kLimit);
    ASSERT_TRUE(record.IsSpilled());
    std::filesystem::remove(record.GetSpillPath());
    EXPECT_FALSE(record.Load());
    EXPECT_EQ(record.GetLoadedBytes(), nullptr);
}
