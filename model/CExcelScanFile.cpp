#include "model/CExcelScanFile.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "biff/BiffRecordIds.h"
#include "biff/CBofSignature.h"
#include "biff/CByteBuffer.h"
#include "biff/CInputFile.h"
#include "model/CBoundSheetPlacement.h"
#include "model/CExcelData.h"
#include "model/CExcelScanWorkBook.h"
#include "model/CSheetBofRecovery.h"
#include "platform/MessageSink.h"
#include "platform/ProgressTarget.h"
#include "platform/RepairStopCheck.h"
#include "platform/RunState.h"

namespace {

// The search reads the file in blocks of this many candidate offsets, each
// block with the few bytes after it that a BOF starting near its end needs.
constexpr std::uint64_t kSearchBlock = 1 << 20;

// Passes the repair worker's gate too: a suspension holds the search at the
// offset it has reached.
bool Stopping() {
    return RepairStopRequested();
}

// Offsets in the model are 32-bit; a larger file is searched up to there.
std::uint32_t ModelLength(const CInputFile& file) {
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(file.Length(), std::numeric_limits<std::uint32_t>::max()));
}

}  // namespace

bool CExcelScanFile::ScanForSubstreams(CExcelData* data) {
    if (!data) return false;
    CInputFile file;
    if (!file.Open(m_scanPath, data->AccessFor(m_scanPath))) {
        ShowMessage(u"error code 0x01 : Failed to open source file");
        return false;
    }
    const std::uint32_t length = ModelLength(file);
    ProgressTarget* progress = data->GetProgressWindow();
    if (progress) {
        progress->SetRange(0, length / 2);
        progress->SetPosition(1);
    }
    if (Stopping()) return false;

    CExcelBOFRecordList& list = data->GetBOFList();
    std::uint32_t globals = 0;
    // Offsets i with i + 513 < length; the last 513 bytes are never searched
    // and a file of 513 bytes or less not at all.
    const std::uint64_t limit = length > biff::kBofSearchTail ? length - biff::kBofSearchTail : 0;
    std::vector<std::uint8_t> block;
    for (std::uint64_t base = 0; base < limit; base += kSearchBlock) {
        const std::uint64_t last = std::min(limit, base + kSearchBlock);
        // i < limit keeps i + 21 inside the file, so the whole probe of every
        // candidate is present.
        block.resize(static_cast<std::size_t>(last - base) + biff::kBofProbeSize);
        const std::size_t got = file.ReadAt(base, block.data(), block.size());
        // A read error leaves the rest of the file unsearched.
        const std::uint64_t searchable =
            got >= biff::kBofProbeSize
                ? std::min<std::uint64_t>(last, base + got - biff::kBofProbeSize + 1)
                : base;
        // Stops and progress are looked at once a block: per offset they
        // cost more than the search itself.
        if (Stopping()) return false;
        RepairProgress.store(static_cast<std::uint32_t>(base / 2), std::memory_order_relaxed);
        const std::uint8_t* const first = block.data();
        const std::uint8_t* const end = first + (searchable - base);
        for (const std::uint8_t* at = first; at < end; ++at) {
            // Most offsets fail on the signature's first byte, which memchr
            // skips to; only full signatures go to the whole test.
            at = static_cast<const std::uint8_t*>(
                std::memchr(at, biff::kBofSignature0, static_cast<std::size_t>(end - at)));
            if (at == nullptr) break;
            if (at[1] != biff::kBofSignature1) continue;
            const std::uint16_t type = CBofSignature::SubstreamAt(at);
            if (type == 0) continue;
            const auto start = static_cast<std::uint32_t>(base + (at - first));
            if (type == biff::kSubstreamGlobals) {
                list.Add(CExcelBOFRecord(CExcelBOFRecord::kGlobalsName, start));
                ++globals;
            } else {
                // A worksheet's or a macro sheet's: each has its BOUNDSHEET,
                // so a raw scan pairs the k-th sheet with the k-th of these.
                // Sheets without a globals substream before them: assume one
                // from the start of the file.
                if (globals == 0) {
                    list.Add(CExcelBOFRecord(CExcelBOFRecord::kGlobalsName, 0));
                    globals = 1;
                }
                list.Add(CExcelBOFRecord(CExcelBOFRecord::kWorksheetName, start));
                RepairCounters[CounterSheets].fetch_add(1);
            }
        }
        if (searchable < last) break;
    }
    // No BOF at all: one workbook covering the whole file.
    if (globals == 0) list.Add(CExcelBOFRecord(CExcelBOFRecord::kGlobalsName, 0));

    RepairProgress.store(length / 2);
    if (progress) progress->SetPosition(length / 2);
    file.Close();

    SetSubstreamEnds(data);
    return !Stopping();
}

bool CExcelScanFile::SetSubstreamEnds(CExcelData* data) {
    if (!data || Stopping()) return false;
    CInputFile file;
    if (!file.Open(m_scanPath, data->AccessFor(m_scanPath))) {
        ShowMessage(u"error code 0x02 : Failed to open source file");
        return false;
    }
    const std::uint32_t length = ModelLength(file);
    CExcelBOFRecord* entry = data->GetBOFList().GetHead();
    if (!entry) return false;
    if (ProgressTarget* progress = data->GetProgressWindow())
        progress->SetRange(0, length - std::min(length, entry->GetStart()));
    for (; entry; entry = entry->GetNext()) {
        if (Stopping()) return false;
        const CExcelBOFRecord* next = entry->GetNext();
        entry->SetEnd(next ? next->GetStart() : length);
    }
    return true;
}

