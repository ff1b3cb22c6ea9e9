// The scan over real workbooks: every sheet and every shared string that a
// trusted reader finds in the corpus must be found by the scan of the
// extracted "Workbook" stream; the scan of the raw compound file must find
// the same sheets when the stream lies in one piece; damaged files from the
// wild must scan without crashing or hanging.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "biff/tests/support/BiffWriter.h"
#include "biff/tests/support/CorpusFiles.h"
#include "biff/tests/support/CorpusWorkbook.h"
#include "compound/CInterfaceOle.h"
#include "model/CExcelData.h"
#include "platform/RunState.h"
#include "platform/TextConversion.h"
#include "records/CExcelSSTDataList.h"

namespace {

namespace fs = std::filesystem;

struct Truth {
    std::set<std::u16string> sheets;
    std::vector<std::u16string> texts;
};

Truth ReadTruth(const fs::path& corpus, const fs::path& file) {
    Truth truth;
    for (const corpus::DumpRow& row : corpus::ReadTruth(corpus, file)) {
        truth.sheets.insert(FromUtf8(corpus::Unescape(row.sheet)));
        if (row.type == "text") truth.texts.push_back(FromUtf8(corpus::Unescape(row.value)));
    }
    return truth;
}

// The "Workbook" stream extracted by booklift (empty path when it could not
// be: the caller then scans the raw file, as the repair does), and whether
// the raw file holds the stream as one piece.
struct Extraction {
    fs::path path;
    bool contiguous = false;
    std::uint64_t streamOffset = 0;  // in the raw file, when contiguous
};

// A chain ends with the end-of-chain mark (-2), which is no sector.
bool Consecutive(const std::vector<std::int32_t>& ids) {
    std::size_t n = ids.size();
    while (n > 0 && ids[n - 1] < 0) --n;
    if (n == 0) return false;
    for (std::size_t i = 1; i < n; ++i)
        if (ids[i] != ids[i - 1] + 1) return false;
    return true;
}

// The stream is in one piece when every sector of its chain follows the one
// before (for a stream kept in the mini stream, its mini sectors and the
// mini stream's chain alike).
void FindContiguity(const CInterfaceOle& ole, Extraction& out) {
    const std::optional<corpus::WorkbookPlacement> at = corpus::PlaceWorkbook(ole);
    if (!at || !Consecutive(*at->chain)) return;
    const std::uint64_t first = static_cast<std::uint64_t>((*at->chain)[0]);
    if (at->inMiniStream && !Consecutive(*at->miniStreamChain)) return;
    out.contiguous = true;
    // Sector n begins one sector after the header's sector.
    out.streamOffset =
        at->inMiniStream
            ? (static_cast<std::uint64_t>((*at->miniStreamChain)[0]) + 1) * at->sectorSize +
                  first * at->miniSectorSize
            : (first + 1) * at->sectorSize;
}

Extraction Extract(const fs::path& file, const fs::path& folder) {
    Extraction out;
    out.path = corpus::ExtractWorkbook(file, folder,
                                       [&](const CInterfaceOle& ole) { FindContiguity(ole, out); });
    return out;
}

// A BIFF8 BOF of the macro-sheet substream type (0x0040) anywhere in bytes.
bool HasMacroSheetBof(const testsupport::Bytes& bytes) {
    for (std::size_t i = 0; i + 8 <= bytes.size(); ++i) {
        if (bytes[i] == 0x09 && bytes[i + 1] == 0x08 && bytes[i + 2] == 16 && bytes[i + 3] == 0 &&
            bytes[i + 6] == 0x40 && bytes[i + 7] == 0x00)
            return true;
    }
    return false;
}

std::vector<std::u16string> SheetNames(const CExcelWorkBook& workbook) {
    std::vector<std::u16string> names;
    for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) names.push_back(sheet.GetName());
    return names;
}

}  // namespace

