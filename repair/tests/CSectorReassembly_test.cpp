// Rebuilding the Workbook stream from the sectors of a file whose header,
// FAT and directory are gone: streams laid out in file order, interleaved
// with FAT sectors, and in runs out of order, each with NUMBER records cut
// at every sector boundary (some inside their headers); and files in which
// no stream starts.
#include "repair/CSectorReassembly.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/CExcelData.h"
#include "records/CExcelRecordNUMBER.h"
#include "repair/CRepairTrace.h"
#include "repair/RepairFile.h"
#include "repair/tests/support/RepairFixtures.h"

using namespace repairtest;
using testsupport::ScopedTempDir;
namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kSectorBytes = CompoundFileBuilder::kSectorSize;
constexpr std::uint16_t kRows = 600;

// What the damaged file holds after its zeroed header, sector by sector:
// a sector of the Workbook stream by its place in the stream (0, 1, ...),
// or one of these.
constexpr int kFat = -1;        // the compound file's FAT sector
constexpr int kDirectory = -2;  // its directory sector
constexpr int kOther = -3;      // a sector of another stream
constexpr int kZeros = -4;      // a wiped sector
constexpr int kGarbage = -5;    // bytes of no structure

// Bytes of no structure: no BOF, and no run of record headers.
Bytes Garbage(std::uint32_t seed) {
    Bytes bytes(kSectorBytes);
    std::uint32_t state = seed * 2654435761u + 1;
    for (std::uint8_t& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(state >> 23);
    }
    return bytes;
}

// Whether a record header of stream is cut by a sector boundary.
bool CutsAHeader(const Bytes& stream) {
    for (std::size_t at = 0; at + 4 <= stream.size();
         at += 4 + static_cast<std::size_t>(stream[at + 2] | (stream[at + 3] << 8)))
        if (at / kSectorBytes != (at + 3) / kSectorBytes) return true;
    return false;
}

struct Case {
    const char* name;
    std::vector<int> layout;  // "all" = the stream's sectors in order where empty
    bool found;
};

class SectorReassemblyTest : public ::testing::Test {
protected:
    void SetUp() override { ResetRunState(); }
    void TearDown() override { ResetRunState(); }
    ScopedTempDir m_temp;
};

}  // namespace

