// PALETTE record (0x0092): stored whole, not decoded here and not applied
// to the default palette (CConstData); a consumer reads the payload by its
// BIFF8 layout.
#pragma once

#include <cstdint>

#include "biff/CByteBuffer.h"
#include "biff/CTList.h"

class CExcelRecordPALETTE : public CTListNode<CExcelRecordPALETTE> {
public:
    // The raw record (header included) must hold at least 2 bytes.
    static bool AcceptsRawLength(std::uint32_t rawLength) { return rawLength >= 2; }

    // payload: the record body after its header (n bytes, copied).
    CExcelRecordPALETTE(const std::uint8_t* payload, std::uint32_t n);
    CExcelRecordPALETTE(const CExcelRecordPALETTE&) = delete;
    CExcelRecordPALETTE& operator=(const CExcelRecordPALETTE&) = delete;
    virtual ~CExcelRecordPALETTE() = default;

    const CByteBuffer& GetPayload() const { return m_payload; }
    std::uint32_t GetLength() const { return m_length; }

private:
    CByteBuffer m_payload;
    std::uint32_t m_length;
};
