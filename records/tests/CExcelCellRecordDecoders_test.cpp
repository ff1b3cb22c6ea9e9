// The cell-record decoders as the worksheet parser drives them: record
// header at a position, payload read through the parser's read operation.
#include "records/CExcelCellRecordDecoders.h"

#include <gtest/gtest.h>

#include "biff/BiffRecordIds.h"
#include "biff/CByteBuffer.h"
#include "biff/tests/support/BiffWriter.h"
#include "model/CExcelWorkSheet.h"
#include "platform/RunState.h"
#include "records/CExcelRecordBOOLERR.h"
#include "records/CExcelRecordCOLINFO.h"
#include "records/CExcelRecordLABELSST.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordQUICKTIP.h"
#include "records/CExcelRecordRKVALUE.h"
#include "records/CExcelRecordROW.h"
#include "records/tests/support/MemoryStreamReader.h"

using testsupport::BiffWriter;
using testsupport::Bytes;
using testsupport::MemoryStreamReader;

namespace {

// Decodes every record of stream in turn, taking type and size from each
// header as the parser does; returns how many appended.
std::uint32_t DecodeAll(const Bytes& stream, CExcelWorkSheet& sheet) {
    MemoryStreamReader reader(stream);
    std::uint32_t appended = 0;
    for (std::uint32_t at = 0; at + 4 <= stream.size();) {
        const std::uint16_t size = CDataReader::GetU16(&stream[at + 2]);
        if (CExcelCellRecordDecoders::Decode(CDataReader::GetU16(&stream[at]), reader, sheet, size,
                                             at))
            ++appended;
        at += 4 + size;
    }
    return appended;
}

Bytes Words(std::initializer_list<std::uint16_t> words) {
    Bytes body;
    for (std::uint16_t w : words) {
        body.push_back(static_cast<std::uint8_t>(w));
        body.push_back(static_cast<std::uint8_t>(w >> 8));
    }
    return body;
}

// Every list of the sheet that a cell decoder fills, summed.
std::uint32_t CellObjects(const CExcelWorkSheet& s) {
    return s.GetNumbers().GetCount() + s.GetRKValues().GetCount() + s.GetBlanks().GetCount() +
           s.GetMulBlanks().GetCount() + s.GetBoolErrs().GetCount() + s.GetColInfos().GetCount() +
           s.GetRows().GetCount() + s.GetQuickTips().GetCount() + s.GetMergedCells().GetCount() +
           s.GetLabelSSTs().GetCount();
}

std::uint32_t Counter(ERepairCounter counter) {
    return RepairCounters[counter].load();
}

}  // namespace

TEST(CellDecoderTable, SortedUniqueAndMadeOfKnownRecords) {
    std::uint32_t count = 0;
    const CExcelCellRecordDecoders::Entry* table = CExcelCellRecordDecoders::Table(&count);
    ASSERT_EQ(count, 13u);
    for (std::uint32_t i = 0; i < count; ++i) {
        EXPECT_NE(biff::RecordName(table[i].type), nullptr) << table[i].type;
        EXPECT_LE(table[i].minSize, table[i].maxSize) << table[i].type;
        EXPECT_LE(table[i].maxSize, 0xFFFFu) << table[i].type;
        EXPECT_EQ(CExcelCellRecordDecoders::Find(table[i].type), &table[i]);
        if (i > 0) {
            EXPECT_LT(table[i - 1].type, table[i].type);
        }
    }
    for (std::uint16_t type : {biff::kFORMULA, biff::kEOF, biff::kTABLE, biff::kHLINK})
        EXPECT_EQ(CExcelCellRecordDecoders::Find(type), nullptr) << type;
}

