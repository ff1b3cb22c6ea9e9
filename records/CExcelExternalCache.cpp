#include "records/CExcelExternalCache.h"

#include <cstring>

#include "biff/CByteBuffer.h"
#include "biff/CExcelRawRecordData.h"
#include "records/CExcelWorkbookGlobals.h"

namespace {

constexpr std::uint32_t kHeader = 4;
constexpr std::uint32_t kXctSheet = 2;
constexpr std::uint32_t kXctSize = 4;
constexpr std::uint32_t kCrnValues = 4;
constexpr std::uint32_t kValueData = 8;  // bytes after the type byte, but for texts

constexpr std::uint8_t kTypeEmpty = 0x00;
constexpr std::uint8_t kTypeNumber = 0x01;
constexpr std::uint8_t kTypeText = 0x02;
constexpr std::uint8_t kTypeBoolean = 0x04;
constexpr std::uint8_t kTypeError = 0x10;
constexpr std::uint8_t kWideCharacters = 0x01;

// Reads the value at `at` into cell; false when it is cut by the end or its
// type is unknown. Advances `at` past it.
bool ReadValue(const std::uint8_t* p, std::uint32_t n, std::uint32_t& at,
               CExcelExternalCache::Cell& cell) {
    using EKind = CExcelExternalCache::EKind;
    if (at >= n) return false;
    const std::uint8_t type = p[at++];
    if (type == kTypeText) {
        if (n - at < 3) return false;
        const std::uint32_t count = CDataReader::GetU16(p + at);
        const bool wide = (p[at + 2] & kWideCharacters) != 0;
        at += 3;
        const std::uint32_t bytes = count * (wide ? 2u : 1u);
        if (n - at < bytes) return false;
        cell.kind = EKind::Text;
        cell.text.resize(count);
        for (std::uint32_t i = 0; i < count; ++i)
            cell.text[i] = wide ? static_cast<char16_t>(CDataReader::GetU16(p + at + 2 * i))
                                : static_cast<char16_t>(p[at + i]);
        at += bytes;
        return true;
    }
    if (n - at < kValueData) return false;
    switch (type) {
        case kTypeEmpty:
            cell.kind = EKind::Empty;
            break;
        case kTypeNumber:
            cell.kind = EKind::Number;
            std::memcpy(&cell.number, p + at, sizeof cell.number);
            break;
        case kTypeBoolean:
            cell.kind = EKind::Boolean;
            cell.code = p[at] != 0 ? 1 : 0;
            break;
        case kTypeError:
            cell.kind = EKind::Error;
            cell.code = p[at];
            break;
        default:
            return false;
    }
    at += kValueData;
    return true;
}

}  // namespace

std::size_t CExcelExternalCache::AppendCRN(const std::uint8_t* payload, std::uint32_t n,
                                           std::size_t room) {
    if (n < kCrnValues) return 0;
    const std::uint8_t last = payload[0];
    const std::uint8_t first = payload[1];
    const std::uint16_t row = CDataReader::GetU16(payload + 2);
    std::uint32_t at = kCrnValues;
    std::size_t kept = 0;
    for (std::uint32_t column = first; column <= last && kept < room; ++column) {
        Cell cell;
        if (!ReadValue(payload, n, at, cell)) break;
        cell.row = row;
        cell.column = static_cast<std::uint8_t>(column);
        m_cells.push_back(std::move(cell));
        ++kept;
    }
    return kept;
}

bool CExcelExternalCache::ReadXCT(CExcelRawRecordData& record, CExcelWorkbookGlobals& workbook) {
    const std::uint32_t books = workbook.GetSupBooks().GetCount();
    if (books == 0 || record.GetSize() < kHeader + kXctSize || !record.Load()) return false;
    const std::uint16_t sheet = CDataReader::GetU16(record.GetLoadedBytes() + kHeader + kXctSheet);
    record.FreeLoaded();
    workbook.GetExternalCaches().Add(new CExcelExternalCache(books - 1, sheet));
    return true;
}

bool CExcelExternalCache::ReadCRN(CExcelRawRecordData& record, CExcelWorkbookGlobals& workbook) {
    CTList<CExcelExternalCache>& caches = workbook.GetExternalCaches();
    CExcelExternalCache* cache = caches.GetTail();
    const std::uint32_t books = workbook.GetSupBooks().GetCount();
    if (!cache || books == 0 || cache->GetSupBookIndex() != books - 1) return false;
    const std::size_t held = workbook.GetExternalCacheCells();
    if (held >= kMaxCells || record.GetSize() <= kHeader || !record.Load()) return false;
    const std::size_t kept = cache->AppendCRN(record.GetLoadedBytes() + kHeader,
                                              record.GetSize() - kHeader, kMaxCells - held);
    record.FreeLoaded();
    workbook.SetExternalCacheCells(held + kept);
    return kept != 0;
}