void CExcelScanFile::BuildWorkbooks(CExcelData* data) {
    if (!data) return;
    CTList<CExcelWorkBook>& workbooks = data->GetWorkbooks();

    // Scanning the damaged file itself: BOUNDSHEET positions count from the
    // start of the workbook stream, which sits somewhere inside the compound
    // file, so they cannot be checked against the BOFs found.
    const bool raw = m_scanPath.native() == data->GetSourcePath().native();
    CInputFile file;
    if (!raw) file.Open(m_scanPath, data->AccessFor(m_scanPath));
    std::vector<std::vector<CBoundSheetPlacement::BoundSheet>> boundSheets;
    std::vector<std::uint32_t> candidates;
    std::vector<std::uint32_t> sheetStarts;
    for (CExcelWorkBook& workbook : workbooks) {
        CExcelScanWorkBook scan(m_scanPath);
        scan.ScanGlobals(workbook.GetStart(), workbook.GetEnd(), data, &workbook);
        boundSheets.push_back(scan.GetBoundSheets());
        for (const auto& record : scan.GetBoundSheets()) candidates.push_back(record.position);
        if (scan.GetAfterEof() <= std::numeric_limits<std::uint32_t>::max())
            candidates.push_back(static_cast<std::uint32_t>(scan.GetAfterEof()));
        if (scan.GetSheetStart() != 0 &&
            scan.GetSheetStart() <= std::numeric_limits<std::uint32_t>::max())
            sheetStarts.push_back(static_cast<std::uint32_t>(scan.GetSheetStart()));
    }
    // In an extracted stream the positions the globals name are scan-file
    // offsets: a worksheet BOF there that the search could not take (id or
    // bytes overwritten, substream type damaged) is listed now, so that its
    // cells are not read as part of the stretch before it.
    if (!raw) {
        const std::vector<std::uint32_t> tail = CSheetBofRecovery::TailBofs(file);
        candidates.insert(candidates.end(), tail.begin(), tail.end());
    }
    // In a raw scan only the sheet starts the globals walks met themselves
    // are file offsets.
    if (raw) candidates.clear();
    if (CSheetBofRecovery::Recover(file, candidates, data->GetBOFList(), sheetStarts) > 0)
        DropWorkbooksTurnedToSheets(data, boundSheets);

    // Asking MakeWorksheetFromBOF for every sheet walks the BOF list once per
    // sheet; grouping the worksheet BOFs once gives the same sheets in one
    // walk, which matters for damaged files with thousands of BOFs.
    const auto groups = data->GetBOFList().GroupWorksheets();
    const std::vector<CExcelBOFRecordList::WorksheetEntry> noBofs;
    std::uint32_t k = 0;
    for (CExcelWorkBook& workbook : workbooks) {
        // In an extracted stream they are scan-file offsets: a position or
        // sheet type that the BOFs contradict is damage.
        if (!raw)
            CBoundSheetPlacement::Place(boundSheets[k], k < groups.size() ? groups[k] : noBofs,
                                        file, workbook.GetWorksheets());
        ++k;
    }
    if (!raw) return;

    // Worksheet BOFs beyond the BOUNDSHEET sheets become extra sheets, and
    // every sheet is placed on the BOFs really found, in order.
    k = 0;
    for (CExcelWorkBook& workbook : workbooks) {
        CExcelWorkSheetList& sheets = workbook.GetWorksheets();
        if (k < groups.size()) {
            for (std::size_t n = sheets.GetCount(); n < groups[k].size(); ++n)
                sheets.Add(*CExcelBOFRecordList::MakeWorksheet(groups[k][n]));
            std::size_t i = 0;
            for (CExcelWorkSheet& sheet : sheets) {
                if (i >= groups[k].size()) break;
                sheet.SetStart(groups[k][i].entry->GetStart());
                sheet.SetEnd(groups[k][i].entry->GetEnd());
                ++i;
            }
        }
        ++k;
    }
}

void CExcelScanFile::DropWorkbooksTurnedToSheets(
    CExcelData* data, std::vector<std::vector<CBoundSheetPlacement::BoundSheet>>& boundSheets) {
    SetSubstreamEnds(data);
    // Each workbook still opened by a globals entry takes that entry's
    // (possibly shorter) end; one whose entry became a worksheet's goes,
    // with what its globals scan read from the sheet's records.
    CTList<CExcelWorkBook>& workbooks = data->GetWorkbooks();
    const CExcelBOFRecord* entry = data->GetBOFList().GetHead();
    CExcelWorkBook* workbook = workbooks.GetHead();
    std::size_t k = 0;
    while (workbook) {
        while (entry && (!entry->IsGlobals() || entry->GetStart() < workbook->GetStart()))
            entry = entry->GetNext();
        CExcelWorkBook* next = workbook->GetNext();
        if (entry && entry->GetStart() == workbook->GetStart()) {
            workbook->SetEnd(entry->GetEnd());
            ++k;
        } else {
            workbooks.Remove(workbook);
            boundSheets.erase(boundSheets.begin() + static_cast<std::ptrdiff_t>(k));
        }
        workbook = next;
    }
}