TEST(ScanCorpus, EverySheetAndSharedStringOfTheTruthIsFound) {
    MENDWELL_REQUIRE_SHARED(shared);
    const fs::path corpus = shared / "corpus";
    const auto features = corpus::ReadFeatures(corpus / "MANIFEST.tsv");
    testsupport::ScopedTempDir temp;

    std::size_t files = 0, sheetsWanted = 0, sheetsFound = 0, textsWanted = 0, textsFound = 0;
    std::size_t labelTextsExcused = 0, rawScans = 0, textsOutOfOrder = 0;
    for (const fs::path& file : corpus::FilesIn(corpus / "xls")) {
        const std::string name = file.filename().string();
        SCOPED_TRACE(name);
        const auto tagsAt = features.find(name);
        const std::set<std::string> tags =
            tagsAt == features.end() ? std::set<std::string>{} : tagsAt->second;
        ++files;

        // Three files name their stream "WORKBOOK": those are scanned raw
        // here, so that the scan of a whole compound file is checked too.
        const Extraction extraction = Extract(file, temp.Path());
        const bool raw = tags.count("stream-name-WORKBOOK") > 0;
        if (raw) {
            ++rawScans;
            if (!extraction.path.empty()) fs::remove(extraction.path);
        } else {
            EXPECT_FALSE(extraction.path.empty()) << "booklift could not extract the stream";
        }
        // A raw scan reads the stream's sectors in file order; when they are
        // not in stream order, records (the SST and its CONTINUE records
        // among them) are cut apart and their strings cannot be expected.
        const bool outOfOrder = raw && !extraction.contiguous;

        const Truth truth = ReadTruth(corpus, file);
        std::unique_ptr<CExcelData> data =
            corpus::ScanWorkbook(file, raw ? fs::path() : extraction.path);
        std::set<std::u16string> sheets;
        std::set<std::u16string> strings;
        for (const CExcelWorkBook& workbook : data->GetWorkbooks()) {
            for (const CExcelWorkSheet& sheet : workbook.GetWorksheets())
                sheets.insert(sheet.GetName());
            const CExcelSSTDataList& table = workbook.GetSharedStrings();
            for (std::uint32_t i = 0; i < table.GetCount(); ++i) {
                bool found = false;
                strings.insert(table.GetString(i, found));
            }
        }

        for (const std::u16string& sheet : truth.sheets) {
            ++sheetsWanted;
            if (sheets.count(sheet))
                ++sheetsFound;
            else
                ADD_FAILURE() << "sheet not found: " << ToUtf8(sheet);
        }
        std::size_t lost = 0;
        for (const std::u16string& text : truth.texts) {
            ++textsWanted;
            if (strings.count(text)) {
                ++textsFound;
            } else if (tags.count("label-records")) {
                ++labelTextsExcused;  // stored in a LABEL record, not in the table
            } else if (outOfOrder) {
                ++lost;
            } else {
                ADD_FAILURE() << "text cell not in the shared-string table: \"" << ToUtf8(text)
                              << "\"";
            }
        }
        if (lost > 0) {
            textsOutOfOrder += lost;
            std::printf(
                "[ corpus   ] %s: stream scanned raw, its sectors out of order: %zu of %zu "
                "text cells not in the shared strings found\n",
                name.c_str(), lost, truth.texts.size());
        }
        data.reset();
        // The extracted copy and every spill file went with the data.
        EXPECT_EQ(temp.Entries(), std::vector<std::string>{});
    }
    std::printf(
        "[ corpus   ] %zu files (%zu scanned raw), sheets found %zu of %zu, text cells "
        "matched in the shared strings %zu of %zu (%zu LABEL texts excused, %zu lost to "
        "raw scans of streams stored out of order)\n",
        files, rawScans, sheetsFound, sheetsWanted, textsFound, textsWanted, labelTextsExcused,
        textsOutOfOrder);
    EXPECT_EQ(files, corpus::kXlsFiles);
    EXPECT_EQ(rawScans, 3u);
}

