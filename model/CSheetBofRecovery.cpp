#include "model/CSheetBofRecovery.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "biff/BiffRecordIds.h"
#include "biff/CBofSignature.h"
#include "biff/CByteBuffer.h"
#include "biff/CExcelBOFRecord.h"
#include "biff/CInputFile.h"
#include "model/CExcelBOFRecordList.h"
#include "platform/RunState.h"

namespace {

// The records a worksheet substream opens with after its BOF, as the
// writers seen in the wild order them (INDEX first, or the calculation
// settings when there is no INDEX, or the print and column settings).
// Chart substreams open with HEADER or a chart record, the globals with
// INTERFACEHDR, CODEPAGE or WRITEACCESS: none of these.
constexpr std::uint16_t kOpeningRecords[] = {
    0x000C,  // CALCCOUNT
    0x000D,  // CALCMODE
    0x000F,  // REFMODE
    0x0010,  // DELTA
    0x0011,  // ITERATION
    0x002A,  // PRINTHEADERS
    0x002B,  // PRINTGRIDLINES
    0x0055,  // DEFCOLWIDTH
    0x005E,  // UNCALCED
    0x005F,  // SAVERECALC
    0x007D,  // COLINFO
    0x0080,  // GUTS
    0x0081,  // WSBOOL
    0x0082,  // GRIDSET
    0x0200,  // DIMENSIONS
    0x020B,  // INDEX
    0x0225,  // DEFAULTROWHEIGHT
};

// Cell records of worksheets, sorted, that neither the globals nor a
// chart's series cache (NUMBER, LABEL, BLANK, BOOLERR) holds.
constexpr std::uint16_t kCellRecords[] = {
    biff::kFORMULA,   // 0x0006
    biff::kMULRK,     // 0x00BD
    biff::kMULBLANK,  // 0x00BE
    0x00D7,           // DBCELL
    biff::kLABELSST,  // 0x00FD
    biff::kROW,       // 0x0208
    biff::kARRAY,     // 0x0221
    biff::kRK,        // 0x027E
    biff::kSHRFMLA,   // 0x04BC
};

// A zeroed or overwritten BOF header no longer says how long the body is:
// it is taken as the full BIFF8 BOF, the one every writer of this format
// writes.
std::uint32_t BofBodyLength(std::uint16_t declared) {
    return declared >= biff::kBofShortBodyLength && declared <= biff::kBofBodyLength
               ? declared
               : biff::kBofBodyLength;
}

bool ReadHeader(const CInputFile& file, std::uint64_t at, std::uint16_t* type,
                std::uint16_t* length) {
    std::uint8_t header[biff::kRecordHeaderSize];
    if (file.ReadAt(at, header, sizeof header) < sizeof header) return false;
    *type = CDataReader::GetU16(header + biff::kTypeOffset);
    *length = CDataReader::GetU16(header + biff::kLengthOffset);
    return true;
}

bool AllZero(const std::uint8_t* bytes, std::size_t n) {
    return std::all_of(bytes, bytes + n, [](std::uint8_t b) { return b == 0; });
}

// Whether a non-zero byte lies in [from, end): records resume after a
// zeroed run there, rather than the zeros (or a stream's slack after its
// last EOF) running on to the end.
bool BytesAfterZeros(const CInputFile& file, std::uint64_t from, std::uint64_t end) {
    std::uint8_t bytes[512];
    for (std::uint64_t at = from; at < end; at += sizeof bytes) {
        const std::size_t got = file.ReadAt(
            at, bytes, static_cast<std::size_t>(std::min<std::uint64_t>(sizeof bytes, end - at)));
        if (got == 0) return false;
        if (!AllZero(bytes, got)) return true;
    }
    return false;
}

}  // namespace

bool CSheetBofRecovery::OpensWorksheet(std::uint16_t type) {
    return std::binary_search(std::begin(kOpeningRecords), std::end(kOpeningRecords), type);
}

bool CSheetBofRecovery::OnlyWorksheetsHold(std::uint16_t type) {
    return OpensWorksheet(type) ||
           std::binary_search(std::begin(kCellRecords), std::end(kCellRecords), type);
}

bool CSheetBofRecovery::SheetBofAt(const CInputFile& file, std::uint32_t position) {
    if (position < biff::kRecordHeaderSize) return false;
    std::uint16_t type = 0;
    std::uint16_t length = 0;
    // The substream before ends with an EOF record, whose body is empty.
    if (!ReadHeader(file, position - biff::kRecordHeaderSize, &type, &length) ||
        type != biff::kEOF || length != 0)
        return false;
    if (!ReadHeader(file, position, &type, &length)) return false;
    // The BOF is gone altogether and the sheet's own records begin here.
    if (OpensWorksheet(type)) return true;
    const std::uint64_t next =
        static_cast<std::uint64_t>(position) + biff::kRecordHeaderSize + BofBodyLength(length);
    return ReadHeader(file, next, &type, &length) && OpensWorksheet(type);
}

