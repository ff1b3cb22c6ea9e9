// STYLE record (0x0293): stored whole, not decoded here; a consumer reads
// the payload by its BIFF8 layout.
#pragma once

#include <cstdint>

#include "biff/CByteBuffer.h"
#include "biff/CTList.h"

class CExcelRecordSTYLE : public CTListNode<CExcelRecordSTYLE> {
public:
    // The raw record (header included) must hold at least 3 bytes.
    static bool AcceptsRawLength(std::uint32_t rawLength) { return rawLength >= 3; }

    // payload: the record body after its header (n bytes, copied).
    CExcelRecordSTYLE(const std::uint8_t* payload, std::uint32_t n);
    CExcelRecordSTYLE(const CExcelRecordSTYLE&) = delete;
    CExcelRecordSTYLE& operator=(const CExcelRecordSTYLE&) = delete;
    virtual ~CExcelRecordSTYLE() = default;

    std::uint32_t GetLength() const { return m_length; }
    const CByteBuffer& GetPayload() const { return m_payload; }

private:
    std::uint32_t m_length;
    CByteBuffer m_payload;
};