TEST(ScanCorpus, TheRawFileGivesTheSameSheetsWhenTheStreamIsInOnePiece) {
    MENDWELL_REQUIRE_SHARED(shared);
    const fs::path corpus = shared / "corpus";
    testsupport::ScopedTempDir temp;

    std::size_t files = 0, contiguous = 0, compared = 0, anchored = 0, extraSheets = 0;
    std::size_t macroShifted = 0;
    for (const fs::path& file : corpus::FilesIn(corpus / "xls")) {
        const std::string name = file.filename().string();
        SCOPED_TRACE(name);
        ++files;
        const Extraction extraction = Extract(file, temp.Path());
        // The raw scan must survive every file, in one piece or not.
        std::unique_ptr<CExcelData> raw = corpus::ScanWorkbook(file, {});
        ASSERT_GT(raw->GetWorkbooks().GetCount(), 0u);
        if (extraction.path.empty() || !extraction.contiguous) {
            if (!extraction.path.empty()) fs::remove(extraction.path);
            continue;
        }
        ++contiguous;
        const testsupport::Bytes stream = testsupport::ReadFileBytes(extraction.path);

        std::unique_ptr<CExcelData> extracted = corpus::ScanWorkbook(file, extraction.path);
        const CExcelWorkBook* expected = extracted->GetWorkbooks().GetHead();
        ASSERT_NE(expected, nullptr);
        // The workbook whose globals begin where the stream begins.
        const CExcelWorkBook* found = nullptr;
        for (const CExcelWorkBook& workbook : raw->GetWorkbooks())
            if (workbook.GetStart() == extraction.streamOffset + expected->GetStart())
                found = &workbook;
        if (!found) {
            ADD_FAILURE() << "no workbook at the stream's offset " << extraction.streamOffset;
            continue;
        }
        ++compared;

        const auto want = SheetNames(*expected);
        const auto got = SheetNames(*found);
        EXPECT_GE(got.size(), want.size());
        EXPECT_TRUE(std::equal(want.begin(), want.begin() + std::min(want.size(), got.size()),
                               got.begin()));
        if (got.size() > want.size()) extraSheets += got.size() - want.size();

        // Sheets placed on a BOF found (their end is set) lie where the
        // BOUNDSHEET positions say in a sound file, shifted by the stream's
        // offset. A sheet whose BOF was not found (in the last 513 bytes of
        // the file) keeps its BOUNDSHEET position and end 0. A macro sheet
        // makes a sheet from its BOUNDSHEET, but its BOF (type 0x0040) is not
        // a worksheet BOF: placing sheets on BOFs in order then puts every
        // sheet after it on the next sheet's BOF.
        const bool macro = HasMacroSheetBof(stream);
        std::uint32_t i = 0;
        bool shifted = false;
        for (const CExcelWorkSheet& sheet : expected->GetWorksheets()) {
            const CExcelWorkSheet* placed = found->GetWorksheets().GetAt(i++);
            if (!placed || placed->GetEnd() == 0) continue;
            ++anchored;
            if (placed->GetStart() == extraction.streamOffset + sheet.GetStart()) continue;
            if (macro) {
                shifted = true;
                continue;
            }
            ADD_FAILURE() << ToUtf8(sheet.GetName()) << " placed at " << placed->GetStart()
                          << ", its BOF is at " << extraction.streamOffset + sheet.GetStart();
        }
        if (shifted) {
            ++macroShifted;
            std::printf(
                "[ corpus   ] %s: sheets after a macro sheet placed on the next sheet's "
                "BOF\n",
                name.c_str());
        }
    }
    std::printf(
        "[ corpus   ] %zu raw files scanned, %zu with the stream in one piece, %zu "
        "compared, %zu sheets placed on their BOF (%zu files shifted by macro sheets), %zu "
        "extra sheets from BOFs outside the stream\n",
        files, contiguous, compared, anchored, macroShifted, extraSheets);
    EXPECT_EQ(files, corpus::kXlsFiles);
}

TEST(ScanCorpus, DamagedFilesFromTheWildScanWithoutCrashing) {
    MENDWELL_REQUIRE_SHARED(shared);
    testsupport::ScopedTempDir temp;
    std::size_t files = 0, workbooks = 0, sheets = 0, strings = 0;
    for (const fs::path& file : corpus::FilesIn(shared / "corpus" / "wild")) {
        SCOPED_TRACE(file.filename().string());
        ++files;
        std::unique_ptr<CExcelData> data = corpus::ScanWorkbook(file, {});
        for (const CExcelWorkBook& workbook : data->GetWorkbooks()) {
            ++workbooks;
            sheets += workbook.GetWorksheets().GetCount();
            strings += workbook.GetSharedStrings().GetCount();
        }
        data.reset();
        EXPECT_EQ(temp.Entries(), std::vector<std::string>{});
    }
    std::printf(
        "[ wild     ] %zu damaged files scanned raw: %zu workbooks, %zu sheets, %zu "
        "shared strings\n",
        files, workbooks, sheets, strings);
    EXPECT_EQ(files, corpus::kWildFiles);
}
