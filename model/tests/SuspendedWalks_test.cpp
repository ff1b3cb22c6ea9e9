// A suspension of the repair worker takes hold inside the long walks of the
// scan, not only between its steps: the BOF search, the globals scan and the
// worksheet parser each pass RepairWorkerGate where they check for a stop.
// Each walk runs on a thread of its own, as on the worker; once suspended
// mid-walk it must stand still at the offset it reached, and finish its
// walk when resumed.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "biff/BiffRecordIds.h"
#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelData.h"
#include "model/CExcelScanFile.h"
#include "model/CExcelScanWorkBook.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "model/CExcelWorkSheetParser.h"
#include "platform/PauseGate.h"
#include "platform/RunState.h"

using testsupport::BiffWriter;
using testsupport::Bytes;

namespace {

namespace fs = std::filesystem;

// A bound on every wait, far above what the walks need: reaching it means
// the walk is stuck or never got where it was expected.
constexpr auto kBound = std::chrono::seconds(60);

template <typename Condition>
bool Eventually(Condition condition) {
    const auto until = std::chrono::steady_clock::now() + kBound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::yield();
    }
    return true;
}

// Runs a walk on a thread of its own and leaves the gate open whatever
// happens to the test.
class SuspendedWalk : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRepairCounters();
        StopRequested.store(0);
        RepairProgress.store(0);
    }
    void TearDown() override {
        while (RepairWorkerGate.IsSuspended()) RepairWorkerGate.Resume();
        if (m_worker.joinable()) m_worker.join();
    }

    template <typename Walk>
    void Start(Walk walk) {
        m_worker = std::thread([this, walk] {
            m_result = walk();
            m_done.store(true);
        });
    }

    // Suspends the worker once RepairProgress has passed `from` and checks
    // that it is held: waiting at the gate, not done, its position at or
    // past `from` and below `end`, and no longer moving. Then resumes it and
    // waits for the walk's result.
    bool SuspendHoldAndResume(std::uint32_t from, std::uint32_t end, bool suspendHere = true) {
        if (suspendHere) {
            EXPECT_TRUE(Eventually([&] { return RepairProgress.load() >= from; }));
            RepairWorkerGate.Suspend();
        }
        EXPECT_TRUE(Eventually([] { return RepairWorkerGate.WaitingCount() == 1; }));
        const std::uint32_t held = RepairProgress.load();
        EXPECT_GE(held, from);
        EXPECT_LT(held, end);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(RepairProgress.load(), held);
        EXPECT_FALSE(m_done.load());

        RepairWorkerGate.Resume();
        m_worker.join();
        EXPECT_TRUE(m_done.load());
        return m_result;
    }

    testsupport::ScopedTempDir m_temp;
    std::thread m_worker;
    std::atomic<bool> m_done{false};
    bool m_result = false;
};

// A NUMBER cell holding its row number.
Bytes NumberBody(std::uint16_t row) {
    return testsupport::NumberCellBody(row, row);
}

// Suspends the repair worker (from the worker itself, as the screen would
// from its own thread) at the first window refill at or after an offset:
// the parser is then in the middle of its sheet, wherever the machine's
// speed put the other thread.
class SuspendingParser : public CExcelWorkSheetParser {
public:
    explicit SuspendingParser(std::uint64_t at) : m_at(at) {}

protected:
    std::size_t ReadFile(std::uint64_t offset, std::uint8_t* out, std::size_t n) override {
        if (!m_suspended && offset >= m_at) {
            m_suspended = true;
            RepairWorkerGate.Suspend();
        }
        return CExcelWorkSheetParser::ReadFile(offset, out, n);
    }

private:
    std::uint64_t m_at;
    bool m_suspended = false;
};

}  // namespace

TEST_F(SuspendedWalk, TheBofSearchHoldsAtItsOffsetAndFinishesWhenResumed) {
    // Zero bytes, sparse on disk: a long search with nothing to find.
    const fs::path path = m_temp.Path() / "large.bin";
    ASSERT_TRUE(testsupport::WriteFileBytes(path, {}));
    constexpr std::uint32_t kLength = 32u << 20;
    fs::resize_file(path, kLength);
    CExcelData data;
    data.SetSourcePath(path);
    Start([&data, path] { return CExcelScanFile(path).ScanForSubstreams(&data); });

    // The search publishes half the offset it has reached.
    EXPECT_TRUE(SuspendHoldAndResume(kLength / 32, kLength / 2));
    EXPECT_EQ(RepairProgress.load(), kLength / 2);
    EXPECT_EQ(data.GetBOFList().GetCount(), 1u);  // the whole file as one workbook
}

TEST_F(SuspendedWalk, TheGlobalsScanHoldsAtItsRecordAndFinishesWhenResumed) {
    // Many small records that no globals decoder wants, then a BOUNDSHEET
    // after them: only a walk that went on to the end finds the sheet.
    BiffWriter w;
    w.Bof(biff::kSubstreamGlobals);
    for (int i = 0; i < 400000; ++i) w.Record(0x00EC, {});
    w.BoundSheet(0, u"Last");
    w.Eof();
    const fs::path path = m_temp.Path() / "globals.bin";
    ASSERT_TRUE(testsupport::WriteFileBytes(path, w.GetBytes()));
    const auto length = static_cast<std::uint32_t>(w.Size());
    CExcelWorkBook workbook(0, length);
    Start([&workbook, path, length] {
        return CExcelScanWorkBook(path).ScanGlobals(0, length, nullptr, &workbook);
    });

    EXPECT_TRUE(SuspendHoldAndResume(length / 8, length));
    ASSERT_EQ(workbook.GetWorksheets().GetCount(), 1u);
    EXPECT_EQ(workbook.GetWorksheets().GetHead()->GetName(), u"Last");
}

TEST_F(SuspendedWalk, TheWorksheetParserHoldsWithinARecordAndFinishesWhenResumed) {
    constexpr std::uint16_t kCells = 60000;
    BiffWriter w;
    w.Bof(biff::kSubstreamWorksheet);
    for (std::uint16_t row = 0; row < kCells; ++row) w.Record(biff::kNUMBER, NumberBody(row));
    w.Eof();
    const fs::path path = m_temp.Path() / "sheet.bin";
    ASSERT_TRUE(testsupport::WriteFileBytes(path, w.GetBytes()));
    CExcelData data;
    auto* workbook = new CExcelWorkBook(0, 0);
    data.GetWorkbooks().Add(workbook);
    workbook->GetWorksheets().Add(CExcelWorkSheet());

    constexpr std::uint32_t kSuspendAt = 200000;
    SuspendingParser parser(kSuspendAt);
    parser.SetStreamFileName(path);
    parser.SetData(&data);
    Start([&parser] { return parser.Run(); });

    // The refill happens for a record that starts before kSuspendAt; the
    // worker holds at the check before the next record, one window on at
    // most.
    EXPECT_TRUE(SuspendHoldAndResume(kSuspendAt - 16384, kSuspendAt + 16384, false));
    EXPECT_EQ(workbook->GetWorksheets().GetHead()->GetNumbers().GetCount(), kCells);
}
