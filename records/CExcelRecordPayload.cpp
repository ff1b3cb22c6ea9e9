#include "records/CExcelRecordPayload.h"

CExcelRecordPayload::CExcelRecordPayload(const std::uint8_t* payload, std::uint32_t n)
    : m_payload(payload, n), m_length(n) {}
