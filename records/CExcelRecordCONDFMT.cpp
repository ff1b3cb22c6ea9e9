#include "records/CExcelRecordCONDFMT.h"

#include <limits>

#include "biff/BiffRecordIds.h"
#include "biff/CByteBuffer.h"
#include "biff/IExcelStreamReader.h"
#include "records/CExcelByteCursor.h"
#include "records/CExcelSheetRecords.h"

namespace {

constexpr std::uint32_t kBoundSize = 8;

// The body of the record whose header lies at position, when its type is
// `type` and it fits in the sheet; the position of the record after it in
// *next.
bool ReadRecord(IExcelStreamReader& reader, std::uint64_t position, std::uint16_t type,
                std::vector<std::uint8_t>& body, std::uint64_t* next) {
    std::uint8_t header[biff::kRecordHeaderSize];
    const std::uint64_t bodyAt = position + biff::kRecordHeaderSize;
    if (bodyAt > std::numeric_limits<std::uint32_t>::max() ||
        !reader.Read(sizeof header, static_cast<std::uint32_t>(position), header) ||
        CDataReader::GetU16(header + biff::kTypeOffset) != type)
        return false;
    const std::uint32_t size = CDataReader::GetU16(header + biff::kLengthOffset);
    if (size > biff::kMaxBodyLength) return false;
    body.resize(size);
    if (!reader.Read(size, static_cast<std::uint32_t>(bodyAt), body.data())) return false;
    *next = bodyAt + size;
    return true;
}

}  // namespace

std::unique_ptr<CExcelRecordCONDFMT> CExcelRecordCONDFMT::Decode(const std::uint8_t* payload,
                                                                 std::uint32_t n) {
    CExcelByteCursor cursor(payload, n);
    auto format = std::make_unique<CExcelRecordCONDFMT>();
    format->m_announced = cursor.U16();
    cursor.Skip(2 + kBoundSize);  // flags and id, bounding rectangle
    if (!cursor.Ok() || !CExcelCellRects::Read(cursor, format->m_rects) || format->m_rects.empty())
        return nullptr;
    return format;
}

bool CExcelRecordCONDFMT::Read(IExcelStreamReader& reader, CExcelSheetRecords& sheet,
                               std::uint32_t size, std::uint32_t position) {
    const std::uint64_t bodyAt = std::uint64_t{position} + biff::kRecordHeaderSize;
    if (size > biff::kMaxBodyLength || bodyAt > std::numeric_limits<std::uint32_t>::max())
        return false;
    std::vector<std::uint8_t> body(size);
    if (!reader.Read(size, static_cast<std::uint32_t>(bodyAt), body.data())) return false;
    std::unique_ptr<CExcelRecordCONDFMT> format = Decode(body.data(), size);
    if (!format || format->m_announced == 0) return false;
    std::uint64_t next = bodyAt + size;
    // Each CF record takes at least its 4-byte header, so the count cannot
    // make the look-ahead run past the sheet's bytes.
    for (std::uint32_t i = 0; i < format->m_announced; ++i) {
        CExcelRecordCF condition;
        if (!ReadRecord(reader, next, biff::kCF, body, &next) ||
            !CExcelRecordCF::Decode(body.data(), static_cast<std::uint32_t>(body.size()),
                                    condition))
            return false;
        format->AddCondition(std::move(condition));
    }
    sheet.GetConditionalFormats().Add(format.release());
    return true;
}
