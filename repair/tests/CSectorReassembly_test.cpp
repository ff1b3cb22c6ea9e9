// Rebuilding the Workbook stream from the sectors of a file whose header,
// FAT and directory are gone: streams laid out in file order, interleaved
// with FAT sectors, in runs out of order, jumping inside a shared-string
// table, with another stream's sector that reads as a lone record header,
// each with NUMBER records cut at every sector boundary (some inside their
// headers) and a record body that reads as directory entries; with a stale
// copy of the sheet after the stream, which a raw scan finds twice; and
// files in which no stream starts. Then corpus workbooks whose tables are
// all wiped, each a case the synthetic layouts do not show.
#include "repair/CSectorReassembly.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "compound/CDataContainerOle.h"
#include "compound/CInterfaceOle.h"
#include "model/CExcelData.h"
#include "platform/tests/support/SharedData.h"
#include "records/CExcelRecordNUMBER.h"
#include "repair/CCellDumpWriter.h"
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
// Another stream's sector whose bytes, where the next record starts in the
// sector it displaces, read as a lone EXTSST header of a length no EXTSST
// has (a property set's byte-order mark and version, one byte on).
constexpr int kPropertySet = -5;
constexpr int kGarbage = -6;  // bytes of no structure, up to kGarbage - 299
// A stale copy of the stream's sector kStale - piece, left behind by an
// earlier save.
constexpr int kStale = -1000;

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