bool CSheetBofRecovery::ZeroedBofAt(const CInputFile& file, std::uint32_t position,
                                    std::uint32_t stretchStart, std::uint64_t stretchEnd,
                                    std::uint64_t& walkSteps) {
    if (position < stretchStart + biff::kRecordHeaderSize) return false;
    // The EOF header before the position and the full BIFF8 BOF; a run that
    // begins inside the EOF header may leave its type's low byte.
    std::uint8_t bytes[2 * biff::kRecordHeaderSize + biff::kBofBodyLength];
    const std::uint32_t from = position - biff::kRecordHeaderSize;
    if (file.ReadAt(from, bytes, sizeof bytes) < sizeof bytes ||
        (bytes[0] != 0 && bytes[0] != (biff::kEOF & 0xFF)) || !AllZero(bytes + 1, sizeof bytes - 1))
        return false;
    // Zero bytes inside a sound record's body (a blank drawing, say) are no
    // damage: the walk by declared lengths from the stretch's start must meet
    // the zeros as headers, or lose the framing before them, and not step
    // over the position. Every step moves at least 4 bytes on.
    std::uint64_t at = stretchStart;
    while (at < position) {
        if (walkSteps == 0) return false;
        --walkSteps;
        std::uint16_t type = 0;
        std::uint16_t length = 0;
        if (!ReadHeader(file, at, &type, &length)) return false;
        if (type == 0 && length == 0) return true;       // zeros, here or in an earlier run
        if (length > biff::kMaxBodyLength) return true;  // the framing was lost before
        at += biff::kRecordHeaderSize + length;
    }
    return at == position && BytesAfterZeros(file, from + sizeof bytes, stretchEnd);
}

std::vector<std::uint32_t> CSheetBofRecovery::TailBofs(const CInputFile& file) {
    const std::uint64_t length = file.Length();
    const std::uint64_t from = length > biff::kBofSearchTail ? length - biff::kBofSearchTail : 0;
    std::vector<std::uint8_t> tail(static_cast<std::size_t>(length - from));
    tail.resize(file.ReadAt(from, tail.data(), tail.size()));
    std::vector<std::uint32_t> bofs;
    for (std::size_t i = 0; i + biff::kBofTestSize <= tail.size(); ++i) {
        if (CBofSignature::SubstreamAt(&tail[i]) != biff::kSubstreamWorksheet) continue;
        const std::uint64_t position = from + i;
        if (position <= std::numeric_limits<std::uint32_t>::max())
            bofs.push_back(static_cast<std::uint32_t>(position));
    }
    return bofs;
}

std::uint32_t CSheetBofRecovery::Recover(const CInputFile& file,
                                         const std::vector<std::uint32_t>& candidates,
                                         CExcelBOFRecordList& list,
                                         const std::vector<std::uint32_t>& sheetStarts) {
    struct Entry {
        std::uint32_t start;
        bool globals;
    };
    const auto before = [](const Entry& a, const Entry& b) { return a.start < b.start; };
    // The search lists its entries in file order.
    std::vector<Entry> entries;
    for (const CExcelBOFRecord& entry : list)
        entries.push_back({entry.GetStart(), entry.IsGlobals()});
    std::vector<Entry> added;

    std::vector<std::uint32_t> sorted(candidates);
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    std::uint32_t recovered = 0;
    std::uint64_t walkSteps = kZeroedBofWalkSteps;
    for (const std::uint32_t position : sorted) {
        const Entry probe{position, false};
        const auto at = std::lower_bound(entries.begin(), entries.end(), probe, before);
        const bool listed = at != entries.end() && at->start == position;
        if (listed && !at->globals) continue;
        // The entry whose stretch holds the position, where a walk of its
        // records starts.
        const std::uint32_t stretchStart = at == entries.begin() ? 0 : std::prev(at)->start;
        const std::uint64_t stretchEnd = at == entries.end() ? file.Length() : at->start;
        if (!SheetBofAt(file, position) &&
            (listed || !ZeroedBofAt(file, position, stretchStart, stretchEnd, walkSteps)))
            continue;
        if (listed)
            at->globals = false;  // a worksheet BOF whose type says globals
        else
            added.push_back(probe);
        ++recovered;
    }
    std::vector<Entry> merged;
    merged.reserve(entries.size() + added.size() + sheetStarts.size());
    std::merge(entries.begin(), entries.end(), added.begin(), added.end(),
               std::back_inserter(merged), before);
    for (const std::uint32_t position : sheetStarts) {
        const Entry probe{position, false};
        const auto at = std::lower_bound(merged.begin(), merged.end(), probe, before);
        if (at != merged.end() && at->start == position) continue;
        // The BOUNDSHEET of this sheet named its zeroed BOF, taken above.
        if (at != merged.begin() && !std::prev(at)->globals) continue;
        merged.insert(at, probe);
        ++recovered;
    }
    if (recovered == 0) return 0;

    list.RemoveAll();
    for (const Entry& entry : merged)
        list.Add(CExcelBOFRecord(
            entry.globals ? CExcelBOFRecord::kGlobalsName : CExcelBOFRecord::kWorksheetName,
            entry.start));
    RepairCounters[CounterSheets].fetch_add(recovered);
    return recovered;
}
