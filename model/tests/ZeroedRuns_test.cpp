// Zeroed runs in an extracted workbook stream (unreadable sectors written as
// zeros, a burst of zeros): the whole scan and sheet walk over a built
// stream with one run of zeros, and what each sheet keeps. Only the cells
// whose bytes the zeros took may be lost, and no value may be invented.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "biff/BiffRecordIds.h"
#include "biff/CInputFile.h"
#include "biff/tests/support/BiffWriter.h"
#include "formula/CExcelRecordFormula.h"
#include "model/CExcelData.h"
#include "model/CExcelProcessData.h"
#include "model/CExcelScanFile.h"
#include "model/CExcelWorkSheetParser.h"
#include "model/CSheetBofRecovery.h"
#include "platform/RunState.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelSSTData.h"
#include "records/CExcelSSTDataList.h"

using testsupport::BiffWriter;
using testsupport::Bytes;

namespace {

constexpr std::uint16_t kChart = 0x0020;
constexpr std::uint16_t kSeriesIndex = 0x1065;  // a chart record: SIINDEX

// A NUMBER cell at row = value, so that a cell is told by its value alone.
Bytes NumberBody(double value) {
    return testsupport::NumberCellBody(static_cast<std::uint16_t>(value), value);
}

// A FORMULA cell at row = value whose cached result is value: the integer
// value as its tokens.
Bytes FormulaBody(double value) {
    Bytes body = NumberBody(value);
    for (std::uint8_t b : {0, 0, 0, 0, 0, 0, 3, 0, 0x1E}) body.push_back(b);
    const Bytes token = BiffWriter::U16(static_cast<std::uint16_t>(value));
    body.insert(body.end(), token.begin(), token.end());
    return body;
}

// A ROW record for row r: a record only worksheets hold.
Bytes RowBody(std::uint16_t r) {
    Bytes body = BiffWriter::U16(r);
    for (std::uint16_t word : {0, 1, 255, 0, 0, 0, 15}) {
        const Bytes w = BiffWriter::U16(word);
        body.insert(body.end(), w.begin(), w.end());
    }
    return body;
}

// Each sheet: cells 1..20 (a ROW, then a NUMBER each), an embedded chart
// whose series cache holds 500..507 around a chart record, then cells 21..40
// (cell 30 a FORMULA).
BiffWriter SheetRecords() {
    BiffWriter w;
    for (int i = 1; i <= 40; ++i) {
        if (i == 21) {
            BiffWriter chart;
            for (int k = 0; k < 8; ++k) {
                if (k == 6) chart.Record(kSeriesIndex, BiffWriter::U16(1));
                chart.Record(biff::kNUMBER, NumberBody(500 + k));
            }
            chart.Record(kSeriesIndex, BiffWriter::U16(2));
            w.Substream(kChart, chart);
        }
        w.Record(biff::kROW, RowBody(static_cast<std::uint16_t>(i)));
        if (i == 30)
            w.Record(biff::kFORMULA, FormulaBody(i));
        else
            w.Record(biff::kNUMBER, NumberBody(i));
    }
    return w;
}

// The globals hold two filler records of 0x01 bytes before the sheet list:
// read from the middle, they declare 257-byte records of an unknown type.
BiffWriter GlobalsRecords() {
    BiffWriter w;
    w.Record(0x00EC, Bytes(40, 0x01));
    w.Record(0x00EC, Bytes(600, 0x01));
    return w;
}

struct Record {
    std::size_t offset;
    std::uint16_t type;
    std::uint16_t size;
};

std::vector<Record> Records(const Bytes& bytes) {
    std::vector<Record> out;
    for (std::size_t at = 0; at + 4 <= bytes.size();) {
        const std::uint16_t type = static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
        const std::uint16_t size = static_cast<std::uint16_t>(bytes[at + 2] | bytes[at + 3] << 8);
        out.push_back({at, type, size});
        at += 4 + size;
    }
    return out;
}

// The offset of the NUMBER or FORMULA record of cell (row) n at or after from.
std::size_t Cell(const Bytes& bytes, const std::vector<Record>& records, int n,
                 std::size_t from = 0) {
    for (const Record& r : records) {
        if (r.offset >= from && (r.type == biff::kNUMBER || r.type == biff::kFORMULA) &&
            bytes[r.offset + 4] == n && bytes[r.offset + 5] == 0)
            return r.offset;
    }
    ADD_FAILURE() << "no cell " << n;
    return 0;
}

// The offset of the n-th record (from 0) of a type at or after from.
std::size_t Nth(const std::vector<Record>& records, std::uint16_t type, int n,
                std::size_t from = 0) {
    for (const Record& r : records) {
        if (r.offset >= from && r.type == type && n-- == 0) return r.offset;
    }
    ADD_FAILURE() << "no such record";
    return 0;
}

struct Sheet {
    std::u16string name;  // empty: any name (a sheet no BOUNDSHEET names)
    std::vector<double> values;
    bool operator==(const Sheet&) const = default;
};

void PrintTo(const Sheet& sheet, std::ostream* os) {
    *os << std::string(sheet.name.begin(), sheet.name.end()) << ":";
    for (double v : sheet.values) *os << " " << v;
}

std::vector<double> Range(int from, int to) {
    std::vector<double> values;
    for (int i = from; i <= to; ++i) values.push_back(i);
    return values;
}

std::vector<double> Join(std::vector<double> a, const std::vector<double>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Writes bytes into dir as an extracted stream and scans it into data as
// the repair does: substreams, workbooks and their globals. The stream's path.
std::filesystem::path Scan(const testsupport::ScopedTempDir& dir, const Bytes& bytes,
                           CExcelData& data) {
    const std::filesystem::path path = dir.Path() / "stream.bin";
    EXPECT_TRUE(testsupport::WriteFileBytes(path, bytes));
    data.SetSourcePath(dir.Path() / "source.xls");
    data.SetExtractedPath(path);
    ResetRepairCounters();
    CExcelScanFile scan(path);
    scan.ScanForSubstreams(&data);
    CExcelProcessData::CreateWorkbooks(&data);
    scan.BuildWorkbooks(&data);
    return path;
}

// Scans and walks bytes as the repair does with an extracted stream; the
// sheets in list order, with the NUMBER values each kept.
std::vector<Sheet> Recover(const Bytes& bytes, bool withNames) {
    testsupport::ScopedTempDir dir;
    CExcelData data;
    const std::filesystem::path path = Scan(dir, bytes, data);
    CExcelWorkSheetParser parser;
    parser.SetStreamFileName(path);
    parser.SetData(&data);
    EXPECT_TRUE(parser.Run());
    std::vector<Sheet> sheets;
    for (const CExcelWorkBook& workbook : data.GetWorkbooks()) {
        for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
            Sheet out{withNames ? sheet.GetName() : u"", {}};
            for (const CExcelRecordNUMBER& number : sheet.GetNumbers())
                out.values.push_back(number.GetValue());
            for (const CExcelRecordFormula& formula : sheet.GetFormulas())
                out.values.push_back(formula.GetNumber());
            std::sort(out.values.begin(), out.values.end());
            sheets.push_back(out);
        }
    }
    return sheets;
}

struct ZeroedRunCase {
    const char* damage;
    // The run [first, second) of zeros, from the stream's records.
    std::function<std::pair<std::size_t, std::size_t>(const std::vector<Record>&)> run;
    bool sheetNamesKept;
    std::vector<Sheet> survive;
};

}  // namespace

