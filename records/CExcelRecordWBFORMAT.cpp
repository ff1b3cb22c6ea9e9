#include "records/CExcelRecordWBFORMAT.h"

#include "records/RecordLayout.h"

CExcelRecordWBFORMAT::CExcelRecordWBFORMAT(const std::uint8_t* payload, std::uint32_t n)
    : m_payload(payload, n) {}

std::uint16_t CExcelRecordWBFORMAT::GetFormatIndex() const {
    return m_payload.ReadU16(biff8::kFormatIndex);
}

std::u16string CExcelRecordWBFORMAT::GetFormatString() const {
    // A payload without even the string's count and flags holds no string.
    if (m_payload.DataLength() < biff8::kFormatString + 1) return {};
    return m_payload.ReadString(biff8::kFormatString, 2);
}
