// MULRK expansion: one RK cell per column the record's column fields
// promise, read from the substream for as long as it has bytes, bounded per
// sheet when the promise runs past the record.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "biff/BiffRecordIds.h"
#include "biff/CByteBuffer.h"
#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelWorkSheet.h"
#include "platform/RunState.h"
#include "records/CExcelCellRecordDecoders.h"
#include "records/CExcelRecordRKVALUE.h"
#include "records/tests/support/MemoryStreamReader.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::MemoryStreamReader;

namespace {

using Cell = std::pair<std::uint16_t, double>;  // column, value

// RK number of an integer (integer flag set).
std::uint32_t Int(std::uint32_t n) {
    return (n << 2) | 0x2u;
}

// MULRK record: row, first column, (XF, RK) entries, last column.
Bytes MulRk(std::uint16_t row, std::uint16_t first,
            const std::vector<std::pair<std::uint16_t, std::uint32_t>>& entries,
            std::uint16_t last) {
    Bytes b = testsupport::Concat(BiffWriter::U16(row), BiffWriter::U16(first));
    for (const auto& [xf, rk] : entries)
        b = testsupport::Concat(testsupport::Concat(b, BiffWriter::U16(xf)), BiffWriter::U32(rk));
    return BiffWriter::RecordBytes(biff::kMULRK, testsupport::Concat(b, BiffWriter::U16(last)));
}

// Decodes the MULRK at the start of stream; the sheet ends at end.
bool Decode(const Bytes& stream, CExcelWorkSheet& sheet, std::uint32_t end = UINT32_MAX) {
    MemoryStreamReader reader(stream, end);
    return CExcelCellRecordDecoders::Decode(biff::kMULRK, reader, sheet,
                                            CDataReader::GetU16(&stream[2]), 0);
}

std::vector<Cell> Cells(const CExcelWorkSheet& sheet) {
    std::vector<Cell> cells;
    for (const CExcelRecordRKVALUE& rk : sheet.GetRKValues())
        cells.emplace_back(rk.GetColumn(), rk.GetValue());
    return cells;
}

}  // namespace

TEST(MulRkColumns, ThreeToFiveGiveThreeCellsInOrder) {
    const Bytes stream = MulRk(9, 3, {{21, Int(1)}, {22, Int(2)}, {23, 0x3FF00001}}, 5);
    CExcelWorkSheet sheet;
    EXPECT_TRUE(Decode(stream, sheet));
    EXPECT_EQ(Cells(sheet), (std::vector<Cell>{{3, 1.0}, {4, 2.0}, {5, 0.01}}));
    EXPECT_EQ(sheet.GetRKValues().GetTail()->GetRow(), 9);
    EXPECT_EQ(sheet.GetRKValues().GetTail()->GetXFIndex(), 23);
}

TEST(MulRkColumns, FirstAfterLastGivesNothing) {
    ResetRepairCounters();
    CExcelWorkSheet sheet;
    EXPECT_FALSE(Decode(MulRk(0, 6, {{15, Int(1)}, {15, Int(2)}}, 5), sheet));
    EXPECT_TRUE(sheet.GetRKValues().IsEmpty());
    EXPECT_EQ(RepairCounters[CounterNumericCells].load(), 0u);
}

TEST(MulRkColumns, TheColumnFieldsNotTheSizeSetTheCount) {
    CExcelWorkSheet sheet;
    EXPECT_TRUE(Decode(MulRk(0, 7, {{15, Int(1)}, {15, Int(2)}, {15, Int(3)}}, 7), sheet));
    // The sheet's last column, with a last column field at the top of the
    // 16-bit range: the cells stop at the sheet's end, and a 16-bit column
    // counter would wrap.
    EXPECT_TRUE(Decode(MulRk(0, 0xFF, {{15, Int(4)}, {15, Int(5)}}, 0xFFFF), sheet));
    // A first column past the sheet's last is no cell at all.
    EXPECT_FALSE(Decode(MulRk(0, 0x100, {{15, Int(6)}}, 0x100), sheet));
    EXPECT_EQ(Cells(sheet), (std::vector<Cell>{{7, 1.0}, {0xFF, 4.0}}));
}