TEST(ZeroedRuns, OnlyTheCellsWhoseBytesTheZerosTookAreLost) {
    const Bytes stream =
        testsupport::WorkbookStream(GlobalsRecords(), {u"A", u"B"}, SheetRecords());
    const std::vector<Record> records = Records(stream);
    const std::size_t sheetB = Nth(records, biff::kBOF, 3);  // globals, A, A's chart, B
    const std::vector<double> all = Range(1, 40);

    const std::vector<ZeroedRunCase> cases = {
        {"zeros from inside the value of A's cell 5 into its cell 12: the cells after them "
         "come back, the cut one is dropped",
         [&](const std::vector<Record>& r) {
             const std::size_t cut = Nth(r, biff::kNUMBER, 4) + 4 + 10;
             return std::pair{cut, Nth(r, biff::kNUMBER, 11) + 7};
         },
         true,
         {{u"A", Join(Range(1, 4), Range(13, 40))}, {u"B", all}}},
        {"zeros over A's last cells, its EOF and B's BOF: B's BOUNDSHEET still places B's cells "
         "after the zeros in B",
         [&](const std::vector<Record>& r) {
             return std::pair{Cell(stream, r, 39) + 2, Nth(r, biff::kNUMBER, 4, sheetB) + 9};
         },
         true,
         {{u"A", Range(1, 38)}, {u"B", Range(6, 40)}}},
        {"zeros over the sheet list, the globals' EOF and A's BOF: A's cells after the zeros "
         "make a sheet of their own",
         [&](const std::vector<Record>& r) {
             return std::pair{Nth(r, biff::kBOUNDSHEET, 0) - 3, Nth(r, biff::kNUMBER, 2) + 5};
         },
         false,
         {{u"", Range(4, 40)}, {u"", all}}},
        {"zeros over the globals' second filler header: the sheet list after its remains is "
         "still read",
         [&](const std::vector<Record>& r) {
             const std::size_t second = Nth(r, 0x00EC, 1);
             return std::pair{second - 10, second + 120};
         },
         true,
         {{u"A", all}, {u"B", all}}},
        {"zeros over the BOF of A's chart: its series cache is not taken for A's cells",
         [&](const std::vector<Record>& r) {
             const std::size_t chart = Nth(r, biff::kBOF, 2);
             return std::pair{chart, Nth(r, biff::kNUMBER, 20 + 1) + 6};
         },
         true,
         {{u"A", all}, {u"B", all}}},
        {"zeros from the length field of A's FORMULA cell 30 into cell 31: no cell of zeros is "
         "made of the header the zeros left",
         [&](const std::vector<Record>& r) {
             return std::pair{Cell(stream, r, 30) + 2, Cell(stream, r, 31) + 5};
         },
         true,
         {{u"A", Join(Range(1, 29), Range(32, 40))}, {u"B", all}}},
    };

    for (const ZeroedRunCase& c : cases) {
        SCOPED_TRACE(c.damage);
        Bytes damaged = stream;
        const auto [first, second] = c.run(records);
        ASSERT_LT(first, second);
        ASSERT_LE(second, damaged.size());
        std::fill(damaged.begin() + static_cast<std::ptrdiff_t>(first),
                  damaged.begin() + static_cast<std::ptrdiff_t>(second), 0);
        EXPECT_EQ(Recover(damaged, c.sheetNamesKept), c.survive);
    }
}

