#include "records/CExcelRecordSTYLE.h"

CExcelRecordSTYLE::CExcelRecordSTYLE(const std::uint8_t* payload, std::uint32_t n)
    : m_length(n), m_payload(payload, n) {}

std::u16string CExcelRecordSTYLE::GetName() const {
    return IsBuiltIn() ? std::u16string() : m_payload.ReadString(2, 2);
}