TEST_F(SectorReassemblyTest, RebuildsTheStreamWhateverOrderItsSectorsLieIn) {
    const Bytes stream = NumberWorkbook(kRows, FormattedGlobals());
    CompoundFileBuilder builder;
    builder.AddStream(u"Workbook", stream);
    builder.AddStream(u"Other", Bytes(8 * kSectorBytes, 0x41));
    const Bytes compound = builder.Build();
    const CompoundFileBuilder::Layout& layout = builder.GetLayout();
    ASSERT_EQ(layout.fatSectors.size(), 1u);
    const auto sectorAt = [&](std::int32_t id) {
        const auto at = static_cast<std::ptrdiff_t>(CompoundFileBuilder::SectorOffset(id));
        return Bytes(compound.begin() + at, compound.begin() + at + kSectorBytes);
    };
    const std::vector<std::int32_t>& chain = layout.Find(u"Workbook")->sectors;
    const int n = static_cast<int>(chain.size());
    ASSERT_EQ(stream.size() % kSectorBytes, 0u);
    ASSERT_TRUE(CutsAHeader(stream));
    const auto lastRecordByte =
        std::find_if(stream.rbegin(), stream.rend(), [](std::uint8_t b) { return b != 0; });
    const std::ptrdiff_t usedSectors =
        (stream.rend() - lastRecordByte - 1) / static_cast<std::ptrdiff_t>(kSectorBytes) + 1;

    std::vector<int> inOrder;
    for (int i = 0; i < n; ++i) inOrder.push_back(i);
    std::vector<int> interleaved = {kDirectory};
    std::vector<int> wiped = {kZeros};
    for (int i = 0; i < n; ++i) {
        interleaved.push_back(i);
        wiped.push_back(i);
        if (i % 4 == 3) interleaved.push_back(kFat);
        if (i % 5 == 4) wiped.push_back(kZeros);
    }
    // Three runs, the last written first, another stream's sectors and a
    // directory sector between them.
    std::vector<int> runs = {kFat};
    for (int i = 2 * n / 3; i < n; ++i) runs.push_back(i);
    runs.insert(runs.end(), {kOther, kOther});
    for (int i = 0; i < n / 3; ++i) runs.push_back(i);
    runs.push_back(kDirectory);
    for (int i = n / 3; i < 2 * n / 3; ++i) runs.push_back(i);
    runs.push_back(kOther);
    std::vector<int> garbage(300);
    for (int i = 0; i < 300; ++i) garbage[static_cast<std::size_t>(i)] = kGarbage - i;

    const Case cases[] = {
        {"in file order", inOrder, true},
        {"a FAT sector after every fourth", interleaved, true},
        {"a wiped sector after every fifth", wiped, true},
        {"three runs out of order", runs, true},
        {"garbage, no BOF", garbage, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes file(kSectorBytes, 0);  // the header, zeroed
        std::vector<std::uint32_t> streamSectors(static_cast<std::size_t>(n));
        for (std::size_t s = 0; s < c.layout.size(); ++s) {
            const int piece = c.layout[s];
            Bytes sector = piece >= 0            ? sectorAt(chain[static_cast<std::size_t>(piece)])
                           : piece == kFat       ? sectorAt(layout.fatSectors[0])
                           : piece == kDirectory ? sectorAt(layout.directorySectors[0])
                           : piece == kOther     ? Bytes(kSectorBytes, 0x41)
                           : piece == kZeros     ? Bytes(kSectorBytes, 0)
                                                 : Garbage(static_cast<std::uint32_t>(-piece));
            if (piece >= 0)
                streamSectors[static_cast<std::size_t>(piece)] = static_cast<std::uint32_t>(s);
            file.insert(file.end(), sector.begin(), sector.end());
        }
        const fs::path source = m_temp.Path() / "damaged.xls";
        const fs::path rebuilt = m_temp.Path() / "rebuilt.tmp";
        ASSERT_TRUE(testsupport::WriteFileBytes(source, file));
        fs::remove(rebuilt);

        CSectorReassembly reassembly;
        ASSERT_EQ(reassembly.Rebuild(source, rebuilt), c.found);
        if (!c.found) {
            EXPECT_TRUE(reassembly.GetSectors().empty());
            EXPECT_FALSE(fs::exists(rebuilt));
            CExcelData data;
            data.SetSourcePath(source);
            EXPECT_FALSE(RepairFile(&data));
            continue;
        }
        // The stream ends with the sector of its last EOF: the zeros after
        // it are padding.
        EXPECT_EQ(
            reassembly.GetSectors(),
            std::vector<std::uint32_t>(streamSectors.begin(), streamSectors.begin() + usedSectors));
        EXPECT_EQ(testsupport::ReadFileBytes(rebuilt),
                  Bytes(stream.begin(), stream.begin() + usedSectors * kSectorBytes));

        // The repair takes the rebuilt stream and gets every cell back.
        CExcelData data;
        data.SetSourcePath(source);
        CRepairTrace trace;
        ASSERT_TRUE(RepairFile(&data, &trace));
        EXPECT_EQ(trace.m_copyDoubt, EExtractionDoubt::Reassembled);
        EXPECT_TRUE(trace.m_scannedExtractedCopy);
        EXPECT_EQ(trace.m_reassembledFrom.size(),
                  CSectorReassembly::Runs(reassembly.GetSectors()).size());
        ASSERT_EQ(data.GetWorkbooks().GetCount(), 1u);
        const CExcelWorkSheetList& sheets = data.GetWorkbooks().GetHead()->GetWorksheets();
        ASSERT_EQ(sheets.GetCount(), 1u);
        std::uint32_t matching = 0;
        for (const CExcelRecordNUMBER& cell : sheets.GetHead()->GetNumbers())
            if (cell.GetColumn() == 0 && cell.GetValue() == CellValue(cell.GetRow())) ++matching;
        EXPECT_EQ(matching, kRows);
    }
}