TEST(ZeroedRuns, TheWalksForZeroedBofsShareOneBudget) {
    const Bytes stream =
        testsupport::WorkbookStream(GlobalsRecords(), {u"A", u"B"}, SheetRecords());
    const std::vector<Record> records = Records(stream);
    const std::size_t sheetA = Nth(records, biff::kBOF, 1);
    const std::size_t sheetB = Nth(records, biff::kBOF, 3);
    Bytes damaged = stream;
    std::fill(damaged.begin() + static_cast<std::ptrdiff_t>(sheetB - 4),
              damaged.begin() + static_cast<std::ptrdiff_t>(sheetB + 24), 0);
    testsupport::ScopedTempDir dir;
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.Path() / "stream.bin", damaged));
    CInputFile file;
    ASSERT_TRUE(file.Open(dir.Path() / "stream.bin"));
    const auto at = static_cast<std::uint32_t>(sheetB);
    const auto from = static_cast<std::uint32_t>(sheetA);

    // The walk from A's BOF to B's takes one step a record of A.
    std::uint64_t plenty = CSheetBofRecovery::kZeroedBofWalkSteps;
    EXPECT_TRUE(CSheetBofRecovery::ZeroedBofAt(file, at, from, damaged.size(), plenty));
    const std::uint64_t steps = CSheetBofRecovery::kZeroedBofWalkSteps - plenty;
    EXPECT_GT(steps, 40u);
    std::uint64_t short_ = steps - 1;
    EXPECT_FALSE(CSheetBofRecovery::ZeroedBofAt(file, at, from, damaged.size(), short_));
    EXPECT_EQ(short_, 0u);
}

TEST(ZeroedRuns, SharedStringsAmongLaterVersionsRecordsAreReadAfterZeros) {
    // Later versions write records of their own around the SST, each body
    // opening with its type: after zeros, a walk that did not know them
    // would pick up at the sheet list, past the SST.
    const auto later = [](std::uint16_t type, std::size_t size) {
        Bytes body = BiffWriter::U16(type);
        body.resize(size, 0);
        return body;
    };
    BiffWriter globals = GlobalsRecords();
    globals.Record(0x0896, later(0x0896, 16));  // THEME
    globals.Record(0x089A, later(0x089A, 24));  // MTRSETTINGS
    const Bytes sst = {1, 0, 0, 0, 1, 0, 0, 0, 4, 0, 0, 'k', 'e', 'p', 't'};
    globals.Record(biff::kSST, sst);
    globals.Record(0x08A3, later(0x08A3, 16));  // FORCEFULLCALCULATION
    Bytes stream = testsupport::WorkbookStream(globals, {u"A", u"B"}, SheetRecords());
    const std::size_t second = Nth(Records(stream), 0x00EC, 1);
    std::fill(stream.begin() + static_cast<std::ptrdiff_t>(second - 10),
              stream.begin() + static_cast<std::ptrdiff_t>(second + 120), 0);

    testsupport::ScopedTempDir dir;
    CExcelData data;
    Scan(dir, stream, data);
    ASSERT_EQ(data.GetWorkbooks().GetCount(), 1u);
    const CExcelSSTDataList& strings = data.GetWorkbooks().GetHead()->GetSharedStrings();
    ASSERT_EQ(strings.GetCount(), 1u);
    ASSERT_NE(strings.GetAt(0), nullptr);
    EXPECT_EQ(std::u16string(strings.GetAt(0)->GetText()), u"kept");
}