TEST(MulRkPastTheRecord, PromisedEntriesTakeTheFollowingBytes) {
    // One entry held, columns 0-2 promised. Entries sit at 4 + 6 * i, so
    // the second starts on the record's own last-column field (its XF) and
    // takes its RK from the 4 bytes after the record; the third is the next
    // 6 bytes.
    Bytes stream = MulRk(2, 0, {{15, Int(1)}}, 2);
    for (const Bytes& more :
         {BiffWriter::U32(Int(50)), BiffWriter::U16(0x33), BiffWriter::U32(Int(77))})
        stream = testsupport::Concat(stream, more);
    CExcelWorkSheet sheet;
    EXPECT_TRUE(Decode(stream, sheet));
    EXPECT_EQ(Cells(sheet), (std::vector<Cell>{{0, 1.0}, {1, 50.0}, {2, 77.0}}));
    EXPECT_EQ(sheet.GetRKValues().GetAt(1)->GetXFIndex(), 2);  // the last-column field
    EXPECT_EQ(sheet.GetRKValues().GetAt(2)->GetXFIndex(), 0x33);
    EXPECT_EQ(sheet.GetMulRkOverrun(), 2u);
}

TEST(MulRkPastTheRecord, TheEndOfTheSubstreamStopsTheExpansion) {
    // Columns 0-4 promised, one held; the sheet ends 8 bytes after the
    // record: entry 1 (last-column field and 4 bytes) is whole, entry 2
    // would need 6 bytes of which 4 are left. Cells already made stay.
    Bytes stream = testsupport::Concat(MulRk(0, 0, {{15, Int(1)}}, 4), BiffWriter::U32(Int(2)));
    stream.resize(stream.size() + 40, 0xAB);
    CExcelWorkSheet sheet;
    EXPECT_TRUE(Decode(stream, sheet, 16 + 8));
    EXPECT_EQ(Cells(sheet), (std::vector<Cell>{{0, 1.0}, {1, 2.0}}));

    // A full-row promise over a 600-byte sheet: entries from offset 8 while
    // 6 bytes are left, 98 of them.
    Bytes row = MulRk(0, 0, {{15, Int(1)}}, 0xFFFF);
    row.resize(600, 0x02);
    CExcelWorkSheet full;
    EXPECT_TRUE(Decode(row, full));
    EXPECT_EQ(full.GetRKValues().GetCount(), 98u);

    // A record whose last-column field lies past the end gives nothing.
    Bytes cut = MulRk(0, 0, {{15, Int(1)}, {15, Int(2)}}, 1);
    testsupport::SetU16(cut, 2, 30);  // declares 30 bytes; the sheet ends after 18
    CExcelWorkSheet none;
    EXPECT_FALSE(Decode(cut, none, 4 + 18));
    EXPECT_TRUE(none.GetRKValues().IsEmpty());
}

TEST(MulRkAllowance, CellsPastTheRecordStopAtTheSheetsAllowance) {
    const std::uint32_t allowance = CExcelCellRecordDecoders::kMulRkOverrunPerSheet;
    Bytes stream = MulRk(0, 0, {{15, Int(1)}, {15, Int(2)}}, 5);
    stream.resize(stream.size() + 60, 0);
    CExcelWorkSheet sheet;
    sheet.SetMulRkOverrun(allowance - 2);
    EXPECT_TRUE(Decode(stream, sheet));
    EXPECT_EQ(sheet.GetRKValues().GetCount(), 4u);  // the two held and two more
    EXPECT_EQ(sheet.GetMulRkOverrun(), allowance);
    // Spent: the entries a record holds are still read.
    CExcelWorkSheet spent;
    spent.SetMulRkOverrun(allowance);
    EXPECT_TRUE(Decode(stream, spent));
    EXPECT_EQ(Cells(spent), (std::vector<Cell>{{0, 1.0}, {1, 2.0}}));
}

TEST(MulRkAllowance, OverlappingFullRowPromisesCannotMultiplyTheSheet) {
    // 300 MULRK records in a row, each holding one entry and promising every
    // column of the row, then 400,000 bytes. Unbounded, every record would
    // read the same following bytes again: 300 * 256 cells.
    constexpr std::uint32_t kRecords = 300;
    Bytes stream;
    for (std::uint32_t i = 0; i < kRecords; ++i)
        stream = testsupport::Concat(stream, MulRk(0, 0, {{15, Int(i)}}, 0xFFFF));
    stream.resize(stream.size() + 400000, 0x02);
    MemoryStreamReader reader(stream);
    CExcelWorkSheet sheet;
    for (std::uint32_t at = 0; at < kRecords * 16; at += 16)
        EXPECT_TRUE(CExcelCellRecordDecoders::Decode(biff::kMULRK, reader, sheet, 12, at));
    EXPECT_EQ(sheet.GetRKValues().GetCount(),
              kRecords + CExcelCellRecordDecoders::kMulRkOverrunPerSheet);
    EXPECT_EQ(sheet.GetRKValues().GetTail()->GetValue(), kRecords - 1.0);  // the last one's own
}
