#include "records/CExcelRecordNUMBER.h"

#include <cstring>

#include "biff/CByteBuffer.h"
#include "records/CExcelCellNumberFormat.h"
#include "records/CellRecordLayout.h"

CExcelRecordNUMBER::CExcelRecordNUMBER(std::uint16_t row, std::uint16_t column,
                                       std::uint16_t xfIndex, double value)
    : m_row(row), m_column(column), m_xfIndex(xfIndex), m_value(value) {}

namespace {

// The value is copied bit for bit: NaN payloads and negative zero stay as
// the file has them.
double StoredValue(const std::uint8_t* payload) {
    const std::uint64_t bits =
        CDataReader::GetU32(payload + biff8::kNumberValue) |
        static_cast<std::uint64_t>(CDataReader::GetU32(payload + biff8::kNumberValue + 4)) << 32;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

CExcelRecordNUMBER::CExcelRecordNUMBER(const std::uint8_t* payload)
    : CExcelRecordNUMBER(CDataReader::GetU16(payload + biff8::kCellRow),
                         CDataReader::GetU16(payload + biff8::kCellColumn),
                         CDataReader::GetU16(payload + biff8::kCellXF), StoredValue(payload)) {}

std::uint16_t CExcelRecordNUMBER::GetFormatIndex(const CExcelWorkbookGlobals& workbook) const {
    return CExcelCellNumberFormat::GetFormatIndex(workbook, m_xfIndex);
}
