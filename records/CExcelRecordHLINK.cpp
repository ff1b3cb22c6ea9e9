#include "records/CExcelRecordHLINK.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "biff/BiffRecordIds.h"
#include "biff/CByteBuffer.h"
#include "biff/IExcelStreamReader.h"
#include "records/CExcelByteCursor.h"
#include "records/CExcelHyperlinkMoniker.h"
#include "records/CExcelSheetRecords.h"
#include "records/HyperlinkLayout.h"

namespace {

// A string of the hyperlink stream: u32 characters with the zero, then
// the characters.
std::u16string StreamString(CExcelByteCursor& cursor) {
    const std::uint32_t count = cursor.U32();
    return cursor.Utf16(count);
}

// count bytes at offset `at` after position; false when they are not all
// in the sheet or the offset leaves the 32-bit range.
bool ReadAt(IExcelStreamReader& reader, std::uint64_t at, std::uint32_t count, std::uint8_t* out) {
    if (at > std::numeric_limits<std::uint32_t>::max()) return false;
    return reader.Read(count, static_cast<std::uint32_t>(at), out);
}

}  // namespace

CExcelRecordHLINK::CExcelRecordHLINK(std::uint16_t firstRow, std::uint16_t lastRow,
                                     std::uint16_t firstColumn, std::uint16_t lastColumn,
                                     std::u16string address, std::u16string location,
                                     std::u16string description, std::u16string toolTip)
    : m_firstRow(firstRow),
      m_lastRow(lastRow),
      m_firstColumn(firstColumn),
      m_lastColumn(lastColumn),
      m_description(std::move(description)),
      m_address(std::move(address)),
      m_location(std::move(location)),
      m_toolTip(std::move(toolTip)) {}

std::unique_ptr<CExcelRecordHLINK> CExcelRecordHLINK::Decode(const std::uint8_t* payload,
                                                             std::uint32_t n) {
    if (payload == nullptr || n < hlink::kFirstField ||
        CDataReader::GetU32(payload + hlink::kStreamVersion) != hlink::kVersion)
        return nullptr;
    auto link = std::make_unique<CExcelRecordHLINK>();
    link->m_firstRow = CDataReader::GetU16(payload + hlink::kFirstRow);
    link->m_lastRow = CDataReader::GetU16(payload + hlink::kLastRow);
    link->m_firstColumn = CDataReader::GetU16(payload + hlink::kFirstColumn);
    link->m_lastColumn = CDataReader::GetU16(payload + hlink::kLastColumn);
    const std::uint32_t flags = CDataReader::GetU32(payload + hlink::kFlags);

    CExcelByteCursor cursor(payload + hlink::kFirstField, n - hlink::kFirstField);
    if (flags & hlink::kHasDisplayName) link->m_description = StreamString(cursor);
    // The target frame names a browser window; nothing saves it.
    if (flags & hlink::kHasFrameName) StreamString(cursor);
    if (flags & hlink::kHasMoniker) {
        // A UNC path is kept as a string rather than a moniker.
        if (flags & hlink::kMonikerSavedAsString)
            link->m_address = StreamString(cursor);
        else if (!CExcelHyperlinkMoniker::Read(cursor, link->m_address))
            return nullptr;
    }
    if (flags & hlink::kHasLocation) link->m_location = StreamString(cursor);
    if (!cursor.Ok() || (link->m_address.empty() && link->m_location.empty())) return nullptr;
    return link;
}

bool CExcelRecordHLINK::TakeToolTip(const std::uint8_t* payload, std::uint32_t n) {
    if (payload == nullptr || n < hlink::kTipText) return false;
    const std::uint8_t* range = payload + hlink::kTipRange;
    if (CDataReader::GetU16(range + hlink::kFirstRow) != m_firstRow ||
        CDataReader::GetU16(range + hlink::kLastRow) != m_lastRow ||
        CDataReader::GetU16(range + hlink::kFirstColumn) != m_firstColumn ||
        CDataReader::GetU16(range + hlink::kLastColumn) != m_lastColumn)
        return false;
    CExcelByteCursor cursor(payload + hlink::kTipText, n - hlink::kTipText);
    m_toolTip = cursor.Utf16((n - hlink::kTipText) / 2);
    return true;
}

bool CExcelRecordHLINK::Read(IExcelStreamReader& reader, CExcelSheetRecords& sheet,
                             std::uint32_t size, std::uint32_t position) {
    if (size > biff::kMaxBodyLength) return false;
    const std::uint64_t body = std::uint64_t{position} + biff::kRecordHeaderSize;
    std::vector<std::uint8_t> payload(size);
    if (!ReadAt(reader, body, size, payload.data())) return false;
    std::unique_ptr<CExcelRecordHLINK> link = Decode(payload.data(), size);
    if (!link) return false;

    // The tool tip, from the record right after this one only.
    std::uint8_t header[biff::kRecordHeaderSize];
    const std::uint64_t next = body + size;
    if (ReadAt(reader, next, sizeof header, header) &&
        CDataReader::GetU16(header + biff::kTypeOffset) == biff::kQUICKTIP) {
        const std::uint32_t tipSize = CDataReader::GetU16(header + biff::kLengthOffset);
        std::vector<std::uint8_t> tip(std::min(tipSize, biff::kMaxBodyLength));
        if (tipSize == tip.size() && ReadAt(reader, next + sizeof header, tipSize, tip.data()))
            link->TakeToolTip(tip.data(), tipSize);
    }
    sheet.GetHyperlinks().Add(link.release());
    return true;
}
