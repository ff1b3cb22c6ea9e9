// The SST's CONTINUE chain read through a damaged header: the joined record
// comes back whole, up to the EXTSST, whichever way the header was damaged.
#include <gtest/gtest.h>

#include <functional>

#include "biff/CInputFile.h"
#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelScanWorkBook.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::ScopedTempDir;

namespace {

// SST at 0 (100 body bytes), CONTINUE at 104 (50), CONTINUE at 158 (60),
// EXTSST at 222, FONT after it.
constexpr std::size_t kFirstContinue = 104;
constexpr std::size_t kExtSst = 222;
constexpr std::uint32_t kJoined = 4 + 100 + 49 + 59;

Bytes Body(std::size_t n, std::uint8_t seed) {
    Bytes body(n);
    for (std::size_t i = 0; i < n; ++i) body[i] = static_cast<std::uint8_t>(seed + i);
    return body;
}

Bytes Stream() {
    Bytes extsst = {8, 0, 12, 0, 0, 0, 12, 0, 0, 0};  // one bucket: string 0 at 12
    BiffWriter w;
    w.Record(0x00FC, Body(100, 1))
        .Record(0x003C, Body(50, 2))
        .Record(0x003C, Body(60, 3))
        .Record(0x00FF, extsst)
        .Record(0x0031, Body(20, 4));
    return w.GetBytes();
}

void SetU16(Bytes& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace

TEST(ReadRecordSst, DamagedContinueHeaderKeepsTheChainWhole) {
    struct Row {
        const char* name;
        std::function<void(Bytes&)> damage;
        bool damagedBoundary;  // the first CONTINUE's bytes cannot be trusted
    };
    const Row rows[] = {
        {"sound", [](Bytes&) {}, false},
        {"type zeroed", [](Bytes& b) { SetU16(b, kFirstContinue, 0x0000); }, false},
        {"type made SST", [](Bytes& b) { SetU16(b, kFirstContinue, 0x00FC); }, false},
        {"length too long", [](Bytes& b) { SetU16(b, kFirstContinue + 2, 0xF00D); }, false},
        {"length too short", [](Bytes& b) { SetU16(b, kFirstContinue + 2, 20); }, false},
        {"length a little too long", [](Bytes& b) { SetU16(b, kFirstContinue + 2, 70); }, false},
        {"header and 16 bytes zeroed",
         [](Bytes& b) {
             std::fill(b.begin() + kFirstContinue, b.begin() + kFirstContinue + 20, 0);
         },
         true},
        {"the SST's own length garbage", [](Bytes& b) { SetU16(b, 2, 0x9999); }, false},
    };
    for (const Row& row : rows) {
        Bytes bytes = Stream();
        row.damage(bytes);
        ScopedTempDir dir;
        const auto path = dir.Path() / "stream";
        ASSERT_TRUE(testsupport::WriteFileBytes(path, bytes));
        CInputFile file;
        ASSERT_TRUE(file.Open(path));
        CExcelScanWorkBook scan{""};
        std::uint64_t position = 0;
        scan.ReadRecord(file, position);

        EXPECT_EQ(position, kExtSst) << row.name;
        EXPECT_EQ(scan.GetRecord()->GetSize(), kJoined) << row.name;
        ASSERT_EQ(scan.GetContinues().GetCount(), 2u) << row.name;
        EXPECT_EQ(scan.GetContinues().GetHead()->IsDamaged(), row.damagedBoundary) << row.name;
        EXPECT_FALSE(scan.GetContinues().GetTail()->IsDamaged()) << row.name;
        EXPECT_EQ(scan.GetSstBuckets().size(), 1u) << row.name;
    }
}
