#include "records/CExcelRecordLABELSST.h"

#include "biff/CByteBuffer.h"
#include "records/CExcelWorkbookGlobals.h"
#include "records/CellRecordLayout.h"

namespace {

// A whole field within the n bytes, or 0.
std::uint16_t FieldU16(const std::uint8_t* payload, std::uint32_t n, std::uint32_t at) {
    return at + 2 <= n ? CDataReader::GetU16(payload + at) : 0;
}

std::uint32_t FieldU32(const std::uint8_t* payload, std::uint32_t n, std::uint32_t at) {
    return at + 4 <= n ? CDataReader::GetU32(payload + at) : 0;
}

}  // namespace

CExcelRecordLABELSST::CExcelRecordLABELSST(const std::uint8_t* payload, std::uint32_t n)
    : m_row(FieldU16(payload, n, biff8::kCellRow)),
      m_column(FieldU16(payload, n, biff8::kCellColumn)),
      m_xfIndex(FieldU16(payload, n, biff8::kCellXF)),
      m_sstIndex(FieldU32(payload, n, biff8::kLabelSstIndex)) {}

std::u16string CExcelRecordLABELSST::GetText(const CExcelWorkbookGlobals& workbook,
                                             bool* found) const {
    return workbook.GetSharedString(GetSSTIndex(), found);
}
