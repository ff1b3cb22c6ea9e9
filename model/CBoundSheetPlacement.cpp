#include "model/CBoundSheetPlacement.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "biff/BiffRecordIds.h"
#include "biff/CByteBuffer.h"
#include "biff/CInputFile.h"
#include "model/CExcelWorkSheet.h"
#include "model/CExcelWorkSheetList.h"

namespace {

using WorksheetEntry = CExcelBOFRecordList::WorksheetEntry;

constexpr std::size_t kNoBof = std::numeric_limits<std::size_t>::max();

// What a BOUNDSHEET record makes of its sheet.
enum class EPlace {
    OnItsBof,    // the position is kept
    OnAFreeBof,  // damaged position: takes the next unclaimed worksheet BOF
    NoSheet,
};

bool HoldsCells(std::uint8_t sheetType) {
    return sheetType == biff::kBoundSheetWorksheet || sheetType == biff::kBoundSheetMacroSheet;
}

// The index of the worksheet BOF starting at position, or kNoBof.
std::size_t FindBof(const std::vector<WorksheetEntry>& bofs, std::uint32_t position) {
    const auto at = std::lower_bound(
        bofs.begin(), bofs.end(), position,
        [](const WorksheetEntry& bof, std::uint32_t p) { return bof.entry->GetStart() < p; });
    if (at == bofs.end() || at->entry->GetStart() != position) return kNoBof;
    return static_cast<std::size_t>(at - bofs.begin());
}

// The substream type of a BIFF8 BOF record at position in the file, or
// kNoSubstream when none starts there. Any substream type counts: macro
// sheets, charts and modules too, which the BOF search does not list.
constexpr std::uint16_t kNoSubstream = 0xFFFF;

std::uint16_t SubstreamAt(const CInputFile& file, std::uint32_t position) {
    std::uint8_t bytes[biff::kBofTestSize];
    if (file.ReadAt(position, bytes, sizeof bytes) < sizeof bytes) return kNoSubstream;
    if (bytes[0] != biff::kBofSignature0 || bytes[1] != biff::kBofSignature1) return kNoSubstream;
    const std::uint16_t length = CDataReader::GetU16(bytes + biff::kBofLengthOffset);
    const std::uint16_t version = CDataReader::GetU16(bytes + biff::kBofVersionOffset);
    // The same body lengths the search accepts: 16, or the short BIFF8 form.
    const bool shortForm = length >= biff::kBofShortBodyLength && length < biff::kBofBodyLength &&
                           version == biff::kBofVersionBiff8;
    if (length != biff::kBofBodyLength && !shortForm) return kNoSubstream;
    return CDataReader::GetU16(bytes + biff::kBofSubstreamTypeOffset);
}

// Which records land alone on a BOF that comes before the BOF of an earlier
// such record, or after that of a later one. A spreadsheet writes the
// BOUNDSHEET records in the order of the substreams, so two records whose
// BOFs come the other way round hold swapped (damaged) positions.
std::vector<bool> OutOfOrder(const std::vector<std::size_t>& landing,
                             const std::vector<std::uint32_t>& landed) {
    const std::size_t n = landing.size();
    const auto alone = [&](std::size_t i) {
        return landing[i] != kNoBof && landed[landing[i]] == 1;
    };
    std::vector<bool> out(n, false);
    std::size_t highest = kNoBof;  // the latest BOF landed on so far
    for (std::size_t i = 0; i < n; ++i) {
        if (!alone(i)) continue;
        if (highest != kNoBof && highest > landing[i]) out[i] = true;
        if (highest == kNoBof || landing[i] > highest) highest = landing[i];
    }
    std::size_t lowest = kNoBof;  // the earliest BOF landed on after
    for (std::size_t i = n; i-- > 0;) {
        if (!alone(i)) continue;
        if (lowest != kNoBof && lowest < landing[i]) out[i] = true;
        if (lowest == kNoBof || landing[i] < lowest) lowest = landing[i];
    }
    return out;
}

}  // namespace