TEST(CellDecoderSizes, SizesOutsideTheAcceptedRangeAppendNothing) {
    const std::pair<std::uint16_t, std::uint32_t> refused[] = {
        {biff::kNUMBER, 13},     {biff::kNUMBER, 15},  {biff::kBLANK, 7},
        {biff::kBLANK, 5},       {biff::kRK, 9},       {biff::kRK, 11},
        {biff::kLABELSST, 9},    {biff::kBOOLERR, 7},  {biff::kROW, 15},
        {biff::kCOLINFO, 13},    {biff::kMULRK, 11},   {biff::kMULBLANK, 7},
        {biff::kMERGEDCELLS, 1}, {biff::kQUICKTIP, 9}, {biff::kMULRK, 0x10000},
        {biff::kBOOLERR, 10},    {biff::kCOLINFO, 9},
    };
    ResetRepairCounters();
    CExcelWorkSheet sheet;
    for (const auto& [type, size] : refused) {
        // The declared payload is really there (and more): only the size
        // decides.
        const Bytes stream = BiffWriter::RecordBytes(type, Bytes(40, 0x01));
        MemoryStreamReader reader(stream);
        EXPECT_FALSE(CExcelCellRecordDecoders::Decode(type, reader, sheet, size, 0))
            << type << " size " << size;
    }
    EXPECT_EQ(CellObjects(sheet), 0u);
    EXPECT_EQ(Counter(CounterNumericCells) + Counter(CounterOtherCells), 0u);
}

TEST(CellDecoderReads, APayloadCutByTheEndOfTheSheetIsDropped) {
    ResetRepairCounters();
    CExcelWorkSheet sheet;
    for (const auto& [type, body] :
         {std::pair{biff::kBLANK, Bytes(6, 0)}, std::pair{biff::kNUMBER, Bytes(14, 0)},
          std::pair{biff::kQUICKTIP, Bytes(40, 0)}, std::pair{biff::kMERGEDCELLS, Bytes(10, 0)}}) {
        const Bytes stream = BiffWriter::RecordBytes(type, body);
        // The sheet's records end one byte before the payload's last byte.
        MemoryStreamReader reader(stream, static_cast<std::uint32_t>(stream.size() - 1));
        EXPECT_FALSE(CExcelCellRecordDecoders::Decode(type, reader, sheet,
                                                      static_cast<std::uint32_t>(body.size()), 0))
            << type;
    }
    EXPECT_EQ(CellObjects(sheet), 0u);
    EXPECT_EQ(Counter(CounterNumericCells) + Counter(CounterOtherCells), 0u);
}

TEST(CellDecoderReads, APositionAtTheTopOfTheOffsetRangeFailsCleanly) {
    MemoryStreamReader reader(Bytes(64, 0));
    CExcelWorkSheet sheet;
    for (std::uint32_t position : {0xFFFFFFFFu, 0xFFFFFFFCu, 0xFFFFFFF0u}) {
        EXPECT_FALSE(CExcelCellRecordDecoders::Decode(biff::kBLANK, reader, sheet, 6, position));
        EXPECT_FALSE(
            CExcelCellRecordDecoders::Decode(biff::kMULRK, reader, sheet, 0xFFFF, position));
    }
    EXPECT_EQ(CellObjects(sheet), 0u);
}

TEST(CellDecoderSheet, EachRecordLandsInItsListInReadingOrder) {
    Bytes number = Words({1, 0, 15, 0, 0, 0, 0x3FF8});  // 1.5
    Bytes second = number;
    second[0] = 2;

    BiffWriter w;
    w.Record(biff::kNUMBER, number)
        .Record(biff::kRK, Words({3, 1, 16, 0x0192, 0}))    // 100
        .Record(biff::kLABELSST, Words({4, 0, 17, 9, 0}))   // shared string 9
        .Record(biff::kBOOLERR, Words({5, 2, 18, 0x012A}))  // #N/A
        .Record(biff::kROW, Words({6, 0, 3, 0x0118, 0, 0, 0, 0}))
        .Record(biff::kCOLINFO, Words({0, 3, 2560, 19, 0, 0}))
        .Record(biff::kHLINK, Bytes(32, 0))  // not a cell record
        .Record(biff::kQUICKTIP, Bytes(300, 0x5A))
        .Record(biff::kNUMBER, second);
    CExcelWorkSheet sheet;
    EXPECT_EQ(DecodeAll(w.GetBytes(), sheet), 8u);
    ASSERT_EQ(sheet.GetNumbers().GetCount(), 2u);
    EXPECT_EQ(sheet.GetNumbers().GetHead()->GetRow(), 1);
    EXPECT_EQ(sheet.GetNumbers().GetHead()->GetValue(), 1.5);
    EXPECT_EQ(sheet.GetNumbers().GetTail()->GetRow(), 2);
    EXPECT_EQ(sheet.GetRKValues().GetHead()->GetValue(), 100.0);
    EXPECT_EQ(sheet.GetRKValues().GetHead()->GetXFIndex(), 16);
    EXPECT_EQ(sheet.GetLabelSSTs().GetHead()->GetSSTIndex(), 9u);
    EXPECT_EQ(sheet.GetBoolErrs().GetHead()->GetText(), u"#N/A");
    EXPECT_EQ(sheet.GetRows().GetHead()->GetHeightPoints(), 14u);
    EXPECT_EQ(sheet.GetColInfos().GetHead()->GetWidthPixels(), 68u);
    EXPECT_EQ(sheet.GetQuickTips().GetHead()->GetPayload().ReadU8(299), 0x5A);  // kept whole
}

