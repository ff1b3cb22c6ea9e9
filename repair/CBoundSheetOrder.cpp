#include "repair/CBoundSheetOrder.h"

#include <algorithm>

#include "biff/BiffRecordIds.h"
#include "biff/CByteBuffer.h"
#include "biff/CInputFile.h"
#include "model/CExcelScanWorkBook.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"

namespace {

constexpr char16_t kUnnamed[] = u"unnamed";

}  // namespace

bool CBoundSheetOrder::Read(const std::filesystem::path& scanPath, const CExcelWorkBook& workbook) {
    m_entries.clear();
    CInputFile file;
    if (!file.Open(scanPath)) return false;
    std::uint64_t end = workbook.GetEnd();
    if (end == 0 || end > file.Length()) end = file.Length();

    std::uint64_t position = workbook.GetStart();
    std::uint8_t body[biff::kMaxBodyLength];
    // Each step moves at least one header on, so the walk ends by the end.
    while (position + biff::kRecordHeaderSize <= end && m_entries.size() < kMaxEntries) {
        std::uint8_t header[biff::kRecordHeaderSize];
        if (file.ReadAt(position, header, sizeof header) < sizeof header) break;
        const std::uint16_t type = static_cast<std::uint16_t>(header[0] | (header[1] << 8));
        std::uint32_t length = static_cast<std::uint32_t>(header[2] | (header[3] << 8));
        // The same framing as the globals scan: an impossible length is
        // damage, and the next record is looked for right after the header.
        if (length > biff::kMaxBodyLength) length = 0;
        if (type == biff::kEOF) break;
        if (type == biff::kBOUNDSHEET) {
            const std::uint64_t available = end - position - biff::kRecordHeaderSize;
            const std::size_t wanted =
                static_cast<std::size_t>(std::min<std::uint64_t>(length, available));
            const std::size_t got = file.ReadAt(position + biff::kRecordHeaderSize, body, wanted);
            const CByteBuffer record(body, static_cast<std::uint32_t>(got));
            if (got >= biff::kBoundSheetFixedSize)
                m_entries.push_back({record.ReadU8(biff::kBoundSheetTypeOffset),
                                     CExcelScanWorkBook::BoundSheetName(record)});
        }
        position += biff::kRecordHeaderSize + length;
    }
    return true;
}

std::vector<std::uint32_t> CBoundSheetOrder::PlaceSheets(const CExcelWorkBook& workbook) const {
    std::vector<std::uint32_t> placed;
    const auto total = static_cast<std::uint32_t>(m_entries.size());
    std::uint32_t next = 0;   // first entry not yet taken
    std::uint32_t extra = 0;  // sheets placed after the entries
    for (const CExcelWorkSheet& sheet : workbook.GetWorksheets()) {
        const std::u16string name = sheet.GetName();
        std::uint32_t at = next;
        while (at < total) {
            const Entry& entry = m_entries[at];
            const bool sameName = entry.m_name.empty() ? name == kUnnamed : entry.m_name == name;
            // Any sheet type: the scan takes a sheet whose type byte is
            // damaged when its position leads to a worksheet BOF.
            if (sameName) break;
            ++at;
        }
        if (at < total) {
            placed.push_back(at);
            next = at + 1;
        } else {
            placed.push_back(total + extra++);
        }
    }
    return placed;
}

std::uint32_t CBoundSheetOrder::PositionCount(const std::vector<std::uint32_t>& placed) const {
    std::uint32_t count = static_cast<std::uint32_t>(m_entries.size());
    for (const std::uint32_t position : placed) count = std::max(count, position + 1);
    return count;
}