void CBoundSheetPlacement::Place(const std::vector<BoundSheet>& boundSheets,
                                 const std::vector<WorksheetEntry>& worksheetBofs,
                                 const CInputFile& file, CExcelWorkSheetList& sheets) {
    const auto length = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(file.Length(), std::numeric_limits<std::uint32_t>::max()));

    // A BOF that two records land on is no proof for either: both are
    // treated as damaged and take the unclaimed BOFs in their order.
    std::vector<std::size_t> landing(boundSheets.size(), kNoBof);
    std::vector<std::uint32_t> landed(worksheetBofs.size(), 0);
    for (std::size_t i = 0; i < boundSheets.size(); ++i) {
        landing[i] = FindBof(worksheetBofs, boundSheets[i].position);
        if (landing[i] != kNoBof) ++landed[landing[i]];
    }
    const std::vector<bool> outOfOrder = OutOfOrder(landing, landed);
    std::vector<bool> claimed(worksheetBofs.size(), false);
    std::vector<EPlace> places(boundSheets.size(), EPlace::NoSheet);
    for (std::size_t i = 0; i < boundSheets.size(); ++i) {
        const BoundSheet& record = boundSheets[i];
        if (landing[i] != kNoBof && landed[landing[i]] == 1 && !outOfOrder[i]) {
            claimed[landing[i]] = true;
            places[i] = EPlace::OnItsBof;
            continue;
        }
        // A worksheet BOF of the workbook that several records claim sends
        // all of them to the unclaimed BOFs.
        const std::uint16_t substream =
            landing[i] == kNoBof ? SubstreamAt(file, record.position) : kNoSubstream;
        const bool sheetBof = substream != kNoSubstream && substream != biff::kSubstreamGlobals;
        if (sheetBof && (HoldsCells(record.sheetType) || substream == biff::kSubstreamWorksheet))
            places[i] = EPlace::OnItsBof;
        else if (!sheetBof && HoldsCells(record.sheetType))
            places[i] = EPlace::OnAFreeBof;
    }

    std::vector<std::size_t> unclaimed;
    for (std::size_t j = 0; j < worksheetBofs.size(); ++j)
        if (!claimed[j]) unclaimed.push_back(j);
    std::size_t nextFree = 0;

    sheets.RemoveAll();
    // The sheets added and whether each has a stretch of its own.
    std::vector<std::pair<CExcelWorkSheet*, bool>> added;
    for (std::size_t i = 0; i < boundSheets.size(); ++i) {
        if (places[i] == EPlace::NoSheet) continue;
        const BoundSheet& record = boundSheets[i];
        CExcelWorkSheet sheet;
        sheet.SetName(record.name);
        sheet.SetVisibility(record.visibility);
        bool placed = true;
        if (places[i] == EPlace::OnItsBof) {
            sheet.SetStart(record.position);
        } else if (nextFree < unclaimed.size()) {
            const CExcelBOFRecord* bof = worksheetBofs[unclaimed[nextFree++]].entry;
            sheet.SetStart(bof->GetStart());
            sheet.SetEnd(bof->GetEnd());
        } else {
            placed = false;
        }
        added.emplace_back(sheets.Add(sheet), placed);
    }
    for (; nextFree < unclaimed.size(); ++nextFree)
        sheets.Add(*CExcelBOFRecordList::MakeWorksheet(worksheetBofs[unclaimed[nextFree]]));

    // A sheet with nowhere to go starts where the next sheet of the list
    // does, so that the sheet before it still reads up to that one.
    std::uint32_t next = length;
    CExcelWorkSheet* after = added.empty() ? nullptr : added.back().first->GetNext();
    if (after) next = after->GetStart();
    for (auto it = added.rbegin(); it != added.rend(); ++it) {
        if (it->second)
            next = it->first->GetStart();
        else
            it->first->SetStart(next);
    }
}