Bytes PropertySet(std::size_t at) {
    Bytes bytes(kSectorBytes, 0);
    const std::uint8_t header[] = {0xFF, 0x00, 0x00, 0x05};
    std::copy(std::begin(header), std::end(header),
              bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
}

// A record body starting at stream offset `at` whose 128-byte stretches,
// as sectors cut them, have a directory entry's name length and type where
// an entry has them, a name without its NUL and a colour no entry has.
Bytes DirectoryLookalike(std::size_t at, std::size_t length) {
    Bytes body(length, 0);
    for (std::size_t i = 0; i < length; ++i) {
        const std::size_t inEntry = (at + i) % 128;
        body[i] = inEntry < 64    ? 0x41
                  : inEntry == 64 ? 30
                  : inEntry == 66 ? 1
                  : inEntry == 67 ? 3
                                  : 0;
    }
    return body;
}

// A shared-string table of `count` short 8-bit strings of varying length.
Bytes SstBody(int count) {
    Bytes body(8, 0);
    testsupport::SetU32(body, 0, static_cast<std::uint32_t>(count));
    testsupport::SetU32(body, 4, static_cast<std::uint32_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::string text =
            "name " + std::string(static_cast<std::size_t>(i % 7), 'x') + std::to_string(i);
        body.push_back(static_cast<std::uint8_t>(text.size()));
        body.push_back(0);
        body.push_back(0);  // option flags: 8-bit characters
        body.insert(body.end(), text.begin(), text.end());
    }
    return body;
}

// Where each record header of stream starts.
std::vector<std::size_t> RecordStarts(const Bytes& stream) {
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at + 4 <= stream.size() && (stream[at] | stream[at + 1]) != 0;
         at += 4 + static_cast<std::size_t>(stream[at + 2] | (stream[at + 3] << 8)))
        starts.push_back(at);
    return starts;
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
    // The globals hold a shared-string table over several sectors and a
    // drawing group whose body reads, sector by sector, as directory
    // entries to a test of name lengths and entry types alone.
    const auto workbook = [](std::size_t drawingAt) {
        BiffWriter globals = FormattedGlobals();
        globals.Record(0x00FC, SstBody(250));
        globals.Record(0x00EB, DirectoryLookalike(drawingAt, 3 * kSectorBytes));
        return NumberWorkbook(kRows, globals);
    };
    const std::vector<std::size_t> placed = RecordStarts(workbook(0));
    const auto drawing = std::find_if(placed.begin(), placed.end(),
                                      [&](std::size_t at) { return workbook(0)[at] == 0xEB; });
    ASSERT_NE(drawing, placed.end());
    const Bytes stream = workbook(*drawing + 4);
    CompoundFileBuilder builder;
    builder.AddStream(u"Workbook", stream);
    builder.AddStream(u"Other", Bytes(2 * kSectorBytes, 0x41));
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
    // The stream jumped inside its shared-string table, as a writer that
    // wrote its start last leaves it: the two sectors after the table's
    // second lie before the stream's start, the rest after it.
    const std::vector<std::size_t> starts = RecordStarts(stream);
    const auto sst = std::find_if(starts.begin(), starts.end(),
                                  [&](std::size_t at) { return stream[at] == 0xFC; });
    ASSERT_NE(sst, starts.end());
    const int sstSector = static_cast<int>(*sst / kSectorBytes) + 1;
    ASSERT_LT((sstSector + 5) * kSectorBytes, *(sst + 1));
    std::vector<int> jumped = {kFat, sstSector + 1, sstSector + 2};
    for (int i = 0; i < n; ++i)
        if (i != sstSector + 1 && i != sstSector + 2) jumped.push_back(i);
    // A property set in file order before the first sector after the table
    // in which a record starts.
    std::size_t sheetRecord = 0;
    for (std::size_t k = static_cast<std::size_t>(sst - starts.begin()) + 1;
         k < starts.size() && sheetRecord == 0; ++k)
        if (starts[k - 1] / kSectorBytes < starts[k] / kSectorBytes &&
            starts[k] % kSectorBytes + 4 <= kSectorBytes)
            sheetRecord = starts[k];
    ASSERT_NE(sheetRecord, 0u);
    const int displaced = static_cast<int>(sheetRecord / kSectorBytes);
    const std::size_t propertyHeader = sheetRecord % kSectorBytes;
    std::vector<int> property;
    for (int i = 0; i < n; ++i) {
        if (i == displaced) property.push_back(kPropertySet);
        property.push_back(i);
    }
    // A stale copy of the sheet's sectors after the stream: a raw scan of
    // the file finds the sheet twice.
    const auto sheetBof = std::find_if(starts.begin() + 1, starts.end(), [&](std::size_t at) {
        return stream[at] == 0x09 && stream[at + 1] == 0x08;
    });
    ASSERT_NE(sheetBof, starts.end());
    std::vector<int> stale = inOrder;
    for (int i = static_cast<int>(*sheetBof / kSectorBytes); i < usedSectors; ++i)
        stale.push_back(kStale - i);
    std::vector<int> garbage(300);
    for (int i = 0; i < 300; ++i) garbage[static_cast<std::size_t>(i)] = kGarbage - i;

    const Case cases[] = {
        {"in file order", inOrder, true},
        {"a FAT sector after every fourth", interleaved, true},
        {"a wiped sector after every fifth", wiped, true},
        {"three runs out of order", runs, true},
        {"a jump inside the shared-string table", jumped, true},
        {"a property set before a sheet's sector", property, true},
        {"a stale copy of the sheet after the stream", stale, true},
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
                           : piece <= kStale
                               ? sectorAt(chain[static_cast<std::size_t>(kStale - piece)])
                           : piece == kPropertySet ? PropertySet(propertyHeader)
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

// A corpus workbook with its header, FAT, DIFAT, mini FAT and directory
// sectors zeroed, found from the intact file's own tables, gives every
// cell the intact file gives.
TEST_F(SectorReassemblyTest, CorpusWorkbooksComeBackWholeWithEveryTableWiped) {
    MENDWELL_REQUIRE_SHARED(shared);
    struct CorpusCase {
        const char* file;
        const char* shows;
    };
    const CorpusCase cases[] = {
        {"poi-54016.xls",
         "a printer-settings record whose body holds zeroed sectors, a wiped FAT sector among "
         "them, and the stream's end could follow at the same offset in sectors of cells"},
        {"sheetjs-minimal_112.xls",
         "a workbook in the mini stream, with stale copies of its XF records and its sheet in "
         "free mini sectors that fit the framing where the stream's own do"},
    };
    // The dump's lines, sorted.
    const auto dump = [](const fs::path& file, CRepairTrace& trace) {
        CExcelData data;
        data.SetSourcePath(file);
        std::ostringstream out;
        if (RepairFile(&data, &trace)) CCellDumpWriter(out).Write(data);
        std::istringstream in(out.str());
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        std::sort(lines.begin(), lines.end());
        return lines;
    };
    for (const CorpusCase& c : cases) {
        SCOPED_TRACE(std::string(c.file) + ": " + c.shows);
        const fs::path intact = shared / "corpus" / "xls" / c.file;
        Bytes file = testsupport::ReadFileBytes(intact);
        ASSERT_GT(file.size(), kSectorBytes);
        std::vector<std::int32_t> tables;
        {
            CInterfaceOle ole;
            ole.SetFileNameSrc(intact);
            ASSERT_EQ(ole.ParseFile(), ErrNone);
            const CDataContainerOle& parsed = *ole.GetDataContainerOle();
            for (const CSectorList* list : {&parsed.GetDifatEntries(), &parsed.GetDifatSectorIds(),
                                            &parsed.GetMiniFatChain(), &parsed.GetDirectoryChain()})
                tables.insert(tables.end(), list->Values().begin(), list->Values().end());
        }
        std::fill(file.begin(), file.begin() + kSectorBytes, 0);
        for (const std::int32_t id : tables) {
            if (id < 0) continue;
            const std::uint64_t at = CompoundFileBuilder::SectorOffset(id);
            if (at >= file.size()) continue;
            const auto end = std::min<std::uint64_t>(at + kSectorBytes, file.size());
            std::fill(file.begin() + static_cast<std::ptrdiff_t>(at),
                      file.begin() + static_cast<std::ptrdiff_t>(end), 0);
        }
        const fs::path wiped = m_temp.Path() / c.file;
        ASSERT_TRUE(testsupport::WriteFileBytes(wiped, file));

        CRepairTrace intactTrace;
        CRepairTrace wipedTrace;
        const std::vector<std::string> expected = dump(intact, intactTrace);
        ASSERT_FALSE(expected.empty());
        const std::vector<std::string> got = dump(wiped, wipedTrace);
        // Lines of either dump the other lacks; the first of each shown.
        std::vector<std::string> lost;
        std::vector<std::string> added;
        std::set_difference(expected.begin(), expected.end(), got.begin(), got.end(),
                            std::back_inserter(lost));
        std::set_difference(got.begin(), got.end(), expected.begin(), expected.end(),
                            std::back_inserter(added));
        EXPECT_TRUE(lost.empty()) << lost.size() << " cells lost, first: " << lost.front();
        EXPECT_TRUE(added.empty()) << added.size() << " cells added, first: " << added.front();
        EXPECT_FALSE(wipedTrace.m_reassembledFrom.empty());
    }
}
