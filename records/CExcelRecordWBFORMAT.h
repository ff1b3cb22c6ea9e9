// FORMAT record (0x041E): one stored number format, its index and its
// format string.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CByteBuffer.h"
#include "biff/CTList.h"

class CExcelRecordWBFORMAT : public CTListNode<CExcelRecordWBFORMAT> {
public:
    // The raw record (header included) must hold at least 2 bytes.
    static bool AcceptsRawLength(std::uint32_t rawLength) { return rawLength >= 2; }

    // payload: the record body after its header (n bytes, copied).
    CExcelRecordWBFORMAT(const std::uint8_t* payload, std::uint32_t n);
    CExcelRecordWBFORMAT(const CExcelRecordWBFORMAT&) = delete;
    CExcelRecordWBFORMAT& operator=(const CExcelRecordWBFORMAT&) = delete;
    virtual ~CExcelRecordWBFORMAT() = default;

    std::uint16_t GetFormatIndex() const;
    // The long-form string at offset 2; empty when the payload is shorter
    // than 3 bytes.
    std::u16string GetFormatString() const;
    const CByteBuffer& GetPayload() const { return m_payload; }

private:
    CByteBuffer m_payload;
};
