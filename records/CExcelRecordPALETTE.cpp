#include "records/CExcelRecordPALETTE.h"

CExcelRecordPALETTE::CExcelRecordPALETTE(const std::uint8_t* payload, std::uint32_t n)
    : m_payload(payload, n), m_length(n) {}