TEST(CellDecoderSizes, ABoolErrWithAPaddingByteIsTheSameCell) {
    // OpenOffice Calc writes BOOLERR with a ninth byte after the is-error
    // flag; the cell is the one the first 8 bytes give, and the record keeps
    // just those 8, as a BOOLERR is written back.
    BiffWriter w;
    w.Record(biff::kBOOLERR, testsupport::Concat(Words({3, 1, 15, 0x0001}), {0xEE}))     // TRUE
        .Record(biff::kBOOLERR, testsupport::Concat(Words({4, 2, 15, 0x0000}), {0x00}))  // FALSE
        .Record(biff::kBOOLERR, testsupport::Concat(Words({5, 0, 15, 0x0107}), {0x01}))  // #DIV/0!
        .Record(biff::kBOOLERR, Words({6, 0, 15, 0x0001}));  // TRUE, 8 bytes
    CExcelWorkSheet sheet;
    EXPECT_EQ(DecodeAll(w.GetBytes(), sheet), 4u);
    ASSERT_EQ(sheet.GetBoolErrs().GetCount(), 4u);
    const char16_t* texts[] = {u"TRUE", u"FALSE", u"#DIV/0!", u"TRUE"};
    const std::uint16_t rows[] = {3, 4, 5, 6};
    std::size_t i = 0;
    for (const CExcelRecordBOOLERR& cell : sheet.GetBoolErrs()) {
        SCOPED_TRACE(i);
        EXPECT_EQ(cell.GetRow(), rows[i]);
        EXPECT_EQ(cell.GetText(), texts[i]);
        EXPECT_EQ(cell.GetLength(), 8u);
        ++i;
    }
}

TEST(CellDecoderCounters, NumericAndOtherCellsAreCountedWhenBuilt) {
    ResetRepairCounters();
    BiffWriter w;
    w.Record(biff::kNUMBER, Bytes(14, 0))
        .Record(biff::kRK, Bytes(10, 0))
        .Record(biff::kMULRK, Words({0, 3, 15, 0, 0, 15, 0, 0, 15, 0, 0, 5}))  // three cells
        .Record(biff::kBLANK, Bytes(6, 0))
        .Record(biff::kMERGEDCELLS, Words({1, 0, 1, 0, 1}))
        .Record(biff::kQUICKTIP, Bytes(12, 0))
        // Counted nowhere: text cells are counted from the SST's total, the
        // rest are no cells of their own.
        .Record(biff::kLABELSST, Bytes(10, 0))
        .Record(biff::kMULBLANK, Words({0, 0, 15, 15, 1}))
        .Record(biff::kBOOLERR, Bytes(8, 0))
        .Record(biff::kROW, Bytes(16, 0))
        .Record(biff::kCOLINFO, Bytes(12, 0));
    CExcelWorkSheet sheet;
    EXPECT_EQ(DecodeAll(w.GetBytes(), sheet), 11u);
    EXPECT_EQ(Counter(CounterNumericCells), 5u);
    EXPECT_EQ(Counter(CounterOtherCells), 3u);
    EXPECT_EQ(Counter(CounterTextCells), 0u);
    EXPECT_EQ(Counter(CounterFormulaCells), 0u);
}
